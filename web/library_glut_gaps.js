// What Emscripten's GLUT lacks or does differently from freeglut, for this
// program: the pop-up menus (glutCreateMenu, glutAddMenuEntry,
// glutAttachMenu, glutSetMenu, glutDestroyMenu) as an HTML pop-up, the scene
// drawn again when it closes as when freeglut's menu window goes; an idle
// callback with at most one setTimeout chain, which waits for a pending frame
// as freeglut's loop does (one idle call per frame on a slow machine, no
// chain at all while none is set); no frame drawn once the WebGL context is
// lost (the page is told); a main loop that keeps the runtime alive until
// exit(); exit() that really ends, from any callback, and takes away every
// listener these add.
//
// For the page: the pop-up is a <div class="waterfall-menu"> in
// document.body holding <div class="waterfall-menu-item"> entries (the label
// as text); its look is the page's. The right button over the canvas or a long
// press (a touch held still for LONG_PRESS_MS) opens it at the pointer; a
// click on an entry chooses it, a press anywhere else closes it. Keys: GLUT
// listens for keydown/keyup on window, so a page sends a key by dispatching
//   new KeyboardEvent('keydown', {key: 'a', bubbles: true})
// (keyCode may be left out: the key's text is used when keyCode is 0).

var LibraryWaterfallGlutGaps = {
  $WaterfallMenu__deps: ['$GLUT', '$callUserCallback', '$WaterfallFrame', 'glutPostRedisplay'],
  $WaterfallMenu__postset: 'WaterfallMenu.install();',
  $WaterfallMenu: {
    LONG_PRESS_MS: 500,
    LONG_PRESS_SLOP_PX: 10,   // a touch moving further is a drag, not a press
    SELECT_SLOP_PX: 4,        // an opening press released nearer chooses nothing
    // On window, capturing: each event type and its handler here.
    LISTENERS: [['mousedown', 'onMouseDown'], ['mouseup', 'onMouseUp'],
      ['contextmenu', 'onContextMenu'], ['touchstart', 'onTouchStart'],
      ['touchmove', 'onTouchMove'], ['touchend', 'cancelLongPress'],
      ['touchcancel', 'cancelLongPress'], ['keydown', 'onKeyDown']],
    menus: {},
    nextId: 1,
    current: 0,
    attached: {},        // GLUT button -> menu id
    popup: null,         // {element, menu, x, y}
    pressInside: false,  // the last press began on the pop-up
    openingButton: -1,   // the button whose press opened the pop-up, until released
    longPress: null,     // {timer, x, y}

    install: function() {
      // Events that reach the program must be caught like any other callback:
      // exit() from a key or a click ends the program, not the event handler.
      ['onKeydown', 'onKeyup', 'onMousemove', 'onMouseButtonDown', 'onMouseButtonUp',
       'onMouseWheel', 'touchHandler'].forEach(function(name) {
        var handler = GLUT[name];
        GLUT[name] = function(event) {
          callUserCallback(function() { handler(event); });
        };
      });
      var asciiKey = GLUT.getASCIIKey;
      GLUT.getASCIIKey = function(event) {
        if (!event['keyCode'] && event['key'] && event['key'].length == 1 &&
            !event['ctrlKey'] && !event['altKey'] && !event['metaKey']) {
          return event['key'].charCodeAt(0);
        }
        return asciiKey(event);
      };
      if (typeof window == 'undefined') return;
      // Registered before glutInit registers GLUT's own, so these see every
      // press first and can keep the menu's from the program.
      WaterfallMenu.listen('addEventListener');
      addOnPreMain(function() {
        var canvas = Module['canvas'];
        if (!canvas) return;
        if (!canvas.hasAttribute('tabindex')) canvas.setAttribute('tabindex', '0');
        canvas.focus();
        canvas.addEventListener('webglcontextlost', WaterfallFrame.onContextLost);
      });
    },

    // `how`: 'addEventListener' or 'removeEventListener'.
    listen: function(how) {
      WaterfallMenu.LISTENERS.forEach(function(listener) {
        window[how](listener[0], WaterfallMenu[listener[1]], true);
      });
    },

    isCanvas: function(target) {
      return target && target === Module['canvas'];
    },

    inPopup: function(target) {
      return !!(WaterfallMenu.popup && target && WaterfallMenu.popup.element.contains(target));
    },

    open: function(menuId, clientX, clientY) {
      WaterfallMenu.close();
      var menu = WaterfallMenu.menus[menuId];
      if (!menu || typeof document == 'undefined') return;
      var element = document.createElement('div');
      element.className = 'waterfall-menu';
      element.setAttribute('role', 'menu');
      menu.entries.forEach(function(entry) {
        var item = document.createElement('div');
        item.className = 'waterfall-menu-item';
        item.setAttribute('role', 'menuitem');
        item.textContent = entry.label;
        item.waterfallValue = entry.value;
        element.appendChild(item);
      });
      element.style.position = 'absolute';
      element.style.left = (clientX + window.scrollX) + 'px';
      element.style.top = (clientY + window.scrollY) + 'px';
      document.body.appendChild(element);
      // Kept inside the window: moved left or up where it would overflow.
      var box = element.getBoundingClientRect();
      var overRight = box.right - document.documentElement.clientWidth;
      var overBottom = box.bottom - document.documentElement.clientHeight;
      if (overRight > 0) element.style.left = Math.max(0, clientX - overRight) + window.scrollX + 'px';
      if (overBottom > 0) element.style.top = Math.max(0, clientY - overBottom) + window.scrollY + 'px';
      WaterfallMenu.popup = {element: element, menu: menuId, x: clientX, y: clientY};
    },

    // As freeglut's menu window going away, the pop-up's leaves the scene
    // to be drawn again (not at the end, when nothing is drawn any more).
    close: function() {
      if (!WaterfallMenu.popup) return;
      var element = WaterfallMenu.popup.element;
      if (element.parentNode) element.parentNode.removeChild(element);
      WaterfallMenu.popup = null;
      _glutPostRedisplay();
    },

    // As freeglut: the chosen menu is current while its callback runs, and
    // the menu current before comes back afterwards if it still exists.
    choose: function(menuId, value) {
      WaterfallMenu.close();
      var menu = WaterfallMenu.menus[menuId];
      if (!menu) return;
      var before = WaterfallMenu.current;
      WaterfallMenu.current = menuId;
      callUserCallback(function() {
        {{{ makeDynCall('vi', 'menu.func') }}}(value);
      });
      WaterfallMenu.current = WaterfallMenu.menus[before] ? before : 0;
    },

    onMouseDown: function(event) {
      var target = event.target;
      if (WaterfallMenu.inPopup(target)) {
        WaterfallMenu.pressInside = true;
        event.preventDefault();
        event.stopImmediatePropagation();
        return;
      }
      WaterfallMenu.pressInside = false;
      if (WaterfallMenu.popup) {
        // A press outside only closes the pop-up, as freeglut's does.
        WaterfallMenu.close();
        WaterfallMenu.openingButton = event.button;
        event.stopImmediatePropagation();
        return;
      }
      if (!WaterfallMenu.isCanvas(target)) return;
      target.focus();
      var menuId = WaterfallMenu.attached[event.button];
      if (!menuId || !WaterfallMenu.menus[menuId]) return;
      event.preventDefault();
      event.stopImmediatePropagation();
      WaterfallMenu.openingButton = event.button;
      WaterfallMenu.open(menuId, event.clientX, event.clientY);
    },

    onMouseUp: function(event) {
      var opening = WaterfallMenu.openingButton == event.button;
      if (opening) WaterfallMenu.openingButton = -1;
      if (WaterfallMenu.inPopup(event.target)) {
        event.preventDefault();
        event.stopImmediatePropagation();
        var item = event.target.closest('.waterfall-menu-item');
        var popup = WaterfallMenu.popup;
        var moved = Math.abs(event.clientX - popup.x) + Math.abs(event.clientY - popup.y) >
                    WaterfallMenu.SELECT_SLOP_PX;
        if (item && (WaterfallMenu.pressInside || (opening && moved))) {
          WaterfallMenu.choose(popup.menu, item.waterfallValue);
        }
        WaterfallMenu.pressInside = false;
        return;
      }
      // The release of a press the menu took is not the program's either.
      if (opening) event.stopImmediatePropagation();
    },

    onContextMenu: function(event) {
      if (WaterfallMenu.isCanvas(event.target) || WaterfallMenu.inPopup(event.target)) {
        event.preventDefault();
      }
    },

    onKeyDown: function(event) {
      if (WaterfallMenu.popup && event.key == 'Escape') WaterfallMenu.close();
    },

    onTouchStart: function(event) {
      WaterfallMenu.cancelLongPress();
      if (event.touches.length != 1 || !WaterfallMenu.isCanvas(event.target)) return;
      var menuId = WaterfallMenu.attached[2 /* GLUT_RIGHT_BUTTON */];
      if (!menuId) return;
      var touch = event.touches[0];
      var press = {x: touch.clientX, y: touch.clientY};
      press.timer = setTimeout(function() {
        WaterfallMenu.longPress = null;
        if (runtimeExited || ABORT) return;
        var id = WaterfallMenu.attached[2];
        if (id && WaterfallMenu.menus[id]) WaterfallMenu.open(id, press.x, press.y);
      }, WaterfallMenu.LONG_PRESS_MS);
      WaterfallMenu.longPress = press;
    },

    onTouchMove: function(event) {
      var press = WaterfallMenu.longPress;
      if (!press) return;
      var touch = event.touches[0];
      if (!touch || Math.abs(touch.clientX - press.x) + Math.abs(touch.clientY - press.y) >
                    WaterfallMenu.LONG_PRESS_SLOP_PX) {
        WaterfallMenu.cancelLongPress();
      }
    },

    cancelLongPress: function() {
      if (!WaterfallMenu.longPress) return;
      clearTimeout(WaterfallMenu.longPress.timer);
      WaterfallMenu.longPress = null;
    },

    // The program is ending: no pop-up, no press left over, no menu to open
    // any more, and none of these listeners.
    end: function() {
      WaterfallMenu.cancelLongPress();
      WaterfallFrame.end();
      WaterfallMenu.close();
      if (typeof window != 'undefined') WaterfallMenu.listen('removeEventListener');
      if (Module['canvas']) {
        Module['canvas'].removeEventListener('webglcontextlost', WaterfallFrame.onContextLost);
      }
      WaterfallMenu.menus = {};
      WaterfallMenu.attached = {};
      WaterfallMenu.current = 0;
    },
  },

  glutCreateMenu__deps: ['$WaterfallMenu'],
  glutCreateMenu: function(func) {
    var id = WaterfallMenu.nextId++;
    WaterfallMenu.menus[id] = {func: func, entries: []};
    WaterfallMenu.current = id;
    return id;
  },

  glutAddMenuEntry__deps: ['$WaterfallMenu'],
  glutAddMenuEntry: function(label, value) {
    var menu = WaterfallMenu.menus[WaterfallMenu.current];
    if (menu) menu.entries.push({label: UTF8ToString(label), value: value});
  },

  glutAttachMenu__deps: ['$WaterfallMenu'],
  glutAttachMenu: function(button) {
    if (WaterfallMenu.menus[WaterfallMenu.current]) {
      WaterfallMenu.attached[button] = WaterfallMenu.current;
    }
  },

  glutDetachMenu__deps: ['$WaterfallMenu'],
  glutDetachMenu: function(button) {
    delete WaterfallMenu.attached[button];
  },

  glutSetMenu__deps: ['$WaterfallMenu'],
  glutSetMenu: function(id) {
    if (WaterfallMenu.menus[id]) WaterfallMenu.current = id;
  },

  glutGetMenu__deps: ['$WaterfallMenu'],
  glutGetMenu: function() {
    return WaterfallMenu.current;
  },

  // As freeglut: the menu leaves every button it was attached to, and when
  // it was the current one no menu is current any more.
  glutDestroyMenu__deps: ['$WaterfallMenu'],
  glutDestroyMenu: function(id) {
    if (!WaterfallMenu.menus[id]) return;
    if (WaterfallMenu.popup && WaterfallMenu.popup.menu == id) WaterfallMenu.close();
    delete WaterfallMenu.menus[id];
    for (var button in WaterfallMenu.attached) {
      if (WaterfallMenu.attached[button] == id) delete WaterfallMenu.attached[button];
    }
    if (WaterfallMenu.current == id) WaterfallMenu.current = 0;
  },

  $WaterfallIdle__deps: ['$WaterfallFrame', '$callUserCallback'],
  $WaterfallIdle: {
    func: 0,              // the program's idle callback
    timer: null,          // the one pending step of the chain
    afterFrame: false,    // the chain waits for the pending frame instead
    schedule: function() {
      WaterfallIdle.timer = setTimeout(WaterfallIdle.run, 0);
    },
    run: function() {
      WaterfallIdle.timer = null;
      if (!WaterfallIdle.func || runtimeExited || ABORT) return;
      if (WaterfallFrame.pending) {
        WaterfallIdle.afterFrame = true;
        return;
      }
      callUserCallback(function() {
        {{{ makeDynCall('v', 'WaterfallIdle.func') }}}();
      });
      WaterfallIdle.resume();
    },
    // Carries the chain on if an idle callback is set and none is pending.
    resume: function() {
      if (!WaterfallIdle.func || WaterfallIdle.timer !== null || runtimeExited || ABORT) return;
      if (WaterfallFrame.pending) {
        WaterfallIdle.afterFrame = true;
        return;
      }
      WaterfallIdle.afterFrame = false;
      WaterfallIdle.schedule();
    },
    stop: function() {
      if (WaterfallIdle.timer !== null) clearTimeout(WaterfallIdle.timer);
      WaterfallIdle.timer = null;
      WaterfallIdle.afterFrame = false;
    },
  },

  glutIdleFunc__deps: ['$WaterfallIdle'],
  glutIdleFunc: function(func) {
    WaterfallIdle.func = func;
    if (!func) {
      WaterfallIdle.stop();
      return;
    }
    if (!WaterfallIdle.afterFrame) WaterfallIdle.resume();
  },

  glutTimerFunc__deps: ['$callUserCallback'],
  glutTimerFunc: function(msec, func, value) {
    setTimeout(function() {
      callUserCallback(function() {
        {{{ makeDynCall('vi', 'func') }}}(value);
      });
    }, msec);
  },

  // At most one frame pending, drawn at the browser's next frame; none once
  // the WebGL context is lost (the browser gives it back only to a page that
  // asks, and then empty: textures, lists and buffers gone) or the program
  // is ending.
  $WaterfallFrame__deps: ['$WaterfallIdle', '$WaterfallPage', '$callUserCallback'],
  $WaterfallFrame: {
    display: 0,      // the program's display callback
    pending: false,
    lost: false,
    ended: false,
    request: function() {
      if (!WaterfallFrame.display || WaterfallFrame.pending || WaterfallFrame.ended ||
          runtimeExited || ABORT) return;
      WaterfallFrame.pending = true;
      requestAnimationFrame(function() {
        WaterfallFrame.pending = false;
        if (WaterfallFrame.ended) return;
        if (!WaterfallFrame.lost) {
          callUserCallback(function() {
            {{{ makeDynCall('v', 'WaterfallFrame.display') }}}();
          });
        }
        if (WaterfallIdle.afterFrame) {
          WaterfallIdle.afterFrame = false;
          WaterfallIdle.resume();
        }
      });
    },
    onContextLost: function() {
      if (WaterfallFrame.lost || WaterfallFrame.ended) return;
      WaterfallFrame.lost = true;
      WaterfallPage.graphicsLost();
    },
    end: function() {
      WaterfallFrame.ended = true;
    },
  },

  glutDisplayFunc__deps: ['$WaterfallFrame'],
  glutDisplayFunc: function(func) {
    WaterfallFrame.display = func;
  },

  glutPostRedisplay__deps: ['$WaterfallFrame'],
  glutPostRedisplay: function() {
    WaterfallFrame.request();
  },

  glutMainLoop__deps: ['glutReshapeWindow', 'glutPostRedisplay',
    'emscripten_exit_with_live_runtime'],
  glutMainLoop: function() {
    _glutReshapeWindow(Module['canvas'].width, Module['canvas'].height);
    _glutPostRedisplay();
    // The program lives on in its callbacks until exit().
    _emscripten_exit_with_live_runtime();
  },

  // exit() ends the program even while the main loop keeps it alive.
  exit__deps: ['$WaterfallIdle', '$WaterfallMenu', 'emscripten_force_exit'],
  exit: function(status) {
    WaterfallIdle.stop();
    WaterfallMenu.end();
    _emscripten_force_exit(status);
  },
};

mergeInto(LibraryManager.library, LibraryWaterfallGlutGaps);

// The page around the program: hands Emscripten the canvas and the hooks for
// standard output, lost graphics and the program's end, turns the key
// buttons into key presses, then loads the program (waterfall.js), or says
// why not where the browser has no WebGL.
(function () {
  'use strict';

  const canvas = document.getElementById('canvas');
  const pane = document.getElementById('console');
  const statusLine = document.getElementById('status');
  const ended = document.getElementById('ended');
  const keyButtons = document.querySelectorAll('#keys button');
  let graphicsLost = false;

  // How this browser lacks WebGL 1 (all the program draws with), or null if
  // it has it: asked of a canvas of its own, so that the program's canvas
  // gets the attributes the program asks for. The probe's context is given
  // back at once.
  function webglMissing() {
    if (typeof WebGLRenderingContext === 'undefined') return 'does not have it';
    const probe = document.createElement('canvas');
    const gl = probe.getContext('webgl') || probe.getContext('experimental-webgl');
    if (!gl) return 'has it turned off';
    gl.getExtension('WEBGL_lose_context')?.loseContext();
    return null;
  }

  function showEnd(text) {
    document.getElementById('ended-text').textContent = text;
    ended.hidden = false;
    statusLine.hidden = true;
  }

  // Emscripten's GLUT reads keyCode on window's keydown/keyup: a letter's
  // code is its capital's, and it adds 32 unless Shift is held.
  function sendKey(key) {
    const keyCode = key.toUpperCase().charCodeAt(0);
    const charCode = key.charCodeAt(0);
    for (const type of ['keydown', 'keypress', 'keyup']) {
      const code = type === 'keypress' ? charCode : keyCode;
      canvas.dispatchEvent(new KeyboardEvent(type, {
        key, code: 'Key' + key.toUpperCase(), keyCode: code, which: code,
        charCode: type === 'keypress' ? charCode : 0, bubbles: true, cancelable: true,
      }));
    }
  }

  for (const button of keyButtons) {
    // A press on a button must not take the keys away from the canvas.
    button.addEventListener('mousedown', (event) => event.preventDefault());
    button.addEventListener('click', () => {
      sendKey(button.dataset.key);
      canvas.focus();
    });
  }
  document.getElementById('again').addEventListener('click', () => location.reload());

  window.Module = {
    canvas,
    // Standard output, every byte as written; the pane follows the end
    // unless the reader has scrolled up.
    waterfallOutput(text) {
      const following = pane.scrollTop + pane.clientHeight >= pane.scrollHeight - 4;
      pane.append(text);
      if (following) pane.scrollTop = pane.scrollHeight;
    },
    waterfallExit(status) {
      showEnd((graphicsLost ? 'The graphics were lost. ' : '') +
        'The program ended with status ' + status + '.');
      for (const button of keyButtons) button.disabled = true;
      document.getElementById('again').focus();
    },
    // The keys still act and the program still prints, but nothing more is
    // drawn until the page is loaded again.
    waterfallGraphicsLost() {
      graphicsLost = true;
      showEnd('The graphics were lost: the browser took WebGL back from the page.');
    },
    // Emscripten's loading progress; empty once the program runs.
    setStatus(text) {
      statusLine.textContent = text;
      statusLine.hidden = text === '';
    },
    onRuntimeInitialized() {
      statusLine.hidden = true;
      canvas.focus();
    },
  };

  const missing = webglMissing();
  if (missing) {
    Module.setStatus('Water Fall needs WebGL, and this browser ' + missing + '.');
    for (const button of keyButtons) button.disabled = true;
    return;
  }
  const program = document.createElement('script');
  program.src = 'waterfall.js';
  program.onerror = () => Module.setStatus('Could not load waterfall.js.');
  document.body.append(program);
  canvas.focus();
})();

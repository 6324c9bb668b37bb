// The page around the program: hands Emscripten the canvas and, through
// Emscripten's public Module hooks, takes standard output byte by byte
// (Module.stdout, the writer FS.init gives /dev/stdout), the program's end
// (Module.onExit) and an abort (Module.onAbort); hears of lost graphics from
// the program (Module.waterfallGraphicsLost); turns the key buttons into key
// presses and the full screen button into the browser's full screen of the
// scene; then loads the program (waterfall.js), or says why not where the
// browser has no WebGL.
(function () {
  'use strict';

  const canvas = document.getElementById('canvas');
  const pane = document.getElementById('console');
  const statusLine = document.getElementById('status');
  const endedLine = document.getElementById('ended');
  const keyButtons = document.querySelectorAll('#keys button');
  const stage = document.getElementById('stage');
  const fullScreen = document.getElementById('full-screen');
  let graphicsLost = false;
  let ended = false;

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
    endedLine.hidden = false;
    statusLine.hidden = true;
  }

  function keysOff() {
    for (const button of keyButtons) button.disabled = true;
    fullScreen.disabled = true;
  }

  // The program reads keydown's key; keyCode and the rest are for others.
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
  // The scene alone on the whole screen; Escape or the browser's own way out
  // brings the page back. The program hears of both through html5.h.
  fullScreen.addEventListener('click', () => {
    if (stage.requestFullscreen) stage.requestFullscreen().catch(() => {});
    else if (stage.webkitRequestFullscreen) stage.webkitRequestFullscreen();
  });
  fullScreen.hidden = !(document.fullscreenEnabled || document.webkitFullscreenEnabled);

  // Standard output's bytes, one text a write (a write's bytes arrive one by
  // one, then a microtask passes them on); a character split between two
  // writes waits for its end.
  const decoder = new TextDecoder('utf-8');
  let pending = [];
  function flushOutput() {
    if (!pending.length) return;
    const text = decoder.decode(new Uint8Array(pending), { stream: true });
    pending = [];
    Module.waterfallOutput(text);
  }

  window.Module = {
    canvas,
    stdout(byte) {
      if (byte === null) return;  // the stream's flush
      if (!pending.length) queueMicrotask(flushOutput);
      pending.push(byte);
    },
    onExit(status) {
      if (ended) return;
      ended = true;
      flushOutput();
      Module.waterfallExit(status);
    },
    // The runtime gave up: waterfall.wasm missing or damaged, or the program
    // broke. One line says so; nothing more can be pressed.
    onAbort() {
      if (ended) return;
      ended = true;
      flushOutput();
      showEnd('Water Fall could not run: its program did not load or stopped with an error.');
      keysOff();
    },
    // Standard output, every byte as written; the pane follows the end
    // unless the reader has scrolled up.
    waterfallOutput(text) {
      const following = pane.scrollTop + pane.clientHeight >= pane.scrollHeight - 4;
      pane.append(text);
      if (following) pane.scrollTop = pane.scrollHeight;
    },
    waterfallExit(status) {
      if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
      showEnd((graphicsLost ? 'The graphics were lost. ' : '') +
        'The program ended with status ' + status + '.');
      keysOff();
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
    keysOff();
    return;
  }
  const program = document.createElement('script');
  program.src = 'waterfall.js';
  program.onerror = () => Module.setStatus('Could not load waterfall.js.');
  document.body.append(program);
  canvas.focus();
})();

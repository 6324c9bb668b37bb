// What the page hears from the program, and the sound.
//
// Module.waterfallOutput(text): standard output as written, every byte kept
//   (no line buffering: a text without a line end arrives as it is).
//   Without it, the text goes to console.log.
// Module.waterfallExit(status): once, when the program ends; no frame is
//   drawn after it.
// Module.waterfallGraphicsLost(): once, when the browser takes the WebGL
//   context away; the program runs on (keys, output, exit) but draws nothing.
// The sound: medium.wav from the data package loops in an <audio> element,
// started by the first key press or click (browsers refuse sound before a
// gesture); the listeners that wait for one go when the program ends. A
// missing or unplayable file is silence.

var LibraryWaterfallPageHooks = {
  $WaterfallPage__postset: 'WaterfallPage.install();',
  $WaterfallPage: {
    // The user gestures that let a page start sound.
    GESTURES: ['keydown', 'mousedown', 'pointerup', 'touchend', 'click'],
    pending: [],     // output bytes not yet passed on
    flushQueued: false,
    decoder: null,
    exited: false,
    audio: null,
    audioUrl: null,  // the sound file's bytes as a blob: URL
    tryPlay: null,   // listens for a gesture until the sound plays

    install: function() {
      if (!Module['stdout']) Module['stdout'] = WaterfallPage.outputByte;
      var pageOnExit = Module['onExit'];
      Module['onExit'] = function(status) {
        WaterfallPage.ended(status);
        if (pageOnExit) pageOnExit(status);
      };
    },

    outputByte: function(byte) {
      if (byte === null) return;  // the stream's flush call
      WaterfallPage.pending.push(byte);
      if (!WaterfallPage.flushQueued) {
        // One text per write: the bytes of a write arrive one by one.
        WaterfallPage.flushQueued = true;
        Promise.resolve().then(WaterfallPage.flushOutput);
      }
    },

    flushOutput: function() {
      WaterfallPage.flushQueued = false;
      if (!WaterfallPage.pending.length) return;
      if (!WaterfallPage.decoder) WaterfallPage.decoder = new TextDecoder('utf-8');
      var text = WaterfallPage.decoder.decode(new Uint8Array(WaterfallPage.pending), {stream: true});
      WaterfallPage.pending = [];
      if (Module['waterfallOutput']) {
        Module['waterfallOutput'](text);
      } else {
        console.log(text);
      }
    },

    ended: function(status) {
      if (WaterfallPage.exited) return;
      WaterfallPage.exited = true;
      WaterfallPage.flushOutput();
      WaterfallPage.stopSound();
      if (Module['waterfallExit']) Module['waterfallExit'](status);
    },

    graphicsLost: function() {
      WaterfallPage.flushOutput();
      if (Module['waterfallGraphicsLost']) Module['waterfallGraphicsLost']();
      else console.log('The WebGL context was lost: nothing more is drawn.');
    },

    startSound: function(path) {
      var bytes;
      try {
        bytes = FS.readFile(path);
      } catch (e) {
        return;  // no file: silence
      }
      if (typeof Audio == 'undefined') return;
      WaterfallPage.audioUrl = URL.createObjectURL(new Blob([bytes], {type: 'audio/wav'}));
      var audio = new Audio();
      audio.preload = 'none';  // nothing is read before the first gesture
      audio.loop = true;
      audio.src = WaterfallPage.audioUrl;
      WaterfallPage.audio = audio;
      WaterfallPage.tryPlay = function() {
        if (WaterfallPage.exited || !WaterfallPage.audio) return;
        audio.play().then(function() {
          WaterfallPage.stopListening();
          if (WaterfallPage.exited) audio.pause();
        }, function() {
          // Refused (no gesture yet) or unplayable: the next gesture tries again.
        });
      };
      WaterfallPage.GESTURES.forEach(function(type) {
        window.addEventListener(type, WaterfallPage.tryPlay, true);
      });
    },

    stopListening: function() {
      if (!WaterfallPage.tryPlay) return;
      WaterfallPage.GESTURES.forEach(function(type) {
        window.removeEventListener(type, WaterfallPage.tryPlay, true);
      });
      WaterfallPage.tryPlay = null;
    },

    // Paused only: the element may still be reading the file, and taking
    // the file away under it is an error on the console. The page's end
    // frees both.
    stopSound: function() {
      WaterfallPage.stopListening();
      if (!WaterfallPage.audio) return;
      WaterfallPage.audio.pause();
      WaterfallPage.audio = null;
    },
  },

  waterfall_web_start_sound__deps: ['$WaterfallPage', '$FS'],
  waterfall_web_start_sound__sig: 'vi',
  waterfall_web_start_sound: function(path) {
    WaterfallPage.startSound(UTF8ToString(path));
  },
};

mergeInto(LibraryManager.library, LibraryWaterfallPageHooks);

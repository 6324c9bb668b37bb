// What the program says to the page beyond standard output and its end
// (page.js takes those from Module.stdout and Module.onExit): the lost WebGL
// context, the sound, and the hooks the page's tests call:
//   Module.waterfallInstancedDrops(on): the drops as instances (true, the
//     default) or one by one; redraws, and resolves after that frame with the
//     number of drops it drew as instances.
//   Module.waterfallPour(steps): stops the pour, takes `steps` steps of it
//     (0: none), redraws, and resolves after that frame with the number of
//     drops then falling. The page's tests freeze the pour at a known step.
// The sound: the file's bytes, read here, loop in an <audio> element from the
// first key press, click or tap on (browsers refuse sound before a gesture);
// a missing file is silence.
#include <GL/glut.h>
#include <emscripten/emscripten.h>

#include <cstdio>
#include <vector>

#include "app/animation_tick.h"
#include "app/globals.h"
#include "particles/waterfall_system.h"
#include "web/gl/gl_layer.h"
#include "web/glut/glut_internal.h"

namespace glut {

namespace {

EM_JS(void, install_hooks, (), {
    var afterFrame = function(value) {
        return new Promise(function(resolve) {
            requestAnimationFrame(function() { resolve(value()); });
        });
    };
    Module['waterfallInstancedDrops'] = function(on) {
        Module['_waterfall_page_instanced_drops'](on ? 1 : 0);
        return afterFrame(function() { return Module['_waterfall_page_instanced_drop_count'](); });
    };
    Module['waterfallPour'] = function(steps) {
        Module['_waterfall_page_pour'](steps);
        return afterFrame(function() { return Module['_waterfall_page_falling_drops'](); });
    };
});

EM_JS(void, graphics_lost, (), {
    if (Module['waterfallGraphicsLost']) Module['waterfallGraphicsLost']();
    else console.log('The WebGL context was lost: nothing more is drawn.');
});

// The gestures that let a page start sound.
EM_JS(void, start_sound, (const unsigned char* bytes, int length), {
    if (typeof Audio == 'undefined') return;
    var sound = Module['waterfallSound'] = {
        gestures: ['keydown', 'mousedown', 'pointerup', 'touchend', 'click'],
        audio: new Audio(),
        ended: false,
    };
    var url = URL.createObjectURL(new Blob([HEAPU8.slice(bytes, bytes + length)], {type: 'audio/wav'}));
    sound.audio.preload = 'none';  // nothing is read before the first gesture
    sound.audio.loop = true;
    sound.audio.src = url;
    sound.stopListening = function() {
        sound.gestures.forEach(function(type) { window.removeEventListener(type, sound.tryPlay, true); });
    };
    sound.tryPlay = function() {
        if (sound.ended) return;
        sound.audio.play().then(function() {
            sound.stopListening();
            if (sound.ended) sound.audio.pause();
        }, function() {
            // Refused (no gesture yet) or unplayable: the next gesture tries again.
        });
    };
    sound.gestures.forEach(function(type) { window.addEventListener(type, sound.tryPlay, true); });
});

// Paused only: the element may still be reading the file.
EM_JS(void, stop_sound, (), {
    var sound = Module['waterfallSound'];
    if (!sound) return;
    sound.ended = true;
    sound.stopListening();
    sound.audio.pause();
});

}  // namespace

void installPage() { install_hooks(); }

void endPage() { stop_sound(); }

void tellGraphicsLost() { graphics_lost(); }

}  // namespace glut

extern "C" {

EMSCRIPTEN_KEEPALIVE void waterfall_page_instanced_drops(int on) {
    gl_layer::takeInstancedDropCount();
    gl_layer::setInstancedDrops(on != 0);
    glutPostRedisplay();
}

EMSCRIPTEN_KEEPALIVE long waterfall_page_instanced_drop_count() {
    return gl_layer::takeInstancedDropCount();
}

EMSCRIPTEN_KEEPALIVE void waterfall_page_pour(int steps) {
    if (glut::ended) return;
    if (steps > 0) {
        animating = 0;
        glutIdleFunc(nullptr);
    }
    for (int i = 0; i < steps; ++i) advancePour();
    glutPostRedisplay();
}

EMSCRIPTEN_KEEPALIVE int waterfall_page_falling_drops() {
    return waterfall ? static_cast<int>(waterfall->live().size()) : 0;
}

void waterfall_web_start_sound(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return;  // no file: silence
    std::vector<unsigned char> bytes;
    unsigned char block[4096];
    for (size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;) {
        bytes.insert(bytes.end(), block, block + got);
    }
    std::fclose(file);
    glut::start_sound(bytes.data(), static_cast<int>(bytes.size()));
}

}  // extern "C"

// The background sound in the browser: the sound file from the data
// package, looping in the page's audio element from the first key press or
// click on (browsers refuse sound before a gesture). A missing file is silence.
#include "app/sound.h"

// Answered by the page's GLUT (web/glut/glut_page.cpp).
extern "C" void waterfall_web_start_sound(const char* path);

void startLoopingSound() {
    waterfall_web_start_sound(SOUND_FILE);
}

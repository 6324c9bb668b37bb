// The background sound: "medium.wav" from the working directory, looping.
// Each platform plays it its own way (app/platform/sound_*.cpp).
#pragma once

constexpr const char* SOUND_FILE = "medium.wav";  // read from the working directory

// Starts the sound playing asynchronously until the process ends. Every
// failure (no file, a broken file, no audio device) is ignored: the program
// then runs silent.
void startLoopingSound();

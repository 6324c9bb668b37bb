// The background sound: "medium.wav" from the working directory, looping.
#pragma once

// Starts the sound playing asynchronously until the process ends. Every
// failure (no file, a broken file, no audio device) is ignored: the program
// then runs silent.
void startLoopingSound();

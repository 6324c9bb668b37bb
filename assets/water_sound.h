// The program's own sound: the rush of falling water, made to loop.
#pragma once

#include <cstdint>
#include <vector>

namespace assets {

constexpr int SOUND_RATE = 44100;         // frames per second
constexpr int SOUND_CHANNELS = 2;
constexpr int SOUND_FRAMES = 4 * SOUND_RATE;  // four seconds

// Interleaved 16-bit samples, SOUND_FRAMES frames of SOUND_CHANNELS. The
// sound is periodic: played again from the start after its end, it runs on
// as if it had never stopped.
std::vector<int16_t> makeWaterSound();

// The file bytes of a 16-bit PCM WAV.
std::vector<uint8_t> encodeWav(const std::vector<int16_t>& samples, int rate, int channels);

}  // namespace assets

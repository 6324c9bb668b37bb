// The background sound through SDL2's audio: a callback that wraps round at
// the end of the samples.
#include "app/sound.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace {

// The decoded samples. Written once before the device starts; afterwards
// only SDL's audio thread touches `position`, inside the callback.
struct LoopingSamples {
    Uint8* data = nullptr;
    Uint32 length = 0;    // bytes, a whole number of sample frames
    Uint32 position = 0;  // bytes into data of the next sample to play
};

LoopingSamples samples;
SDL_AudioDeviceID device = 0;

void fillFromLoop(void* userData, Uint8* stream, int streamBytes) {
    auto* loop = static_cast<LoopingSamples*>(userData);
    Uint32 remaining = static_cast<Uint32>(streamBytes);
    while (remaining > 0) {
        const Uint32 untilEnd = loop->length - loop->position;
        const Uint32 chunk = remaining < untilEnd ? remaining : untilEnd;
        std::memcpy(stream, loop->data + loop->position, chunk);
        stream += chunk;
        remaining -= chunk;
        loop->position = (loop->position + chunk) % loop->length;
    }
}

// Closes the device before the process goes, so the audio thread never runs
// while the runtime is being torn down.
void stopSound() {
    SDL_CloseAudioDevice(device);
    SDL_Quit();
}

}  // namespace

void startLoopingSound() {
    // Ctrl+C and SIGTERM must still end the program the default way.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_AUDIO) != 0) {
        return;
    }
    SDL_AudioSpec wanted;
    if (!SDL_LoadWAV(SOUND_FILE, &wanted, &samples.data, &samples.length)) {
        SDL_Quit();
        return;
    }
    const Uint32 frameBytes = wanted.channels * (SDL_AUDIO_BITSIZE(wanted.format) / 8u);
    if (frameBytes == 0 || samples.length < frameBytes) {
        SDL_FreeWAV(samples.data);
        samples = LoopingSamples();
        SDL_Quit();
        return;
    }
    samples.length -= samples.length % frameBytes;
    wanted.callback = fillFromLoop;
    wanted.userdata = &samples;
    // No changes allowed: SDL converts to the device's format if it must, and
    // the callback always deals in the file's own samples.
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device == 0) {
        SDL_FreeWAV(samples.data);
        samples = LoopingSamples();
        SDL_Quit();
        return;
    }
    std::atexit(stopSound);
    SDL_PauseAudioDevice(device, 0);
}

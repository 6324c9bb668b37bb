// Writes the program's data files into the folder given on the command line:
// sky.bmp, ground.bmp, close.bmp and medium.wav. Deterministic: every run
// writes the same bytes.
#include <cstdio>
#include <string>

#include "assets/scenery_pictures.h"
#include "assets/water_sound.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    using namespace assets;
    const bool written = writeBytes(dir + "/sky.bmp", encodeBmp(makeSky())) &&
                         writeBytes(dir + "/ground.bmp", encodeBmp(makeGround())) &&
                         writeBytes(dir + "/close.bmp", encodeBmp(makeStone())) &&
                         writeBytes(dir + "/medium.wav",
                                    encodeWav(makeWaterSound(), SOUND_RATE, SOUND_CHANNELS));
    if (!written) {
        std::fprintf(stderr, "cannot write the data files into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}

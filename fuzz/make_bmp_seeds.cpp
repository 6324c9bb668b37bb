// Writes the BMP fuzzer's seed corpus into a folder: small valid pictures of
// every layout the reader accepts, and one file for each way it refuses one.
// Usage: make_bmp_seeds FOLDER
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/bmp_files.h"

namespace {

struct Seed {
    std::string name;
    std::string bytes;
};

// An 8 x 8 picture with one thing changed.
std::string eightByEight(void (*change)(BmpLayout&)) {
    BmpLayout layout = sizedLayout(8, 8);
    change(layout);
    return makeBmp(layout);
}

void addValid(std::vector<Seed>& seeds) {
    for (uint32_t width : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 12u, 16u}) {
        const std::string size = std::to_string(width);
        seeds.push_back({"valid-" + size + "x3", makeBmp(sizedLayout(width, 3))});
        seeds.push_back({"valid-" + size + "x3-top-down", makeBmp(sizedLayout(width, -3))});
    }
    for (uint32_t headerBytes : {108u, 124u}) {
        BmpLayout layout = sizedLayout(5, 4);
        layout.infoHeaderBytes = headerBytes;
        seeds.push_back({"valid-header-" + std::to_string(headerBytes), makeBmp(layout)});
    }
    BmpLayout gap = sizedLayout(6, 2);
    gap.gapBeforePixels = 12;
    seeds.push_back({"valid-gap-before-pixels", makeBmp(gap)});
    BmpLayout unpadded = sizedLayout(5, 3);
    unpadded.padLastRow = false;
    seeds.push_back({"valid-last-row-unpadded", makeBmp(unpadded)});
    BmpLayout signature = sizedLayout(4, 4);
    signature.signature = "XY";
    seeds.push_back({"valid-other-signature", makeBmp(signature)});
    seeds.push_back({"valid-trailing-bytes", makeBmp(sizedLayout(4, 2)) + std::string(40, '\x7F')});
    seeds.push_back({"valid-16x16", makeBmp(sizedLayout(16, 16))});
}

void addRefused(std::vector<Seed>& seeds) {
    seeds.push_back({"refused-32-bit", eightByEight([](BmpLayout& s) { s.bitsPerPixel = 32; })});
    seeds.push_back({"refused-two-planes", eightByEight([](BmpLayout& s) { s.planes = 2; })});
    seeds.push_back({"refused-rle", eightByEight([](BmpLayout& s) { s.compression = 1; })});
    seeds.push_back({"refused-bit-fields", eightByEight([](BmpLayout& s) { s.compression = 3; })});
    seeds.push_back({"refused-core-header", eightByEight([](BmpLayout& s) { s.infoHeaderBytes = 12; })});
    seeds.push_back({"refused-offset-inside-headers", eightByEight([](BmpLayout& s) {
                         s.infoHeaderBytes = 108;
                         s.pixelDataOffset = 54;
                     })});
    seeds.push_back({"refused-offset-zero", eightByEight([](BmpLayout& s) { s.pixelDataOffset = 0; })});
    seeds.push_back({"refused-offset-past-end",
                     eightByEight([](BmpLayout& s) { s.pixelDataOffset = 100000; })});
    seeds.push_back({"refused-empty", ""});
    const std::string valid = makeBmp(sizedLayout(8, 8));
    for (size_t length : {18u, 26u, 27u, 28u, 29u, 31u, 53u, 54u}) {
        seeds.push_back({"refused-ends-at-" + std::to_string(length), valid.substr(0, length)});
    }
    seeds.push_back({"refused-short-pixel-block", valid.substr(0, valid.size() - 1)});
    seeds.push_back({"refused-width-0", makeBmp(sizedLayout(0, 8))});
    seeds.push_back({"refused-height-0", makeBmp(sizedLayout(8, 0))});
    // Declared pictures far larger than their files, up to the largest the
    // default side limit admits: refused before any allocation.
    seeds.push_back({"refused-16384x16384-header-only", headersOnly(sizedLayout(16384, 16384))});
    seeds.push_back({"refused-16384x16384-top-down-header-only",
                     headersOnly(sizedLayout(16384, -16384))});
    seeds.push_back({"refused-40000x40000-header-only", headersOnly(sizedLayout(40000, 40000))});
    seeds.push_back({"refused-width-over-limit", headersOnly(sizedLayout(16385, 1))});
    seeds.push_back({"refused-width-2-31", headersOnly(sizedLayout(0x80000000u, 1))});
    seeds.push_back({"refused-height-int32-min", headersOnly(sizedLayout(4, INT32_MIN))});
    seeds.push_back({"refused-size-wraps-32-bits", headersOnly(sizedLayout(0x55555556u, 3))});
    // 3 * width * height is 2^64 + 11936: sizes worked out in 64 bits wrap
    // round, and the bytes that follow are more than the wrapped size.
    seeds.push_back({"refused-size-wraps-64-bits",
                     headersOnly(sizedLayout(2863449696u, 2147380029)) + std::string(12000, '\x42')});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    std::vector<Seed> seeds;
    addValid(seeds);
    addRefused(seeds);
    for (const Seed& seed : seeds) {
        writeTestFile(std::string(argv[1]) + "/" + seed.name + ".bmp", seed.bytes);
    }
    std::printf("%zu seeds in %s\n", seeds.size(), argv[1]);
    return 0;
}

// libFuzzer target: arbitrary bytes through the program's own BMP reader, from
// memory, once with the default side limit and once with none at all.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "image/bmp_reader.h"

namespace {

constexpr uint32_t NO_SIDE_LIMIT = UINT32_MAX;  // pixels
constexpr uint64_t BYTES_PER_PIXEL = 3;

// A picture that was accepted: its pixels are all there and every one of
// them can be read (ASan stops on a block shorter than the picture); and no
// file can make the reader keep more pixels than it holds bytes.
void checkAccepted(const Image& image, size_t fileBytes) {
    const uint64_t pixelBytes = uint64_t{image.width} * image.height * BYTES_PER_PIXEL;
    if (image.pixels == nullptr || pixelBytes == 0 || pixelBytes > fileBytes) std::abort();
    unsigned sum = 0;
    for (uint64_t i = 0; i < pixelBytes; ++i) sum += image.pixels[i];
    volatile unsigned keep = sum;
    (void)keep;
}

void readOnce(const std::vector<unsigned char>& bytes, uint32_t maxSide) {
    std::vector<unsigned char> copy = bytes;
    // fmemopen refuses a zero-sized buffer: an empty file is an empty w+ stream.
    FILE* stream = copy.empty() ? fmemopen(nullptr, 1, "w+b")
                                : fmemopen(copy.data(), copy.size(), "rb");
    if (!stream) std::abort();
    Image image{0, 0, nullptr};
    if (readBmpStream(stream, "fuzz.bmp", &image, maxSide) == 1) {
        checkAccepted(image, bytes.size());
    } else if (image.pixels != nullptr) {
        std::abort();  // a refusal keeps nothing
    }
    releaseImagePixels(&image);
    std::fclose(stream);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The reader explains every refusal on standard output; millions of
    // those lines would only slow the run down.
    if (!std::freopen("/dev/null", "w", stdout)) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<unsigned char> bytes(data, data + size);
    readOnce(bytes, BMP_DEFAULT_MAX_SIDE);
    readOnce(bytes, NO_SIDE_LIMIT);
    return 0;
}

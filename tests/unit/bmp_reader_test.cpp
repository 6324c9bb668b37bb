// The BMP reader on files of every shape: what loads, upright and in RGB
// order, and what is refused with which line.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "image/bmp_reader.h"
#include "tests/support/bmp_files.h"
#include "tests/support/scratch_dir.h"

namespace {

struct ReadResult {
    int status = -1;
    std::string output;
    Image image{0, 0, nullptr};
};

// Reads bytes through the same stream code the program uses on its files.
ReadResult readBytes(const std::string& bytes, uint32_t maxSide = BMP_DEFAULT_MAX_SIDE) {
    ReadResult result;
    FILE* stream = openBytes(bytes);
    EXPECT_NE(stream, nullptr);
    testing::internal::CaptureStdout();
    result.status = readBmpStream(stream, "t.bmp", &result.image, maxSide);
    std::fflush(stdout);
    result.output = testing::internal::GetCapturedStdout();
    std::fclose(stream);
    return result;
}

// Every pixel where the pattern put it: bottom row first, red first.
void expectPattern(const Image& image, uint32_t width, uint32_t height, const std::string& label) {
    ASSERT_EQ(image.width, width) << label;
    ASSERT_EQ(image.height, height) << label;
    ASSERT_NE(image.pixels, nullptr) << label;
    int wrong = 0;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned char* p = image.pixels + (static_cast<size_t>(y) * width + x) * 3;
            const PatternColour c = patternColour(x, y);
            wrong += p[0] != c.r || p[1] != c.g || p[2] != c.b;
        }
    }
    EXPECT_EQ(wrong, 0) << label << ": pixels out of place";
}

struct LoadCase {
    const char* label;
    BmpLayout layout;
    uint32_t width, height;
};

TEST(BmpReader, LoadsPicturesUprightWithTheirColoursInOrder) {
    BmpLayout v4 = sizedLayout(16, 8);
    v4.infoHeaderBytes = 108;
    BmpLayout v5 = sizedLayout(16, 8);
    v5.infoHeaderBytes = 124;
    BmpLayout gap = sizedLayout(16, 8);
    gap.gapBeforePixels = 12;  // a colour table or anything else before the pixels
    BmpLayout otherSignature = sizedLayout(8, 8);
    otherSignature.signature = "XY";
    BmpLayout lastRowUnpadded = sizedLayout(5, 3);
    lastRowUnpadded.padLastRow = false;
    const LoadCase cases[] = {
        {"64x64 bottom-up", sizedLayout(64, 64), 64, 64},
        {"rows padded (width 5)", sizedLayout(5, 4), 5, 4},
        {"rows padded (width 1)", sizedLayout(1, 3), 1, 3},
        {"rows padded (width 6)", sizedLayout(6, 2), 6, 2},
        {"rows padded (width 7)", sizedLayout(7, 7), 7, 7},
        {"108-byte info header", v4, 16, 8},
        {"124-byte info header", v5, 16, 8},
        {"gap before the pixels", gap, 16, 8},
        {"top-down", sizedLayout(12, -9), 12, 9},
        {"top-down, padded", sizedLayout(5, -4), 5, 4},
        {"signature not looked at", otherSignature, 8, 8},
        {"last row without padding", lastRowUnpadded, 5, 3},
    };
    for (const LoadCase& c : cases) {
        ReadResult result = readBytes(makeBmp(c.layout));
        EXPECT_EQ(result.status, 1) << c.label << ": " << result.output;
        EXPECT_EQ(result.output, "") << c.label;
        expectPattern(result.image, c.width, c.height, c.label);
        releaseImagePixels(&result.image);
    }
}

TEST(BmpReader, BytesAfterThePixelBlockAreIgnored) {
    ReadResult result = readBytes(makeBmp(sizedLayout(8, 8)) + std::string(100, '\x7F'));
    EXPECT_EQ(result.status, 1);
    expectPattern(result.image, 8, 8, "trailing bytes");
    releaseImagePixels(&result.image);
}

struct RefusalCase {
    std::string label;
    std::string bytes;
    std::string message;
    uint32_t maxSide = BMP_DEFAULT_MAX_SIDE;
};

std::string withLayout(const BmpLayout& layout) { return makeBmp(layout); }

TEST(BmpReader, RefusesWhatItCannotReadWithOneLineNamingTheValue) {
    const std::string valid = makeBmp(sizedLayout(8, 8));
    BmpLayout bits32 = sizedLayout(8, 8);
    bits32.bitsPerPixel = 32;
    BmpLayout planes2 = sizedLayout(8, 8);
    planes2.planes = 2;
    BmpLayout rle = sizedLayout(8, 8);
    rle.compression = 1;
    BmpLayout bitfields = sizedLayout(8, 8);
    bitfields.compression = 3;
    BmpLayout core = sizedLayout(8, 8);
    core.infoHeaderBytes = 12;
    BmpLayout offsetInsideHeader = sizedLayout(8, 8);
    offsetInsideHeader.infoHeaderBytes = 108;
    offsetInsideHeader.pixelDataOffset = 54;
    BmpLayout offsetZero = sizedLayout(8, 8);
    offsetZero.pixelDataOffset = 0;
    BmpLayout offsetPastEnd = sizedLayout(8, 8);
    offsetPastEnd.pixelDataOffset = 100000;
    // Header-only files: the declared pictures are far larger than the files.
    BmpLayout hugeWidth = sizedLayout(0x80000000u, 1);
    BmpLayout wrapsIn32Bits = sizedLayout(0x55555556u, 3);  // width * height * 3 = 2 in 32 bits
    BmpLayout overTexture = sizedLayout(16385, 1);
    BmpLayout overTextureTall = sizedLayout(4, -20000);
    BmpLayout minHeight = sizedLayout(4, INT32_MIN);
    std::vector<RefusalCase> cases = {
        {"32-bit", withLayout(bits32), "Bpp from t.bmp is not 24: 32\n"},
        {"two planes", withLayout(planes2), "Planes from t.bmp is not 1: 2\n"},
        {"width 0", withLayout(sizedLayout(0, 8)), "Error reading image data from t.bmp.\n"},
        {"height 0", withLayout(sizedLayout(8, 0)), "Error reading image data from t.bmp.\n"},
        {"short pixel block", valid.substr(0, valid.size() - 1),
         "Error reading image data from t.bmp.\n"},
        {"RLE compression", withLayout(rle), "Compression from t.bmp is not supported: 1\n"},
        {"bit fields", withLayout(bitfields), "Compression from t.bmp is not supported: 3\n"},
        {"12-byte core header", withLayout(core), "Header size from t.bmp is not supported: 12\n"},
        {"offset inside the headers", withLayout(offsetInsideHeader),
         "Pixel data offset from t.bmp is out of range: 54\n"},
        {"offset 0", withLayout(offsetZero), "Pixel data offset from t.bmp is out of range: 0\n"},
        {"offset past the end", withLayout(offsetPastEnd),
         "Pixel data offset from t.bmp is out of range: 100000\n"},
        {"width over the limit", headersOnly(hugeWidth),
         "Width from t.bmp is larger than 16384: 2147483648\n"},
        {"width over GL's limit", headersOnly(overTexture),
         "Width from t.bmp is larger than 16384: 16385\n"},
        {"top-down height over GL's limit", headersOnly(overTextureTall),
         "Height from t.bmp is larger than 16384: 20000\n"},
        {"height INT32_MIN", headersOnly(minHeight),
         "Height from t.bmp is larger than 16384: 2147483648\n"},
        {"smaller GL limit", withLayout(sizedLayout(64, 64)), "Width from t.bmp is larger than 32: 64\n", 32},
        // With no side limit, 64-bit sizes still see that the file is too short.
        {"size wraps in 32 bits", headersOnly(wrapsIn32Bits), "Error reading image data from t.bmp.\n",
         UINT32_MAX},
        {"40000 x 40000 in a header", headersOnly(sizedLayout(40000, 40000)),
         "Error reading image data from t.bmp.\n", UINT32_MAX},
        // 3 * width * height is 2^64 + 11936, and more bytes than that follow:
        // sizes that wrapped round in 64 bits would let them overrun the block.
        {"size wraps in 64 bits",
         headersOnly(sizedLayout(2863449696u, 2147380029)) + std::string(100000, '\x42'),
         "Error reading image data from t.bmp.\n", UINT32_MAX},
    };
    // Headers cut off after every length: bytes past the end count as -1 in
    // the planes and bits fields; a file that passes them is short of its
    // pixels, whatever the later fields hold.
    for (size_t length = 0; length <= 54; ++length) {
        const char* message = length <= 26   ? "Planes from t.bmp is not 1: 65279\n"
                              : length == 27 ? "Planes from t.bmp is not 1: 65281\n"
                              : length == 28 ? "Bpp from t.bmp is not 24: 65279\n"
                              : length == 29 ? "Bpp from t.bmp is not 24: 65304\n"
                                             : "Error reading image data from t.bmp.\n";
        cases.push_back({"ends at " + std::to_string(length), valid.substr(0, length), message});
    }
    for (const RefusalCase& c : cases) {
        const ReadResult result = readBytes(c.bytes, c.maxSide);
        EXPECT_EQ(result.status, 0) << c.label;
        EXPECT_EQ(result.output, c.message) << c.label;
        EXPECT_EQ(result.image.pixels, nullptr) << c.label << ": pixels kept after a refusal";
    }
}

TEST(BmpReader, LittleEndianFieldsCountMissingBytesAsMinusOne) {
    struct Case {
        std::string bytes;
        uint32_t value32;
        uint16_t value16;
    };
    const Case cases[] = {
        {std::string("\x01\x02\x03\x04", 4), 0x04030201u, 0x0201},
        {std::string("\xFF\xFF\xFF\xFF", 4), 0xFFFFFFFFu, 0xFFFF},
        {std::string("\x01", 1), 0xFEFEFF01u, 0xFF01},
        {std::string(), 0xFEFEFEFFu, 65279},
    };
    for (const Case& c : cases) {
        FILE* s32 = openBytes(c.bytes);
        FILE* s16 = openBytes(c.bytes);
        EXPECT_EQ(readUint32LE(s32), c.value32);
        EXPECT_EQ(readUint16LE(s16), c.value16);
        std::fclose(s32);
        std::fclose(s16);
    }
}

// The descriptor the next file opened gets: the lowest one free, on POSIX
// and in Windows' C library alike. A file left open takes one for good.
int nextDescriptor() {
    FILE* probe = openBytes("");
    const int descriptor = fileno(probe);
    std::fclose(probe);
    return descriptor;
}

TEST(BmpReader, ReadBmpClosesTheFileOnEveryPath) {
    ScratchWorkDir dir;
    BmpLayout bits32 = sizedLayout(8, 8);
    bits32.bitsPerPixel = 32;
    BmpLayout rle = sizedLayout(8, 8);
    rle.compression = 1;
    const std::string valid = makeBmp(sizedLayout(8, 8));
    const std::vector<std::string> files = {valid, valid.substr(0, 20), makeBmp(bits32),
                                            makeBmp(rle), valid.substr(0, valid.size() - 3),
                                            makeBmp(sizedLayout(8, 0))};
    testing::internal::CaptureStdout();  // holds descriptors of its own until it ends
    const int before = nextDescriptor();
    for (const std::string& bytes : files) {
        writeTestFile("p.bmp", bytes);
        Image image{0, 0, nullptr};
        readBmp("p.bmp", &image);
        releaseImagePixels(&image);
    }
    Image absent{0, 0, nullptr};
    EXPECT_EQ(readBmp("absent.bmp", &absent), 0);
    const int after = nextDescriptor();
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(after, before);
    EXPECT_NE(output.find("File Not Found : absent.bmp\n"), std::string::npos) << output;
}

}  // namespace

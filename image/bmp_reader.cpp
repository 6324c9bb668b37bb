// Reads uncompressed 24-bit BMP pictures into packed RGB rows, bottom row first.
#include "image/bmp_reader.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr uint64_t FILE_HEADER_BYTES = 14;
constexpr uint32_t MIN_INFO_HEADER_BYTES = 40;  // BITMAPINFOHEADER; later versions only grow
constexpr uint16_t REQUIRED_PLANES = 1;
constexpr uint16_t REQUIRED_BITS_PER_PIXEL = 24;
constexpr uint32_t COMPRESSION_NONE = 0;  // BI_RGB
constexpr int SKIPPED_HEADER_FIELDS = 5;  // 4-byte fields after the compression
constexpr uint64_t BYTES_PER_PIXEL = 3;
constexpr uint64_t ROW_ALIGNMENT = 4;  // bytes; every stored row is padded to it
// No file or memory holds a picture this large; refusing larger ones first
// keeps every size sum below 2^64, where it would wrap round.
constexpr uint64_t MAX_PICTURE_BYTES = UINT64_MAX / 2;

// The fixed fields up to and including the compression, in file order.
struct BmpHeader {
    uint32_t pixelDataOffset;  // bytes from the start of the file
    uint32_t infoHeaderBytes;
    uint32_t width;
    uint32_t rawHeight;  // a negative int32 means rows are stored top-down
    uint16_t planes;
    uint16_t bitsPerPixel;
    uint32_t compression;
    bool cutOff;  // the file ends inside its 54 bytes of fixed headers
};

BmpHeader readHeader(FILE* file) {
    BmpHeader header{};
    readUint16LE(file);  // signature, not checked
    readUint32LE(file);  // file size
    readUint32LE(file);  // reserved
    header.pixelDataOffset = readUint32LE(file);
    header.infoHeaderBytes = readUint32LE(file);
    header.width = readUint32LE(file);
    header.rawHeight = readUint32LE(file);
    header.planes = readUint16LE(file);
    header.bitsPerPixel = readUint16LE(file);
    header.compression = readUint32LE(file);
    // Pixel data size, resolutions and colour counts: unused, but read so that
    // a file ending among them is seen.
    for (int i = 0; i < SKIPPED_HEADER_FIELDS; ++i) readUint32LE(file);
    header.cutOff = std::feof(file) || std::ferror(file);
    return header;
}

// Bytes from the current position to the end, or -1 if the stream cannot seek.
long long remainingBytes(FILE* file) {
    const long start = std::ftell(file);
    if (start < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long end = std::ftell(file);
    if (std::fseek(file, start, SEEK_SET) != 0 || end < start) return -1;
    return end - start;
}

void swapRedAndBlue(unsigned char* pixels, uint64_t byteCount) {
    for (uint64_t i = 0; i + 2 < byteCount; i += BYTES_PER_PIXEL) {
        const unsigned char blue = pixels[i];
        pixels[i] = pixels[i + 2];
        pixels[i + 2] = blue;
    }
}

int refuseRead(const char* fileName) {
    std::printf("Error reading image data from %s.\n", fileName);
    return 0;
}

}  // namespace

uint32_t readUint32LE(FILE* file) {
    int64_t sum = 0;
    int64_t scale = 1;
    for (int i = 0; i < 4; ++i, scale *= 256) sum += static_cast<int64_t>(std::fgetc(file)) * scale;
    return static_cast<uint32_t>(sum);
}

uint16_t readUint16LE(FILE* file) {
    const int low = std::fgetc(file);
    const int high = std::fgetc(file);
    return static_cast<uint16_t>(low + high * 256);
}

int readBmp(const char* fileName, Image* image, uint32_t maxSide) {
    FILE* file = std::fopen(fileName, "rb");
    if (!file) {
        std::printf("File Not Found : %s\n", fileName);
        return 0;
    }
    const int result = readBmpStream(file, fileName, image, maxSide);
    std::fclose(file);
    return result;
}

int readBmpStream(FILE* file, const char* fileName, Image* image, uint32_t maxSide) {
    image->pixels = nullptr;
    const long start = std::ftell(file);
    const long long fileBytes = remainingBytes(file);
    const BmpHeader header = readHeader(file);

    const bool topDown = static_cast<int32_t>(header.rawHeight) < 0;
    // The magnitude of a negative int32, taken without overflowing INT32_MIN.
    const uint32_t height = topDown ? 0u - header.rawHeight : header.rawHeight;
    image->width = header.width;
    image->height = height;

    if (header.planes != REQUIRED_PLANES) {
        std::printf("Planes from %s is not 1: %u\n", fileName, header.planes);
        return 0;
    }
    if (header.bitsPerPixel != REQUIRED_BITS_PER_PIXEL) {
        std::printf("Bpp from %s is not 24: %u\n", fileName, header.bitsPerPixel);
        return 0;
    }
    // Cut off inside its headers, a file is short of its pixels: the checks
    // below are about fields it must hold in full.
    if (header.cutOff) {
        return refuseRead(fileName);
    }
    if (header.compression != COMPRESSION_NONE) {
        std::printf("Compression from %s is not supported: %u\n", fileName, header.compression);
        return 0;
    }
    if (header.infoHeaderBytes < MIN_INFO_HEADER_BYTES) {
        std::printf("Header size from %s is not supported: %u\n", fileName,
                    header.infoHeaderBytes);
        return 0;
    }
    const uint64_t headersEnd = FILE_HEADER_BYTES + header.infoHeaderBytes;
    if (header.pixelDataOffset < headersEnd ||
        (fileBytes >= 0 && header.pixelDataOffset > static_cast<uint64_t>(fileBytes))) {
        std::printf("Pixel data offset from %s is out of range: %u\n", fileName,
                    header.pixelDataOffset);
        return 0;
    }
    if (header.width > maxSide) {
        std::printf("Width from %s is larger than %u: %u\n", fileName, maxSide, header.width);
        return 0;
    }
    if (height > maxSide) {
        std::printf("Height from %s is larger than %u: %u\n", fileName, maxSide, height);
        return 0;
    }
    if (header.width == 0 || height == 0) {
        return refuseRead(fileName);  // nothing to read: the empty read fails
    }

    const uint64_t rowBytes = header.width * BYTES_PER_PIXEL;
    const uint64_t storedRowBytes = (rowBytes + ROW_ALIGNMENT - 1) / ROW_ALIGNMENT * ROW_ALIGNMENT;
    if (storedRowBytes > MAX_PICTURE_BYTES / height) {
        return refuseRead(fileName);
    }
    const uint64_t pixelBytes = rowBytes * height;
    // Some writers leave out the padding of the last row; nothing is lost without it.
    const uint64_t lastByte = header.pixelDataOffset + storedRowBytes * (height - 1) + rowBytes;
    if (fileBytes >= 0 && lastByte > static_cast<uint64_t>(fileBytes)) {
        return refuseRead(fileName);
    }
    if (pixelBytes > SIZE_MAX) {
        std::printf("Error allocating memory for color-corrected image data");
        return 0;
    }
    auto* pixels = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(pixelBytes)));
    if (!pixels) {
        std::printf("Error allocating memory for color-corrected image data");
        return 0;
    }

    if (std::fseek(file, start + static_cast<long>(header.pixelDataOffset), SEEK_SET) != 0) {
        std::free(pixels);
        return refuseRead(fileName);
    }
    for (uint32_t fileRow = 0; fileRow < height; ++fileRow) {
        const uint32_t row = topDown ? height - 1 - fileRow : fileRow;
        unsigned char* destination = pixels + row * rowBytes;
        const bool padded = storedRowBytes > rowBytes && fileRow + 1 < height;
        if (std::fread(destination, static_cast<size_t>(rowBytes), 1, file) != 1 ||
            (padded && std::fseek(file, static_cast<long>(storedRowBytes - rowBytes),
                                  SEEK_CUR) != 0)) {
            std::free(pixels);
            return refuseRead(fileName);
        }
    }
    swapRedAndBlue(pixels, pixelBytes);
    image->pixels = pixels;
    return 1;
}

void releaseImagePixels(Image* image) {
    std::free(image->pixels);
    image->pixels = nullptr;
}

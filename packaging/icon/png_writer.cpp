// PNG encoding: signature, IHDR, one IDAT holding a zlib stream of stored
// deflate blocks, IEND. Every PNG number is big-endian.
#include "packaging/icon/png_writer.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "assets/picture.h"

namespace {

constexpr std::uint32_t CRC_POLYNOMIAL = 0xEDB88320u;  // reflected 0x04C11DB7
constexpr std::uint32_t ADLER_MODULUS = 65521u;         // largest prime below 2^16
constexpr std::size_t STORED_BLOCK_MAX = 65535;         // bytes in one stored deflate block
constexpr std::uint8_t BIT_DEPTH = 8;
constexpr std::uint8_t COLOUR_TYPE_RGBA = 6;
constexpr std::uint8_t FILTER_NONE = 0;
constexpr std::uint8_t ZLIB_CMF = 0x78;  // deflate, 32 KiB window
constexpr std::uint8_t ZLIB_FLG = 0x01;  // no dictionary; makes CMF * 256 + FLG a multiple of 31
constexpr std::size_t BYTES_PER_PIXEL = 4;

void putU32BigEndian(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 24));
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void putChunk(Bytes& out, const char (&type)[5], const Bytes& data) {
    putU32BigEndian(out, static_cast<std::uint32_t>(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    putU32BigEndian(out, crc32(typed.data(), typed.size()));
}

// The zlib stream of `raw` in stored blocks; deflate's own fields are little-endian.
Bytes zlibStored(const Bytes& raw) {
    Bytes out = {ZLIB_CMF, ZLIB_FLG};
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min(STORED_BLOCK_MAX, raw.size() - offset);
        const bool last = offset + length == raw.size();
        out.push_back(last ? 1 : 0);  // BFINAL, then BTYPE 00: stored
        assets::putUint16LE(out, static_cast<std::uint32_t>(length));
        assets::putUint16LE(out, static_cast<std::uint32_t>(~length & 0xFFFFu));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
                   raw.begin() + static_cast<std::ptrdiff_t>(offset + length));
        offset += length;
    } while (offset < raw.size());
    putU32BigEndian(out, adler32(raw.data(), raw.size()));
    return out;
}

}  // namespace

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1u) ? CRC_POLYNOMIAL ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) c = table[(c ^ data[i]) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t a = 1, b = 0;
    for (std::size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % ADLER_MODULUS;
        b = (b + a) % ADLER_MODULUS;
    }
    return (b << 16) | a;
}

Bytes encodePng(int width, int height, const Bytes& rgba) {
    if (width <= 0 || height <= 0 ||
        rgba.size() != static_cast<std::size_t>(width) * height * BYTES_PER_PIXEL) {
        throw std::invalid_argument("encodePng: pixel count does not match the size");
    }
    const std::size_t rowBytes = static_cast<std::size_t>(width) * BYTES_PER_PIXEL;
    Bytes raw;
    raw.reserve((rowBytes + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.push_back(FILTER_NONE);
        const auto row = rgba.begin() + static_cast<std::ptrdiff_t>(rowBytes * y);
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }

    Bytes header;
    putU32BigEndian(header, static_cast<std::uint32_t>(width));
    putU32BigEndian(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {BIT_DEPTH, COLOUR_TYPE_RGBA, 0, 0, 0});  // deflate, adaptive, no interlace

    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", zlibStored(raw));
    putChunk(png, "IEND", {});
    return png;
}

// A minimal PNG encoder for 8-bit RGBA pictures: no compression (stored
// deflate blocks), which is plenty for a few small icons.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// CRC-32 as PNG chunks use it (ISO 3309 polynomial, reflected).
std::uint32_t crc32(const std::uint8_t* data, std::size_t size);
// Adler-32 as the zlib stream inside a PNG uses it.
std::uint32_t adler32(const std::uint8_t* data, std::size_t size);

// `rgba` holds width * height pixels, rows top-down, 4 bytes a pixel.
Bytes encodePng(int width, int height, const Bytes& rgba);

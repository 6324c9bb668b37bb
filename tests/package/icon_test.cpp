// The icon's PNG and ICO encoders, checked against published check values
// and an independent decoder (ImageMagick), and the icon's shape.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "packaging/icon/ico_writer.h"
#include "packaging/icon/icon_picture.h"
#include "packaging/icon/png_writer.h"
#include "tests/support/scratch_dir.h"

namespace {

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(PngChecksums, MatchPublishedCheckValues) {
    struct Case {
        Bytes data;
        std::uint32_t crc, adler;
    };
    const Case cases[] = {
        {{}, 0x00000000u, 0x00000001u},
        {bytesOf("123456789"), 0xCBF43926u, 0x091E01DEu},
        {bytesOf("Wikipedia"), 0xADAAC02Eu, 0x11E60398u},
        // Long enough for Adler-32's sums to wrap many times (values from zlib).
        {Bytes(100000, 0xFF), 0x68C6CEC4u, 0x149A302Cu},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(crc32(c.data.data(), c.data.size()), c.crc) << c.data.size() << " bytes";
        EXPECT_EQ(adler32(c.data.data(), c.data.size()), c.adler) << c.data.size() << " bytes";
    }
}

// Decodes picture `frame` of a PNG or ICO file with ImageMagick into raw RGBA bytes.
Bytes decodeWithImageMagick(const Bytes& file, const std::string& format = "png", size_t frame = 0) {
    const ScratchDir scratch("icon");
    const std::string path = scratch.path() + "/icon." + format;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    const std::string raw = scratch.path() + "/icon.rgba";
    const std::string command = "convert '" + format + ":" + path + "[" + std::to_string(frame) +
                                "]' -depth 8 'rgba:" + raw + "'";
    Bytes decoded;
    if (std::system(command.c_str()) == 0) {
        std::ifstream in(raw, std::ios::binary);
        decoded.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return decoded;
}

TEST(PngEncoder, AnIndependentDecoderReadsBackEveryByte) {
    // Sizes: one pixel; a row set under one stored block; and a picture whose
    // rows span several 64 KiB blocks, wider than high to catch swapped sides.
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{7, 3}, std::pair{300, 230}}) {
        Bytes rgba(static_cast<size_t>(width) * height * 4);
        for (size_t i = 0; i < rgba.size(); ++i) rgba[i] = static_cast<std::uint8_t>(i * 7 + i / 1021);
        const Bytes decoded = decodeWithImageMagick(encodePng(width, height, rgba));
        ASSERT_EQ(decoded.size(), rgba.size()) << width << "x" << height;
        EXPECT_TRUE(decoded == rgba) << width << "x" << height;
    }
}

TEST(IcoEncoder, AnIndependentDecoderReadsBackEveryPicture) {
    // Sides out of order, 256 (stored as 0) among them: each directory entry's
    // offset and length must find its own picture.
    std::vector<IconPicture> pictures;
    for (const int side : {48, 256, 16}) {
        Bytes rgba(static_cast<size_t>(side) * side * 4);
        for (size_t i = 0; i < rgba.size(); ++i) rgba[i] = static_cast<std::uint8_t>(i * 5 + side);
        pictures.push_back({side, rgba});
    }
    const Bytes ico = encodeIco(pictures);
    for (size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_TRUE(decodeWithImageMagick(ico, "ico", i) == pictures[i].rgba) << pictures[i].side;
    }
    EXPECT_THROW(encodeIco({}), std::invalid_argument);
    EXPECT_THROW(encodeIco({{257, Bytes(257 * 257 * 4)}}), std::invalid_argument);
}

TEST(PngEncoder, RefusesPixelsThatDoNotFitTheSize) {
    EXPECT_THROW(encodePng(2, 2, Bytes(15)), std::invalid_argument);
    EXPECT_THROW(encodePng(0, 4, Bytes()), std::invalid_argument);
}

TEST(IconPicture, IsAnOpaqueTileWithClearCornersAndAScene) {
    for (const int size : {16, 48, 256}) {
        const Bytes rgba = drawIcon(size);
        ASSERT_EQ(rgba.size(), static_cast<size_t>(size) * size * 4);
        const auto alpha = [&](int x, int y) { return rgba[(static_cast<size_t>(y) * size + x) * 4 + 3]; };
        for (const auto& [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}}) {
            EXPECT_EQ(alpha(x, y), 0) << size << ": corner " << x << "," << y;
        }
        EXPECT_EQ(alpha(size / 2, size / 2), 255) << size;
        EXPECT_EQ(alpha(size / 2, size / 8), 255) << size;
        // Sky, rock, water and grass: far more than a handful of colours.
        std::set<std::tuple<int, int, int>> colours;
        for (size_t i = 0; i < rgba.size(); i += 4) colours.insert({rgba[i], rgba[i + 1], rgba[i + 2]});
        EXPECT_GT(colours.size(), 40u) << size;
    }
}

}  // namespace

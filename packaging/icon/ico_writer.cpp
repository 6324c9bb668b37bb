// ICO layout: a 6-byte header, one 16-byte directory entry per picture, then
// the pictures' bytes in the same order. Every ICO number is little-endian.
#include "packaging/icon/ico_writer.h"

#include <cstdint>
#include <stdexcept>

#include "assets/picture.h"

namespace {

constexpr std::uint32_t HEADER_BYTES = 6;
constexpr std::uint32_t ENTRY_BYTES = 16;
constexpr std::uint32_t TYPE_ICON = 1;  // 2 would be a cursor
constexpr int MAX_SIDE = 256;           // pixels; an entry's side byte holds 256 as 0
constexpr std::size_t MAX_PICTURES = 0xFFFF;
constexpr std::uint32_t PLANES = 1;
constexpr std::uint32_t BITS_PER_PIXEL = 32;  // RGBA

}  // namespace

Bytes encodeIco(const std::vector<IconPicture>& pictures) {
    if (pictures.empty() || pictures.size() > MAX_PICTURES) {
        throw std::invalid_argument("encodeIco: an icon holds 1 to 65535 pictures");
    }
    std::vector<Bytes> pngs;
    for (const IconPicture& picture : pictures) {
        if (picture.side < 1 || picture.side > MAX_SIDE) {
            throw std::invalid_argument("encodeIco: a picture's side is not between 1 and 256");
        }
        pngs.push_back(encodePng(picture.side, picture.side, picture.rgba));
    }

    Bytes out;
    assets::putUint16LE(out, 0);  // reserved
    assets::putUint16LE(out, TYPE_ICON);
    assets::putUint16LE(out, static_cast<std::uint32_t>(pngs.size()));
    std::uint32_t offset = HEADER_BYTES + ENTRY_BYTES * static_cast<std::uint32_t>(pngs.size());
    for (std::size_t i = 0; i < pngs.size(); ++i) {
        const auto side = static_cast<std::uint8_t>(pictures[i].side % MAX_SIDE);
        out.insert(out.end(), {side, side, 0, 0});  // width, height, no palette, reserved
        assets::putUint16LE(out, PLANES);
        assets::putUint16LE(out, BITS_PER_PIXEL);
        assets::putUint32LE(out, static_cast<std::uint32_t>(pngs[i].size()));
        assets::putUint32LE(out, offset);
        offset += static_cast<std::uint32_t>(pngs[i].size());
    }
    for (const Bytes& png : pngs) out.insert(out.end(), png.begin(), png.end());
    return out;
}

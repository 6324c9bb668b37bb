// Writes the program's icon as a PNG: make_icon SIZE OUTPUT.png
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>

#include "packaging/icon/icon_picture.h"
#include "packaging/icon/png_writer.h"

namespace {

constexpr int MIN_SIZE = 16;    // pixels
constexpr int MAX_SIZE = 1024;  // pixels

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icon SIZE OUTPUT.png\n");
        return 2;
    }
    const int size = std::atoi(argv[1]);
    if (size < MIN_SIZE || size > MAX_SIZE) {
        std::fprintf(stderr, "make_icon: size %s is not between %d and %d\n", argv[1], MIN_SIZE, MAX_SIZE);
        return 2;
    }
    try {
        const Bytes png = encodePng(size, size, drawIcon(size));
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "make_icon: cannot write %s\n", argv[2]);
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_icon: %s\n", e.what());
        return 1;
    }
    return 0;
}

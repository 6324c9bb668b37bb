// Writes the program's icon: make_icon SIZE OUTPUT.png draws one PNG;
// make_icon SIZE... OUTPUT.ico draws a Windows icon holding every size.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

#include "packaging/icon/ico_writer.h"
#include "packaging/icon/icon_picture.h"
#include "packaging/icon/png_writer.h"

namespace {

constexpr int MIN_SIZE = 16;    // pixels
constexpr int MAX_SIZE = 1024;  // pixels
constexpr int MAX_ICO_SIZE = 256;  // pixels, the largest a Windows icon holds

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string output = argc >= 3 ? argv[argc - 1] : "";
    const bool ico = endsWith(output, ".ico");
    if (argc < 3 || (!ico && argc != 3)) {
        std::fprintf(stderr, "usage: make_icon SIZE OUTPUT.png\n       make_icon SIZE... OUTPUT.ico\n");
        return 2;
    }
    const int maxSize = ico ? MAX_ICO_SIZE : MAX_SIZE;
    std::vector<IconPicture> pictures;
    for (int i = 1; i < argc - 1; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < MIN_SIZE || size > maxSize) {
            std::fprintf(stderr, "make_icon: size %s is not between %d and %d\n", argv[i], MIN_SIZE, maxSize);
            return 2;
        }
        pictures.push_back({size, drawIcon(size)});
    }
    try {
        const Bytes bytes = ico ? encodeIco(pictures)
                                : encodePng(pictures[0].side, pictures[0].side, pictures[0].rgba);
        std::ofstream out(output, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "make_icon: cannot write %s\n", output.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_icon: %s\n", e.what());
        return 1;
    }
    return 0;
}

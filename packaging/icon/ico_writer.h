// A Windows icon file (.ico) writer: a directory of square pictures, each
// stored as a PNG, which Windows reads from Vista on.
#pragma once

#include <vector>

#include "packaging/icon/png_writer.h"

struct IconPicture {
    int side;    // pixels, 1 to 256
    Bytes rgba;  // side * side pixels, as encodePng takes them
};

Bytes encodeIco(const std::vector<IconPicture>& pictures);

// Mesa's fixed-function frames of the rows (frame_rows.h), drawn through a
// desktop GL compatibility context on the surfaceless platform and written
// to the folder given, one raw RGB file a row, for the GL layer's test.
// Usage: waterfall_frame_reference DATA_DIR OUT_DIR
#include <GL/gl.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "tests/frame/egl_frame.h"
#include "tests/frame/frame_rows.h"

namespace {

void readPixels(int x, int y, int width, int height, unsigned format, unsigned type, void* pixels) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glFinish();
    glReadPixels(x, y, width, height, format, type, pixels);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DATA_DIR OUT_DIR\n", argv[0]);
        return 2;
    }
    std::string error;
    eglframe::makeCurrent(eglframe::Api::DesktopGL, framerows::FRAME_WIDTH,
                          framerows::FRAME_HEIGHT, error);
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const std::string out = argv[2];
    bool written = true;
    framerows::runRows(argv[1], readPixels, [&](size_t i, const framerows::Frame& frame) {
        std::ofstream file(framerows::framePath(out, i), std::ios::binary);
        file.write(reinterpret_cast<const char*>(frame.data()),
                   static_cast<std::streamsize>(frame.size()));
        written = written && file.good();
    });
    return written ? 0 : 1;
}

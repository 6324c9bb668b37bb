// The GL layer's frames (web/gl over ES 3 on llvmpipe) against Mesa's
// fixed-function frames of the same rows (waterfall_frame_reference, run
// first): pixels apart, row by row, with the drops drawn as instances and
// drawn one by one (as where the browser has no instancing).
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/frame/egl_frame.h"
#include "scene/display.h"
#include "tests/frame/frame_rows.h"
#include "tests/support/scratch_dir.h"
#include "web/gl/gl_layer.h"

namespace {

// None: the layer does Mesa's float operations in Mesa's order, so every
// pixel is Mesa's (a layer whose order must differ may allow up to 16).
constexpr long MOST_PIXELS_APART = 0;
// Each row changes the picture by more than this, so frames this close mean something.
constexpr long LEAST_ROW_CHANGE = 100;
constexpr int ES_MAJOR = 3;

using PixelStore = void (*)(GLenum, GLint);
using Finish = void (*)();
using ReadPixelsES = void (*)(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*);

// ES reads RGBA only: the alpha bytes are dropped.
void readThroughES(int x, int y, int width, int height, unsigned /*GL_RGB*/,
                   unsigned /*GL_UNSIGNED_BYTE*/, void* pixels) {
    gl_layer::flush();
    reinterpret_cast<PixelStore>(eglframe::procAddress("glPixelStorei"))(GL_PACK_ALIGNMENT, 1);
    reinterpret_cast<Finish>(eglframe::procAddress("glFinish"))();
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::vector<unsigned char> rgba(count * 4);
    reinterpret_cast<ReadPixelsES>(eglframe::procAddress("glReadPixels"))(
        x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    auto* rgb = static_cast<unsigned char*>(pixels);
    for (size_t i = 0; i < count; ++i) {
        for (size_t c = 0; c < 3; ++c) rgb[i * 3 + c] = rgba[i * 4 + c];
    }
}

long pixelsApart(const framerows::Frame& a, const framerows::Frame& b) {
    if (a.size() != b.size()) return -1;
    long count = 0;
    for (size_t i = 0; i + 2 < a.size(); i += 3) {
        count += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
    }
    return count;
}

framerows::Frame readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void savePpm(const std::string& path, const framerows::Frame& frame) {
    std::ofstream file(path, std::ios::binary);
    file << "P6\n" << framerows::FRAME_WIDTH << " " << framerows::FRAME_HEIGHT << "\n255\n";
    const size_t row = framerows::FRAME_WIDTH * 3;
    for (int y = framerows::FRAME_HEIGHT - 1; y >= 0; --y) {
        file.write(reinterpret_cast<const char*>(frame.data() + row * static_cast<size_t>(y)),
                   static_cast<std::streamsize>(row));
    }
}

TEST(LayerFrames, TheLayerDrawsMesasFixedFunctionFrames) {
    ScratchDir dir("layer-frames");
    if (std::getenv("WATERFALL_E2E_KEEP")) dir.keep();
    const std::string reference = std::string(WATERFALL_FRAME_REFERENCE) + " " +
                                  WATERFALL_DATA_DIR + " " + dir.path() + " >/dev/null";
    ASSERT_EQ(std::system(reference.c_str()), 0) << "Mesa's frames were not drawn";

    std::string error;
    eglframe::makeCurrent(eglframe::Api::ES, framerows::FRAME_WIDTH, framerows::FRAME_HEIGHT,
                          error);
    ASSERT_EQ(error, "");
    ASSERT_TRUE(gl_layer::start(eglframe::procAddress, ES_MAJOR, false));
    framerows::onSwapBuffers = gl_layer::flush;

    const auto& rows = framerows::rows();
    framerows::Frame previous;
    long instanced = 0;
    framerows::runRows(WATERFALL_DATA_DIR, readThroughES, [&](size_t i, const framerows::Frame& frame) {
        const char* name = rows[i].name;
        const framerows::Frame mesa = readFile(framerows::framePath(dir.path(), i));
        const long apart = pixelsApart(frame, mesa);
        instanced += gl_layer::takeInstancedDropCount();
        // The same frame again, no drop drawn as an instance.
        gl_layer::setInstancedDrops(false);
        display();
        framerows::Frame oneByOne(frame.size());
        readThroughES(0, 0, framerows::FRAME_WIDTH, framerows::FRAME_HEIGHT, GL_RGB,
                      GL_UNSIGNED_BYTE, oneByOne.data());
        gl_layer::setInstancedDrops(true);
        const long oneByOneApart = pixelsApart(oneByOne, mesa);
        EXPECT_EQ(gl_layer::takeInstancedDropCount(), 0) << name;
        std::printf("%-42s %ld pixels apart, drops one by one %ld\n", name, apart, oneByOneApart);
        savePpm(dir.path() + "/" + std::to_string(i) + "-layer.ppm", frame);
        savePpm(dir.path() + "/" + std::to_string(i) + "-mesa.ppm", mesa);
        EXPECT_GE(apart, 0) << name << ": no frame of Mesa's";
        EXPECT_LE(apart, MOST_PIXELS_APART) << name << "; " << dir.path() << "/" << i
                                            << "-*.ppm stay with WATERFALL_E2E_KEEP=1";
        EXPECT_LE(oneByOneApart, MOST_PIXELS_APART) << name << ", drops one by one";
        if (i > 0) {
            EXPECT_GT(pixelsApart(frame, previous), LEAST_ROW_CHANGE) << name;
        }
        previous = frame;
    });
    EXPECT_GT(instanced, 0) << "no drop was drawn as an instance";
}

}  // namespace

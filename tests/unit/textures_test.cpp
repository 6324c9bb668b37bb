// Texture set-up and upload through the recording stand-in, and the loader's
// exits with status 1.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "image/textures.h"
#include "tests/support/app_state.h"
#include "tests/support/bmp_files.h"
#include "tests/support/gl_recorder.h"
#include "tests/support/scratch_dir.h"

namespace {

using Calls = std::vector<std::string>;

class TexturesTest : public StartStateTest {
protected:
    ScratchWorkDir dir;
};

TEST_F(TexturesTest, EnableTexturingSwitchesOnDepthTestThenTexturing) {
    enableTexturing();
    EXPECT_EQ(glCallTexts(), (Calls{"glEnable(GL_DEPTH_TEST)", "glEnable(GL_TEXTURE_2D)"}));
}

TEST_F(TexturesTest, DefaultTextureIsAnEmpty64By64ImageInObjectZero) {
    initDefaultTexture();
    EXPECT_EQ(glCallTexts(),
              (Calls{"glBindTexture(GL_TEXTURE_2D, 0)",
                     "glTexImage2D(GL_TEXTURE_2D, 0, 3, 64, 64, 0, GL_RGB, GL_UNSIGNED_BYTE, NULL)",
                     "glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP)",
                     "glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP)",
                     "glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST)",
                     "glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST)"}));
    EXPECT_EQ(glState().boundTexture, 0);
}

TEST_F(TexturesTest, LoadTextureUploadsThePictureAndLeavesItsObjectBound) {
    writeTestFile("ground.bmp", makeBmp(sizedLayout(64, 64)));
    testing::internal::CaptureStdout();
    loadTexture("ground.bmp", 2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "trying to load ground.bmp\n");
    // The size limit is asked of GL first; then the upload with nearest filters.
    EXPECT_EQ(glCallTexts(),
              (Calls{"glGetIntegerv(GL_MAX_TEXTURE_SIZE)", "glBindTexture(GL_TEXTURE_2D, 2)",
                     "glTexImage2D(GL_TEXTURE_2D, 0, 3, 64, 64, 0, GL_RGB, GL_UNSIGNED_BYTE, ptr)",
                     "glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST)",
                     "glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST)"}));
    EXPECT_EQ(glState().boundTexture, 2);
    // The uploaded rows: bottom row first, red first.
    ASSERT_NE(loadedImage, nullptr);
    ASSERT_NE(loadedImage->pixels, nullptr);
    const PatternColour bottomLeft = patternColour(0, 0);
    const PatternColour topRight = patternColour(63, 63);
    const unsigned char* last = loadedImage->pixels + (64 * 64 - 1) * 3;
    EXPECT_EQ(loadedImage->pixels[0], bottomLeft.r);
    EXPECT_EQ(loadedImage->pixels[2], bottomLeft.b);
    EXPECT_EQ(last[0], topRight.r);
    EXPECT_EQ(last[1], topRight.g);
}

TEST_F(TexturesTest, EachLoadTakesAFreshImageAndKeepsOnlyTheLatest) {
    writeTestFile("a.bmp", makeBmp(sizedLayout(8, 4)));
    writeTestFile("b.bmp", makeBmp(sizedLayout(4, 12)));
    testing::internal::CaptureStdout();
    loadTexture("a.bmp", 1);
    loadTexture("b.bmp", 3);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "trying to load a.bmp\ntrying to load b.bmp\n");
    EXPECT_EQ(glCallTexts("glBindTexture"),
              (Calls{"glBindTexture(GL_TEXTURE_2D, 1)", "glBindTexture(GL_TEXTURE_2D, 3)"}));
    ASSERT_NE(loadedImage, nullptr);
    EXPECT_EQ(loadedImage->width, 4u);
    EXPECT_EQ(loadedImage->height, 12u);
}

TEST_F(TexturesTest, PackedRowsOfUnalignedWidthsUploadWithByteAlignment) {
    writeTestFile("odd.bmp", makeBmp(sizedLayout(5, 3)));
    testing::internal::CaptureStdout();
    loadTexture("odd.bmp", 3);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(glCallTexts(),
              (Calls{"glGetIntegerv(GL_MAX_TEXTURE_SIZE)", "glBindTexture(GL_TEXTURE_2D, 3)",
                     "glPixelStorei(GL_UNPACK_ALIGNMENT, 1)",
                     "glTexImage2D(GL_TEXTURE_2D, 0, 3, 5, 3, 0, GL_RGB, GL_UNSIGNED_BYTE, ptr)",
                     "glPixelStorei(GL_UNPACK_ALIGNMENT, 4)",
                     "glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST)",
                     "glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST)"}));
}

// Standard output goes to standard error inside the dying child, where the
// death test can see it.
void loadWithOutputOnStderr(const char* name, unsigned int id) {
    dup2(2, 1);
    loadTexture(name, id);
}

using TexturesDeathTest = TexturesTest;

TEST_F(TexturesDeathTest, AFailedLoadPrintsWhyAndEndsWithStatusOne) {
    BmpLayout bits32 = sizedLayout(8, 8);
    bits32.bitsPerPixel = 32;
    writeTestFile("deep.bmp", makeBmp(bits32));
    const std::string valid = makeBmp(sizedLayout(8, 8));
    writeTestFile("short.bmp", valid.substr(0, valid.size() - 10));
    BmpLayout rle = sizedLayout(8, 8);
    rle.compression = 2;
    writeTestFile("rle.bmp", makeBmp(rle));
    EXPECT_EXIT(loadWithOutputOnStderr("none.bmp", 1), ::testing::ExitedWithCode(1),
                "^trying to load none.bmp\nFile Not Found : none.bmp\n$");
    EXPECT_EXIT(loadWithOutputOnStderr("deep.bmp", 2), ::testing::ExitedWithCode(1),
                "^trying to load deep.bmp\nBpp from deep.bmp is not 24: 32\n$");
    EXPECT_EXIT(loadWithOutputOnStderr("short.bmp", 2), ::testing::ExitedWithCode(1),
                "^trying to load short.bmp\nError reading image data from short.bmp.\n$");
    EXPECT_EXIT(loadWithOutputOnStderr("rle.bmp", 3), ::testing::ExitedWithCode(1),
                "^trying to load rle.bmp\nCompression from rle.bmp is not supported: 2\n$");
}

TEST_F(TexturesDeathTest, PicturesLargerThanGlCanHoldAreRefusedBeforeTheUpload) {
    writeTestFile("big.bmp", makeBmp(sizedLayout(64, 32)));
    glState().maxTextureSize = 32;
    EXPECT_EXIT(loadWithOutputOnStderr("big.bmp", 2), ::testing::ExitedWithCode(1),
                "^trying to load big.bmp\nWidth from big.bmp is larger than 32: 64\n$");
}

}  // namespace

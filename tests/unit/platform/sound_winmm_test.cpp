// The Windows sound: "medium.wav" through PlaySoundA, looping, and silence
// rather than Windows' default sound when the file is missing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/app_state.h"
#include "tests/support/bmp_files.h"
#include "tests/support/gl_recorder.h"
#include "tests/support/scratch_dir.h"

namespace {

class WindowsSoundTest : public StartStateTest {
protected:
    void SetUp() override {
        addScenePictures(pictures.path());  // start-up loads them from the working directory
        StartStateTest::SetUp();
    }
    ScratchWorkDir pictures;
};

TEST_F(WindowsSoundTest, AsksForTheSoundFileLoopingWithoutItsDefaultSound) {
    runStartUp();
    EXPECT_EQ(glCallTexts("PlaySoundA"),
              std::vector<std::string>{
                  "PlaySoundA(\"medium.wav\", NULL, SND_ASYNC | SND_NODEFAULT | SND_LOOP)"});
}

}  // namespace

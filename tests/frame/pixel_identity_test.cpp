// The drops sent from the compiled sphere give the very frame that sending
// every drop through gluSphere gives: at the steady pour, byte for byte, with
// fog off and on and with every light on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/globals.h"
#include "app/keyboard.h"
#include "app/light_menu.h"
#include "tests/frame/frame_lab.h"

namespace {

using framelab::Frame;
using framelab::Way;

constexpr int STEADY_STEPS = 60;  // the live count settles after about 30

struct Condition {
    const char* name;
    bool fog;
    bool allLights;
};

TEST(PixelIdentity, CompiledDropsDrawTheDirectFrameExactly) {
    framelab::Scene scene;
    scene.pour(STEADY_STEPS);

    const Condition conditions[] = {
        {"fog off", false, false},
        {"fog on", true, false},
        {"fog on, all lights on", true, true},
        {"fog off, all lights on", false, true},
    };
    std::vector<Frame> frames;
    for (const Condition& c : conditions) {
        SCOPED_TRACE(c.name);
        if (fogEnabled != c.fog) toggleFog();
        if (c.allLights && !redLightOn) {
            for (int entry : {MENU_RED_ON, MENU_GREEN_ON, MENU_BLUE_ON}) menuSelect(entry);
        }
        ASSERT_EQ(fogEnabled, c.fog);
        ASSERT_EQ(redLightOn && greenLightOn && blueLightOn, c.allLights);

        scene.drawFrame(Way::Immediate);
        const Frame direct = scene.readFrame();
        scene.drawFrame(Way::CompiledList);
        const Frame compiled = scene.readFrame();
        // What was read is what the window shows.
        const e2e::Screenshot shown = scene.onScreen();
        const std::string stem = scene.workDir() + "/" + std::to_string(frames.size());
        compiled.screenshot().save(stem + "-compiled.png");
        direct.screenshot().save(stem + "-direct.png");
        EXPECT_TRUE(shown == compiled.screenshot()) << "read back is not what is shown";
        EXPECT_TRUE(compiled == direct)
            << compiled.differingPixels(direct) << " pixels differ; " << stem
            << "-*.png stay with WATERFALL_E2E_KEEP=1";
        frames.push_back(compiled);
    }
    // The conditions do change the picture, so equal frames mean something.
    for (size_t i = 1; i < frames.size(); ++i) {
        EXPECT_GT(frames[i].differingPixels(frames[i - 1]), 1000) << conditions[i].name;
    }
}

}  // namespace

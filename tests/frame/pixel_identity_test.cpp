// The program's frame (display lists, the drops' back faces culled) against
// the direct frame (every call, nothing culled): byte for byte with no drops,
// and at most a few outline pixels apart at the steady pour, with fog off and
// on, every light on, and from the views the orbit and the zoom reach.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/globals.h"
#include "tests/frame/frame_lab.h"
#include "tests/frame/scene_rows.h"

namespace {

using framelab::Frame;
using framelab::Way;

// Both ways' frames of the scene as it stands, kept in the scratch folder.
struct Pair {
    Frame direct;
    Frame program;
};

Pair drawBothWays(framelab::Scene& scene, const std::string& name) {
    Pair pair;
    scene.drawFrame(Way::Immediate);
    pair.direct = scene.readFrame();
    scene.drawFrame(Way::CompiledList);
    pair.program = scene.readFrame();
    // What was read is what the window shows.
    EXPECT_TRUE(scene.onScreen() == pair.program.screenshot()) << "read back is not what is shown";
    const std::string stem = scene.workDir() + "/" + name;
    pair.program.screenshot().save(stem + "-program.png");
    pair.direct.screenshot().save(stem + "-direct.png");
    return pair;
}

TEST(PixelIdentity, TheCulledProgramFrameKeepsTheDirectFrame) {
    framelab::Scene scene;
    const Pair scenery = drawBothWays(scene, "scenery");
    EXPECT_TRUE(scenery.program == scenery.direct)
        << "with no drops: " << scenery.program.differingPixels(scenery.direct) << " pixels differ";
    scene.pour(scenerows::STEADY_STEPS);

    // Each row changes the one before it.
    std::vector<scenerows::Row> rows = {{"fog off", [] {}}};
    rows.insert(rows.end(), scenerows::viewRows().begin(), scenerows::viewRows().end());
    std::vector<Frame> frames;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        row.change();
        const Pair pair = drawBothWays(scene, std::to_string(frames.size()));
        const long apart = pair.program.differingPixels(pair.direct);
        std::printf("%-42s %ld pixels apart\n", row.name, apart);
        EXPECT_GE(apart, 0) << "sizes differ";
        EXPECT_LE(apart, framelab::CULLED_PIXELS_APART)
            << "eye (" << cameraEye.x << ", " << cameraEye.y << ", " << cameraEye.z << "); "
            << scene.workDir() << "/" << frames.size()
            << "-*.png stay with WATERFALL_E2E_KEEP=1";
        frames.push_back(pair.program);
    }
    // Every row does change the picture, so frames this close mean something.
    for (size_t i = 1; i < frames.size(); ++i) {
        EXPECT_GT(frames[i].differingPixels(frames[i - 1]), 1000) << rows[i].name;
    }
    EXPECT_GT(frames.back().differingPixels(scenery.program), 1000) << "no drops in view";
}

}  // namespace

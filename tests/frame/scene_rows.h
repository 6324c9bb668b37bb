// The scene changes both frame tests draw a frame after: fog, every light,
// and the views the orbit and the zoom reach, each row changing the scene
// left by the one before, through the program's own callbacks.
#pragma once

#include <functional>
#include <vector>

namespace scenerows {

constexpr int STEADY_STEPS = 60;  // pour steps: the live count settles after about 30

struct Row {
    const char* name;
    std::function<void()> change;
};

// "fog on" to "zoomed out", for a scene with the pour under way and fog off.
const std::vector<Row>& viewRows();

}  // namespace scenerows

// The rows (see frame_rows.h): the start, the steady pour, fog, every light,
// and the views the orbit and the zoom reach.
#include "tests/frame/frame_rows.h"

#include <GL/glut.h>
#include <unistd.h>

#include <cstdlib>

#include "app/globals.h"
#include "app/animation_tick.h"
#include "app/startup.h"
#include "scene/display.h"

namespace framerows {

namespace {

void pour(int steps) {
    for (int i = 0; i < steps; ++i) advancePour();
}

}  // namespace

const std::vector<Row>& rows() {
    static const std::vector<Row> table = [] {
        std::vector<Row> all = {{"the start", [] {}}, {"a steady pour", [] { pour(scenerows::STEADY_STEPS); }}};
        const auto& views = scenerows::viewRows();
        all.insert(all.end(), views.begin(), views.end());
        all.push_back({"pouring on", [] { pour(1); }});
        return all;
    }();
    return table;
}

bool startProgram(const std::string& dataDir) {
    if (chdir(dataDir.c_str()) != 0) return false;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    char name[] = "waterfall";
    char* argv[] = {name, nullptr};
    int argc = 1;
    startUp(&argc, argv);
    reshape(FRAME_WIDTH, FRAME_HEIGHT);  // as GLUT does before the first frame
    return true;
}

void runRows(const std::string& dataDir, ReadPixels read,
             const std::function<void(size_t, const Frame&)>& each) {
    if (!startProgram(dataDir)) return;
    const auto& table = rows();
    for (size_t i = 0; i < table.size(); ++i) {
        table[i].change();
        display();
        Frame frame(static_cast<size_t>(FRAME_WIDTH) * FRAME_HEIGHT * 3);
        read(0, 0, FRAME_WIDTH, FRAME_HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, frame.data());
        each(i, frame);
    }
}

std::string framePath(const std::string& dir, size_t index) {
    return dir + "/" + std::to_string(index) + ".rgb";
}

}  // namespace framerows

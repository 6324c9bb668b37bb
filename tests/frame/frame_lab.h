// The program's own scene in a real window on a private X server, driven
// in-process: start-up as the program runs it, the pour stepped by the
// animation tick, and single frame passes with the drops and the scenery
// sent either way (the program's: display lists, the drops' back faces
// culled; the direct way: every call, no display list, nothing culled),
// read back with glReadPixels. For the pixel identity test and the frame
// benchmark.
#pragma once

#include <string>
#include <vector>

#include "particles/particle_system.h"
#include "tests/support/program_harness.h"
#include "tests/support/scratch_dir.h"

namespace framelab {

using Way = ParticleSystem::SphereSending;

// Pixels that the program's frame may have apart from the direct one: on the
// culled drops' outlines a pixel centred on an edge between a front and a
// back triangle may go to the back one (0.01 % of the 400 x 400 window).
constexpr long CULLED_PIXELS_APART = 16;

// RGB bytes of the window's frame, rows bottom-up as GL reads them.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    bool operator==(const Frame& o) const {
        return width == o.width && height == o.height && rgb == o.rgb;
    }
    // Pixels whose three bytes differ from those of `o`'s.
    long differingPixels(const Frame& o) const;
    // Top-down, as X and the screenshots hold it.
    e2e::Screenshot screenshot() const;
};

// One per process: GLUT initialises only once.
class Scene {
public:
    // Starts the server, puts the data files into a scratch working
    // directory and runs the program's start-up there; returns with the
    // window mapped, reshaped and drawn once.
    Scene();
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // `steps` animation ticks with the animation on, as after the "a" key.
    void pour(int steps);
    // The frame pass, the drops and the scenery sent `way`, through to
    // glFinish. A direct frame is drawn with GL_CULL_FACE off and refused.
    void drawFrame(Way way);
    // The frame the last drawFrame left in the back buffer.
    Frame readFrame() const;
    // The window as the X server shows it.
    e2e::Screenshot onScreen() const;
    const std::string& workDir() const { return dir_.path(); }

private:
    e2e::XvfbServer server_;
    ScratchDir dir_;
    std::string previousDir_;
};

}  // namespace framelab

// The swap interval request: interval 1 through the first swap-control
// extension that GLX lists as a whole word, or nothing at all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/swap_interval.h"
#include "tests/support/gl_recorder.h"

namespace {

TEST(SwapInterval, AsksForIntervalOneThroughTheFirstSwapControlListed) {
    struct Case {
        const char* extensions;
        std::string used;
        std::vector<std::string> swapCalls;
    };
    for (const Case& c : {
             Case{"GLX_ARB_a GLX_SGI_swap_control GLX_MESA_swap_control GLX_EXT_swap_control",
                  "GLX_EXT_swap_control", {"glXSwapIntervalEXT(7, 1)"}},
             Case{"GLX_MESA_swap_control GLX_SGI_swap_control", "GLX_MESA_swap_control",
                  {"glXSwapIntervalMESA(1)"}},
             Case{"GLX_EXT_swap_control_tear GLX_SGI_swap_control", "GLX_SGI_swap_control",
                  {"glXSwapIntervalSGI(1)"}},
             Case{"GLX_EXT_swap_control_tear XGLX_MESA_swap_control GLX_OML_swap_method", "none",
                  {}},
             Case{"", "none", {}},
         }) {
        resetGlRecorder();
        glState().glxExtensions = c.extensions;
        const char* used = requestSwapInterval();
        EXPECT_EQ(used ? used : "none", c.used) << c.extensions;
        std::vector<std::string> swapCalls;
        for (const GlCall& call : glCalls()) {
            if (call.name.rfind("glXSwapInterval", 0) == 0) swapCalls.push_back(call.text);
        }
        EXPECT_EQ(swapCalls, c.swapCalls) << c.extensions;
    }
}

}  // namespace

// Preloaded into the program by startup_benchmark: when the program's first
// buffer swap has reached the X server, writes the monotonic clock in
// nanoseconds to the file named by FIRST_SWAP_PROBE_FILE. Every swap goes on
// to the real glXSwapBuffers.
#include <GL/glx.h>
#include <dlfcn.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    using Swap = void (*)(Display*, GLXDrawable);
    static const Swap realSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    static bool first = true;
    realSwap(display, drawable);
    if (!first) return;
    first = false;
    XSync(display, False);  // the frame is on the server, where a user would see it
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const char* path = std::getenv("FIRST_SWAP_PROBE_FILE");
    if (!path) return;
    if (FILE* out = std::fopen(path, "w")) {
        std::fprintf(out, "%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fclose(out);
    }
}

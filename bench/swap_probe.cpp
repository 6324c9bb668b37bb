// Preloaded into the program by the benchmarks: stamps buffer swaps with the
// monotonic clock in nanoseconds, once each swap has reached the X server.
// FIRST_SWAP_PROBE_FILE gets the first swap's stamp alone; SWAP_TIMES_FILE
// gets every swap's, a line each. Every swap goes on to the real
// glXSwapBuffers.
#include <GL/glx.h>
#include <dlfcn.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>

namespace {

void writeStamp(const char* path, const char* mode, long long stamp) {
    if (!path) return;
    if (FILE* out = std::fopen(path, mode)) {
        std::fprintf(out, "%lld\n", stamp);
        std::fclose(out);
    }
}

}  // namespace

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    using Swap = void (*)(Display*, GLXDrawable);
    static const Swap realSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    static const char* const firstPath = std::getenv("FIRST_SWAP_PROBE_FILE");
    static const char* const everyPath = std::getenv("SWAP_TIMES_FILE");
    static bool first = true;
    realSwap(display, drawable);
    if (!first && !everyPath) return;
    XSync(display, False);  // the frame is on the server, where a user would see it
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long stamp = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
    if (first) writeStamp(firstPath, "w", stamp);
    first = false;
    writeStamp(everyPath, "a", stamp);
}

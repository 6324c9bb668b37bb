// Start-up time of the real program under a private Xvfb: from just before
// exec to its first frame swapped and on the server, taken by the preloaded
// swap_probe. Several runs, each in the same scratch folder with the
// data files; sound through SDL's dummy driver. Figures only.
//
//   startup_benchmark [runs]   (default 10)
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/program_harness.h"
#include "tests/support/scratch_dir.h"

namespace {

constexpr int DEFAULT_RUNS = 10;
constexpr double WAIT_SECONDS = 60.0;  // for one start-up, on a loaded machine

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// The probe's time stamp, or 0 while there is none.
long long probeTime(const std::string& path) {
    std::ifstream in(path);
    long long stamp = 0;
    in >> stamp;
    return stamp;
}

// One start-up; milliseconds from exec to the first swap, or -1.
double oneStartUp(const std::string& display, const std::string& dir) {
    const std::string stampFile = dir + "/first-swap";
    std::remove(stampFile.c_str());
    std::fflush(stdout);  // or the child's freopen writes it out again
    const long long start = monotonicNs();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(127);
        if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(127);
        setenv("DISPLAY", display.c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("LD_PRELOAD", SWAP_PROBE, 1);
        setenv("FIRST_SWAP_PROBE_FILE", stampFile.c_str(), 1);
        execl(WATERFALL_PROGRAM, WATERFALL_PROGRAM, static_cast<char*>(nullptr));
        _exit(127);
    }
    long long stamp = 0;
    const long long deadline = start + static_cast<long long>(WAIT_SECONDS * 1e9);
    while ((stamp = probeTime(stampFile)) == 0 && monotonicNs() < deadline) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return -1;  // ended without a frame
        usleep(1000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return stamp == 0 ? -1 : static_cast<double>(stamp - start) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : DEFAULT_RUNS;
    e2e::XvfbServer server;
    const ScratchDir scratch("startup");
    const std::string& dir = scratch.path();
    if (!copyFiles(e2e::dataDir(), dir)) throw std::runtime_error("no data files");

    std::vector<double> times;
    std::printf("exec to first frame swapped, ms:");
    for (int run = 0; run < runs; ++run) {
        const double ms = oneStartUp(server.displayName(), dir);
        std::printf(" %.1f", ms);
        std::fflush(stdout);
        if (ms >= 0) times.push_back(ms);
    }
    std::printf("\n");
    if (times.empty()) {
        std::printf("no run reached its first frame\n");
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("start-up over %zu runs: median %.1f ms, min %.1f ms, max %.1f ms\n", times.size(),
                times[times.size() / 2], times.front(), times.back());
    return 0;
}

// GL calls per frame, counted from an apitrace trace: every call between two
// buffer swaps, and the drops drawn in that frame (its matrix pushes less the
// scenery's eleven). Either counts a trace it is given, or first traces the
// real program on a private Xvfb while it pours for a while.
//
//   gl_calls_per_frame TRACE             count an existing trace
//   gl_calls_per_frame --pour [SECONDS [PROGRAM]]
//                                        trace the program pouring (default 45 s);
//                                        PROGRAM: another build of it, an older one say
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "tests/support/program_harness.h"
#include "tests/support/scratch_dir.h"

namespace {

constexpr double DEFAULT_POUR_SECONDS = 45.0;  // some 60 frames or more under llvmpipe
// Pushes of a frame besides the drops': the frame's two, one a rock, two a ledge.
constexpr long SCENERY_PUSHES = 2 + 3 + 3 * 2;
// Lists a frame calls besides the drops': three rocks, three ledges (none in
// a build from before the scenery was compiled).
constexpr long SCENERY_LISTS = 3 + 3;

struct FrameCount {
    long calls = 0;
    std::map<std::string, long> byName;
    long drops() const {
        const auto pushes = byName.find("glPushMatrix");
        return pushes == byName.end() ? 0 : pushes->second - SCENERY_PUSHES;
    }
};

// Frames in the order traced, each ending with its glXSwapBuffers.
std::vector<FrameCount> countFrames(const std::string& trace) {
    const std::string command = "apitrace dump --color=never '" + trace + "'";
    FILE* dump = popen(command.c_str(), "r");
    std::vector<FrameCount> frames;
    if (!dump) return frames;
    FrameCount frame;
    char line[4096];
    while (std::fgets(line, sizeof line, dump)) {
        // "1234 glTranslatef(x = ..."; long argument lists run over the buffer.
        const char* space = std::strchr(line, ' ');
        if (!space || line[0] < '0' || line[0] > '9') continue;
        const char* name = space + 1;
        const char* paren = std::strchr(name, '(');
        if (!paren) continue;
        const std::string callName(name, static_cast<size_t>(paren - name));
        ++frame.calls;
        ++frame.byName[callName];
        if (callName == "glXSwapBuffers") {
            frames.push_back(frame);
            frame = FrameCount();
        }
    }
    pclose(dump);
    return frames;
}

long named(const FrameCount& frame, const char* name) {
    const auto found = frame.byName.find(name);
    return found == frame.byName.end() ? 0 : found->second;
}

double ratio(long a, long b) {
    return b > 0 ? static_cast<double>(a) / static_cast<double>(b) : 0.0;
}

int report(const std::vector<FrameCount>& frames) {
    if (frames.empty()) {
        std::printf("no frame in the trace\n");
        return 1;
    }
    // With the compiled sphere a drop is four calls; what is left is the rest
    // of the frame. The direct way's drops are a gluSphere's worth each.
    std::printf("%zu frames; the last ones:\n", frames.size());
    std::printf("%6s %10s %7s %11s %13s %15s\n", "frame", "GL calls", "drops", "glCallList",
                "calls a drop", "4 a drop, rest");
    const size_t first = frames.size() > 5 ? frames.size() - 5 : 0;
    for (size_t i = first; i < frames.size(); ++i) {
        const FrameCount& f = frames[i];
        const long drops = f.drops();
        const long lists = named(f, "glCallList");
        const bool dropsCompiled = lists == drops || lists == drops + SCENERY_LISTS;
        const std::string rest = dropsCompiled ? std::to_string(f.calls - 4 * drops) : "-";
        std::printf("%6zu %10ld %7ld %11ld %13.2f %15s\n", i + 1, f.calls, drops, lists,
                    ratio(f.calls, drops), rest.c_str());
    }
    const FrameCount& last = frames.back();
    std::printf("last frame: %ld GL calls for %ld drops drawn, %.2f a drop in all; "
                "the budget of 5 a drop and 500 more is %ld\n",
                last.calls, last.drops(), ratio(last.calls, last.drops()),
                5 * last.drops() + 500);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--pour") == 0) {
        const double seconds = argc > 2 ? std::atof(argv[2]) : DEFAULT_POUR_SECONDS;
        e2e::XvfbServer server;
        e2e::Options options;
        options.trace = true;
        if (argc > 3) {
            options.program = argv[3];
            options.prepare = [](const std::string& dir) {
                if (!copyFiles(e2e::dataDir(), dir)) std::printf("no data files copied\n");
            };
        }
        e2e::Program program(server, options);
        if (!program.waitForWindow(e2e::Seconds(60))) {
            std::printf("the program's window did not appear\n%s", program.standardError().c_str());
            return 1;
        }
        program.key('a');
        e2e::sleepFor(e2e::Seconds(seconds));
        program.key('q');
        if (program.waitForExit(e2e::Seconds(120)) != 0) {
            std::printf("the program did not quit cleanly\n");
            return 1;
        }
        std::printf("%s poured for %.0f s under apitrace\n",
                    options.program.empty() ? "the program" : options.program.c_str(), seconds);
        return report(countFrames(program.workDir() + "/run.trace"));
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s TRACE | --pour [SECONDS]\n", argv[0]);
        return 2;
    }
    return report(countFrames(argv[1]));
}

// The picture loader in the real program: what it prints, in order, and its
// status when a picture is missing, cannot be opened, is not 24-bit or is cut off.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/e2e/windows_cases.h"
#include "tests/support/bmp_files.h"
#include "tests/support/program_harness.h"

namespace {

using namespace e2e;

struct LoadFailure {
    std::string label;
    Options options;
    std::string output;  // all of standard output
};

Options without(const std::string& name) {
    Options options;
    options.files[name] = std::nullopt;
    return options;
}

Options with(const std::string& name, const std::string& bytes) {
    Options options;
    options.files[name] = bytes;
    return options;
}

Options prepared(const std::string& name, void (*make)(const std::string& path)) {
    Options options = without(name);
    options.prepare = [name, make](const std::string& dir) { make(dir + "/" + name); };
    return options;
}

// A link to itself: opening it fails (ELOOP), even for root.
void selfLink(const std::string& path) { ASSERT_EQ(symlink(path.c_str(), path.c_str()), 0); }
// A folder opens for reading but yields no bytes.
void folder(const std::string& path) { ASSERT_EQ(mkdir(path.c_str(), 0755), 0); }

std::string deepPicture() {
    BmpLayout layout;
    layout.bitsPerPixel = 32;
    return makeBmp(layout);
}

TEST(Pictures, AFailedLoadPrintsTheLoaderLinesInOrderAndEndsWithStatusOne) {
    std::vector<LoadFailure> cases = {
        {"sky missing", without("sky.bmp"), "trying to load sky.bmp\nFile Not Found : sky.bmp\n"},
        {"ground missing", without("ground.bmp"),
         "trying to load sky.bmp\ntrying to load ground.bmp\nFile Not Found : ground.bmp\n"},
        {"close missing", without("close.bmp"),
         "trying to load sky.bmp\ntrying to load ground.bmp\ntrying to load close.bmp\n"
         "File Not Found : close.bmp\n"},
        {"sky cannot be opened", prepared("sky.bmp", selfLink),
         "trying to load sky.bmp\nFile Not Found : sky.bmp\n"},
        {"ground is a folder", prepared("ground.bmp", folder),
         "trying to load sky.bmp\ntrying to load ground.bmp\n"
         "Planes from ground.bmp is not 1: 65279\n"},
        {"close is 32-bit", with("close.bmp", deepPicture()),
         "trying to load sky.bmp\ntrying to load ground.bmp\ntrying to load close.bmp\n"
         "Bpp from close.bmp is not 24: 32\n"},
        {"sky is 32-bit", with("sky.bmp", deepPicture()),
         "trying to load sky.bmp\nBpp from sky.bmp is not 24: 32\n"},
        {"ground is 32-bit", with("ground.bmp", deepPicture()),
         "trying to load sky.bmp\ntrying to load ground.bmp\nBpp from ground.bmp is not 24: 32\n"},
    };
    // Cut off inside the headers, past the planes and bits fields.
    for (size_t length : {31u, 40u, 53u}) {
        cases.push_back({"ground cut off at " + std::to_string(length),
                         with("ground.bmp", makeBmp(BmpLayout()).substr(0, length)),
                         "trying to load sky.bmp\ntrying to load ground.bmp\n"
                         "Error reading image data from ground.bmp.\n"});
    }
    XvfbServer server;
    for (const LoadFailure& c : cases) {
        if (!rowApplies(c.label)) continue;
        Program program(server, c.options);
        EXPECT_EQ(program.waitForExit(Seconds(30)), 1) << c.label;
        // Nothing else on standard output: the sound's chatter goes to standard error.
        EXPECT_EQ(program.standardOutput(), consoleText(c.output)) << c.label;
    }
}

TEST(Pictures, WithAllPicturesPresentEachLoadPrintsOneLine) {
    XvfbServer server;
    Program program(server);
    ASSERT_TRUE(program.waitForWindow(Seconds(30))) << program.standardOutput();
    program.key('q');
    EXPECT_EQ(program.waitForExit(), 0);
    EXPECT_EQ(program.standardOutput(),
              "trying to load sky.bmp\ntrying to load ground.bmp\ntrying to load close.bmp\n");
}

}  // namespace

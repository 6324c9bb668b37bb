// An installed tree as a user starts it: the `waterfall` launcher runs the
// installed program from the installed data folder and hands its arguments
// to GLUT. scripts/package-test runs this after installing, with
// WATERFALL_LAUNCHER (the command to run), WATERFALL_INSTALLED_PROGRAM and
// WATERFALL_INSTALLED_DATA (where that tree keeps the program and its data).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/program_harness.h"

namespace {

using namespace e2e;
namespace fs = std::filesystem;

std::string fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::vector<std::string> commandLine(pid_t pid) {
    const std::string raw = readFile("/proc/" + std::to_string(pid) + "/cmdline");
    std::vector<std::string> args;
    for (size_t start = 0; start < raw.size();) {
        const size_t end = raw.find('\0', start);
        args.push_back(raw.substr(start, end - start));
        start = end == std::string::npos ? raw.size() : end + 1;
    }
    return args;
}

class Installed : public ::testing::Test {
protected:
    void SetUp() override {
        launcher = fromEnvironment("WATERFALL_LAUNCHER");
        program = fromEnvironment("WATERFALL_INSTALLED_PROGRAM");
        data = fromEnvironment("WATERFALL_INSTALLED_DATA");
        ASSERT_FALSE(launcher.empty() || program.empty() || data.empty())
            << "run through scripts/package-test, which sets WATERFALL_LAUNCHER, "
               "WATERFALL_INSTALLED_PROGRAM and WATERFALL_INSTALLED_DATA";
        options.program = launcher;
    }
    std::string launcher, program, data;
    Options options;
};

TEST_F(Installed, LauncherRunsTheProgramFromItsDataFolderAndQuitsWithQ) {
    XvfbServer server;
    Program running(server, options);
    ASSERT_TRUE(running.waitForWindow(Seconds(30))) << running.standardError();
    const std::string proc = "/proc/" + std::to_string(running.pid());
    EXPECT_EQ(fs::read_symlink(proc + "/exe"), fs::canonical(program));
    EXPECT_EQ(fs::read_symlink(proc + "/cwd"), fs::canonical(data));
    EXPECT_EQ(running.windowSize(), std::make_pair(400, 400));
    // The top corners lie above every piece of the scene; the rocks and the
    // ground, drawn from the installed pictures, cover well over a tenth.
    const int sceneryPixels = 400 * 400 / 10;
    const Screenshot shot = running.waitForScreen([&](const Screenshot& s) {
        return s.width == 400 && s.at(2, 2) == SKY && s.countNot(SKY) > sceneryPixels;
    });
    if (const char* path = std::getenv("WATERFALL_SCREENSHOT")) shot.save(path);
    EXPECT_EQ(shot.at(2, 2), SKY);
    EXPECT_EQ(shot.at(397, 2), SKY);
    EXPECT_GT(shot.countNot(SKY), sceneryPixels);
    running.key('q');
    EXPECT_EQ(running.waitForExit(), 0) << running.standardError();
}

TEST_F(Installed, LauncherPassesItsArgumentsOnToGlutUnchanged) {
    XvfbServer server;
    // No DISPLAY: the window can only reach the server through GLUT's -display.
    options.env = {"DISPLAY="};
    options.args = {"-display", server.displayName(), "two words"};
    Program running(server, options);
    ASSERT_TRUE(running.waitForWindow(Seconds(30))) << running.standardError();
    const std::vector<std::string> args = commandLine(running.pid());
    ASSERT_EQ(args.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(args.begin() + 1, args.end()), options.args);
    running.key('q');
    EXPECT_EQ(running.waitForExit(), 0) << running.standardError();
}

}  // namespace

// The window, the help and quit keys, and the fixed GL state, in the real program.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/program_harness.h"
#include "tests/support/help_text.h"

namespace {

using namespace e2e;

bool anyLineHas(const std::vector<std::string>& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

TEST(Window, OpensAt400By400WithTheSkyBehindTheScene) {
    XvfbServer server;
    Program program(server);
    ASSERT_TRUE(program.waitForWindow()) << program.standardError();
    EXPECT_EQ(program.windowSize(), std::make_pair(400, 400));
    // The top-left corner lies above every piece of the scene.
    const Screenshot shot = program.waitForScreen([](const Screenshot& s) {
        return s.width == 400 && s.at(2, 2) == SKY;
    });
    EXPECT_EQ(shot.at(2, 2), SKY);
    EXPECT_EQ(shot.at(397, 2), SKY);
    program.key('q');
    EXPECT_EQ(program.waitForExit(), 0);
}

TEST(Window, HelpKeyPrintsTheHelpTextByteForByte) {
    XvfbServer server;
    Program program(server);
    ASSERT_TRUE(program.waitForWindow());
    program.key('h');
    ASSERT_TRUE(program.waitForOutput(HELP_END));
    program.key('q');
    EXPECT_EQ(program.waitForExit(), 0);
    const std::string out = program.standardOutput();
    const std::string helpText = consoleText(HELP_TEXT);
    const size_t help = out.find(helpText);
    ASSERT_NE(help, std::string::npos) << out;
    // Nothing but the loader's lines comes before it, and nothing after it.
    EXPECT_EQ(out.size(), help + helpText.size()) << out;
}

TEST(Window, BothQuitKeysEndWithStatusZero) {
    for (char key : {'q', 'Q'}) {
        XvfbServer server;
        Program program(server);
        ASSERT_TRUE(program.waitForWindow());
        program.key(key);
        EXPECT_EQ(program.waitForExit(), 0) << key;
    }
}

TEST(Window, TraceShowsTheClearColourFixedStateAndFirstProjection) {
    XvfbServer server;
    Options options;
    options.trace = true;
    Program program(server, options);
    ASSERT_TRUE(program.waitForWindow(Seconds(30)));
    program.waitForScreen([](const Screenshot& s) { return s.width > 0 && s.at(2, 2) == SKY; });
    program.key('q');
    ASSERT_EQ(program.waitForExit(Seconds(30)), 0);
    const std::vector<std::string> calls = program.traceCalls();
    ASSERT_FALSE(calls.empty()) << "no trace";
    EXPECT_TRUE(anyLineHas(calls, "glClearColor(red = 0, green = 0.5, blue = 1, alpha = 1)"));
    EXPECT_TRUE(anyLineHas(calls, "glEnable(cap = GL_DEPTH_TEST)"));
    EXPECT_TRUE(anyLineHas(calls, "glEnable(cap = GL_BLEND)"));
    EXPECT_TRUE(anyLineHas(calls, "glOrtho(left = -2, right = 2, bottom = -2, top = 2, zNear = -2, zFar = 2)"));
    EXPECT_TRUE(anyLineHas(calls, "glViewport(x = 0, y = 0, width = 412, height = 412)"));
}

}  // namespace

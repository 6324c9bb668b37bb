// The harness that drives the real program: a private Xvfb, the program in a
// scratch working directory with the data files, real input through XTest,
// window pixels through XGetImage, and apitrace for GL call traces. For the
// end-to-end tests, the frame lab, the soaks, the package checks and the
// benchmarks.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/program_vocabulary.h"
#include "tests/support/scratch_dir.h"

namespace e2e {

using Seconds = std::chrono::duration<double>;

// An X server of our own on the first free display number; stopped on destruction.
class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    const std::string& displayName() const { return name_; }
    Display* display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string name_;
    Display* display_ = nullptr;
};

struct Screenshot {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // rows top-down, 3 bytes a pixel
    Rgb at(int x, int y) const;
    bool operator==(const Screenshot& o) const {
        return width == o.width && height == o.height && rgb == o.rgb;
    }
    // True when every pixel has the same colour (an undrawn window, say).
    bool isUniform() const;
    // Pixels whose colour differs from `colour`.
    int countNot(Rgb colour) const;
    // Writes a PNG (through a PPM and ImageMagick's convert) for a person to look at.
    void save(const std::string& pngPath) const;
};

struct Options {
    // Files to put into the working directory besides the program's data files,
    // or to replace them; an empty optional removes the data file of that name.
    std::map<std::string, std::optional<std::string>> files;
    std::vector<std::string> env;   // extra NAME=value entries
    std::vector<std::string> args;  // command-line arguments
    bool trace = false;             // run under apitrace
    // Runs on the working directory after the files are in place and before
    // the program starts: for what `files` cannot make (links, folders).
    std::function<void(const std::string& dir)> prepare;
    // A command to start instead of the build's program (an installed
    // launcher, say), in an empty working directory: no data files are copied.
    std::string program;
};

// One run of the real program on a server.
class Program {
public:
    Program(XvfbServer& server, Options options = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Waits for the window titled "Water Fall" to be mapped and moves it fully
    // on screen if it is not; false on timeout.
    bool waitForWindow(Seconds timeout = Seconds(20));
    Window window() const { return window_; }
    // The window's size as X sees it.
    std::pair<int, int> windowSize() const;

    void key(char character);
    // Any key by its X name (XK_F1, XK_comma, ...), with Shift held if asked.
    void keySym(KeySym sym, bool shifted = false);
    void typeText(const std::string& text, Seconds gap = Seconds(0.02));
    void moveTo(int x, int y);  // window coordinates
    void press(int button);
    void release(int button);
    void drag(int button, int x0, int y0, int x1, int y1, int steps = 8);
    void resize(int width, int height);

    // The pop-up menus that exist: freeglut gives each GLUT menu an X window
    // of its own, named "freeglut menu", mapped only while the menu is open.
    std::vector<Window> menuWindows() const;
    // The open menu's window, or 0.
    Window openMenu() const;
    // A menu pick by dragging: presses the right button with the pointer at
    // (x, y) in the window and waits for the menu to open; its window, or 0
    // on timeout.
    Window pressForMenu(int x = 40, int y = 40, Seconds timeout = Seconds(10));
    // Releases the right button over entry `entry` (from 0) of the open
    // menu's `entries`; false if the menu did not close in time.
    bool releaseOnEntry(Window menu, int entry, int entries, Seconds timeout = Seconds(10));
    // A menu pick by clicking, the way that works under Wine too: clicks the
    // right button at (x, y) in the window, waits for the menu to open there,
    // clicks the left button on the entry and waits for the menu to close;
    // false if either did not happen in time. (Under Wine, X's grab sends
    // the release that ends a drag to the main window, and freeglut measures
    // it from where Wine believes that window's client area lies: Wine 10
    // does not follow a window moved without a window manager, and the pick
    // lands a title bar's height too high.)
    bool chooseMenuEntry(int entry, int entries, int x = 40, int y = 40);

    Screenshot screenshot() const;
    // What the user sees where the window is, pop-up menus included (the
    // window's own image leaves what covers it black).
    Screenshot screenArea() const;
    // Takes screenshots until `ready` holds for one; returns the last one taken.
    Screenshot waitForScreen(const std::function<bool(const Screenshot&)>& ready,
                             Seconds timeout = Seconds(20)) const;
    // Waits until two screenshots `gap` apart agree, and returns that picture.
    Screenshot waitForStill(Seconds gap = Seconds(0.5), Seconds timeout = Seconds(30)) const;

    // Waits for the process to end; its exit status, or -1 on timeout or signal.
    int waitForExit(Seconds timeout = Seconds(20));
    bool running();
    std::string standardOutput() const;
    std::string standardError() const;
    // Waits until standard output holds `text`; false on timeout.
    bool waitForOutput(const std::string& text, Seconds timeout = Seconds(20)) const;
    const std::string& workDir() const { return dir_; }
    // The trace as `apitrace dump` prints it: one call a line.
    std::vector<std::string> traceCalls() const;
    // The process's resident size in KiB, read from /proc.
    long residentKiB() const;
    // CPU time the process has used so far, every thread, user and system,
    // read from /proc (utime + stime).
    Seconds cpuTime() const;
    // Waits for `wall` and returns the CPU time the process used meanwhile,
    // as a share of one core (1.0: one core busy all the time).
    double coreShareOver(Seconds wall) const;
    pid_t pid() const { return pid_; }

private:
    void sync() const;
    bool waitForMenuToOpen(Seconds timeout) const;
    bool waitForMenuToClose(Seconds timeout) const;
    // Moves the pointer to the middle of entry `entry` of `menu`'s `entries`.
    bool pointAtEntry(Window menu, int entry, int entries);
    XvfbServer& server_;
    ScratchDir scratch_;
    std::string dir_;  // scratch_'s path
    pid_t pid_ = -1;
    int status_ = -1;
    bool exited_ = false;
    Window window_ = 0;
};

// The pixels of a rectangle of `source` (a window or the root), top-down.
Screenshot grab(Display* d, Window source, int x, int y, int width, int height);

// The program under test and its data folder: the build's own, or another
// build's named by WATERFALL_E2E_PROGRAM and WATERFALL_E2E_DATA, started
// through WATERFALL_E2E_LAUNCHER where it needs one (wine for a .exe).
std::string programPath();
std::string dataDir();
// True when the runner says the program under test is the Windows build:
// WATERFALL_E2E_PLATFORM=windows (linux, the default, otherwise).
bool windowsProgram();
// `text` as the program writes it to its console: Windows' ends its lines
// with CR LF.
std::string consoleText(const std::string& text);
std::string readFile(const std::string& path);
void sleepFor(Seconds s);

}  // namespace e2e

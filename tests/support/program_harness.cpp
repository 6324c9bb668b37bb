// The harness that drives the real program (see program_harness.h).
#include "tests/support/program_harness.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace e2e {

namespace {

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

// A test process that dies (a crash, a timeout's kill) takes its server and
// program with it instead of leaving them spinning on the machine.
void endWithTheTestProcess() {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
}

// Starts a program with its arguments; standard output and error go to files.
pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env,
            const std::string& dir, const std::string& out, const std::string& err) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    endWithTheTestProcess();
    if (!dir.empty() && chdir(dir.c_str()) != 0) _exit(127);
    const int devNull = open("/dev/null", O_RDONLY);
    dup2(devNull, 0);
    const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(outFd, 1);
    dup2(errFd, 2);
    for (const std::string& entry : env) putenv(strdup(entry.c_str()));
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

Window findWindow(Display* display, Window root) {
    Window parent, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            if (std::strcmp(name, WINDOW_TITLE) == 0) {
                XWindowAttributes attributes;
                XGetWindowAttributes(display, children[i], &attributes);
                if (attributes.map_state == IsViewable) found = children[i];
            }
            XFree(name);
        }
        if (!found) found = findWindow(display, children[i]);
    }
    if (children) XFree(children);
    return found;
}

std::string settingOr(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

// The words of WATERFALL_E2E_LAUNCHER, split at blanks: none by default.
std::vector<std::string> launcher() {
    std::istringstream words(settingOr("WATERFALL_E2E_LAUNCHER", ""));
    std::vector<std::string> argv;
    for (std::string word; words >> word;) argv.push_back(word);
    return argv;
}

// X errors (a window that has just gone, say) are the test's to judge, not
// a reason to end the test process.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

}  // namespace

void sleepFor(Seconds s) { std::this_thread::sleep_for(s); }

std::string programPath() { return settingOr("WATERFALL_E2E_PROGRAM", WATERFALL_PROGRAM); }
std::string dataDir() { return settingOr("WATERFALL_E2E_DATA", WATERFALL_DATA_DIR); }

bool windowsProgram() {
    const std::string platform = settingOr("WATERFALL_E2E_PLATFORM", "linux");
    if (platform != "linux" && platform != "windows") {
        throw std::runtime_error("WATERFALL_E2E_PLATFORM is linux or windows, not " + platform);
    }
    return platform == "windows";
}

std::string consoleText(const std::string& text) {
    if (!windowsProgram()) return text;
    std::string crlf;
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return crlf;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// ---- XvfbServer --------------------------------------------------------

XvfbServer::XvfbServer() {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ == 0) {
        endWithTheTestProcess();
        close(fds[0]);
        const int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, 1);
        dup2(devNull, 2);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not start (is it installed?)");
    name_ = ":" + number;
    XSetErrorHandler(ignoreXError);
    for (int i = 0; i < 100 && !display_; ++i) {
        display_ = XOpenDisplay(name_.c_str());
        if (!display_) sleepFor(Seconds(0.05));
    }
    if (!display_) throw std::runtime_error("cannot open " + name_);
}

XvfbServer::~XvfbServer() {
    if (display_) XCloseDisplay(display_);
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

// ---- Screenshot --------------------------------------------------------

Rgb Screenshot::at(int x, int y) const {
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

bool Screenshot::isUniform() const {
    return width > 0 && countNot(at(0, 0)) == 0;
}

int Screenshot::countNot(Rgb colour) const {
    int count = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) count += at(x, y) != colour;
    return count;
}

void Screenshot::save(const std::string& pngPath) const {
    const std::string ppm = pngPath + ".ppm";
    {
        std::ofstream out(ppm, std::ios::binary);
        out << "P6\n" << width << " " << height << "\n255\n";
        out.write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
    }
    const std::string command = "convert '" + ppm + "' '" + pngPath + "' 2>/dev/null";
    if (std::system(command.c_str()) == 0) std::remove(ppm.c_str());
}

// ---- Program -----------------------------------------------------------

Program::Program(XvfbServer& server, Options options)
    : server_(server), scratch_("e2e"), dir_(scratch_.path()) {
    // The data files the build made, then the test's own changes.
    if (options.program.empty() && !copyFiles(dataDir(), dir_)) {
        /* no data files yet: the test decides */
    }
    for (const auto& [name, content] : options.files) {
        const std::string path = dir_ + "/" + name;
        if (content) writeFile(path, *content);
        else std::remove(path.c_str());
    }
    if (options.prepare) options.prepare(dir_);
    std::vector<std::string> argv;
    if (options.trace) {
        argv = {"apitrace", "trace", "--api", "gl", "--output", dir_ + "/run.trace"};
    }
    if (options.program.empty()) {
        const std::vector<std::string> start = launcher();
        argv.insert(argv.end(), start.begin(), start.end());
        argv.push_back(programPath());
    } else {
        argv.push_back(options.program);
    }
    argv.insert(argv.end(), options.args.begin(), options.args.end());
    std::vector<std::string> env = {"DISPLAY=" + server.displayName(), "SDL_AUDIODRIVER=dummy"};
    env.insert(env.end(), options.env.begin(), options.env.end());
    pid_ = spawn(argv, env, dir_, dir_ + "/stdout.txt", dir_ + "/stderr.txt");
}

Program::~Program() {
    if (!exited_ && pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (std::getenv("WATERFALL_E2E_KEEP")) scratch_.keep();
}

bool Program::waitForWindow(Seconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        window_ = findWindow(server_.display(), DefaultRootWindow(server_.display()));
        if (window_) {
            // There is no window manager: place the window fully on screen (GLUT
            // asks for no position and lands at -1, -1) and give it the keyboard.
            // One already on screen stays: Wine places its windows there itself
            // and, from Wine 10 on, would not learn of the move.
            XWindowAttributes attributes;
            XGetWindowAttributes(server_.display(), window_, &attributes);
            if (attributes.x < 0 || attributes.y < 0) XMoveWindow(server_.display(), window_, 0, 0);
            XSetInputFocus(server_.display(), window_, RevertToPointerRoot, CurrentTime);
            sync();
            sleepFor(Seconds(0.1));
            return true;
        }
        if (!running()) return false;
        sleepFor(Seconds(0.05));
    }
    return false;
}

std::pair<int, int> Program::windowSize() const {
    XWindowAttributes attributes;
    XGetWindowAttributes(server_.display(), window_, &attributes);
    return {attributes.width, attributes.height};
}

void Program::sync() const { XSync(server_.display(), False); }

void Program::key(char character) {
    const bool upper = character >= 'A' && character <= 'Z';
    char name[2] = {upper ? static_cast<char>(character - 'A' + 'a') : character, 0};
    KeySym sym = XStringToKeysym(name);
    if (character == ' ') sym = XK_space;
    if (character == 27) sym = XK_Escape;
    keySym(sym, upper);
}

void Program::keySym(KeySym sym, bool shifted) {
    Display* d = server_.display();
    const KeyCode code = XKeysymToKeycode(d, sym);
    const KeyCode shift = XKeysymToKeycode(d, XK_Shift_L);
    if (shifted) XTestFakeKeyEvent(d, shift, True, 0);
    XTestFakeKeyEvent(d, code, True, 0);
    XTestFakeKeyEvent(d, code, False, 0);
    if (shifted) XTestFakeKeyEvent(d, shift, False, 0);
    sync();
}

void Program::typeText(const std::string& text, Seconds gap) {
    for (char c : text) {
        key(c);
        sleepFor(gap);
    }
}

void Program::moveTo(int x, int y) {
    Display* d = server_.display();
    int rootX = 0, rootY = 0;
    Window child;
    XTranslateCoordinates(d, window_, DefaultRootWindow(d), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(d, -1, rootX, rootY, 0);
    sync();
}

void Program::press(int button) {
    XTestFakeButtonEvent(server_.display(), static_cast<unsigned>(button), True, 0);
    sync();
}

void Program::release(int button) {
    XTestFakeButtonEvent(server_.display(), static_cast<unsigned>(button), False, 0);
    sync();
}

void Program::drag(int button, int x0, int y0, int x1, int y1, int steps) {
    moveTo(x0, y0);
    sleepFor(Seconds(0.05));
    press(button);
    for (int i = 1; i <= steps; ++i) {
        sleepFor(Seconds(0.03));
        moveTo(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
    }
    sleepFor(Seconds(0.05));
    release(button);
}

void Program::resize(int width, int height) {
    XResizeWindow(server_.display(), window_, static_cast<unsigned>(width),
                  static_cast<unsigned>(height));
    sync();
}

std::vector<Window> Program::menuWindows() const {
    Display* d = server_.display();
    Window root = DefaultRootWindow(d), parent, *children = nullptr;
    unsigned int count = 0;
    std::vector<Window> menus;
    if (!XQueryTree(d, root, &root, &parent, &children, &count)) return menus;
    for (unsigned int i = 0; i < count; ++i) {
        char* name = nullptr;
        if (XFetchName(d, children[i], &name) && name) {
            if (std::strcmp(name, MENU_WINDOW_NAME) == 0) menus.push_back(children[i]);
            XFree(name);
        }
    }
    if (children) XFree(children);
    return menus;
}

Window Program::openMenu() const {
    for (Window menu : menuWindows()) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(server_.display(), menu, &attributes) &&
            attributes.map_state == IsViewable) {
            return menu;
        }
    }
    return 0;
}

Window Program::pressForMenu(int x, int y, Seconds timeout) {
    moveTo(x, y);
    press(RIGHT_BUTTON);
    if (!waitForMenuToOpen(timeout)) {
        release(RIGHT_BUTTON);
        return 0;
    }
    return openMenu();
}

bool Program::waitForMenuToOpen(Seconds timeout) const {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!openMenu()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        sleepFor(Seconds(0.01));
    }
    return true;
}

bool Program::waitForMenuToClose(Seconds timeout) const {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (openMenu()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        sleepFor(Seconds(0.01));
    }
    return true;
}

bool Program::pointAtEntry(Window menu, int entry, int entries) {
    // The entries share the menu's height evenly but for a thin border, so
    // the middle of an equal share always lies inside the entry.
    Display* d = server_.display();
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, menu, &attributes)) return false;
    const int entryX = attributes.x + attributes.width / 3;
    const int entryY = attributes.y + attributes.height * (2 * entry + 1) / (2 * entries);
    XTestFakeMotionEvent(d, -1, entryX, entryY, 0);
    sync();
    return true;
}

bool Program::releaseOnEntry(Window menu, int entry, int entries, Seconds timeout) {
    if (!pointAtEntry(menu, entry, entries)) return false;
    release(RIGHT_BUTTON);
    return waitForMenuToClose(timeout);
}

bool Program::chooseMenuEntry(int entry, int entries, int x, int y) {
    // The menu opens with its corner under the pointer, so the release
    // there lies on its border and picks nothing.
    moveTo(x, y);
    press(RIGHT_BUTTON);
    release(RIGHT_BUTTON);
    if (!waitForMenuToOpen(Seconds(10))) return false;
    if (!pointAtEntry(openMenu(), entry, entries)) return false;
    press(LEFT_BUTTON);
    release(LEFT_BUTTON);
    return waitForMenuToClose(Seconds(10));
}

Screenshot grab(Display* d, Window source, int x, int y, int width, int height) {
    Screenshot shot;
    XImage* image = XGetImage(d, source, x, y, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image) return shot;
    shot.width = width;
    shot.height = height;
    shot.rgb.resize(static_cast<size_t>(width) * height * 3);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const unsigned long pixel = XGetPixel(image, column, row);
            const size_t i = (static_cast<size_t>(row) * width + column) * 3;
            shot.rgb[i] = static_cast<unsigned char>((pixel & image->red_mask) >> 16);
            shot.rgb[i + 1] = static_cast<unsigned char>((pixel & image->green_mask) >> 8);
            shot.rgb[i + 2] = static_cast<unsigned char>(pixel & image->blue_mask);
        }
    }
    XDestroyImage(image);
    return shot;
}

Screenshot Program::screenshot() const {
    const auto [width, height] = windowSize();
    return grab(server_.display(), window_, 0, 0, width, height);
}

Screenshot Program::screenArea() const {
    Display* d = server_.display();
    const auto [width, height] = windowSize();
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(d, window_, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    return grab(d, DefaultRootWindow(d), x, y, width, height);
}

Screenshot Program::waitForScreen(const std::function<bool(const Screenshot&)>& ready,
                                  Seconds timeout) const {
    const auto end = std::chrono::steady_clock::now() + timeout;
    Screenshot shot = screenshot();
    while (!ready(shot) && std::chrono::steady_clock::now() < end) {
        sleepFor(Seconds(0.1));
        shot = screenshot();
    }
    return shot;
}

Screenshot Program::waitForStill(Seconds gap, Seconds timeout) const {
    const auto end = std::chrono::steady_clock::now() + timeout;
    Screenshot previous = screenshot();
    while (std::chrono::steady_clock::now() < end) {
        sleepFor(gap);
        Screenshot next = screenshot();
        // A window not yet drawn into is one flat colour, and stays so for as
        // long as a slow first frame takes: that is not the still picture.
        if (next == previous && !next.isUniform()) return next;
        previous = std::move(next);
    }
    return previous;
}

bool Program::running() {
    if (exited_) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return false;
    }
    return true;
}

int Program::waitForExit(Seconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (running() && std::chrono::steady_clock::now() < end) sleepFor(Seconds(0.02));
    return exited_ ? status_ : -1;
}

std::string Program::standardOutput() const { return readFile(dir_ + "/stdout.txt"); }
std::string Program::standardError() const { return readFile(dir_ + "/stderr.txt"); }

bool Program::waitForOutput(const std::string& text, Seconds timeout) const {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (standardOutput().find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() >= end) return false;
        sleepFor(Seconds(0.05));
    }
    return true;
}

std::vector<std::string> Program::traceCalls() const {
    const std::string dump = dir_ + "/trace.txt";
    const std::string command = "apitrace dump --color=never '" + dir_ + "/run.trace' > '" +
                                dump + "' 2>/dev/null";
    std::vector<std::string> lines;
    if (std::system(command.c_str()) != 0) return lines;
    std::istringstream in(readFile(dump));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

long Program::residentKiB() const {
    std::istringstream in(readFile("/proc/" + std::to_string(pid_) + "/status"));
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

Seconds Program::cpuTime() const {
    // The command name in parentheses may hold blanks: count the fields after it.
    const std::string stat = readFile("/proc/" + std::to_string(pid_) + "/stat");
    const size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos) return Seconds(0);  // the process is gone
    std::istringstream in(stat.substr(nameEnd + 1));
    std::string field;
    for (int i = 3; i < 14; ++i) in >> field;  // state ... cmajflt
    long long userTicks = 0, systemTicks = 0;
    in >> userTicks >> systemTicks;
    return Seconds(static_cast<double>(userTicks + systemTicks) /
                   static_cast<double>(sysconf(_SC_CLK_TCK)));
}

double Program::coreShareOver(Seconds wall) const {
    const auto start = std::chrono::steady_clock::now();
    const Seconds cpuAtStart = cpuTime();
    sleepFor(wall);
    const Seconds used = cpuTime() - cpuAtStart;
    return used / Seconds(std::chrono::steady_clock::now() - start);
}

}  // namespace e2e

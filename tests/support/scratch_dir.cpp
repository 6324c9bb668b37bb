// Scratch folders (see scratch_dir.h).
#include "tests/support/scratch_dir.h"

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int NAME_ATTEMPTS = 100;  // random names tried before giving up

int processId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

// The folders that exist now, each with the process that made it. A fork()ed
// death test shares its parent's folders and must leave them alone; a
// re-started one (Windows) makes its own and ends through exit(), which runs
// no destructor of the test's objects.
struct LiveFolder {
    std::string path;
    int owner;
};

std::vector<LiveFolder>& liveFolders() {
    static std::vector<LiveFolder> folders;
    return folders;
}

void removeFolder(const std::string& path) {
    std::error_code error;
    // Windows removes no folder that is some process's working directory.
    if (fs::equivalent(fs::current_path(error), path, error)) {
        fs::current_path(fs::temp_directory_path(error), error);
    }
    fs::remove_all(path, error);  // a leftover scratch folder is harmless
}

void removeFoldersLeftAtExit() {
    for (const LiveFolder& folder : liveFolders()) {
        if (folder.owner == processId()) removeFolder(folder.path);
    }
}

void addLiveFolder(const std::string& path) {
    std::vector<LiveFolder>& folders = liveFolders();
    // Registered after the list exists, so it runs before the list goes.
    static const bool registered = std::atexit(removeFoldersLeftAtExit) == 0;
    (void)registered;
    folders.push_back({path, processId()});
}

// Takes the folder off the list; true if this process made it.
bool dropLiveFolder(const std::string& path) {
    std::vector<LiveFolder>& folders = liveFolders();
    const auto found = std::find_if(folders.begin(), folders.end(),
                                    [&](const LiveFolder& f) { return f.path == path; });
    if (found == folders.end()) return false;
    const bool mine = found->owner == processId();
    folders.erase(found);
    return mine;
}

std::string randomSuffix() {
    static std::mt19937_64 random(
        std::random_device{}() ^
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        static_cast<unsigned long long>(processId()));
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(random()));
    return text;
}

}  // namespace

ScratchDir::ScratchDir(const std::string& label) {
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < NAME_ATTEMPTS && path_.empty(); ++attempt) {
        const fs::path candidate = base / ("waterfall-" + label + "-" + randomSuffix());
        std::error_code error;
        // False when the name is taken: then another one.
        if (fs::create_directory(candidate, error)) path_ = candidate.string();
    }
    if (path_.empty()) throw std::runtime_error("cannot make a scratch folder in " + base.string());
    std::error_code error;
    fs::permissions(path_, fs::perms::owner_all, error);  // this user's alone
    addLiveFolder(path_);
}

ScratchDir::~ScratchDir() {
    if (dropLiveFolder(path_) && !kept_) removeFolder(path_);
}

ScratchWorkDir::ScratchWorkDir() : dir_("unit"), previous_(fs::current_path().string()) {
    fs::current_path(dir_.path());
}

ScratchWorkDir::~ScratchWorkDir() {
    std::error_code error;  // the test process ends soon anyway
    fs::current_path(previous_, error);
}

bool copyFiles(const std::string& from, const std::string& to) {
    std::error_code error;
    const fs::directory_iterator files(from, error);
    if (error) return false;
    int copied = 0;
    for (const fs::directory_entry& entry : files) {
        if (!entry.is_regular_file(error)) continue;
        if (!fs::copy_file(entry.path(), fs::path(to) / entry.path().filename(),
                           fs::copy_options::overwrite_existing, error)) {
            return false;
        }
        ++copied;
    }
    return copied > 0;
}

std::FILE* openBytes(const std::string& bytes) {
    static const ScratchDir folder("bytes");
    static int made = 0;
    const std::string path = folder.path() + "/" + std::to_string(++made);
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return std::fopen(path.c_str(), "rb");
}

// Scratch folders for the tests, the frame lab and the benchmarks: a folder
// of their own under the system's temporary folder, gone with everything in
// it when they are done.
#pragma once

#include <cstdio>
#include <string>

class ScratchDir {
public:
    // Makes "waterfall-<label>-<random>" under the temporary folder.
    explicit ScratchDir(const std::string& label);
    // Removes the folder, unless kept. A process that ends through exit()
    // (a death test's child) removes the folders it made as it goes.
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    // Leaves the folder behind, for a person to look into.
    void keep() { kept_ = true; }

private:
    std::string path_;
    bool kept_ = false;
};

// A scratch folder that is the working directory while this object lives.
class ScratchWorkDir {
public:
    ScratchWorkDir();
    ~ScratchWorkDir();
    ScratchWorkDir(const ScratchWorkDir&) = delete;
    ScratchWorkDir& operator=(const ScratchWorkDir&) = delete;
    const std::string& path() const { return dir_.path(); }

private:
    ScratchDir dir_;
    std::string previous_;
};

// Copies the files in `from` (not its folders) into `to`; false when there
// was none or one could not be copied.
bool copyFiles(const std::string& from, const std::string& to);

// A stream that reads `bytes`, for code that reads a FILE*: a file in a
// scratch folder that goes when the process ends. The caller closes it.
std::FILE* openBytes(const std::string& bytes);

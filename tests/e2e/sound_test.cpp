// The looping sound in the real program: SDL's disk driver records what is
// played; a broken or missing sound, or no audio device, changes nothing
// else; and quitting while it plays always ends cleanly.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>

#include "tests/e2e/windows_cases.h"
#include "tests/support/program_harness.h"

namespace {

using namespace e2e;

// The disk driver writes the samples it is given into a file in the working
// directory; with a 1 ms pause per buffer it runs far ahead of real time.
Options diskAudio() {
    Options options;
    options.env = {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=played.raw",
                   "SDL_DISKAUDIODELAY=1"};
    return options;
}

long fileSize(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : -1;
}

// The sample bytes of a WAV file: the contents of its "data" chunk.
std::string wavSamples(const std::string& wav) {
    size_t at = 12;  // after "RIFF", the size and "WAVE"
    while (at + 8 <= wav.size()) {
        const std::string id = wav.substr(at, 4);
        const uint32_t size = static_cast<unsigned char>(wav[at + 4]) |
                              static_cast<unsigned char>(wav[at + 5]) << 8 |
                              static_cast<unsigned char>(wav[at + 6]) << 16 |
                              static_cast<uint32_t>(static_cast<unsigned char>(wav[at + 7])) << 24;
        if (id == "data") return wav.substr(at + 8, size);
        at += 8 + size + (size & 1);
    }
    return {};
}

TEST(Sound, PlaysTheWaveFromTheStartAndLoopsItWithoutAGap) {
    const std::string wav = readFile(dataDir() + "/medium.wav");
    const std::string samples = wavSamples(wav);
    ASSERT_GT(samples.size(), 100000u) << "medium.wav has no samples";
    const size_t frameBytes = static_cast<unsigned char>(wav[32]);  // the header's block alignment
    XvfbServer server;
    Program program(server, diskAudio());
    ASSERT_TRUE(program.waitForWindow(Seconds(30))) << program.standardError();
    const std::string played = program.workDir() + "/played.raw";
    const long wanted = static_cast<long>(samples.size()) * 4;
    const auto end = std::chrono::steady_clock::now() + Seconds(60);
    while (fileSize(played) < wanted && std::chrono::steady_clock::now() < end) {
        sleepFor(Seconds(0.1));
    }
    program.key('q');
    EXPECT_EQ(program.waitForExit(), 0);
    const std::string output = readFile(played);
    ASSERT_GE(output.size(), samples.size() * 4) << "too little was played";
    // SDL opens a device paused and plays silence until the program unpauses
    // it, at once; SDL 2.32's audio thread gets one buffer of it out first
    // (16384 bytes), 2.26's none. Silence before the sound starts is no gap:
    // from then on it must be the wave's first sample onwards, looped.
    const size_t zeros = std::min(output.find_first_not_of('\0'), output.size());
    const size_t waveZeros = std::min(samples.find_first_not_of('\0'), samples.size());
    ASSERT_GE(zeros, waveZeros) << "the wave's first samples were not played";
    const size_t start = zeros - waveZeros;
    EXPECT_EQ(start % frameBytes, 0u) << "the silence before the wave ends inside a sample frame";
    ASSERT_LT(start, samples.size()) << "the sound started after a whole loop's length of silence";
    for (size_t pass = 0; pass < 3; ++pass) {
        EXPECT_TRUE(output.compare(start + pass * samples.size(), samples.size(), samples) == 0)
            << "pass " << pass << " (from byte " << start << ") is not the wave's samples";
    }
    // SDL's notes about its disk driver go to standard error, never to standard output.
    EXPECT_EQ(program.standardOutput(), LOADER_LINES);
}

std::string withField(std::string wav, size_t offset, int value) {
    wav[offset] = static_cast<char>(value & 0xFF);
    wav[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
    return wav;
}

// The headers of the wave with a "data" chunk that holds nothing.
std::string withoutSamples(const std::string& wav) {
    const size_t data = wav.find("data", 12);
    std::string empty = wav.substr(0, data + 8);
    const uint32_t riffSize = static_cast<uint32_t>(empty.size() - 8);
    for (int i = 0; i < 4; ++i) {
        empty[4 + i] = static_cast<char>((riffSize >> (8 * i)) & 0xFF);
        empty[data + 4 + i] = '\0';
    }
    return empty;
}

TEST(Sound, ABrokenOrMissingSoundOrNoDeviceChangesNothingElse) {
    const std::string wav = readFile(dataDir() + "/medium.wav");
    struct Case {
        const char* label;
        Options options;
    };
    Options missing;
    missing.files["medium.wav"] = std::nullopt;
    Options notWave;
    notWave.files["medium.wav"] = std::string(4096, 'x');
    Options truncated;
    truncated.files["medium.wav"] = wav.substr(0, 30);
    Options noChannels;
    noChannels.files["medium.wav"] = withField(wav, 22, 0);
    Options noBlockAlign;
    noBlockAlign.files["medium.wav"] = withField(wav, 32, 0);
    Options empty;
    empty.files["medium.wav"] = std::string();
    Options noSamples;
    noSamples.files["medium.wav"] = withoutSamples(wav);
    Options samplesCutShort;
    samplesCutShort.files["medium.wav"] = wav.substr(0, wav.size() / 2 + 1);
    Options noDevice;
    noDevice.env = {"SDL_AUDIODRIVER=no-such-driver"};
    // glibc's putenv removes a name given without "=": SDL then looks for a
    // real device, and this machine has none.
    Options defaultDevice;
    defaultDevice.env = {"SDL_AUDIODRIVER"};
    const Case cases[] = {{"missing", missing},           {"not a wave", notWave},
                          {"truncated", truncated},       {"no channels", noChannels},
                          {"no block alignment", noBlockAlign}, {"no device", noDevice},
                          {"default device", defaultDevice}, {"empty", empty},
                          {"no samples", noSamples},     {"samples cut short", samplesCutShort}};

    XvfbServer server;
    Screenshot reference;
    {
        Program program(server);
        ASSERT_TRUE(program.waitForWindow(Seconds(30)));
        reference = program.waitForStill();
        program.key('q');
        ASSERT_EQ(program.waitForExit(), 0);
    }
    for (const Case& c : cases) {
        if (!rowApplies(c.label)) continue;
        Program program(server, c.options);
        ASSERT_TRUE(program.waitForWindow(Seconds(30))) << c.label << ": " << program.standardError();
        const Screenshot shot = program.waitForStill();
        EXPECT_TRUE(shot == reference) << c.label << ": the scene differs";
        program.key('h');
        EXPECT_TRUE(program.waitForOutput(HELP_END)) << c.label << ": keys not answered";
        program.key('q');
        EXPECT_EQ(program.waitForExit(), 0) << c.label;
        EXPECT_EQ(program.standardOutput().rfind(consoleText(LOADER_LINES + "\n ****"), 0), 0u)
            << c.label << ": " << program.standardOutput();
    }
}

TEST(Sound, FiftyStartAndQuitCyclesWhilePlayingAllEndWithStatusZero) {
    XvfbServer server;
    for (int cycle = 0; cycle < 50; ++cycle) {
        Program program(server, diskAudio());
        ASSERT_TRUE(program.waitForWindow(Seconds(30))) << "cycle " << cycle;
        const std::string played = program.workDir() + "/played.raw";
        const auto end = std::chrono::steady_clock::now() + Seconds(10);
        while (fileSize(played) <= 0 && std::chrono::steady_clock::now() < end) {
            sleepFor(Seconds(0.02));
        }
        EXPECT_GT(fileSize(played), 0) << "cycle " << cycle << ": nothing played";
        program.key(cycle % 2 ? 'Q' : 'q');
        EXPECT_EQ(program.waitForExit(), 0) << "cycle " << cycle << ": " << program.standardError();
    }
}

TEST(Sound, InterruptAndTerminateStillEndTheProgramWhileItPlays) {
    XvfbServer server;
    for (int signal : {SIGINT, SIGTERM}) {
        Program program(server, diskAudio());
        ASSERT_TRUE(program.waitForWindow(Seconds(30)));
        const std::string played = program.workDir() + "/played.raw";
        const auto end = std::chrono::steady_clock::now() + Seconds(10);
        while (fileSize(played) <= 0 && std::chrono::steady_clock::now() < end) {
            sleepFor(Seconds(0.02));
        }
        ASSERT_GT(fileSize(played), 0) << "nothing played";
        kill(program.pid(), signal);
        program.waitForExit(Seconds(10));
        EXPECT_FALSE(program.running()) << "signal " << signal << " did not end the program";
    }
}

}  // namespace

// The recording stand-in's winmm call: PlaySoundA, with its flags by name.
#include "tests/support/standin_exports.h"

#include <cstdio>
#include <string>
#include <utility>

#include "tests/support/call_record.h"

using namespace recorder;

namespace {

Arg soundFlags(DWORD flags) {
    static const std::pair<DWORD, const char*> names[] = {
        {SND_ASYNC, "SND_ASYNC"}, {SND_NODEFAULT, "SND_NODEFAULT"}, {SND_MEMORY, "SND_MEMORY"},
        {SND_LOOP, "SND_LOOP"}, {SND_NOSTOP, "SND_NOSTOP"}, {SND_NOWAIT, "SND_NOWAIT"},
        {SND_ALIAS, "SND_ALIAS"}, {SND_FILENAME, "SND_FILENAME"}, {SND_RESOURCE, "SND_RESOURCE"},
    };
    std::string text;
    DWORD rest = flags;
    for (const auto& [flag, name] : names) {
        if ((flags & flag) != flag) continue;
        text += (text.empty() ? "" : " | ") + std::string(name);
        rest &= ~flag;
    }
    if (rest != 0 || text.empty()) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%lX", static_cast<unsigned long>(rest));
        text += (text.empty() ? "" : " | ") + std::string(hex);
    }
    return {text, {static_cast<double>(flags)}, {}, false};
}

}  // namespace

STANDIN_API BOOL WINAPI PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags) {
    record("PlaySoundA", {sound ? str(sound) : pointer(nullptr),
                          pointer(reinterpret_cast<const void*>(module)), soundFlags(flags)});
    return TRUE;
}

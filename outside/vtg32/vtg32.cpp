// The timing-card library stand-in: the C exports over the emulated cards.
#include "vtg32.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "outside/vtg32/timing_card.h"

namespace {

vtg32::TimingCards& cards() {
    static vtg32::TimingCards c;
    return c;
}

void logLine(const std::string& line) {
    const char* path = std::getenv("VTG32_LOG");
    if (!path || !*path) return;
    if (FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

int16_t load(int32_t handle, vtg32::FileKind kind, const char* path) {
    static const char* const names[] = {"tim", "pic", "col"};
    const char* name = names[static_cast<int>(kind)];
    if (!path) {
        logLine(std::string(name) + " (no path) 1 (missing)");
        return 1;
    }
    const std::string file(path, strnlen(path, 4096));
    std::string why;
    const int result = cards().load(handle, kind, file, &why);
    logLine(std::string(name) + " " + file + " " + std::to_string(result) + (result ? " (" + why + ")" : ""));
    return static_cast<int16_t>(result);
}

} // namespace

extern "C" {

int32_t VTG_OpenCard(int32_t card) {
    try {
        const char* present = std::getenv("VTG32_CARDS");
        cards().setPresent(present && *present ? std::atoi(present) : 1);
        const int32_t handle = cards().open(card);
        logLine("open " + std::to_string(card) + " " + std::to_string(handle));
        return handle;
    } catch (...) {
        return -1;
    }
}

int32_t VTG_CloseCard(int32_t handle) {
    try {
        const int32_t result = cards().close(handle);
        logLine("close " + std::to_string(handle) + " " + std::to_string(result));
        return result;
    } catch (...) {
        return 1;
    }
}

int16_t VTGFile_tim(int32_t handle, const char* path) {
    try {
        return load(handle, vtg32::FileKind::Timing, path);
    } catch (...) {
        return 1;
    }
}

int16_t VTGFile_pic(int32_t handle, const char* path) {
    try {
        return load(handle, vtg32::FileKind::Picture, path);
    } catch (...) {
        return 1;
    }
}

int16_t VTGFile_col(int32_t handle, const char* path) {
    try {
        return load(handle, vtg32::FileKind::Colour, path);
    } catch (...) {
        return 1;
    }
}

} // extern "C"

// The whole model chain through a station folder: model file, chassis file,
// standard file and link description, each found by the name the file before
// it holds, the link description loaded into a monitor link, then the
// model's register sequences run against a monitor that answers with the
// rest of the input, on a clock that never sleeps.
//
// Input: the ECS type byte, the model file name, then four parts of (file
// name, file bytes), then the monitor's answers (one chunk per frame).
// Checks: no name read from a file reaches a file outside the data folder.
#include <strings.h>

#include <cctype>
#include <filesystem>
#include <string>

#include "core/fake_ui.h"
#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/monitor_script.h"
#include "fuzz/support/scratch.h"
#include "fuzz/support/scripted_device.h"
#include "link/ecs_link.h"
#include "modeldb/model_file.h"
#include "platform/clock.h"

namespace {

fuzz::Input* current = nullptr;

std::string text(const std::optional<fuzz::Bytes>& b) { return b ? std::string(b->begin(), b->end()) : ""; }

// Only plain names are written, so the harness itself never writes outside
// its folder whatever the input says.
bool plainName(const std::string& name) {
    if (name.empty() || name.size() > 15 || name == "." || name == ".." || strcasecmp(name.c_str(), "data") == 0)
        return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '-') return false;
    return true;
}

std::string dataFolder() { return (std::filesystem::path(fuzz::scratchFolder()) / "data").lexically_normal().string(); }

bool insidePath(const std::filesystem::path& path) {
    const std::string r = path.lexically_normal().string(), d = dataFolder() + "/";
    return r.compare(0, d.size(), d) == 0;
}

// Whether `name`, resolved below the data folder with either separator,
// stays inside it.
bool insideDataFolder(const std::string& name) {
    std::string relative = name;
    for (char& c : relative)
        if (c == '\\') c = '/';
    return insidePath(std::filesystem::path(dataFolder()) / relative);
}

void mustStayInside(const std::string& name) {
    if (!name.empty() && !insideDataFolder(name)) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = [] {
        fuzz::registerScriptedDevice("fuzz-chain-1", &current, fuzz::Framing::EcsType1, 1);
        fuzz::registerScriptedDevice("fuzz-chain-2", &current, fuzz::Framing::EcsType2, 1);
        return true;
    }();
    (void)registered;
    fuzz::Input in(data, size);
    const int type = (in.byte() & 1) ? 2 : 1;
    const std::string modelFile = text(in.part());

    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(fuzz::scratchFolder(), ec))
        std::filesystem::remove_all(entry.path(), ec);
    for (int i = 0; i < 4; ++i) {
        const std::string name = text(in.part());
        const std::optional<fuzz::Bytes> bytes = in.part();
        if (!plainName(name) || !bytes) continue;
        fuzz::placeFile("data/" + name, bytes);
        fuzz::placeFile(name, bytes);  // a decoy outside the data folder, for names that climb out

    }

    current = &in;
    core::FakeUi ui;
    platform::FakeClock clock;
    ecs::EcsLink link(type == 1 ? "sim:fuzz-chain-1" : "sim:fuzz-chain-2", ui, clock);
    link.setEcsType(type);
    modeldb::ModelData model;
    modeldb::loadModel(model, fuzz::scratchFolder(), modelFile, ui, [&](const std::string& path) {
        if (!path.empty() && !insidePath(path)) __builtin_trap();
        return link.loadLinkDescription(path);
    });
    mustStayInside(model.modelFile);
    mustStayInside(model.chassisFile);
    mustStayInside(model.standardFile);
    mustStayInside(model.linkDescriptionFile);

    fuzz::runModelSequences(link, model);
    current = nullptr;
    return 0;
}

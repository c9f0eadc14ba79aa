#include "kit/demo_station.h"

#include <cstdio>
#include <vector>

#include "kit/demo_sg.h"
#include "kit/model_kit.h"
#include "kit/prc_file.h"
#include "modeldb/chassis_layout.h"

namespace kit {
namespace {

// Register codes of the demo's link description: block << 8 | index.
namespace code {
constexpr int16_t kTimer = 0x0001, kServiceMode = 0x0002, kKey = 0x0003, kPower = 0x0004;
constexpr int16_t kHSize = 0x0100, kHPosition = 0x0101, kVSize = 0x0102, kVPosition = 0x0103;
constexpr int16_t kBrightness = 0x0104, kContrast = 0x0105;
constexpr int16_t kUserSave = 0x0200, kColorSave = 0x0201, kAudioSave = 0x0202, kAbl = 0x0203;
constexpr int16_t kServiceSave = 0x0204, kRestore = 0x0205, kDegauss = 0x0206, kAging = 0x0207;
constexpr int16_t kMonitorId = 0x0208, kFactoryId = 0x0209;  // and the three after it
constexpr int16_t kFailureA = 0x020D, kFailureB = 0x020E, kUmt = 0x020F, kEUmt = 0x0210;
constexpr int16_t kHFrequency = 0x0300, kVFrequency = 0x0301;
constexpr int16_t kSyncPolarity = 0x0400, kModeNumber = 0x0401, kNUser = 0x0402, kNFact = 0x0403;
constexpr int16_t kElapsedHigh = 0x0404, kElapsedLow = 0x0405;
constexpr int16_t kSyncKind = 0x0406, kHPolarity = 0x0407, kVPolarity = 0x0408;
} // namespace code

// Single-register commands of one ECS type (formats 1 and 2), and block
// commands of two bytes for the frequency registers (formats 3 and 4).
LinkDescription demoLink(int ecsType)
{
    LinkDescription d;
    d.formats.resize(5);
    if (ecsType == 1) {
        d.formats[1] = {"READ", {0x72, 0x1000, 0x4000, 255}, {0x73, 0x2000 + 2, 255}, 0};
        d.formats[2] = {"WRITE", {0x74, 0x1000, 0x4000, 0x2000 + 2, 255}, {0x75, 255}, 0};
        d.formats[3] = {"READ2", {0x76, 0x1000, 0x4000, 255}, {0x77, 0x2000 + 4, 255}, 1};
        d.formats[4] = {"WRITE2", {0x78, 0x1000, 0x4000, 0x2000 + 4, 255}, {0x79, 255}, 1};
    } else {
        d.formats[1] = {"READ", {0x55, 0x05, 0x1000, 0x4000, 0x8000}, {0x56, 0x04, 0x2000 + 1, 0x8000}, 0};
        d.formats[2] = {"WRITE", {0x57, 0x06, 0x1000, 0x4000, 0x2000 + 1, 0x8000}, {0x58, 0x03, 0x8000}, 0};
        d.formats[3] = {"READ2", {0x59, 0x05, 0x1000, 0x4000, 0x8000}, {0x5A, 0x05, 0x2000 + 2, 0x8000}, 1};
        d.formats[4] = {"WRITE2", {0x5B, 0x07, 0x1000, 0x4000, 0x2000 + 2, 0x8000}, {0x5C, 0x03, 0x8000}, 1};
    }
    d.groups.resize(7);
    d.groups[1] = {"GEOMETRY", 0, 0, 0, 0x01, 255, 0};
    d.groups[2] = {"SERVICE", 0, 0, 0, 0x05, 255, 0};
    d.groups[3] = {"FREQUENCY", 0, 4, 0, 0x06, 0xFFFF, 0};  // two bytes, high first
    d.groups[4] = {"STATUS", 0, 0, 0, 0x07, 255, 0};
    d.groups[5] = {"CENTRE", 0, 0, 0, 0x01, 31, -32};        // signed bytes beside the geometry
    d.groups[6] = {"IDENT", 0, 4, 0, 0x08, 0xFFFF, 0};       // two-byte identifiers
    auto reg = [](const char* name, int group, uint8_t address) {
        kit::RegisterRecord r;
        r.name = name;
        r.writeFormat = 2;
        r.writeAddress = address;
        r.readFormat = 1;
        r.readAddress = address;
        r.group = static_cast<int8_t>(group);
        return r;
    };
    auto wide = [](const char* name, uint8_t address, int8_t group = 3) {
        kit::RegisterRecord r;
        r.name = name;
        r.writeFormat = 4;
        r.writeAddress = address;
        r.readFormat = 3;
        r.readAddress = address;
        r.group = group;
        return r;
    };
    kit::RegisterRecord reserved;
    reserved.name = "Reserved";
    kit::RegisterRecord timer;
    timer.name = "Timer";
    // Block 0: service registers (code 0 ends register lists, so it holds a
    // pseudo-register); 1: geometry and picture; 2: the service screens'
    // registers (the identifiers two bytes wide); 3: the measured
    // frequencies; 4: mode and sync status.
    d.blocks = {{5, "SERVICE"}, {6, "GEOMETRY"}, {17, "SPECIAL"}, {2, "FREQUENCY"}, {9, "STATUS"}};
    d.registers = {reserved,
                   timer,
                   reg("ServiceMode", 2, 0x30),
                   reg("!Key", 2, 0x31),
                   reg("Power", 2, 0x32),
                   reg("H-Size", 1, 0x00),
                   reg("H-Position", 5, 0x01),
                   reg("V-Size", 1, 0x02),
                   reg("V-Position", 5, 0x03),
                   reg("Brightness", 1, 0x04),
                   reg("Contrast", 1, 0x05),
                   reg("U_save", 2, 0x40),
                   reg("C_save", 2, 0x41),
                   reg("A_save", 2, 0x42),
                   reg("ABL", 2, 0x43),
                   reg("S_save", 2, 0x44),
                   reg("Restore", 2, 0x45),
                   reg("Degauss", 2, 0x46),
                   reg("Aging", 2, 0x47),
                   wide("MonitorID", 0x00, 6),
                   wide("FactID0", 0x02, 6),
                   wide("FactID1", 0x04, 6),
                   wide("FactID2", 0x06, 6),
                   wide("FactID3", 0x08, 6),
                   reg("Fail_A", 2, 0x4D),
                   reg("Fail_B", 2, 0x4E),
                   reg("UMT", 2, 0x4F),
                   reg("E_umt", 2, 0x50),
                   wide("H-Freq", 0x00),
                   wide("V-Freq", 0x02),
                   reg("SyncPol", 4, 0x00),
                   reg("ModeNo", 4, 0x01),
                   reg("N_User", 4, 0x02),
                   reg("N_Fact", 4, 0x03),
                   reg("TotTmrH", 4, 0x04),
                   reg("TotTmrL", 4, 0x05),
                   reg("SyncKind", 4, 0x06),
                   reg("H-Pol", 4, 0x07),
                   reg("V-Pol", 4, 0x08)};
    return d;
}

struct DemoModel {
    kit::DbModel db;
    std::string chassis;
};

// The preset timings of every demo model. The monitor's own mode table
// (demoMonitorModes) lists the first four in the same order, then a mode
// the models do not list, then the fifth: choosing "720x400@70" on the
// factory preset screen shows the mode check failing.
std::vector<kit::Timing> demoPresets()
{
    return {kit::makeTiming("640x480@60", 640, 480, 800, 525, 31.469f, 59.94f),
            kit::makeTiming("800x600@75", 800, 600, 1056, 625, 46.875f, 75.0f),
            kit::makeTiming("1024x768@85", 1024, 768, 1376, 808, 68.677f, 85.0f),
            kit::makeTiming("1280x1024@60", 1280, 1024, 1688, 1066, 63.981f, 60.02f),
            kit::makeTiming("720x400@70", 720, 400, 900, 449, 31.469f, 70.087f)};
}

struct MonitorMode {
    float hKHz;
    float vHz;
};

std::vector<MonitorMode> demoMonitorModes()
{
    const std::vector<kit::Timing> presets = demoPresets();
    std::vector<MonitorMode> modes;
    for (size_t i = 0; i < 4; ++i) modes.push_back({presets[i].hFrequency, presets[i].vFrequency});
    modes.push_back({37.861f, 72.809f});  // 640x480@72
    modes.push_back({presets[4].hFrequency, presets[4].vFrequency});
    return modes;
}

bool writeChain(const std::string& data, const DemoModel& m)
{
    kit::ModelFile f;
    f.chassisFile = m.chassis;
    f.presets = demoPresets();
    f.avPresets = {kit::makeTiming("AV 480p", 720, 480, 858, 525, 31.469f, 59.94f),
                   kit::makeTiming("AV 576p", 720, 576, 864, 625, 31.25f, 50.0f)};
    f.adjustTimings = {kit::makeTiming("ADJ 1024x768", 1024, 768, 1344, 806, 48.363f, 60.0f)};
    f.primeMode = 3;
    f.adjustProcedures = {"GEOMETRY", "WHITEBAL"};
    f.touchUpProcedures = {"TOUCH"};
    f.umtNumber = 0;
    return kit::writeFile(data + "/" + m.db.fileStem + ".mdl", kit::modelFile(f));
}

bool writeChassis(const std::string& data, const std::string& name, const std::string& standard)
{
    kit::ChassisFile c;
    c.standardFile = standard;
    using namespace modeldb::chassis;
    c.timingRegisters = {code::kSyncKind, code::kHPolarity, code::kVPolarity, code::kHFrequency, code::kVFrequency};
    c.specialRegisters = {
        {kUserSave, code::kUserSave},       {kColorSave, code::kColorSave},   {kAudioSave, code::kAudioSave},
        {kNFact, code::kNFact},             {kAbl, code::kAbl},               {kHFrequency, code::kHFrequency},
        {kNUser, code::kNUser},             {kVFrequency, code::kVFrequency}, {kSyncPolarity, code::kSyncPolarity},
        {kModeNumber, code::kModeNumber},   {kServiceSave, code::kServiceSave}, {kMonitorId, code::kMonitorId},
        {kFactoryId, code::kFactoryId},     {kRestore, code::kRestore},       {kDegauss, code::kDegauss},
        {kEUmt, code::kEUmt},               {kAging, code::kAging},           {kElapsedHigh, code::kElapsedHigh},
        {kElapsedLow, code::kElapsedLow},   {kPower, code::kPower},           {kKey, code::kKey},
        {kUmt, code::kUmt}};
    const int16_t presets[kFactoryPresetCount] = {code::kHSize, code::kHPosition, code::kVSize, code::kVPosition,
                                                  code::kBrightness, code::kContrast, 0, 0};
    for (size_t i = 0; i < kFactoryPresetCount; ++i)
        if (presets[i] != 0) c.specialRegisters.push_back({kFactoryPresets + 2 * i, presets[i]});
    c.factoryPreset = 1;
    c.maintenance = 1;
    c.showDegauss = c.showAging = c.showPower = 1;
    c.failure = 1;
    c.polarityGroup = 1;
    c.failureTable = {{code::kFailureA, {"H-Deflection", "V-Deflection", "High Voltage", "", "Power Supply", "", "", "EEPROM"}},
                      {code::kFailureB, {"Video", "Sync Input", "", "", "", "", "", "Fan"}}};
    c.linkedRegisters = {{code::kBrightness, code::kContrast}};
    c.entryList = {{0x0002, 1}, {0x0001, 2}};  // service mode on, then wait 200 ms
    c.exitList = {{0x0002, 0}};
    c.procedureFolder = "PRC";
    c.settleWait = 5;
    return kit::writeFile(data + "/" + name, kit::chassisFile(c));
}

bool writeStandard(const std::string& data, const std::string& name, const std::string& link)
{
    kit::StandardFile s;
    s.startList = {{0x0002, 1}};
    s.endList = {{0x0002, 0}};
    kit::DataGroupRecord g;
    g.name = "GEOMETRY";
    g.page = 1;
    g.items = {{0, 0}, {1, 0}, {2, 0}, {3, 0}};
    kit::DataGroupRecord p;
    p.name = "PICTURE";
    p.page = 1;
    p.items = {{4, 0}, {5, 0}};
    s.groups = {g, p};
    s.linkDescriptionFile = link;
    return kit::writeFile(data + "/" + name, kit::standardFile(s));
}

// The demo models' procedures, in the chassis's procedure folder "PRC":
// the adjustment list GEOMETRY and WHITEBAL, the touch-up list TOUCH.
bool writeProcedures(const std::string& home)
{
    using procedure::prc::Operand;
    constexpr int32_t kOk = 1, kCancel = 2, kReadjust = 3;
    constexpr int32_t kConnectText = 0x4101, kHSizeText = 0x4102, kFinishedText = 0x4103, kWhiteText = 0x4201;
    auto step = [](const char* name, uint8_t kind) {
        kit::PrcStepSpec s;
        s.name = name;
        s.kind = kind;
        return s;
    };
    const std::string folder = home + "/PELARO/PRC/";
    const std::vector<int32_t> geometry = {code::kHSize, code::kHPosition, code::kVSize, code::kVPosition};

    kit::PrcFileSpec g;
    g.title = "Geometry adjustment";
    g.endStep = 7;
    g.steps.push_back(step("Connect", 2).with(Operand::Messages, {kConnectText}).with(Operand::Keys, {kOk}));
    g.steps.back().signal = 1;
    g.steps.back().pattern = 0;
    g.steps.push_back(step("Keep geometry", 15).with(Operand::Registers, geometry));
    g.steps.push_back(step("Read geometry", 16));
    g.steps.push_back(step("Size and position", 1)
                          .with(Operand::Sliders, geometry)
                          .with(Operand::Messages, {kHSizeText})
                          .with(Operand::Keys, {kOk, kCancel, kReadjust})
                          .with(Operand::Jumps, {0, 0, 4}));
    g.steps.back().signal = 3;
    g.steps.back().waitCode = 20;
    g.steps.push_back(step("User save", 4));
    g.steps.push_back(step("Finished", 2).with(Operand::Messages, {kFinishedText}).with(Operand::Keys, {kOk}));

    kit::PrcFileSpec w;
    w.title = "White balance";
    w.endStep = 7;
    w.steps.push_back(step("Read picture", 7)
                          .with(Operand::Registers, {code::kBrightness, code::kContrast})
                          .with(Operand::Variables, {1, 2}));
    w.steps.back().pattern = 2;
    w.steps.push_back(step("Mean level", 12));
    w.steps.back().expression = "V3=(V1+V2)/2";
    w.steps.push_back(step("Brightness", 8).with(Operand::Registers, {code::kBrightness}).with(Operand::Variables, {3}));
    w.steps.push_back(step("IRE 50", 20).with(Operand::IreLevel, {50}).with(Operand::BoxSize, {30}));
    w.steps.push_back(step("Picture", 27)
                          .with(Operand::Sliders, {code::kBrightness, code::kContrast})
                          .with(Operand::Displays, {code::kHFrequency, code::kVFrequency})
                          .with(Operand::DisplayDelays, {100, 100})
                          .with(Operand::Messages, {kWhiteText})
                          .with(Operand::Keys, {kOk, kCancel}));
    w.steps.push_back(step("Service save", 3));

    kit::PrcFileSpec t;
    t.title = "Touch up";
    t.endStep = 4;
    t.steps.push_back(step("ABL", 14).with(Operand::Variable, {1}));
    t.steps.push_back(step("Brightness", 1)
                          .with(Operand::Sliders, {code::kBrightness})
                          .with(Operand::Messages, {kWhiteText})
                          .with(Operand::Keys, {kOk, kCancel}));
    t.steps.push_back(step("User save", 4));

    return kit::writeFile(folder + "GEOMETRY.PRC", kit::prcFile(g)) &&
           kit::writeFile(folder + "WHITEBAL.PRC", kit::prcFile(w)) &&
           kit::writeFile(folder + "TOUCH.PRC", kit::prcFile(t));
}

} // namespace

kit::LinkDescription demoLinkDescription(int ecsType) { return demoLink(ecsType); }

std::string demoMonitorArgumentsPath(const std::string& home, int ecsType)
{
    return home + "/sim/monitor" + std::to_string(ecsType) + ".args";
}

std::vector<std::string> demoMonitorArguments(int)
{
    auto hex = [](int v) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(v) & 0xFFFF);
        return std::string(text);
    };
    std::vector<std::string> args = {
        "--status", hex(code::kModeNumber) + "," + hex(code::kHFrequency) + "," + hex(code::kVFrequency) + "," +
                        hex(code::kSyncPolarity)};
    for (const MonitorMode& m : demoMonitorModes()) {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f/%.3f", m.hKHz, m.vHz);
        args.insert(args.end(), {"--mode", text});
    }
    const std::pair<int, int> registers[] = {
        {code::kPower, 1},            // switched on
        {code::kMonitorId, 0x1A2B},
        {code::kFactoryId, 0x5658},   // "VX"
        {code::kFactoryId + 1, 0x3137},  // "17"
        {code::kFactoryId + 2, 0x0205},  // 2, 5
        {code::kFactoryId + 3, 0x0941},  // 9, 'A'
        {code::kFailureA, 0x05},      // H-Deflection and High Voltage
        {code::kFailureB, 0x80},      // Fan
        {code::kHSize, 128},          {code::kVSize, 120},
        {code::kHPosition, 0xFA},     // -6 as a signed byte
        {code::kVPosition, 4},        {code::kBrightness, 90}, {code::kContrast, 200}};
    for (const auto& [c, v] : registers) args.insert(args.end(), {"--register", hex(c) + "=" + std::to_string(v)});
    args.insert(args.end(), {"--self-clearing", hex(code::kDegauss)});
    return args;
}

bool writeDemoStation(const std::string& home)
{
    const std::string data = home + "/data";

    std::vector<DemoModel> models = {
        {{"VX-1700", 10, "VX1700", "TV1700", 100, 1, 1, "17 inch office monitor, ECS type 1"}, "VXA.CHS"},
        {{"VX-1900S", 11, "VX1900S", "TV1900", 101, 2, 2, "19 inch studio monitor, ECS type 2"}, "VXB.CHS"},
        {{"KR-2100", 10, "KR2100", "TV2100", 102, 1, 1, "21 inch design monitor, ECS type 1"}, "VXA.CHS"},
        {{"KR-1500P", 11, "KR1500P", "TV1500", 100, 2, 2, "15 inch panel-style monitor, ECS type 2"}, "VXB.CHS"},
    };

    kit::ModelDatabaseFiles db;
    for (const DemoModel& m : models) db.models.push_back(m.db);
    db.chassis = {{10, "VX-A"}, {11, "VX-B"}};
    db.comTypes = {{1, "ECS-1"}, {2, "ECS-2"}};
    db.customers = {{100, "Harbor Optics"}, {101, "Lumen Studios"}, {102, "Northfield Design"}};
    db.firmware = {{1, "1.02"}, {2, "2.10"}};

    bool ok = kit::writeModelDatabase(home, db);
    for (const DemoModel& m : models) ok = ok && writeChain(data, m);
    ok = ok && writeChassis(data, "VXA.CHS", "VXA.STD") && writeChassis(data, "VXB.CHS", "VXB.STD");
    ok = ok && writeStandard(data, "VXA.STD", "DEMO1.BUS") && writeStandard(data, "VXB.STD", "DEMO2.BUS");
    ok = ok && kit::writeFile(data + "/DEMO1.BUS", kit::linkDescriptionFile(demoLink(1)));
    ok = ok && kit::writeFile(data + "/DEMO2.BUS", kit::linkDescriptionFile(demoLink(2)));
    for (int type : {1, 2}) {
        std::string args;
        for (const std::string& a : demoMonitorArguments(type)) args += a + "\n";
        ok = ok && kit::writeFile(demoMonitorArgumentsPath(home, type), args);
    }

    ok = ok && kit::writeFile(kit::messageFilePath(home, 'a'),
                              kit::messageFileText({"Demo instruction texts",
                                                    "$1:Connect the monitor to the service port.\\nThen press OK.",
                                                    "$2:Adjust the horizontal size",
                                                    " until the frame fits the bezel.",
                                                    "$3:Adjustment finished."}));
    ok = ok && kit::writeFile(kit::messageFilePath(home, 'b'),
                              kit::messageFileText({"$1:Check the white balance with the grey scale pattern."}));
    ok = ok && kit::writeFile(home + "/kovhlp.txt",
                              kit::noticeFile({{21, "VX-1900S", "Factory preset is not available for this model."}}));
    ok = ok && kit::writeFile(home + "/pelaro.rls", kit::releaseFile({"0.9 demo", "1.0 demo"}));
    ok = ok && writeDemoSgFolder(home);
    ok = ok && writeProcedures(home);
    return ok;
}

} // namespace kit

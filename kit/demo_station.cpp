#include "kit/demo_station.h"

#include <vector>

#include "kit/model_kit.h"

namespace kit {
namespace {

// Single-register read and write commands of one ECS type.
LinkDescription demoLink(int ecsType)
{
    LinkDescription d;
    d.formats.resize(3);
    if (ecsType == 1) {
        d.formats[1] = {"READ", {0x72, 0x1000, 0x4000, 255}, {0x73, 0x2000 + 2, 255}, 0};
        d.formats[2] = {"WRITE", {0x74, 0x1000, 0x4000, 0x2000 + 2, 255}, {0x75, 255}, 0};
    } else {
        d.formats[1] = {"READ", {0x55, 0x05, 0x1000, 0x4000, 0x8000}, {0x56, 0x04, 0x2000 + 1, 0x8000}, 0};
        d.formats[2] = {"WRITE", {0x57, 0x06, 0x1000, 0x4000, 0x2000 + 1, 0x8000}, {0x58, 0x03, 0x8000}, 0};
    }
    d.groups.resize(3);
    d.groups[1] = {"GEOMETRY", 0, 0, 0, 0x01, 255, 0};
    d.groups[2] = {"SERVICE", 0, 0, 0, 0x05, 255, 0};
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
    kit::RegisterRecord reserved;
    reserved.name = "Reserved";
    kit::RegisterRecord timer;
    timer.name = "Timer";
    // Block 0: service registers (code 0 ends register lists, so it holds a
    // pseudo-register); block 1: geometry and picture.
    d.blocks = {{5, "SERVICE"}, {6, "GEOMETRY"}};
    d.registers = {reserved,
                   timer,
                   reg("ServiceMode", 2, 0x30),
                   reg("!Key", 2, 0x31),
                   reg("Power", 2, 0x32),
                   reg("H-Size", 1, 0x00),
                   reg("H-Position", 1, 0x01),
                   reg("V-Size", 1, 0x02),
                   reg("V-Position", 1, 0x03),
                   reg("Brightness", 1, 0x04),
                   reg("Contrast", 1, 0x05)};
    return d;
}

struct DemoModel {
    kit::DbModel db;
    std::string chassis;
};

bool writeChain(const std::string& data, const DemoModel& m)
{
    kit::ModelFile f;
    f.chassisFile = m.chassis;
    f.presets = {kit::makeTiming("640x480@60", 640, 480, 800, 525, 31.469f, 59.94f),
                 kit::makeTiming("800x600@75", 800, 600, 1056, 625, 46.875f, 75.0f),
                 kit::makeTiming("1024x768@85", 1024, 768, 1376, 808, 68.677f, 85.0f),
                 kit::makeTiming("1280x1024@60", 1280, 1024, 1688, 1066, 63.981f, 60.02f)};
    f.adjustTimings = {kit::makeTiming("ADJ 1024x768", 1024, 768, 1344, 806, 48.363f, 60.0f)};
    f.primeMode = 3;
    f.adjustProcedures = {"GEOMETRY", "WHITEBAL"};
    f.touchUpProcedures = {"TOUCH"};
    f.umtNumber = 0;
    return kit::writeFile(data + "/" + m.db.fileStem + ".mdl", kit::modelFile(f));
}

bool writeChassis(const std::string& data, const std::string& name, const std::string& standard, bool factory)
{
    kit::ChassisFile c;
    c.standardFile = standard;
    c.specialRegisters = {{400, 0x0004}, {402, 0x0003}};
    c.factoryPreset = factory ? 1 : 0;
    c.maintenance = 1;
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

} // namespace

kit::LinkDescription demoLinkDescription(int ecsType) { return demoLink(ecsType); }

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
    ok = ok && writeChassis(data, "VXA.CHS", "VXA.STD", true) && writeChassis(data, "VXB.CHS", "VXB.STD", false);
    ok = ok && writeStandard(data, "VXA.STD", "DEMO1.BUS") && writeStandard(data, "VXB.STD", "DEMO2.BUS");
    ok = ok && kit::writeFile(data + "/DEMO1.BUS", kit::linkDescriptionFile(demoLink(1)));
    ok = ok && kit::writeFile(data + "/DEMO2.BUS", kit::linkDescriptionFile(demoLink(2)));

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
    return ok;
}

} // namespace kit

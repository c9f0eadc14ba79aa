// Writes the seed corpora of the fuzz targets into OUTDIR/<target>/: a few
// well-formed inputs each, from the kit's writers, the demo station, and
// exchanges with the simulated monitor and generator recorded in the
// targets' input layouts. Usage: pelaro-fuzz-seeds OUTDIR
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/fake_ui.h"
#include "core/record_io.h"
#include "datafiles/data_save.h"
#include "fuzz/support/data_model.h"
#include "fuzz/support/fuzz_input.h"
#include "fuzz/support/generator_calls.h"
#include "fuzz/support/generator_settings.h"
#include "fuzz/support/monitor_script.h"
#include "fuzz/support/qd_session.h"
#include "fuzz/support/scripted_device.h"
#include "genlink.h"
#include "genlink/frames.h"
#include "genlink/link.h"
#include "genlink/process_link.h"
#include "kit/demo_station.h"
#include "kit/model_kit.h"
#include "kit/temp_folder.h"
#include "modeldb/model_file.h"
#include "procedure/prc_file.h"
#include "platform/clock.h"
#include "platform/ini_store.h"
#include "setstore/registry_file.h"
#include "siggen/pg_records.h"
#include "siggen/sg_timing.h"
#include "siggen/vtg_files.h"
#include "sim/monitor/link_file.h"
#include "sim/monitor/monitor_protocol.h"
#include "sim/patgen/output_timing.h"
#include "sim/patgen/drawing_commands.h"
#include "sim/patgen/memory_commands.h"
#include "sim/patgen/patgen_core.h"
#include "sim/patgen/patgen_sim_device.h"
#include "sim/patgen/program_commands.h"
#include "sim/qdgen/qdgen_core.h"
#include "sim/qdgen/qdgen_line.h"

using fuzz::Bytes;

namespace {

std::string outDir;
kit::TempFolder station("pelaro-seeds");

void seed(const std::string& target, const std::string& name, const Bytes& bytes) {
    const std::string path = outDir + "/" + target + "/" + name;
    if (!kit::writeFile(path, bytes)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

Bytes stationFile(const std::string& relative) {
    Bytes b;
    if (!core::readWholeFile(station.path() + "/" + relative, b)) {
        std::fprintf(stderr, "demo station lacks %s\n", relative.c_str());
        std::exit(1);
    }
    return b;
}

// ---- The simulated monitor, recorded per frame ----

// Answers as the simulated monitor does and keeps, per frame of the host,
// the frame (for the simulator's target) and the answer (for the link's).
class RecordingMonitor : public platform::SimDevice {
public:
    RecordingMonitor(std::shared_ptr<sim::MonitorProtocol> protocol, int type, Bytes& answers, Bytes& frames)
        : protocol_(std::move(protocol)),
          splitter_(type == 1 ? fuzz::Framing::EcsType1 : fuzz::Framing::EcsType2),
          answers_(answers),
          frames_(frames) {}
    void fromHost(platform::SimLine& line, const uint8_t* data, size_t n) override {
        splitter_.feed(data, n, [&](const Bytes& frame) {
            std::vector<sim::MonitorReply> replies;
            protocol_->feed(frame.data(), frame.size(), replies);
            Bytes answer;
            for (const sim::MonitorReply& r : replies) answer.insert(answer.end(), r.bytes.begin(), r.bytes.end());
            fuzz::putChunk(answers_, answer, 1);
            fuzz::putChunk(frames_, frame, 1);
            if (!answer.empty()) line.toHost(answer.data(), answer.size());
        });
    }

private:
    std::shared_ptr<sim::MonitorProtocol> protocol_;
    fuzz::MessageSplitter splitter_;
    Bytes& answers_;
    Bytes& frames_;
};

// Runs `body` on a link to the simulated monitor serving `linkFile`; returns
// the answers and the host's frames in the targets' layouts.
template <typename Body>
void recordMonitor(int type, const Bytes& linkFile, Bytes& answers, Bytes& frames, Body body) {
    sim::LinkTables tables;
    if (!sim::parseLinkFile(linkFile.data(), linkFile.size(), tables)) std::exit(1);
    auto protocol = std::make_shared<sim::MonitorProtocol>(tables, type);
    for (int address = 0; address < 256; ++address)
        for (uint8_t device : {0x01, 0x05, 0x06, 0x07}) protocol->setMemory(device, address, static_cast<uint8_t>(address * 7));
    const std::string name = "seed-monitor-" + std::to_string(type);
    platform::SimRegistration reg(name, [&] { return std::make_shared<RecordingMonitor>(protocol, type, answers, frames); });
    core::FakeUi ui;
    platform::FakeClock clock;
    ecs::EcsLink link("sim:" + name, ui, clock);
    link.setEcsType(type);
    body(link, ui);
}

void monitorSeeds() {
    const std::vector<std::vector<fuzz::MonitorStep>> scripts = {
        {{0, 9, 0, 1}, {1, 9, 5, 1}, {0, 29, 0, 1}, {1, 30, 0x12, 1}},
        {{3, 2, 1, 0}, {4, 2, 0, 0}, {7, 4, 0, 1}, {7, 4, 0, 0}},
        {{1, 5, 3, 0}, {1, 6, 4, 0}, {1, 13, 1, 1}, {0, 31, 0, 0}, {5, 2, 1, 1}, {2, 1, 0x30, 1}},
    };
    for (int type : {1, 2}) {
        const std::string target = "monitor_answers_ecs" + std::to_string(type);
        for (size_t i = 0; i < scripts.size(); ++i) {
            Bytes answers, frames;
            recordMonitor(type, fuzz::monitorLinkFile(type), answers, frames, [&](ecs::EcsLink& link, core::Ui&) {
                const Bytes& file = fuzz::monitorLinkFile(type);
                link.loadLinkDescriptionBytes(file.data(), file.size());
                fuzz::runMonitorSteps(link, type, scripts[i]);
            });
            Bytes in;
            fuzz::putByte(in, static_cast<uint8_t>(scripts[i].size()));
            for (const fuzz::MonitorStep& s : scripts[i]) in.insert(in.end(), {s.kind, s.reg, s.value, s.flags});
            in.insert(in.end(), answers.begin(), answers.end());
            seed(target, "script-" + std::to_string(i), in);

            Bytes host;
            fuzz::putByte(host, static_cast<uint8_t>(type == 1 ? 0 : 1));
            fuzz::putPart(host, fuzz::monitorLinkFile(type));
            host.insert(host.end(), frames.begin(), frames.end());
            seed("monitor_sim", "type" + std::to_string(type) + "-script-" + std::to_string(i), host);
        }
    }
}

// ---- Files of the demo station ----

void fileSeeds() {
    const char* tables[] = {"mdlsel.sel", "mdlsel.cya", "mdlsel.cmm", "mdlsel.cus", "mdlsel.mai"};
    Bytes all, someMissing;
    for (const char* t : tables) fuzz::putPart(all, stationFile(t));
    for (size_t i = 0; i < 5; ++i) {
        if (i == 1 || i == 3)
            fuzz::putAbsentPart(someMissing);
        else
            fuzz::putPart(someMissing, stationFile(tables[i]));
    }
    seed("model_database", "demo", all);
    seed("model_database", "demo-two-tables-missing", someMissing);

    seed("model_file", "VX1700", stationFile("data/VX1700.mdl"));
    seed("model_file", "VX1900S", stationFile("data/VX1900S.mdl"));
    seed("chassis_file", "VXA", stationFile("data/VXA.CHS"));
    seed("chassis_file", "VXB", stationFile("data/VXB.CHS"));
    seed("standard_file", "VXA", stationFile("data/VXA.STD"));
    seed("standard_file", "VXB", stationFile("data/VXB.STD"));
    seed("link_description", "DEMO1", stationFile("data/DEMO1.BUS"));
    seed("link_description", "DEMO2", stationFile("data/DEMO2.BUS"));
    seed("link_description", "fuzz-monitor-1", fuzz::monitorLinkFile(1));

    for (uint8_t number : {1, 2, 12}) {
        Bytes in{number};
        const Bytes text = stationFile("PELARO/MSG/pelaro_a.msg");
        in.insert(in.end(), text.begin(), text.end());
        seed("message_file", "demo-a-" + std::to_string(number), in);
    }
    seed("station_files", "kovhlp", stationFile("kovhlp.txt"));
    seed("station_files", "pelaro-rls", stationFile("pelaro.rls"));
    seed("message_file", "lines",
         fuzz::bytesOf(std::string("\x0c") + kit::messageFileText({"head", "$12:Press OK", ", next line", "$0013:Done\\nnow", "$1234567890:late"})));
}

// The whole chain of a demo model, with the monitor's answers to its sequences.
void chainSeeds() {
    struct Chain {
        const char* model;
        const char* chassis;
        const char* standard;
        const char* bus;
        int type;
    };
    for (const Chain& c : {Chain{"VX1700.mdl", "VXA.CHS", "VXA.STD", "DEMO1.BUS", 1},
                           Chain{"VX1900S.mdl", "VXB.CHS", "VXB.STD", "DEMO2.BUS", 2}}) {
        Bytes answers, frames;
        recordMonitor(c.type, stationFile(std::string("data/") + c.bus), answers, frames,
                      [&](ecs::EcsLink& link, core::Ui& ui) {
                          modeldb::ModelData model;
                          modeldb::loadModel(model, station.path(), c.model, ui,
                                             [&](const std::string& path) { return link.loadLinkDescription(path); });
                          fuzz::runModelSequences(link, model);
                      });
        Bytes in;
        fuzz::putByte(in, static_cast<uint8_t>(c.type == 1 ? 0 : 1));
        fuzz::putPart(in, fuzz::bytesOf(c.model));
        for (const char* name : {c.model, c.chassis, c.standard, c.bus}) {
            fuzz::putPart(in, fuzz::bytesOf(name));
            fuzz::putPart(in, stationFile(std::string("data/") + name));
        }
        in.insert(in.end(), answers.begin(), answers.end());
        seed("model_chain", c.model, in);
    }
}

// ---- The generator ----

genlink::Link* seedLink = nullptr;
// A program text the generator stored that holds an output timing.
std::string programText;

// Answers as the simulated generator does, keeping each write of the host
// and each answer in the targets' layouts.
class RecordingGenerator : public platform::SimDevice {
public:
    RecordingGenerator(std::shared_ptr<patgen::PatgenCore> core, Bytes& answers, Bytes& writes)
        : core_(std::move(core)), answers_(answers), writes_(writes) {}
    void fromHost(platform::SimLine& line, const uint8_t* data, size_t n) override {
        const Bytes answer = core_->feed(data, n);
        fuzz::putChunk(answers_, answer, 2);
        fuzz::putChunk(writes_, Bytes(data, data + n), 2);
        if (!answer.empty()) line.toHost(answer.data(), answer.size());
    }

private:
    std::shared_ptr<patgen::PatgenCore> core_;
    Bytes& answers_;
    Bytes& writes_;
};

// Stores what a getter then reads back, so its seed holds a good answer.
void prime(size_t call) {
    std::vector<int32_t> record(4096, 1);  // larger than any record
    switch (call) {
    case 0: {
        // The program pelaro sends for its default timing.
        const siggen::PgProgramRecord program = siggen::pgProgramRecord(siggen::defaultSgTiming());
        std::copy(program.begin(), program.end(), record.begin());
        PG_SetProgram(1, record.data());
        break;
    }
    case 2: PG_SetHTiming(1, record.data()); break;
    case 19: PG3_SetProgram(1, record.data()); break;
    case 32: PG4_SetProgram(1, record.data()); break;
    case 44: {
        std::vector<int32_t> selection(22, 1);
        PG_SetPtnSelect(1, selection.data());
        break;
    }
    case 46: {
        std::vector<uint8_t> glyph(1024, 5);
        PG_SetUserCharacter(224 + 1, glyph.data());
        break;
    }
    case 49: PG_SetProgName(1, "SEEDNAME"); break;
    case 51: PG_SetAutoDisp(record.data()); break;
    case 63: PG3_SetProgName(1, 1, 0, "SEED"); break;
    case 84: PG406_SetAutoDisp(12, 3); break;
    default: break;
    }
}

void generatorSeeds() {
    kit::TempFolder folder("pelaro-seeds-com");
    const std::string map = folder.path() + "/comports.ini";
    kit::writeFile(map, std::string("[COM]\nCOM7=sim:seed-generator\n"));
    setenv("COMPORTS", map.c_str(), 1);
    // Getters of the program, pattern, memory, configuration and 406 families.
    for (size_t call : {0, 2, 19, 32, 44, 46, 49, 51, 54, 63, 66, 81, 84}) {
        Bytes answers, writes;
        bool recording = false;
        auto core = std::make_shared<patgen::PatgenCore>();
        patgen::addProgramCommands(*core);
        patgen::addDrawingCommands(*core);
        patgen::addMemoryCommands(*core);
        patgen::addModel406Commands(*core);
        core->onStored = [](const std::string&, const patgen::Bytes& data) {
            const std::string text(data.begin(), data.end());
            if (programText.empty() && sim::programOutputTiming(text)) programText = text;
        };
        platform::SimRegistration reg("seed-generator", [&]() -> std::shared_ptr<platform::SimDevice> {
            if (recording) return std::make_shared<RecordingGenerator>(core, answers, writes);
            return std::make_shared<patgen::PatgenSimDevice>(core);
        });
        fuzz::MemorySettings settings;
        fuzz::OpenLimits limits;
        platform::FakeClock clock;
        genlink::LinkEnvironment env;
        env.clock = &clock;
        env.lockName = "pelaro-seeds-PGTransMutex-" + std::to_string(getpid());
        genlink::Link link(settings, limits, env);
        seedLink = &link;
        if (link.open() == genlink::kOk) {
            prime(call);
            link.close();
        }
        recording = true;
        const fuzz::GeneratorArgs args{1, 4, 0xA0};
        if (link.open() == genlink::kOk) {
            fuzz::callGenerator(call, args);
            link.close();
        }
        seedLink = nullptr;
        Bytes in{0, static_cast<uint8_t>(call), 1, 4, 0xA0};
        in.insert(in.end(), answers.begin(), answers.end());
        seed("genlink_exports", "call-" + std::to_string(call), in);
        if (call % 3 == 0) seed("patgen_sim", "call-" + std::to_string(call), writes);
    }
}

// Streams of a generator that answers each exchange kind well.
void receiverSeeds() {
    using namespace genlink;
    const Bytes data(100, 'D');
    auto stream = [](uint8_t kind, uint16_t length, uint16_t block, uint16_t capacity,
                     std::initializer_list<Bytes> parts) {
        Bytes in{kind};
        fuzz::putU16(in, length);
        fuzz::putU16(in, static_cast<uint16_t>(block - 1));
        fuzz::putU16(in, capacity);
        for (const Bytes& p : parts) in.insert(in.end(), p.begin(), p.end());
        return in;
    };
    const Bytes ack{ACK};
    seed("genlink_receivers", "greet", stream(0, 0, 1, 0, {ack}));
    seed("genlink_receivers", "cmd-nak-then-ack", stream(1, 0, 1, 0, {{NAK}, {NAK}, ack}));
    seed("genlink_receivers", "cmd-error-frame", stream(1, 0, 1, 0, {errorFrame(7)}));
    seed("genlink_receivers", "down", stream(2, 100, 64, 0, {ack, ack, ack}));
    seed("genlink_receivers", "up-dle",
         stream(3, 100, 64, 0, {ack, dataBlock(BlockForm::Dle, data.data(), 64, false),
                                dataBlock(BlockForm::Dle, data.data(), 36, true)}));
    seed("genlink_receivers", "up-plain",
         stream(0x13, 100, 64, 0, {ack, dataBlock(BlockForm::Plain, data.data(), 64, false),
                                   dataBlock(BlockForm::Plain, data.data(), 36, true)}));
    seed("genlink_receivers", "reply-dle", stream(5, 0, 1, 20, {ack, {STX, DLE, '1', '2', '3', ETX}}));
    seed("genlink_receivers", "reply-too-long", stream(6, 0, 1, 2, {ack, {STX, 'A', 'B', 'C', 'D', ETX}}));
    seed("genlink_receivers", "summed-down", stream(7, 100, 64, 0, {ack, ack, ack}));
    seed("genlink_receivers", "summed-up",
         stream(8, 0, 1, 120, {ack, summedBlock(data.data(), 64, false), summedBlock(data.data(), 36, true)}));
}

// The simulated monitor's options and the generators' state file, with the
// program text a generator took its output timing from.
void signalSeeds() {
    if (programText.empty()) {
        std::fprintf(stderr, "no program with an output timing was stored\n");
        std::exit(1);
    }
    std::string options;
    for (const std::string& a : kit::demoMonitorArguments(1)) options += a + "\n";
    const std::string state = station.path() + "/output-timing.ini";
    auto in = [&](const sim::OutputTiming& t) {
        if (!sim::writeOutputTiming(state, t)) std::exit(1);
        Bytes b;
        fuzz::putPart(b, fuzz::bytesOf(options));
        fuzz::putPart(b, stationFile("output-timing.ini"));
        const Bytes text = fuzz::bytesOf(programText);
        b.insert(b.end(), text.begin(), text.end());
        return b;
    };
    seed("sim_signal", "demo-program", in(*sim::programOutputTiming(programText)));
    sim::OutputTiming composite;
    composite.hKHz = 48.363;
    composite.vHz = 60.004;
    composite.hPositive = false;
    composite.sync = sim::OutputTiming::Sync::Composite;
    seed("sim_signal", "composite-negative", in(composite));
}

// ---- The command generator and the timing card ----

// Answers as the simulated command generator does, keeping each line of the
// host and each answer (without its line end, which the target adds).
class RecordingQdgen : public platform::SimDevice {
public:
    RecordingQdgen(qdgen::QdgenCore& core, Bytes& answers, Bytes& lines)
        : line_(core), answers_(answers), lines_(lines) {}
    void fromHost(platform::SimLine& line, const uint8_t* data, size_t n) override {
        const std::string answer = line_.feed(data, n);
        std::string reply = answer;
        if (!reply.empty() && reply.back() == '\n') reply.pop_back();
        fuzz::putChunk(answers_, fuzz::bytesOf(reply), 1);
        fuzz::putChunk(lines_, Bytes(data, data + n), 1);
        if (!answer.empty()) line.toHost(reinterpret_cast<const uint8_t*>(answer.data()), answer.size());
    }

private:
    qdgen::LineProtocol line_;
    Bytes& answers_;
    Bytes& lines_;
};

void commandGeneratorSeeds() {
    fuzz::routeQdLibrary();
    const fuzz::QdScript scripts[] = {
        {0, 1, 1, 0, 1, 40},   // the ISA card: MEME, red, inverted
        {1, 2, 6, 5, 0, 100},  // the serial line on COM2: 4:3 hatch, red and green
        {2, 1, 8, 3, 0, 0},    // the PCI card, which asks for its version: small hatch
    };
    for (size_t i = 0; i < sizeof scripts / sizeof scripts[0]; ++i) {
        Bytes answers, lines;
        qdgen::QdgenCore core(i == 2 ? "2.900" : qdgen::kDefaultFirmware);
        platform::SimRegistration reg(fuzz::kQdDevice, [&] { return std::make_shared<RecordingQdgen>(core, answers, lines); });
        core::FakeUi ui;
        platform::FakeClock clock;
        fuzz::runQdScript(scripts[i], ui, clock, [](const siggen::QdDriver&) {});
        Bytes in;
        fuzz::putQdScript(in, scripts[i]);
        in.insert(in.end(), answers.begin(), answers.end());
        seed("qd_replies", "session-" + std::to_string(i), in);
        Bytes host{static_cast<uint8_t>(i == 2 ? 1 : 0)};
        host.insert(host.end(), lines.begin(), lines.end());
        seed("qdgen_sim", "session-" + std::to_string(i), host);
    }
}

void timingCardSeeds() {
    auto card = [](uint8_t kind, const std::string& text) {
        Bytes in{kind};
        const Bytes b = fuzz::bytesOf(text);
        in.insert(in.end(), b.begin(), b.end());
        return in;
    };
    siggen::SgTiming interlaced = siggen::defaultSgTiming();
    interlaced.interlace = 1;
    interlaced.syncComposite = 1;
    seed("vtg_card_files", "timing", card(0, siggen::vtgTimingFile(siggen::defaultSgTiming())));
    seed("vtg_card_files", "timing-interlaced", card(0, siggen::vtgTimingFile(interlaced)));
    seed("vtg_card_files", "box-picture", card(1, siggen::vtgBoxPicture(25)));
    seed("vtg_card_files", "box-colours", card(2, siggen::vtgBoxColours(70, siggen::kColourRB)));
    const Bytes hatch = stationFile("SG/KOV_P1.vtp");
    const Bytes inverted = stationFile("SG/KOV_IRG.vtc");
    seed("vtg_card_files", "demo-KOV_P1", card(1, std::string(hatch.begin(), hatch.end())));
    seed("vtg_card_files", "demo-KOV_IRG", card(2, std::string(inverted.begin(), inverted.end())));
}

// ---- Procedures and data files ----

void procedureSeeds() {
    // Every procedure of the demo station; together they use every step kind.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(station.path() + "/PELARO/PRC"))
        if (entry.path().extension() == ".PRC") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    if (names.empty()) std::exit(1);
    for (const std::string& name : names) {
        const Bytes file = stationFile("PELARO/PRC/" + name + ".PRC");
        seed("prc_file", name, file);
        // Every arithmetic step's expression, as the file holds it.
        const procedure::PrcFile prc = procedure::decodePrcFile(file);
        for (int n = 1; n <= prc.loadedSteps; ++n) {
            const std::string& text = prc.step(n).text(procedure::prc::Operand::Expression);
            if (!text.empty()) seed("expression", std::string(name) + "-" + std::to_string(n), fuzz::bytesOf(text));
        }
    }
    seed("expression", "nested", fuzz::bytesOf("V3=((V1+V2)*2-V7/3)&V4"));
    seed("expression", "not-a-variable", fuzz::bytesOf("V101=V0+-5"));
}

void dataFileSeeds() {
    // Saved from a monitor holding every register of the demo model's groups,
    // with that model's groups and with no standard file given.
    fuzz::DataModel m(fuzz::demoStandard());
    appstate::ScreenContext context = m.context();
    core::OperationLog log;
    const std::string path = station.path() + "/seed.dat";
    datafiles::DataSave save(context, log);
    save.run(path);
    const Bytes saved = stationFile("seed.dat");
    Bytes withStandard;
    fuzz::putPart(withStandard, stationFile("data/VXA.STD"));
    withStandard.insert(withStandard.end(), saved.begin(), saved.end());
    seed("dat_file", "VX1700-with-standard", withStandard);
    Bytes demo;
    fuzz::putAbsentPart(demo);
    demo.insert(demo.end(), saved.begin(), saved.end());
    seed("dat_file", "VX1700", demo);
}

// ---- Text files ----

void textSeeds() {
    seed("ini_store", "profile",
         fuzz::bytesOf("[PELARO]\nECS_TYPE=2\nMODEL=VX1700.mdl\nPORT=1\n; a comment\n[COM]\nCOM1=/dev/ttyUSB0\n"
                       "COM3=sim:monitor\n"));
    platform::IniStore quoted;
    quoted.set("Software\\Vexordyne\\XR4410\\FilePath", "DataDir", " C:\\PG\\data; x # y ");
    quoted.set("Software\\Vexordyne\\XR4410\\Com\\Seri", "Bps", "9600");
    quoted.set("Software\\Vexordyne\\XR4410\\PG", "PGType", "\"PG-418\"");
    seed("ini_store", "quoted", fuzz::bytesOf(quoted.toString()));

    platform::IniStore tree;
    for (setstore::GroupId id : setstore::initOrder()) {
        const setstore::GroupSpec& group = setstore::groupSpec(id);
        std::vector<uint8_t> record(group.size, 0);
        for (const setstore::ValueSpec& v : group.values)
            if (v.kind == setstore::ValueKind::Text && v.width > 4) record[v.offset] = 'x';
            else if (v.kind == setstore::ValueKind::Number) record[v.offset] = static_cast<uint8_t>(v.offset);
        setstore::saveGroupValues(tree, group, record.data());
    }
    seed("setstore_registry", "every-group", fuzz::bytesOf(tree.toString()));
    seed("setstore_registry", "bad-number", fuzz::bytesOf("[Software\\Vexordyne\\XR4410\\Com\\Seri]\nPortNo=x7\nBps=9600\n"
                                                          "[Software\\Vexordyne\\XR4410\\PG]\nPGType=PG-418-EXTRA-LONG-NAME\n"));
}

} // namespace

namespace genlink {
Link& processLink() { return *seedLink; }
} // namespace genlink

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    outDir = argv[1];
    if (!kit::writeDemoStation(station.path())) return 1;
    fileSeeds();
    chainSeeds();
    monitorSeeds();
    generatorSeeds();
    receiverSeeds();
    signalSeeds();
    commandGeneratorSeeds();
    timingCardSeeds();
    procedureSeeds();
    dataFileSeeds();
    textSeeds();
    return 0;
}

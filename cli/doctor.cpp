#include "cli/doctor.h"

#include <cstring>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "app/state/profile.h"
#include "core/fake_ui.h"
#include "core/record_io.h"
#include "link/link_description.h"
#include "modeldb/model_database.h"
#include "modeldb/model_file.h"
#include "platform/ini_store.h"
#include "platform/port_map.h"
#include "platform/program_home.h"
#include "platform/serial_port.h"
#include "platform/xdg_paths.h"
#include "setstore.h"
#include "siggen/sg_kind.h"
#include "siggen/vtg_files.h"

namespace cli {

namespace {

namespace fs = std::filesystem;
using Status = Check::Status;

const char* const kDialoutAdvice =
    "join the dialout group (sudo usermod -aG dialout $USER, then log in again) or give the device to it with a "
    "udev rule (GROUP=\"dialout\")";

std::string joinMessages(const std::vector<std::string>& messages) {
    std::string text;
    for (const std::string& m : messages) text += (text.empty() ? "" : "; ") + m;
    return text;
}

class Checks {
public:
    explicit Checks(const DoctorInput& input) : in_(input), profile_(appstate::Profile::defaultPath()) {}

    std::vector<Check> run() {
        checkProfile();
        checkMonitorPort();
        checkGeneratorPort();
        checkStation();
        checkModelChain();
        checkSettingsStore();
        checkWritable("profile folder", fs::path(appstate::Profile::defaultPath()).parent_path().string(),
                      "pelaro stores its profile there");
        checkWritable("current directory", fs::current_path().string(),
                      "the communication logs ecs.log and ecs2.log are written there; run from a writable folder");
        return checks_;
    }

private:
    void add(Status s, std::string subject, std::string detail, std::string advice = {}) {
        checks_.push_back({s, std::move(subject), std::move(detail), std::move(advice)});
    }

    void checkProfile() {
        const std::string path = profile_.path();
        std::error_code ec;
        if (!fs::exists(path, ec)) {
            add(Status::Warn, "profile", path + " does not exist",
                "pelaro (or pelaro-cli select) writes the first-run values: monitor on COM1, ECS type 1");
            return;
        }
        std::string values;
        for (const char* key : {"INIT", "ECS_TYPE", "ECS_PORT", "SG_NAME", "SG_PORT", "SG_ISANO", "PREV_QX", "PREV_file"})
            values += std::string(values.empty() ? "" : ", ") + key + "=" + profile_.getString(key);
        if (profile_.getString("INIT") != "INIT_OK")
            add(Status::Warn, "profile", path + ": " + values, "INIT is not INIT_OK: the next start writes the first-run values");
        else
            add(Status::Ok, "profile", path + ": " + values);
    }

    // The map entry, the device and whether it opens, for "COMn" or a device path.
    void checkPort(const std::string& label, const std::string& name) {
        std::string device = name;
        if (platform::comPortNumber(name)) {
            platform::IniStore map;
            const std::string mapPath = platform::portMapPath();
            map.load(mapPath);
            device = platform::resolvePortName(name);
            const bool mapped = map.get("COM", name).has_value() && !map.get("COM", name)->empty();
            add(Status::Ok, label + " " + name + " map",
                mapped ? name + "=" + device + " in " + mapPath : "no entry in " + mapPath + ": " + name + " is " + device);
        }
        if (device.rfind("sim:", 0) == 0) {
            add(Status::Ok, label + " device", device + " (a simulated device of the process)");
            return;
        }
        std::error_code ec;
        if (!fs::exists(device, ec)) {
            add(Status::Fail, label + " device", device + " does not exist",
                "plug the adapter in, or map " + name + " to the right device in " + platform::portMapPath() +
                    " ([COM] " + (platform::comPortNumber(name) ? name : std::string("COM1")) + "=/dev/ttyUSB0)");
            return;
        }
        add(Status::Ok, label + " device", device + " exists");
        std::string error;
        std::unique_ptr<platform::SerialPort> port = platform::openSerialPort(device, &error);
        if (port) {
            add(Status::Ok, label + " open", device + " opens");
        } else if (error.find("in use by another program") != std::string::npos) {
            add(Status::Fail, label + " open", error, "close the other program that holds the port (pelaro, a terminal program, another pelaro-cli)");
        } else if (error.find(std::strerror(EACCES)) != std::string::npos) {
            add(Status::Fail, label + " open", error, kDialoutAdvice);
        } else {
            add(Status::Fail, label + " open", error, "check the device and its driver");
        }
    }

    std::string comName(int number) const { return "COM" + std::to_string(number); }
    // A profile without "INIT_OK" runs with the first-run values.
    bool firstRun() const { return profile_.getString("INIT") != "INIT_OK"; }
    int value(const char* key, int firstRunValue) const { return firstRun() ? firstRunValue : profile_.getInt(key, 0); }

    void checkMonitorPort() {
        if (!in_.port.empty()) return checkPort("monitor port", in_.port);
        const int n = value("ECS_PORT", 1);
        if (n <= 0) {
            add(Status::Fail, "monitor port", "NON", "choose the monitor's port in the configuration (F3, or pelaro-cli config)");
            return;
        }
        checkPort("monitor port", comName(n));
    }

    void checkGeneratorPort() {
        const int kind = value("SG_NAME", 0);
        const siggen::SgKind* k = siggen::sgKind(kind);
        if (!k) {
            add(Status::Fail, "generator", "kind " + std::to_string(kind) + " is unknown", "choose a generator in the configuration (F3)");
            return;
        }
        if (k->family == siggen::SgDriverFamily::TimingCard) {
            // The timing cards load the timing, pictures and colour tables from there.
            const std::optional<std::string> folder = platform::findFile(in_.home, siggen::kVtgFolder);
            if (folder) add(Status::Ok, "timing card files", *folder);
            else add(Status::Fail, "timing card files", platform::joinPath(in_.home, siggen::kVtgFolder) + " missing",
                     std::string("copy the ") + siggen::kVtgFolder + " folder of the station kit there");
        }
        const bool serial = k->family == siggen::SgDriverFamily::PatternGenerator || kind == 7;
        if (!serial) {
            add(Status::Ok, "generator", std::string(k->name) + ": no serial port used");
            return;
        }
        const int port = value("SG_PORT", 0);
        const int monitor = in_.port.empty() ? value("ECS_PORT", 1) : 0;
        if (port <= 0) {
            add(Status::Fail, "generator port", std::string(k->name) + " on NON", "choose the generator's port in the configuration (F3)");
            return;
        }
        if (port == monitor) {
            add(Status::Fail, "generator port", comName(port) + " is also the monitor's port", "give the generator a port of its own");
            return;
        }
        add(Status::Ok, "generator", std::string(k->name) + " on " + comName(port));
        checkPort("generator port", comName(port));
    }

    void checkStation() {
        std::error_code ec;
        if (!fs::is_directory(in_.home, ec)) {
            add(Status::Fail, "station", in_.home + " is not a folder", "give the station with --home DIR or $PELARO_HOME");
            return;
        }
        core::FakeUi ui;
        modeldb::ModelDatabase db(in_.home, ui);
        for (modeldb::Table t : {modeldb::Table::Model, modeldb::Table::Chassis, modeldb::Table::ComType,
                                 modeldb::Table::Customer, modeldb::Table::Firmware}) {
            const modeldb::TableInfo& info = modeldb::tableInfo(t);
            ui.clear();
            const int count = db.countRecords(t);
            const bool model = t == modeldb::Table::Model;
            if (count < 0)
                add(model ? Status::Fail : Status::Warn, std::string("database ") + info.fileName, joinMessages(ui.messages()),
                    model ? "the station has no model table: copy the model kit into " + in_.home
                          : std::string("its names stay empty in the model list"));
            else if (model && count == 0)
                add(Status::Fail, std::string("database ") + info.fileName, "no model", "the model table is empty");
            else
                add(Status::Ok, std::string("database ") + info.fileName, std::to_string(count) + " records");
        }
        const std::optional<std::string> data = platform::findFile(in_.home, "data");
        if (data) add(Status::Ok, "data folder", *data);
        else add(Status::Fail, "data folder", platform::joinPath(in_.home, "data") + " missing", "the model files belong there");
        const std::optional<std::string> msg = platform::findFile(in_.home, "PELARO\\MSG");
        int files = 0;
        if (msg)
            for (const auto& e : fs::directory_iterator(*msg, ec))
                if (e.path().extension() == ".msg") ++files;
        if (!msg) add(Status::Warn, "message folder", platform::joinPath(in_.home, "PELARO/MSG") + " missing", "procedures show no instruction texts without it");
        else add(files ? Status::Ok : Status::Warn, "message folder", *msg + ": " + std::to_string(files) + " message files",
                 files ? "" : "procedures show no instruction texts without them");
    }

    void checkModelChain() {
        std::string name = profile_.getString("PREV_QX");
        std::string file = profile_.getString("PREV_file");
        if (!in_.model.empty()) {
            core::FakeUi ui;
            modeldb::ModelDatabase db(in_.home, ui);
            name = in_.model;
            file.clear();
            if (db.buildModelList() > 0)
                for (const modeldb::ModelRecord& m : db.records())
                    if (m.name == in_.model && file.empty()) file = m.fileStem + ".mdl";
            if (file.empty()) {
                add(Status::Fail, "model", "no model " + in_.model + " in the model database", "check the name with pelaro-cli models");
                return;
            }
        }
        if (file.empty()) {
            add(Status::Warn, "model", "none selected", "select one: pelaro-cli select MODEL (or F2 in pelaro)");
            return;
        }
        core::FakeUi ui;
        modeldb::ModelData data;
        std::string linkError;
        const int whole = modeldb::loadModel(data, in_.home, file, ui, [&](const std::string& path) {
            std::vector<uint8_t> bytes;
            if (path.empty() || !core::readWholeFile(path, bytes)) return 0;
            ecs::LinkDescription map;
            if (ecs::parseLinkDescription(bytes.data(), bytes.size(), map, &linkError)) return 1;
            return 0;
        });
        std::string chain = file;
        for (const std::string* f : {&data.chassisFile, &data.standardFile, &data.linkDescriptionFile})
            if (!f->empty()) chain += " -> " + *f;
        if (whole == 1) {
            add(Status::Ok, "model " + name, "chain loads: " + chain);
            return;
        }
        std::string detail = "chain stops: " + chain + ": " + joinMessages(ui.messages());
        if (!linkError.empty()) detail += " (" + linkError + ")";
        add(Status::Fail, "model " + name, detail, "check the model kit's files with pelaro-cli dump");
    }

    void checkSettingsStore() {
        const std::string path = platform::configFile("setstore/registry.ini");
        const siggen::SgKind* k = siggen::sgKind(value("SG_NAME", 0));
        const bool needed = k && k->family == siggen::SgDriverFamily::PatternGenerator;
        std::error_code ec;
        if (!fs::exists(path, ec))
            add(needed ? Status::Fail : Status::Warn, "settings store", path + " does not exist",
                "the generator link needs its protocol time-outs there ([Software\\Vexordyne\\XR4410\\Com] "
                "TimeoutByte, TimeoutCmdACK, TimeoutDataACK, Timeout)");
        else
            add(Status::Ok, "settings store", path);
        REG_COM com{};
        const int32_t init = REG_Init();
        const int32_t read = REG_ReadKeyCom(&com);
        REG_Terminate();
        if (init != 0 || read != 0) {
            add(needed ? Status::Fail : Status::Warn, "settings store time-outs", "cannot be read (status " + std::to_string(read) + ")",
                "check " + path);
            return;
        }
        const std::string values = "TimeoutByte=" + std::to_string(com.TimeoutByte) + ", TimeoutCmdACK=" +
                                   std::to_string(com.TimeoutCmdACK) + ", TimeoutDataACK=" +
                                   std::to_string(com.TimeoutDataACK) + ", Timeout=" + std::to_string(com.Timeout);
        const bool zero = com.TimeoutByte == 0 || com.TimeoutCmdACK == 0 || com.TimeoutDataACK == 0 || com.Timeout == 0;
        if (!zero) add(Status::Ok, "settings store time-outs", values);
        else add(needed ? Status::Fail : Status::Warn, "settings store time-outs", values,
                 "a time-out of 0 makes the generator link give up at once: set them in " + path +
                     " (for example 50, 1000, 1000, 2000 ms)");
    }

    void checkWritable(const std::string& subject, const std::string& folder, const std::string& why) {
        std::error_code ec;
        fs::create_directories(folder, ec);
        const fs::path probe = fs::path(folder) / ".pelaro-cli-doctor";
        bool ok = false;
        {
            std::ofstream out(probe);
            ok = static_cast<bool>(out << "probe");
        }
        fs::remove(probe, ec);
        if (ok) add(Status::Ok, subject, folder + " is writable");
        else add(Status::Fail, subject, folder + " is not writable", why);
    }

    const DoctorInput& in_;
    appstate::Profile profile_;
    std::vector<Check> checks_;
};

} // namespace

const char* statusWord(Check::Status status) {
    switch (status) {
    case Status::Ok: return "ok";
    case Status::Warn: return "warn";
    default: return "FAIL";
    }
}

std::vector<Check> runChecks(const DoctorInput& input) { return Checks(input).run(); }

} // namespace cli

// dump FILE: any file of a station decoded field by field; a monitor data
// file (.dat) walked with the current model's data groups, value by value.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>

#include "app/commands.h"
#include "cli/command.h"
#include "cli/data_files.h"
#include "cli/dump/dump.h"
#include "cli/exit_code.h"
#include "cli/session.h"
#include "core/record_io.h"
#include "datafiles/dat_compare.h"

namespace cli {
namespace {

constexpr size_t kMaxDumpBytes = 64u << 20;
constexpr const char* kDataFileFormat = "data";

bool isDataFileName(std::string path) {
    for (char& ch : path) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return endsWith(path, ".dat");
}

class DumpCommand : public Command {
public:
    std::string name() const override { return "dump"; }
    std::string summary() const override {
        return "decode a station file field by field (model database, model, chassis, standard and link "
               "description files, message files, kovhlp.txt, pelaro.rls)";
    }
    void define(CLI::App& app) override {
        app.add_option("FILE", path_, "the file")->required();
        std::string ids;
        for (const DumpFormat& f : dumpFormats()) ids += (ids.empty() ? "" : ", ") + std::string(f.id);
        app.add_option("--as", as_,
                       "the file's format when its name does not tell: " + ids + ", " + kDataFileFormat +
                           " (a monitor data file, walked with the current model's data groups)");
    }
    // A data file carries no sizes: it is read with the current model's groups.
    bool dataFile() const { return as_ == kDataFileFormat || (as_.empty() && isDataFileName(path_)); }
    Needs needs() const override {
        if (dataFile()) return {.model = true};
        return {};
    }

    int execute(Session& session) override {
        if (dataFile()) return dumpDataFile(session);
        Output& out = session.out();
        const DumpFormat* format = nullptr;
        if (!as_.empty() && !(format = formatById(as_))) {
            out.error("no format " + as_);
            return kExitUsage;
        }
        std::vector<uint8_t> bytes;
        std::string error;
        if (!core::readWholeFile(path_, bytes, kMaxDumpBytes, &error)) {
            out.error("cannot read " + path_ + (error.empty() ? "" : ": " + error));
            return kExitFailed;
        }
        if (!format && !(format = detectFormat(path_, bytes))) {
            out.error("cannot tell the format of " + path_ + "; name it with --as");
            return kExitFailed;
        }
        const Dump dump = format->dump(bytes);
        if (out.json()) {
            nlohmann::ordered_json object{{"file", path_}, {"format", format->title}, {"fields", dump.fields}};
            if (!dump.notes.empty()) object["notes"] = dump.notes;
            if (dump.stop) object["stopped"] = {{"offset", dump.stop->offset}, {"reason", dump.stop->reason}};
            out.data("", {{"dump", object}});
        } else {
            out.data("file: " + path_, nullptr);
            out.data(std::string("format: ") + format->title, nullptr);
            for (const std::string& line : dumpLines(dump)) out.data(line, nullptr);
        }
        return dump.stop ? kExitFailed : kExitDone;
    }

private:
    int dumpDataFile(Session& session) {
        Output& out = session.out();
        appstate::ScreenContext c = session.context();
        const modeldb::StandardBlock& standard = c.model.standard;
        datafiles::DatContents contents;
        if (!datafiles::readDatFile(path_, standard, contents)) {
            out.error("cannot read " + path_);
            return kExitFailed;
        }
        const std::vector<std::string> values = datafiles::dumpDatContents(contents, standard, c.registers);
        const std::string model = datafiles::fieldText(contents.header.modelName);
        const std::string modelFile = datafiles::fieldText(contents.header.modelFile);
        const std::string standardName = datafiles::fieldText(contents.header.standardName);
        const std::string stop = contents.fault.any() ? faultText(contents.fault, standard) : std::string();
        if (out.json()) {
            nlohmann::ordered_json object{{"file", path_},
                                          {"format", "monitor data file"},
                                          {"fields", {{"model name", model},
                                                      {"model file", modelFile},
                                                      {"standard data", standardName},
                                                      {"values", values}}}};
            if (contents.trailingBytes > 0)
                object["notes"] = {std::to_string(contents.trailingBytes) + " bytes after the model's groups"};
            if (!stop.empty()) object["stopped"] = {{"reason", stop}};
            out.data("", {{"dump", object}});
        } else {
            out.data("file: " + path_, nullptr);
            out.data("format: monitor data file", nullptr);
            for (const auto& [name, value] : {std::pair{"model name", model}, std::pair{"model file", modelFile},
                                              std::pair{"standard data", standardName}})
                out.data(std::string(name) + ": " + nlohmann::json(value).dump(), nullptr);
            for (const std::string& line : values) out.data(line, nullptr);
            if (contents.trailingBytes > 0)
                out.data("note: " + std::to_string(contents.trailingBytes) + " bytes after the model's groups", nullptr);
            if (!stop.empty()) out.data("stopped at " + stop, nullptr);
        }
        return stop.empty() ? kExitDone : kExitFailed;
    }

    std::string path_;
    std::string as_;
};

} // namespace

std::unique_ptr<Command> makeDumpCommand() { return std::make_unique<DumpCommand>(); }

} // namespace cli

// dump FILE: any file of a station decoded field by field.
#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/dump/dump.h"
#include "cli/exit_code.h"
#include "cli/session.h"
#include "core/record_io.h"

namespace cli {
namespace {

constexpr size_t kMaxDumpBytes = 64u << 20;

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
        app.add_option("--as", as_, "the file's format when its name does not tell: " + ids);
    }
    Needs needs() const override { return {}; }

    int execute(Session& session) override {
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
    std::string path_;
    std::string as_;
};

} // namespace

std::unique_ptr<Command> makeDumpCommand() { return std::make_unique<DumpCommand>(); }

} // namespace cli

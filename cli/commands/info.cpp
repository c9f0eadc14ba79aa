// info: the station's notices and released versions, then the current model,
// its files, timings, data groups, procedure lists and special registers.
#include <CLI/CLI.hpp>

#include "app/state/app_state.h"
#include "app/station_notices.h"
#include "cli/release_file.h"
#include "core/record_io.h"
#include "cli/chassis_fields.h"
#include "cli/command.h"
#include "cli/exit_code.h"
#include "cli/model_summary.h"
#include "cli/registers.h"
#include "cli/session.h"
#include "core/text_format.h"
#include "modeldb/model_file.h"

namespace cli {
namespace {

class InfoCommand : public Command {
public:
    std::string name() const override { return "info"; }
    std::string summary() const override {
        return "the station's notices and released versions; the current model: its file chain, ECS type, timings, "
               "data groups, procedure lists and special registers";
    }
    void define(CLI::App&) override {}
    Needs needs() const override { return {.state = true}; }

    int execute(Session& session) override {
        appstate::AppState& state = session.state();
        printNotices(session);
        printReleases(session);
        if (state.modelFileName().empty()) {
            session.out().error("no model selected (use select MODEL or --model NAME)");
            return kExitSetup;
        }
        const bool whole = printModelSummary(session);
        const modeldb::ModelData& data = state.document().data();
        printTimings(session, data.image);
        printGroups(session, data.standard);
        printProcedures(session, data);
        printRegisters(session, data.chassis);
        return whole ? kExitDone : kExitFailed;
    }

private:
    static void printNotices(Session& session) {
        for (const modeldb::Notice& n : app::readNoticeFile(session.home(), session.ui()))
            session.out().data(core::strf("notice %3d %-20s %s", n.kind, n.modelName.c_str(), n.text.c_str()),
                               {{"notice", n.kind}, {"model", n.modelName}, {"text", n.text}});
    }

    static void printReleases(Session& session) {
        const std::string path = releaseFilePath(session);
        std::vector<uint8_t> bytes;
        if (!core::readWholeFile(path, bytes)) {
            session.out().data("release file: none (" + path + ")", {{"releaseFile", nullptr}});
            return;
        }
        const modeldb::ReleaseFile file = modeldb::decodeReleaseFile(bytes);
        session.out().data("release file: " + path + (file.hasHeader ? ": " + file.header : std::string()),
                           {{"releaseFile", path}, {"header", file.header}});
        for (const modeldb::ReleaseRecord& r : file.versions)
            session.out().data(core::strf("release %-15s %-16s %s", r.version.c_str(), r.editor.c_str(), r.date.c_str()),
                               {{"release", r.version}, {"editor", r.editor}, {"date", r.date}});
    }

    static void printTiming(Session& session, const modeldb::ModelImage& image, int number, const char* kind) {
        modeldb::SgTiming t;
        if (!modeldb::selectTiming(image, number, t)) return;
        session.out().data(core::strf("%s timing %3d: %-15s %s  %7.3f kHz  %6.2f Hz", kind, number, t.name.c_str(),
                                      t.resolution.c_str(), static_cast<double>(t.hFrequency) / 1000.0,
                                      static_cast<double>(t.vFrequency)),
                           {{"timing", number},
                            {"kind", kind},
                            {"name", t.name},
                            {"resolution", t.resolution},
                            {"hFrequencyKHz", t.hFrequency / 1000.0f},
                            {"vFrequencyHz", t.vFrequency}});
    }

    static void printTimings(Session& session, const modeldb::ModelImage& image) {
        for (int n = 1; n <= image.presetCount; ++n) printTiming(session, image, n, "preset");
        for (int n = 1; n <= image.adjustCount; ++n) printTiming(session, image, 100 + n, "adjustment");
        session.out().data(core::strf("prime mode: preset %d (timing 201)", image.primeMode),
                           {{"primeMode", image.primeMode}});
    }

    static void printGroups(Session& session, const modeldb::StandardBlock& standard) {
        for (int g = 0; g < standard.groupCount; ++g) {
            const modeldb::DataGroup& d = standard.groups[static_cast<size_t>(g)];
            session.out().data(core::strf("data group %2d: %-20s modes %3d  items %3d", g + 1, d.name.c_str(),
                                          d.modeCount, d.itemCount),
                               {{"dataGroup", g + 1}, {"name", d.name}, {"modes", d.modeCount}, {"items", d.itemCount}});
        }
    }

    static void printProcedures(Session& session, const modeldb::ModelData& data) {
        auto list = [&](const char* label, const auto& names, int count) {
            std::string text;
            nlohmann::ordered_json array = nlohmann::ordered_json::array();
            for (int i = 0; i < count; ++i) {
                text += (i ? ", " : "") + names[static_cast<size_t>(i)];
                array.push_back(names[static_cast<size_t>(i)]);
            }
            session.out().data(std::string(label) + ": " + text, {{"procedures", label}, {"names", array}});
        };
        list("adjustment procedures", data.image.adjustProcedures, data.image.adjustProcedureCount);
        list("touch-up procedures", data.image.touchUpProcedures, data.image.touchUpProcedureCount);
        session.out().data("procedure folder: " + data.chassis.procedureFolder,
                           {{"procedureFolder", data.chassis.procedureFolder}});
    }

    static void printRegisters(Session& session, const modeldb::ChassisRecord& chassis) {
        const ecs::EcsLink& link = session.state().link();
        auto line = [&](const std::string& label, size_t offset, int16_t code) {
            if (code == 0) return;
            const std::string name = link.registerName(static_cast<uint16_t>(code));
            session.out().data(core::strf("%-30s (%3zu): %s %s", label.c_str(), offset,
                                          codeText(static_cast<uint16_t>(code)).c_str(), name.c_str()),
                               {{"specialRegister", label}, {"offset", offset},
                                {"code", codeText(static_cast<uint16_t>(code))}, {"name", name}});
        };
        for (size_t k = 0; k < timingRegisterLabels().size(); ++k)
            line(timingRegisterLabels()[k], modeldb::chassis::kTimingRegisters + 2 * k, chassis.timingRegisters[k]);
        for (const ChassisRegisterField& f : chassisRegisterFields()) {
            int16_t code = chassis.specialRegister(f.offset);
            if (f.offset == modeldb::chassis::kPower) code = chassis.powerRegister();
            if (f.offset == modeldb::chassis::kKey) code = chassis.keyRegister();
            if (f.offset == modeldb::chassis::kUmt) code = chassis.umtRegister();
            line(f.label, f.offset, code);
        }
    }
};

} // namespace

std::unique_ptr<Command> makeInfoCommand() { return std::make_unique<InfoCommand>(); }

} // namespace cli

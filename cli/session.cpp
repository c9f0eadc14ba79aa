#include "cli/session.h"

#include "app/command_line.h"
#include "app/commands.h"
#include "app/signal_generator_layer.h"
#include "app/state/app_state.h"
#include "cli/exit_code.h"
#include "modeldb/model_database.h"
#include "platform/clock.h"
#include "platform/program_home.h"
#include "siggen/install_drivers.h"
#include "siggen/signal_generator.h"

namespace cli {

namespace {

std::string chooseHome(const std::string& option) {
    std::vector<std::string> args{"pelaro-cli"};
    if (!option.empty()) {
        args.push_back("--home");
        args.push_back(option);
    }
    return app::chooseHome(args);
}

} // namespace

Session::Session(Environment& env, const GlobalOptions& options, Output& out, std::unique_ptr<ConsoleUi> ui)
    : env_(env), options_(options), out_(out), ui_(std::move(ui)),
      clock_(env.clock ? *env.clock : platform::systemClock()), home_(chooseHome(options.home)) {}

Session::~Session() { shutdown(); }

void Session::shutdown() {
    // The state closes the generator it opened; the link closes its port.
    commands_.reset();
    state_.reset();
    layer_.reset();
    generator_.reset();
}

appstate::Profile& Session::profile() {
    if (!profile_) profile_ = std::make_unique<appstate::Profile>();
    return *profile_;
}

appstate::ScreenContext Session::context() { return commands_->context(); }

bool Session::checkStation() {
    if (platform::findFile(home_, modeldb::tableInfo(modeldb::Table::Model).fileName)) return true;
    out_.error("no station in " + home_ + ": " + modeldb::tableInfo(modeldb::Table::Model).fileName +
               " not found (use --home DIR or $PELARO_HOME)");
    return false;
}

bool Session::startState(const Needs& needs) {
    appstate::RunOverrides overrides;
    overrides.monitorPort = options_.port;
    overrides.loadModel = needs.loadModel;
    if (!options_.model.empty()) {
        modeldb::ModelDatabase db(home_, *ui_);
        if (db.buildModelList() > 0) {
            for (const modeldb::ModelRecord& m : db.records()) {
                if (m.name != options_.model) continue;
                overrides.modelName = m.name;
                overrides.modelFile = m.fileStem + ".mdl";
                overrides.ecsType = m.comTypeCode == 1 ? 1 : 2;
                break;
            }
        }
        if (overrides.modelFile.empty()) {
            out_.error("no model " + options_.model + " in the model database of " + home_);
            return false;
        }
    }

    generator_ = std::make_unique<siggen::SignalGenerator>(*ui_, clock_);
    siggen::installDrivers(*generator_, home_);
    generator_->setLog([this](const std::string& line) { out_.status(line); });
    if (options_.debug) generator_->setShowConversion(1);
    state_ = std::make_unique<appstate::AppState>(home_, *ui_, profile(), clock_);
    if (needs.generator) {
        layer_ = std::make_unique<app::SignalGeneratorLayer>(*generator_);
        state_->setGeneratorLayer(layer_.get());
    }
    state_->setRunOverrides(overrides);
    state_->startApplicationState();
    if (options_.debug) state_->flags().debug = true;
    commands_ = std::make_unique<app::Commands>(*state_, *generator_, *ui_, clock_);
    return true;
}

bool Session::checkModel() {
    const appstate::ModelDocument& doc = state_->document();
    if (!doc.linkDescriptionFileName().empty()) return true;
    const std::string model = state_->modelName().empty() ? std::string("no model") : "the model " + state_->modelName();
    std::string where = "its model file";
    if (!doc.modelFileName().empty()) where = "its chassis file";
    if (!doc.chassisFileName().empty()) where = "its standard file";
    if (!doc.standardFileName().empty()) where = "its link description file";
    if (state_->modelFileName().empty())
        out_.error("no model selected (use select MODEL or --model NAME)");
    else
        out_.error(model + " did not load: " + where + " failed");
    return false;
}

bool Session::checkMonitor() {
    ecs::EcsLink& link = state_->link();
    if (link.portOpen()) return true;
    const std::string port = options_.port.empty() ? "COM" + std::to_string(state_->ecsPort()) : options_.port;
    out_.error("the monitor port " + port + " cannot be opened: " + link.openError());
    return false;
}

int Session::prepare(const Needs& needs) {
    const bool state = needs.state || needs.model || needs.monitor || needs.generator;
    if ((needs.station || state) && !checkStation()) return kExitSetup;
    if (!state) return kExitDone;
    if (!startState(needs)) return kExitSetup;
    if ((needs.model || needs.monitor) && !checkModel()) return kExitSetup;
    if (needs.monitor && !checkMonitor()) return kExitSetup;
    return kExitDone;
}

int Session::finish(int exitCode) {
    shutdown();
    if (ui_->outcome() != 0) return ui_->outcome();
    if (exitCode != kExitDone) return exitCode;
    std::vector<std::string> unused = ui_->unusedInput();
    if (unused.empty()) return exitCode;
    std::string list;
    for (const std::string& u : unused) list += (list.empty() ? "" : ", ") + u;
    out_.error("scripted input not used: " + list);
    return kExitUsage;
}

} // namespace cli

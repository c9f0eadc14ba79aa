#pragma once
// The process-wide application state: the configuration kept in the profile,
// the current model, the document with the monitor link and the model data,
// and the flags every screen reads.
#include <string>

#include "app/state/generator_layer.h"
#include "app/state/screen_context.h"
#include "app/state/model_document.h"
#include "app/state/profile.h"
#include "modeldb/model_selection.h"

namespace core { class Ui; }

namespace appstate {

// The four values the configuration dialog edits.
struct PortConfiguration {
    int ecsPort = 0;
    int sgName = 0;
    int sgPort = 0;
    int sgIsaNumber = 0;
};

// Choices of one run that replace the profile's without being stored (the
// command line's --port and --model): the monitor port, the model, or no
// model at all.
struct RunOverrides {
    std::string monitorPort;  // "COMn" or a device path; empty: the profile's port number
    std::string modelName;    // with modelFile: this model instead of the previous one
    std::string modelFile;
    int ecsType = 0;          // the model's ECS type; 0: the profile's
    bool loadModel = true;    // false: start without loading any model
};

class AppState : public modeldb::ModelSelectionHost {
public:
    AppState(std::string home, core::Ui& ui, Profile& profile, platform::Clock& clock = platform::systemClock());
    ~AppState() override;

    // Attaches the generator layer; without one the generator steps are skipped.
    void setGeneratorLayer(GeneratorLayer* generator) { generator_ = generator; }
    bool generatorAttached() const { return generator_ != nullptr; }

    // Reads the profile (writing the first-run values when needed), builds the
    // link, sets the ECS type, opens the generator, and loads the previous model.
    void startApplicationState();
    // Takes effect at the next startApplicationState().
    void setRunOverrides(RunOverrides overrides) { overrides_ = std::move(overrides); }

    // Writes the configuration, reopens the generator, rebuilds the link and
    // reloads the current model (also when nothing changed).
    void applyConfiguration(const PortConfiguration& config);

    // ModelSelectionHost
    void applyEcsType(int ecsType) override;
    void rememberModel(const std::string& modelName, const std::string& modelFile) override;
    void loadModel(const std::string& modelFile) override;

    int ecsType() const { return ecsType_; }
    // Sets the type of the link (every value other than 1 is type 2).
    void setEcsType(int ecsType);
    const PortConfiguration& configuration() const { return config_; }
    int ecsPort() const { return config_.ecsPort; }
    int generatorKind() const { return config_.sgName; }
    int generatorPort() const { return config_.sgPort; }
    int generatorIsaNumber() const { return config_.sgIsaNumber; }
    const std::string& modelName() const { return modelName_; }
    const std::string& modelFileName() const { return modelFile_; }

    ModelDocument& document() { return document_; }
    ecs::EcsLink& link() { return document_.link(); }
    Profile& profile() { return profile_; }
    const std::string& home() const { return home_; }
    core::Ui& ui() { return ui_; }

    // Flags read by many screens. Monitor-not-connected lives in the link,
    // which the service-entry sequence sets and clears.
    bool monitorNotConnected() { return document_.hasLink() && document_.link().monitorNotConnected(); }
    void setMonitorNotConnected(bool on) { if (document_.hasLink()) document_.link().setMonitorNotConnected(on); }
    AppFlags& flags() { return flags_; }
    const AppFlags& flags() const { return flags_; }

private:
    void openGenerator();

    std::string home_;
    core::Ui& ui_;
    Profile& profile_;
    ModelDocument document_;
    GeneratorLayer* generator_ = nullptr;
    PortConfiguration config_;
    RunOverrides overrides_;
    int ecsType_ = 2;
    std::string modelName_;
    std::string modelFile_;
    AppFlags flags_;
};

} // namespace appstate

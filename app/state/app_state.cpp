#include "app/state/app_state.h"

namespace appstate {

AppState::AppState(std::string home, core::Ui& ui, Profile& profile, platform::Clock& clock)
    : home_(home), ui_(ui), profile_(profile), document_(std::move(home), ui, clock)
{
}

AppState::~AppState()
{
    if (generator_) generator_->close();
}

void AppState::startApplicationState()
{
    int ecsType;
    if (profile_.getString("INIT") != "INIT_OK") {
        // First run: write the defaults and run with exactly these values.
        profile_.writeString("INIT", "INIT_OK");
        profile_.writeInt("ECS_TYPE", 1);
        profile_.writeInt("ECS_PORT", 1);
        profile_.writeInt("SG_NAME", 0);
        profile_.writeInt("SG_PORT", 0);
        profile_.writeInt("SG_ISANO", 0);
        config_ = PortConfiguration{1, 0, 0, 0};
        ecsType = 1;
    } else {
        config_.ecsPort = profile_.getInt("ECS_PORT", 0);
        config_.sgName = profile_.getInt("SG_NAME", 0);
        config_.sgPort = profile_.getInt("SG_PORT", 0);
        config_.sgIsaNumber = profile_.getInt("SG_ISANO", 0);
        ecsType = profile_.getInt("ECS_TYPE", 0);
    }

    if (overrides_.monitorPort.empty()) document_.buildLink(config_.ecsPort);
    else document_.buildLink(overrides_.monitorPort);
    if (overrides_.ecsType != 0) ecsType = overrides_.ecsType;
    setEcsType(ecsType == 1 ? 1 : 2);
    openGenerator();

    modelName_ = profile_.getString("PREV_QX");
    modelFile_ = profile_.getString("PREV_file");
    if (!overrides_.modelFile.empty()) {
        modelName_ = overrides_.modelName;
        modelFile_ = overrides_.modelFile;
        document_.setModelFileName(modelFile_);
    }
    if (overrides_.loadModel) document_.loadModel(modelFile_);
    flags_.expert = true;
}

void AppState::openGenerator()
{
    // The generator layer joins here once it is attached.
    if (!generator_) return;
    generator_->select(config_.sgName, config_.sgPort, config_.sgIsaNumber);
    generator_->open();
    generator_->resetDefault();
}

void AppState::applyConfiguration(const PortConfiguration& config)
{
    config_ = config;
    profile_.writeInt("ECS_PORT", config_.ecsPort);
    profile_.writeInt("SG_NAME", config_.sgName);
    profile_.writeInt("SG_PORT", config_.sgPort);
    profile_.writeInt("SG_ISANO", config_.sgIsaNumber);
    if (generator_) generator_->close();
    openGenerator();
    document_.buildLink(config_.ecsPort);
    setEcsType(ecsType_);
    document_.loadModel(modelFile_);
}

void AppState::setEcsType(int ecsType)
{
    ecsType_ = ecsType == 1 ? 1 : 2;
    if (document_.hasLink()) document_.link().setEcsType(ecsType_);
}

void AppState::applyEcsType(int ecsType)
{
    setEcsType(ecsType);
    profile_.writeInt("ECS_TYPE", ecsType_);
}

void AppState::rememberModel(const std::string& modelName, const std::string& modelFile)
{
    modelName_ = modelName;
    modelFile_ = modelFile;
    document_.setModelFileName(modelFile);
    profile_.writeString("PREV_QX", modelName);
    profile_.writeString("PREV_file", modelFile);
}

void AppState::loadModel(const std::string& modelFile) { document_.loadModel(modelFile); }

} // namespace appstate

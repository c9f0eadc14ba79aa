#pragma once
// The single document: owns the monitor link and the loaded model data, and
// tells its views when a model load has changed them.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/ecs_link.h"
#include "modeldb/model_data.h"

namespace core { class Ui; }

namespace appstate {

class ModelDocument {
public:
    ModelDocument(std::string home, core::Ui& ui, platform::Clock& clock);
    ~ModelDocument();

    // Replaces the link by a new one on COM<portNumber> (0 gives "COM0",
    // which does not exist: its commands fail with the link error).
    void buildLink(int portNumber);
    // The same on a named port: "COMn", a device path or "sim:NAME".
    void buildLink(const std::string& portName);
    ecs::EcsLink& link() { return *link_; }
    bool hasLink() const { return link_ != nullptr; }

    // Loads the chain of `modelFile` into the data and the link, then tells
    // the views. 1 when the whole chain loaded.
    int loadModel(const std::string& modelFile);

    modeldb::ModelData& data() { return *data_; }
    modeldb::ModelImage& modelImage() { return data_->image; }
    modeldb::ChassisRecord& chassis() { return data_->chassis; }
    modeldb::StandardBlock& standard() { return data_->standard; }
    int dataGroupCount() const { return data_->standard.groupCount; }

    const std::string& modelFileName() const { return data_->modelFile; }
    void setModelFileName(const std::string& name) { data_->modelFile = name; }
    const std::string& chassisFileName() const { return data_->chassisFile; }
    const std::string& standardFileName() const { return data_->standardFile; }
    const std::string& linkDescriptionFileName() const { return data_->linkDescriptionFile; }

    const std::string& home() const { return home_; }

    // Views are told after every model load.
    void addView(std::function<void()> refresh) { views_.push_back(std::move(refresh)); }
    void refreshViews();

private:
    std::string home_;
    core::Ui& ui_;
    platform::Clock& clock_;
    std::unique_ptr<ecs::EcsLink> link_;
    std::unique_ptr<modeldb::ModelData> data_;
    std::vector<std::function<void()>> views_;
};

} // namespace appstate

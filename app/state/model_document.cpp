#include "app/state/model_document.h"

#include "modeldb/model_file.h"

namespace appstate {

ModelDocument::ModelDocument(std::string home, core::Ui& ui, platform::Clock& clock)
    : home_(std::move(home)), ui_(ui), clock_(clock), data_(std::make_unique<modeldb::ModelData>())
{
}

ModelDocument::~ModelDocument() = default;

void ModelDocument::buildLink(int portNumber)
{
    // The old link closes its port before the new one opens it.
    link_.reset();
    link_ = std::make_unique<ecs::EcsLink>(portNumber, ui_, clock_);
}

void ModelDocument::buildLink(const std::string& portName)
{
    link_.reset();
    link_ = std::make_unique<ecs::EcsLink>(portName, ui_, clock_);
}

int ModelDocument::loadModel(const std::string& modelFile)
{
    int result = modeldb::loadModel(*data_, home_, modelFile, ui_, [this](const std::string& path) {
        return link_ ? link_->loadLinkDescription(path) : 0;
    });
    // Views show what is loaded now, also after a chain that stopped early.
    refreshViews();
    return result;
}

void ModelDocument::refreshViews()
{
    for (auto& v : views_) v();
}

} // namespace appstate

#pragma once
// The model selection grid's host for a run that only looks at the list:
// nothing is applied, remembered or loaded.
#include "modeldb/model_selection.h"

namespace cli {

struct ListOnlyHost : modeldb::ModelSelectionHost {
    void applyEcsType(int) override {}
    void rememberModel(const std::string&, const std::string&) override {}
    void loadModel(const std::string&) override {}
};

} // namespace cli

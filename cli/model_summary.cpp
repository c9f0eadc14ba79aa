#include "cli/model_summary.h"

#include "app/state/app_state.h"
#include "cli/session.h"
#include "modeldb/model_file.h"

namespace cli {

bool printModelSummary(Session& session) {
    appstate::AppState& state = session.state();
    const appstate::ModelDocument& doc = state.document();
    Output& out = session.out();
    out.data("model: " + state.modelName(), {{"model", state.modelName()}});
    const std::pair<const char*, const std::string*> files[] = {
        {"model file", &state.modelFileName()},
        {"chassis file", &doc.chassisFileName()},
        {"standard file", &doc.standardFileName()},
        {"link description file", &doc.linkDescriptionFileName()},
    };
    bool whole = true;
    for (const auto& [label, name] : files) {
        const bool loaded = !name->empty() && (name != files[0].second || !doc.modelFileName().empty());
        const std::string path = loaded ? modeldb::dataFilePath(session.home(), *name) : std::string();
        whole = whole && loaded;
        out.data(std::string(label) + ": " + (loaded ? *name + " (" + path + ")" : std::string("(not loaded)")),
                 {{"file", label}, {"name", loaded ? *name : std::string()}, {"path", path}, {"loaded", loaded}});
    }
    out.data("ECS type: " + std::to_string(state.ecsType()), {{"ecsType", state.ecsType()}});
    return whole;
}

} // namespace cli

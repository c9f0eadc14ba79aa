#pragma once
// The checks a kit engineer runs on a station before shipping it: every
// model's file chain loads, every procedure its lists name exists and
// reads, and each step of each procedure is consistent with the model
// (known step kinds, jumps within END, variables V1..V100, registers the
// model's link description holds, message codes the message files hold,
// signal, pattern and colour numbers the model allows, expressions that
// can be evaluated). Nothing is sent anywhere and nothing is shown.
#include <string>
#include <vector>

#include "modeldb/model_data.h"
#include "procedure/prc_file.h"

namespace ecs { struct LinkDescription; }

namespace procedure {

struct Finding {
    std::string file;  // the model file or the procedure file
    int step = 0;      // 0: the finding is about the file as a whole
    std::string what;

    // "FILE: step N: what", or "FILE: what" without a step.
    std::string text() const;
    bool operator==(const Finding&) const = default;
};

// Checks one decoded procedure against the model it belongs to and the
// model's register map. `home` is where the message files lie.
std::vector<Finding> lintProcedure(const std::string& file, const PrcFile& procedure,
                                   const modeldb::ModelData& model, const ecs::LinkDescription& link,
                                   const std::string& home);

// Checks the station below `home`: the models named (by their database
// name; all models of the database when none is named), their file chains
// and every procedure of their lists. Each procedure file is checked once
// per chassis folder and model.
std::vector<Finding> lintStation(const std::string& home, const std::vector<std::string>& models);

} // namespace procedure

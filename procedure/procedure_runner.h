#pragma once
// What starts a chosen procedure: the step runner ("Step by Step") opens
// modally on the procedure's file and returns when the run ends, whichever
// way. Until the step runner is built in, NoStepRunner runs nothing.
#include <string>

namespace procedure {

struct ProcedureChoice {
    int listKind = 0;
    int index = 0;          // position in the model's list
    std::string name;       // the list's name
    std::string directory;  // the procedure directory
    std::string path;       // directory, name and ".PRC", as shown
    std::string file;       // the file to open (the path, or its case-insensitive match)
};

class ProcedureRunner {
public:
    virtual ~ProcedureRunner() = default;
    virtual void runProcedure(const ProcedureChoice& choice) = 0;
};

class NoStepRunner final : public ProcedureRunner {
public:
    void runProcedure(const ProcedureChoice&) override {}
};

} // namespace procedure

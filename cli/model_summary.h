#pragma once
// The current model in a few lines: its name, each file of its chain with its
// path (empty where the chain stopped), and the ECS type of the link.
namespace cli {

class Session;

// Prints the summary; false when the chain did not load whole.
bool printModelSummary(Session& session);

} // namespace cli

#pragma once
// The instruction texts panel steps name by message code, shown as lines of
// the step's log list.
#include <string>
#include <vector>

namespace core {
class OperationLog;
class Ui;
}

namespace procedure {

struct StepPanel;

// The display lines of a message as the message file yields it: everything up
// to and including the first ":" dropped, the rest split at each backslash-"n"
// pair; a part that begins with "#" ends the message.
std::vector<std::string> instructionLines(const std::string& message);

// For each message code of the panel until -1: the lines of that message (high
// byte the file letter, "A" = file a; low byte the number), added to the log.
void showMessages(const StepPanel& panel, const std::string& home, core::Ui& ui, core::OperationLog& log);

} // namespace procedure

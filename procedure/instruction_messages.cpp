#include "procedure/instruction_messages.h"

#include "core/operation_log.h"
#include "modeldb/message_file.h"
#include "procedure/step_panel.h"

namespace procedure {

std::vector<std::string> instructionLines(const std::string& message) {
    std::vector<std::string> lines;
    if (message.empty()) return lines;  // a message that is not there shows nothing
    const size_t colon = message.find(':');
    std::string rest = colon == std::string::npos ? message : message.substr(colon + 1);
    size_t at = 0;
    while (true) {
        if (rest.compare(at, 1, "#") == 0) break;
        const size_t mark = rest.find("\\n", at);
        if (mark == std::string::npos) {
            lines.push_back(rest.substr(at));
            break;
        }
        lines.push_back(rest.substr(at, mark - at));
        at = mark + 2;
    }
    return lines;
}

void showMessages(const StepPanel& panel, const std::string& home, core::Ui& ui, core::OperationLog& log) {
    for (int16_t code : panel.messageCodes) {
        if (code == -1) break;
        const uint16_t c = static_cast<uint16_t>(code);
        const std::string text = modeldb::messageText(home, modeldb::messageLetter(c), modeldb::messageNumber(c), ui);
        for (std::string& line : instructionLines(text)) log.add(std::move(line));
    }
}

} // namespace procedure

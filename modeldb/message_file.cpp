#include "modeldb/message_file.h"

#include <fstream>

#include "core/text_format.h"
#include "core/ui.h"
#include "platform/program_home.h"

namespace modeldb {
namespace {

// Upper bound of one message, against a file without any "$" line after a match.
constexpr size_t kMaxMessage = 64 * 1024;

void dropLineEnd(std::string& line)
{
    if (!line.empty() && line.back() == '\r') line.pop_back();
}

// The number of a "$" line, or -1 when its ':' is not within positions 1..9
// or no digits stand before it.
int lineNumber(const std::string& line)
{
    size_t colon = std::string::npos;
    for (size_t i = 1; i < 10 && i < line.size(); ++i)
        if (line[i] == ':') { colon = i; break; }
    if (colon == std::string::npos) return -1;
    size_t i = 1;
    while (i < colon && (line[i] == ' ' || line[i] == '\t')) ++i;
    int value = 0;
    bool digits = false;
    for (; i < colon && line[i] >= '0' && line[i] <= '9'; ++i) {
        value = value * 10 + (line[i] - '0');  // at most 8 digits: no overflow
        digits = true;
    }
    return digits ? value : -1;
}

} // namespace

std::string messageFilePath(const std::string& home, int letter)
{
    std::string name = core::strf("PELARO\\MSG\\pelaro_%c.msg", static_cast<char>('a' + letter));
    return platform::locateFile(home, name);
}

namespace {

// Calls `take` for each message of the text in file order until it returns false.
template <typename Take>
void forEachMessage(std::istream& in, Take take)
{
    std::string line;
    size_t lineNo = 0;
    bool pending = static_cast<bool>(std::getline(in, line));
    while (pending) {
        ++lineNo;
        dropLineEnd(line);
        const int number = !line.empty() && line[0] == '$' ? lineNumber(line) : -1;
        if (number < 0) {
            pending = static_cast<bool>(std::getline(in, line));
            continue;
        }
        MessageEntry entry{number, line, lineNo};
        // Continuation lines run up to the next "$" line or the end.
        bool full = false;
        while ((pending = static_cast<bool>(std::getline(in, line)))) {
            dropLineEnd(line);
            if (!line.empty() && line[0] == '$') break;
            ++lineNo;
            full = full || entry.text.size() + line.size() > kMaxMessage;
            if (!full) entry.text += line;
        }
        if (!take(std::move(entry))) return;
    }
}

} // namespace

std::string messageText(const std::string& home, int letter, int number, core::Ui& ui)
{
    if (letter < 0 || letter > 25) return {};
    std::string path = messageFilePath(home, letter);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ui.message("FILE OPEN ERR(" + path + ")");
        return {};
    }
    std::string text;
    forEachMessage(in, [&](MessageEntry&& m) {
        if (m.number != number) return true;
        text = std::move(m.text);
        return false;
    });
    return text;
}

std::vector<MessageEntry> readMessages(std::istream& in)
{
    std::vector<MessageEntry> all;
    forEachMessage(in, [&](MessageEntry&& m) {
        all.push_back(std::move(m));
        return true;
    });
    return all;
}

} // namespace modeldb

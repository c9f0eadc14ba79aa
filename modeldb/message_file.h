#pragma once
// Instruction texts: 26 message files "pelaro_a.msg".."pelaro_z.msg" in the
// folder PELARO\MSG below the program's folder. A line "$<number>:" opens a
// message; the lines after it continue the message up to the next "$" line.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace core { class Ui; }

namespace modeldb {

// Letter index (0 = 'a') and number of a 16-bit message code.
inline int messageLetter(uint16_t code) { return (code >> 8) - 65; }
inline int messageNumber(uint16_t code) { return code & 0xFF; }

// The path of the message file for letter index 0..25 below `home`.
std::string messageFilePath(const std::string& home, int letter);

// The message `number` of file `letter`: its "$" line followed directly by its
// continuation lines, line ends dropped; empty when not found. A file that
// cannot be opened shows "FILE OPEN ERR(<path>)".
std::string messageText(const std::string& home, int letter, int number, core::Ui& ui);

// One message of a file as messageText gives it, with the line it starts on (from 1).
struct MessageEntry {
    int number = 0;
    std::string text;
    size_t line = 0;
};
// Every message of a message file's text, in file order (a number that
// appears twice is listed twice; messageText finds the first).
std::vector<MessageEntry> readMessages(std::istream& in);

} // namespace modeldb

#include "core/input_event.h"

#include <cctype>
#include <cstdlib>

namespace core {
namespace {

struct KeyName {
    Key key;
    const char* name;
};

constexpr KeyName kKeyNames[] = {
    {Key::F1, "F1"},         {Key::F2, "F2"},         {Key::F3, "F3"},     {Key::F4, "F4"},
    {Key::F5, "F5"},         {Key::F6, "F6"},         {Key::F7, "F7"},     {Key::F8, "F8"},
    {Key::F9, "F9"},         {Key::F10, "F10"},       {Key::F11, "F11"},   {Key::F12, "F12"},
    {Key::Enter, "Enter"},   {Key::Escape, "Escape"}, {Key::Tab, "Tab"},   {Key::Backtab, "Backtab"},
    {Key::Up, "Up"},         {Key::Down, "Down"},     {Key::Left, "Left"}, {Key::Right, "Right"},
    {Key::PageUp, "PageUp"}, {Key::PageDown, "PageDown"}, {Key::Home, "Home"}, {Key::End, "End"},
};

bool letterOrDigit(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

bool sameLetters(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return i == a.size() && b[i] == 0;
}

} // namespace

InputEvent InputEvent::press(Key key) {
    InputEvent e;
    e.key = key;
    return e;
}

InputEvent InputEvent::charKey(char c, bool alt) {
    InputEvent e;
    e.key = Key::Character;
    e.character = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    e.alt = alt;
    return e;
}

InputEvent InputEvent::typed(std::string text) {
    InputEvent e;
    e.kind = Kind::Text;
    e.text = std::move(text);
    return e;
}

InputEvent InputEvent::click(std::string caption) {
    InputEvent e;
    e.kind = Kind::Click;
    e.text = std::move(caption);
    return e;
}

InputEvent InputEvent::selectRow(int row) {
    InputEvent e;
    e.kind = Kind::Row;
    e.row = row;
    return e;
}

int InputEvent::digit() const {
    if (kind != Kind::Key || key != Key::Character || alt) return -1;
    return character >= '0' && character <= '9' ? character - '0' : -1;
}

int InputEvent::altDigit() const {
    if (kind != Kind::Key || key != Key::Character || !alt) return -1;
    return character >= '0' && character <= '9' ? character - '0' : -1;
}

bool InputEvent::isAlt(char letter) const {
    return kind == Kind::Key && key == Key::Character && alt &&
           character == static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

bool InputEvent::isLetter(char letter) const {
    return kind == Kind::Key && key == Key::Character && !alt &&
           character == static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

std::string InputEvent::name() const {
    switch (kind) {
    case Kind::Text: return "type=" + text;
    case Kind::Click: return "click=" + text;
    case Kind::Row: return "row=" + std::to_string(row);
    case Kind::Key: break;
    }
    if (key == Key::Character) return std::string(alt ? "Alt+" : "") + character;
    for (const KeyName& k : kKeyNames)
        if (k.key == key) return k.name;
    return "None";
}

std::optional<InputEvent> parseInputEvent(const std::string& text) {
    if (text.rfind("type=", 0) == 0) return InputEvent::typed(text.substr(5));
    if (text.rfind("click=", 0) == 0) {
        if (text.size() == 6) return std::nullopt;
        return InputEvent::click(text.substr(6));
    }
    if (text.rfind("row=", 0) == 0) {
        const std::string digits = text.substr(4);
        if (digits.empty() || digits.size() > 6) return std::nullopt;
        for (char c : digits)
            if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        return InputEvent::selectRow(std::atoi(digits.c_str()));
    }
    if (text.size() == 5 && sameLetters(text.substr(0, 4), "Alt+") && letterOrDigit(text[4]))
        return InputEvent::charKey(text[4], true);
    if (text.size() == 1 && letterOrDigit(text[0])) return InputEvent::charKey(text[0]);
    for (const KeyName& k : kKeyNames)
        if (sameLetters(text, k.name)) return InputEvent::press(k.key);
    if (sameLetters(text, "Esc")) return InputEvent::press(Key::Escape);
    if (sameLetters(text, "Return")) return InputEvent::press(Key::Enter);
    return std::nullopt;
}

} // namespace core

#pragma once
// One input from the technician, whatever front end it came from: a key (a
// function or cursor key, a letter or digit, Alt with a letter or digit),
// text typed into the focused value box, a click on a button by its caption,
// or a row of a list or grid selected by its number. The Qt dialogs translate
// their events into these; the command line parses them from its --keys list.
#include <optional>
#include <string>

namespace core {

enum class Key {
    None,
    F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
    Enter, Escape, Tab, Backtab,
    Up, Down, Left, Right,
    PageUp, PageDown, Home, End,
    Character,  // a letter or digit, in InputEvent::character
};

struct InputEvent {
    enum class Kind { Key, Text, Click, Row };

    Kind kind = Kind::Key;
    Key key = Key::None;
    char character = 0;  // 'A'..'Z' (letters in upper case) or '0'..'9'
    bool alt = false;    // Alt held with a letter or digit
    std::string text;    // the typed text, or the caption clicked
    int row = 0;         // 1-based

    static InputEvent press(Key key);
    // A letter or digit, alone or with Alt; letters are taken in upper case.
    static InputEvent charKey(char c, bool alt = false);
    static InputEvent typed(std::string text);
    static InputEvent click(std::string caption);
    static InputEvent selectRow(int row);

    bool is(Key k) const { return kind == Kind::Key && key == k && !alt; }
    // The digit 0..9 of a digit key without Alt, else -1.
    int digit() const;
    // The digit 0..9 of Alt+digit, else -1.
    int altDigit() const;
    // Alt with this letter (upper case).
    bool isAlt(char letter) const;
    // A plain letter key (upper case).
    bool isLetter(char letter) const;
    bool isClick(const std::string& caption) const { return kind == Kind::Click && text == caption; }

    // The event as the command line writes it: "F5", "Enter", "Q", "7",
    // "Alt+Q", "type=TEXT", "click=CAPTION", "row=N".
    std::string name() const;

    bool operator==(const InputEvent&) const = default;
};

// Reads one event in the form name() writes (key names are not case
// sensitive); nothing when the text names no event.
std::optional<InputEvent> parseInputEvent(const std::string& text);

} // namespace core

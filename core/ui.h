#pragma once
// The port through which every screen talks to the technician. The Qt program
// implements it with dialogs; tests use FakeUi. Texts are shown exactly as given.
#include <optional>
#include <string>
#include <vector>

namespace core {

class Screen;

// One row of the manual generator's parameter table: item, value, unit.
struct ParameterRow {
    std::string item;
    std::string value;
    std::string unit;
};

struct FileChoice {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    std::string title;
    std::string folder;       // where the chooser starts
    std::string defaultName;  // proposed file name (save)
    std::string filter;       // e.g. "Data files (*.dat)"
};

class Ui {
public:
    virtual ~Ui() = default;
    // A modal message box with an OK button.
    virtual void message(const std::string& text) = 0;
    // A modal question; true for Yes.
    virtual bool askYesNo(const std::string& text) = 0;
    // A file chooser; nothing when the technician cancels.
    virtual std::optional<std::string> chooseFile(const FileChoice& choice) = 0;
    // The "Manual SG Parameter" dialog with its table; returns when closed.
    virtual void showManualParameters(const std::string& heading, const std::vector<ParameterRow>& rows) = 0;
    // Opens a nested screen modally; returns the code it closed with.
    virtual int runModal(Screen& screen) = 0;
    // Lets the display catch up during a long operation (progress, logs).
    virtual void refresh() = 0;
};

} // namespace core

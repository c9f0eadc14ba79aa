#pragma once
// Base of every screen class: state and actions without widgets. A screen
// takes the technician's input as InputEvents, tells one listener when its
// state changed, describes what it shows in front-end-neutral terms, and
// closes with a result code.
#include <functional>
#include <string>
#include <vector>

#include "core/input_event.h"

namespace core {

// What a screen shows, for front ends that render any screen the same way
// (the command line): named values, list boxes and log lists, the buttons
// on view, the progress of a running operation, and the keys it takes now.
struct ScreenView {
    struct Field {
        std::string name;
        std::string value;
    };
    struct List {
        std::string name;
        std::vector<std::string> lines;
        int selected = -1;  // index of the selected line, -1 for none
    };
    struct Button {
        std::string caption;
        bool enabled = true;
        bool checked = false;
    };

    std::string title;
    std::vector<Field> fields;
    std::vector<List> lists;
    std::vector<Button> buttons;  // the visible ones, in screen order
    int progress = -1;            // 0..100 while an operation shows progress
    std::vector<std::string> keys;  // names of the keys the screen takes now

    void field(std::string name, std::string value) { fields.push_back({std::move(name), std::move(value)}); }
};

class Screen {
public:
    virtual ~Screen() = default;

    // A stable name front ends use to pick what renders this screen.
    virtual std::string kind() const = 0;

    // Takes one input event; false when the screen has no use for it now
    // (the command line reports such an event as an error).
    virtual bool handle(const InputEvent& event) = 0;

    // What the screen shows now.
    virtual ScreenView view() const = 0;

    void setListener(std::function<void()> listener) { listener_ = std::move(listener); }
    bool closed() const { return closed_; }
    int result() const { return result_; }

protected:
    void changed() { if (listener_) listener_(); }
    void close(int result) { closed_ = true; result_ = result; changed(); }

private:
    std::function<void()> listener_;
    bool closed_ = false;
    int result_ = 0;
};

} // namespace core

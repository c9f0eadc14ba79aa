#pragma once
// Base of every screen class: state and actions without widgets. A screen
// tells one listener when its state changed and closes with a result code.
#include <functional>
#include <string>

namespace core {

class Screen {
public:
    virtual ~Screen() = default;

    // A stable name the GUI uses to pick the dialog that renders this screen.
    virtual std::string kind() const = 0;

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

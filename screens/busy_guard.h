#pragma once
// Marks a screen busy while it works off one event. Waits and message boxes
// may run nested event loops; input reaching the screen meanwhile is dropped
// rather than acted on in the middle of an operation.
namespace screens {

class BusyGuard {
public:
    explicit BusyGuard(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyGuard() { busy_ = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    bool& busy_;
};

} // namespace screens

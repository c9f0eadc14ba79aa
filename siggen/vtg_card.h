#pragma once
// Kinds 4 and 5, timing-generator cards behind the outside card library: the
// card handle their driver keeps between calls and the wording of its apply
// failure.
#include <cstdint>
#include <optional>
#include <string>

namespace siggen {

// The handle of the card. Opening hands the current value to the library
// (1 before the first open) and keeps its 8-bit result, sign-extended; -1
// means no card answered. Closing keeps whatever the library returns.
class VtgCard {
public:
    int32_t handle() const { return handle_; }
    bool available() const { return handle_ != -1; }
    void opened(int32_t result) { handle_ = static_cast<int8_t>(result & 0xFF); }
    void closed(int32_t result) { handle_ = result; }

private:
    int32_t handle_ = 1;
};

// VtgApply's status: 0 all files loaded, 1 a load failed.
constexpr int kVtgApplyLoadFailed = 1;

// The message for a VtgApply status, none when the files were loaded.
std::optional<std::string> vtgApplyFailure(int status);

} // namespace siggen

#pragma once
// Kinds 6, 7 and 10, generators that take ASCII commands through the outside
// command library: the firmware version their driver keeps and the wording
// of its apply failures.
#include <cstddef>
#include <optional>
#include <string>

namespace siggen {

// The generator's firmware version, the decimal value of its reply to
// "VERF?" (asked by the PCI kind only; the others stay at 0). Firmware above
// 2.982 has the hatch images; older firmware shows "Linearty" for them.
class QdFirmware {
public:
    double version() const { return version_; }
    bool hasHatchImages() const { return version_ > 2.982; }
    // Takes the reply in `reply[0..size)`, up to its first NUL: leading blanks,
    // then a decimal number; a reply without one counts as version 0.
    void readReply(const char* reply, size_t size);

private:
    double version_ = 0;
};

// QdApply's status: 1 success, otherwise the generator's format error code.
constexpr int kQdApplyOk = 1;
constexpr int kQdHTotalNotEven = 2091;

// The message for a QdApply status, none on success.
std::optional<std::string> qdApplyFailure(int status);

} // namespace siggen

#pragma once
// The operator panel of the current step of the "Step by Step" screen: the
// five key buttons and their jumps, the sliders, the value displays, the
// instruction messages and the product-date registers. Panel steps fill it;
// the step runner renders it and acts on the keys.
#include <array>
#include <cstdint>
#include <string>

namespace ecs { class RegisterAccess; }
namespace platform { class Clock; }

namespace procedure {

constexpr int kPanelKeys = 5;
constexpr int kPanelSliders = 8;
constexpr int kPanelDisplays = 8;
constexpr int kShownDisplays = 4;  // only the first four displays are shown
constexpr int kPanelMessages = 8;
constexpr int kProductDateRegisters = 6;  // year, week, serial bytes 0..3

// The operator keys; the others are labelled jumps.
enum KeyCode : uint8_t {
    kKeyNone = 0,
    kKeyOk = 1,
    kKeyCancel = 2,
    kKeyReadjust = 3,
    kKeyBypass = 6,
    kKeyPrevious = 17,
    kKeyCodeCount = 24,
};

// "NON", "OK", "CANCEL", ... "LOW"; "" for a code beyond the table.
const char* keyCodeText(int code);

enum class SliderSpacing { Normal, Double };

// Waits named to the clock.
extern const char* const kDisplayDelayWait;

struct StepPanel {
    std::array<uint8_t, kPanelKeys> keys{};  // 0 ends the row of buttons
    std::array<int16_t, kPanelKeys> jumps{};  // 0 = not given
    std::array<int16_t, kPanelSliders> sliderRegs{};  // 0 or less ends the list
    std::array<int16_t, kPanelDisplays> displayRegs{-1, -1, -1, -1, -1, -1, -1, -1};  // -1 or 0 ends
    std::array<int16_t, kPanelDisplays> displayDelays{};  // ms before each display read
    std::array<int16_t, kPanelMessages> messageCodes{-1, -1, -1, -1, -1, -1, -1, -1};  // -1 ends
    std::array<int16_t, kProductDateRegisters> productDateRegs{};
    bool productDateMode = false;

    // JOB_ADJUST_AVERAGE: a register written before each display read, and the
    // third display showing the mean of the first two.
    bool averaging = false;
    int16_t averageRegister = 0;
    int16_t averageValue = 0;

    // What the displays show after the last read.
    std::array<int32_t, kShownDisplays> displayValues{};
    std::array<bool, kShownDisplays> displayRead{};  // false: the read failed or did not happen
    int displayCount = 0;                            // displays read, until the first -1 or 0
    int32_t averageResult = 0;                       // shown as "Result" while averaging

    // Panel as the step screen opens: nothing given.
    void reset() { *this = StepPanel{}; }
    void clearSliders() { sliderRegs.fill(0); }
    void clearDisplays() { displayRegs.fill(-1); displayDelays.fill(0); averaging = false; }
};

// Reads and keeps the values of the shown displays: for each display until a
// register of -1 or 0, wait its delay if positive; while averaging write the
// average register with its value and wait the delay again; read the display
// register. While averaging, the result is (value 1 + value 2) / 2.
void readDisplays(StepPanel& panel, ecs::RegisterAccess& registers, platform::Clock& clock);

} // namespace procedure

#pragma once
// The monitor's table of preset modes as the expert screen edits it: per
// mode the sync kind, the two polarities and the two frequency values, read
// from and written to the chassis's five mode registers after the link has
// selected that mode.
#include <array>
#include <cstdint>
#include <string>

#include "app/state/screen_context.h"

namespace screens {

class LinkFailure;

class ModeTable {
public:
    static constexpr int kMaxModes = 30;
    enum Item { kSync = 0, kHPolarity, kVPolarity, kHFrequency, kVFrequency, kItems };

    explicit ModeTable(appstate::ScreenContext& context) : context_(context) {}

    // Reads the mode count (clamped to 0..30) and every mode's five values.
    // A count that cannot be read counts as no mode.
    void readAll(LinkFailure& failure);
    // Selects `mode` in the link and reads its five values; a value whose
    // read fails keeps the last one. True when all five were read.
    bool readMode(int mode, LinkFailure& failure);
    // Selects `mode` and writes its five values, then on ECS type 2 the
    // restore register with 0. True when every write succeeded.
    bool writeMode(int mode, LinkFailure& failure);

    int count() const { return count_; }
    int32_t value(int mode, Item item) const { return values_[item][static_cast<size_t>(mode)]; }
    void setValue(int mode, Item item, int32_t v) { values_[item][static_cast<size_t>(mode)] = v; }
    bool validMode(int mode) const { return mode >= 0 && mode < count_; }

    // The cell texts of the table.
    static std::string syncText(int32_t v);       // "EXT", "COMP", "SonG", else "%5d"
    static std::string polarityText(int32_t v);   // "  +" for 0, "  -" otherwise
    static std::string frequencyText(int32_t v);  // "%5d"

private:
    uint16_t code(Item item) const;

    appstate::ScreenContext& context_;
    int count_ = 0;
    std::array<std::array<int32_t, kMaxModes>, kItems> values_{};
};

} // namespace screens

#pragma once
// "Factory Preset": the technician steps through the model's preset timings;
// for each the generator sends the timing, the monitor must report the same
// preset mode, and eight sliders adjust that mode's factory-preset
// registers, kept with "Save" or taken back with "Restore". With generator
// kind 9 the screen has no timing list and adjusts the mode the monitor
// shows.
#include <string>
#include <vector>

#include "app/state/screen_context.h"
#include "app/state/service_session.h"
#include "core/screen.h"
#include "screens/monitor_status.h"
#include "screens/preset_sliders.h"

namespace screens {

class FactoryPreset : public core::Screen {
public:
    static constexpr const char* kKind = "FactoryPreset";
    static constexpr const char* kTitle = "Factory Preset";
    static constexpr const char* kSaveQuestion = "Do you save previous mode ?";
    static constexpr const char* kSaveCaption = "Save";
    static constexpr const char* kRestoreCaption = "Restore";
    static constexpr const char* kCloseCaption = "Close";

    enum class Variant {
        Timings,    // the model's preset timings (or AV preset timings), sent by the generator
        Appliance,  // generator kind 9: no list and no generator commands
    };

    // Focus positions in Tab order; sliders take 1..8.
    static constexpr int kFocusList = 0;
    static constexpr int kFocusFirstSlider = 1;
    static constexpr int kFocusSave = 9;
    static constexpr int kFocusRestore = 10;
    static constexpr int kFocusClose = 11;

    // The letters that select sliders 1..8 with Alt.
    static constexpr const char* kSliderLetters = "QWERTYUI";

    // `av`: the list shows the model's AV preset timings.
    explicit FactoryPreset(appstate::ScreenContext& context, Variant variant = Variant::Timings, bool av = false);
    std::string kind() const override { return kKind; }

    // Slider ranges, service entry (unless a procedure runs), then the list,
    // or for kind 9 the registers at once. False when the monitor is not
    // connected: the screen is closed then.
    bool open();

    // A timing row (from 0): the save question for a changed previous mode,
    // the timing to the generator, the status and the registers, and the
    // mode check.
    void selectRow(int row);
    // Slider `index` (0..7) takes the focus; only while adjusting.
    bool selectSlider(int index);
    void moveFocus(bool forward);
    void save();
    void restore();
    // The close command: the save question, service exit, generator reset.
    // Runs once, however the screen is left.
    void finish();

    Variant variant() const { return variant_; }
    bool av() const { return av_; }
    bool hasList() const { return variant_ == Variant::Timings; }
    // "%2d:%-15s" per timing, and "*" beside each row selected once.
    const std::vector<std::string>& rows() const { return rows_; }
    const std::vector<std::string>& marks() const { return marks_; }
    int selectedRow() const { return selected_; }
    int previousRow() const { return previous_; }
    // The sliders may change: a row is selected and the monitor shows its
    // mode (always with kind 9 once open).
    bool adjusting() const { return adjusting_; }
    bool modified() const { return sliders_.modified(); }
    const MonitorStatus& status() const { return status_; }
    const PresetSliders& sliders() const { return sliders_; }
    int focus() const { return focus_; }
    // The slider with the focus, or -1.
    int selectedSlider() const;

    // Keys: Alt+1..9 and Alt+0 select rows 1..10, Up and Down move along the
    // list, Tab and Backtab move the focus, Alt+Q..I pick a slider, Up,
    // Down, PageUp, PageDown, Home and End change it, typed text and Enter
    // set it; Enter also works the focused list or button; Escape closes.
    // Clicks: "Save", "Restore", "Close"; a row event selects a row. Events
    // arriving while an event is being worked off are dropped.
    bool handle(const core::InputEvent& event) override;
    core::ScreenView view() const override;

private:
    bool focusable(int position) const;
    bool handleKey(const core::InputEvent& event);
    void fillList();

    appstate::ScreenContext& context_;
    Variant variant_;
    bool av_;
    appstate::ServiceSession session_;
    PresetSliders sliders_;
    MonitorStatus status_;
    std::vector<std::string> rows_;
    std::vector<std::string> marks_;
    int selected_ = -1;
    int previous_ = -1;
    int cursor_ = -1;  // the row last chosen, for Enter on the list
    bool adjusting_ = false;
    int focus_ = kFocusList;
    bool opened_ = false;
    bool busy_ = false;
};

// Builds and opens the screen, runs it modally and makes sure its closing
// steps ran. For the command table and for procedure steps; returns the
// screen's result (0 when it closed at once).
int runFactoryPreset(appstate::ScreenContext& context,
                     FactoryPreset::Variant variant = FactoryPreset::Variant::Timings, bool av = false);

} // namespace screens

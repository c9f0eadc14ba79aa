#pragma once
// "Expert": the list of released program versions and the monitor's table
// of preset modes, edited one selected mode at a time and written back; it
// also opens the timing download and the data file viewer.
#include <string>
#include <vector>

#include "app/state/screen_context.h"
#include "app/state/service_session.h"
#include "core/screen.h"
#include "screens/mode_table.h"

namespace screens {

// The screens the expert screen opens as nested screens; the application
// fills it.
class ExpertNestedScreens {
public:
    virtual ~ExpertNestedScreens() = default;
    virtual void openTimingDownload() = 0;
    virtual void openViewer() = 0;
};

// The release file, in the current directory.
inline constexpr const char* kReleaseFileName = "pelaro.rls";

class ExpertScreen : public core::Screen {
public:
    static constexpr const char* kKind = "Expert";
    static constexpr const char* kTitle = "Expert";
    static constexpr const char* kSelectModeMessage = "Select Mode !";

    // Commands.
    static constexpr const char* kReleaseCaption = "Release Ver";
    static constexpr const char* kTimingEditCaption = "Timing Edit";
    static constexpr const char* kDownTimingCaption = "Down timing";
    static constexpr const char* kViewerCaption = "Viewer";
    static constexpr const char* kReadCaption = "Read";
    static constexpr const char* kWriteCaption = "Write";
    static constexpr const char* kSyncCaption = "SYNC";
    static constexpr const char* kHPolarityCaption = "Hp";
    static constexpr const char* kVPolarityCaption = "Vp";
    static constexpr const char* kHUpCaption = "HFRE +1";
    static constexpr const char* kHDownCaption = "HFRE -1";
    static constexpr const char* kVUpCaption = "VFRE +1";
    static constexpr const char* kVDownCaption = "VFRE -1";
    static constexpr const char* kCloseCaption = "Close";
    // Clicks that put the typing cursor into a frequency cell of the selected row.
    static constexpr const char* kHCellName = "HFRE";
    static constexpr const char* kVCellName = "VFRE";

    // Marks of the " Mod" column.
    static constexpr const char* kModifiedMark = " mod";
    static constexpr const char* kWrittenMark = " wrt";

    enum class GridKind { None, Releases, Modes };
    // Grid columns of the mode table.
    enum ModeColumn { kRowColumn = 0, kSyncColumn, kHpColumn, kVpColumn, kHFreColumn, kVFreColumn, kModColumn };

    struct Grid {
        std::vector<std::string> headers;             // row 0
        std::vector<std::vector<std::string>> rows;   // rows 1..n, the first cell the row number
    };

    ExpertScreen(appstate::ScreenContext& context, ExpertNestedScreens& nested,
                 std::string releaseFile = kReleaseFileName);
    std::string kind() const override { return kKind; }

    // Service entry; false (and the screen closed) when the monitor is not
    // connected.
    bool open();

    void showReleases();
    void showModeTable();
    // A click on grid row `row` (0 is the header row).
    void selectRow(int row);
    void toggleSync();
    void togglePolarity(bool horizontal);
    void stepFrequency(bool horizontal, int delta);
    // The frequency cell that takes typing, of the selected row.
    void focusCell(bool horizontal);
    // A key typed into the focused cell (codes 48..96 append), or the cell's
    // whole new text.
    void typeKey(char c);
    void setCellText(const std::string& text);
    void readSelected();
    void writeSelected();
    // Leaves service mode and closes. Once.
    void finish();

    GridKind gridKind() const { return gridKind_; }
    const Grid& grid() const { return grid_; }
    // The highlighted grid row (1..count) or -1.
    int selectedRow() const { return mode_ < 0 ? -1 : mode_ + 1; }
    int selectedMode() const { return mode_; }
    const std::string& modeLabel() const { return modeLabel_; }
    const ModeTable& table() const { return table_; }
    // The frequency column that takes typing (kHFreColumn, kVFreColumn) or -1.
    int editColumn() const { return editColumn_; }
    bool editControlsVisible() const { return gridKind_ == GridKind::Modes; }

    // Clicks on the captions above, row events on the grid, letters and
    // digits and typed text into the focused frequency cell, Escape closes.
    bool handle(const core::InputEvent& event) override;
    core::ScreenView view() const override;

private:
    // False (after "Select Mode !") when no mode is selected.
    bool needMode();
    void showMode(int mode);
    void mark(const char* text);
    std::string& cell(int column) { return grid_.rows[static_cast<size_t>(mode_)][static_cast<size_t>(column)]; }
    void applyCellText(const std::string& text);
    bool handleClick(const std::string& caption);

    appstate::ScreenContext& context_;
    ExpertNestedScreens& nested_;
    std::string releaseFile_;
    appstate::ServiceSession session_;
    ModeTable table_;
    GridKind gridKind_ = GridKind::None;
    Grid grid_;
    int mode_ = -1;
    int editColumn_ = -1;
    std::string modeLabel_;
    bool opened_ = false;
    bool busy_ = false;
};

// Builds and opens the screen, runs it modally and makes sure it left
// service mode; returns its result (0 when it closed at once).
int runExpert(appstate::ScreenContext& context, ExpertNestedScreens& nested,
              const std::string& releaseFile = kReleaseFileName);

} // namespace screens

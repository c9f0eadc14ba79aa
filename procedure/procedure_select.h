#pragma once
// "Procedure Select": the procedures of one list (adjustment, touch-up or
// DCnv) with their titles, started one at a time; after each run the list
// shows the procedures not yet adjusted first, then those adjusted since the
// screen opened. The monitor stays in service mode while the screen is open;
// closing it resets the generator to its default.
#include <array>
#include <string>
#include <vector>

#include "app/state/service_session.h"
#include "core/screen.h"
#include "modeldb/model_data.h"
#include "procedure/procedure_lists.h"
#include "procedure/procedure_runner.h"

namespace procedure {

class ProcedureSelect : public core::Screen {
public:
    static constexpr const char* kKind = "ProcedureSelect";
    static constexpr int kRowCapacity = 35;

    // Adjusted marks.
    static constexpr int kFileMissing = -1;
    static constexpr int kNotAdjusted = 0;
    static constexpr int kAdjusted = 1;

    ProcedureSelect(appstate::ScreenContext& context, int listKind, ProcedureRunner& runner);
    std::string kind() const override { return kKind; }

    // Enters service mode (closing at once when the monitor is not
    // connected) and lists the procedures; a file that cannot be opened gets
    // a message and the missing-file row.
    void open();

    int listKind() const { return listKind_; }
    const std::vector<std::string>& rows() const { return rows_; }
    // The procedure index of each row, -1 for separator, title and "nothing" rows.
    const std::vector<int>& rowMap() const { return rowMap_; }
    int selectedRow() const { return selected_; }
    void selectRow(int row);
    int adjustedMark(int index) const;
    const std::string& directory() const { return directory_; }
    // The procedure last started.
    const ProcedureChoice& lastChoice() const { return lastChoice_; }

    // Runs the selected row's procedure, marks it adjusted and rebuilds the list.
    void start();
    // Service exit when connected, the generator's default, close.
    void exit();

    // Row events select, Up/Down/Home/End move the selection, Enter and
    // "Start" start, Escape and "Exit" close.
    bool handle(const core::InputEvent& event) override;
    core::ScreenView view() const override;

private:
    void build(bool afterRun);
    void addEntry(const ListEntry& entry, bool reportMissing);
    int rowNumber(const ListEntry& entry) const;

    appstate::ScreenContext& context_;
    int listKind_;
    ProcedureRunner& runner_;
    appstate::ServiceSession session_;
    std::string directory_;
    std::vector<ListEntry> entries_;
    std::vector<std::string> rows_;
    std::vector<int> rowMap_;
    std::array<int, modeldb::kMaxAdjustProcedures> marks_{};
    int selected_ = -1;
    ProcedureChoice lastChoice_;
};

} // namespace procedure

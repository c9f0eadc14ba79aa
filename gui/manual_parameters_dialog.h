#pragma once
// "Manual SG Parameter": the heading and a read-only table of item, value and
// unit with the row number in the first column.
#include <QDialog>
#include <string>
#include <vector>

#include "core/ui.h"

class QTableWidget;

namespace gui {

class ManualParametersDialog : public QDialog {
    Q_OBJECT
public:
    ManualParametersDialog(const std::string& heading, const std::vector<core::ParameterRow>& rows,
                           QWidget* parent = nullptr);
    QTableWidget* table() const { return table_; }

private:
    QTableWidget* table_;
};

} // namespace gui

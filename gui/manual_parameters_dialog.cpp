#include "gui/manual_parameters_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace gui {

ManualParametersDialog::ManualParametersDialog(const std::string& heading, const std::vector<core::ParameterRow>& rows,
                                               QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Manual SG Parameter");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromStdString(heading), this));
    table_ = new QTableWidget(static_cast<int>(rows.size()), 3, this);
    table_->setHorizontalHeaderLabels({"    ITEM", "     VALUE", " UNIT"});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const core::ParameterRow& row = rows[static_cast<size_t>(r)];
        table_->setVerticalHeaderItem(r, new QTableWidgetItem(QString::number(r + 1)));
        table_->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(row.item)));
        table_->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(row.value)));
        table_->setItem(r, 2, new QTableWidgetItem(QString::fromStdString(row.unit)));
    }
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->setMinimumSize(420, 480);
    layout->addWidget(table_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace gui

#include "gui/model_selection_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>


namespace gui {

using Screen = modeldb::ModelSelection;

namespace {

int twipsToPixels(int twips, int dpi) { return twips * dpi / 1440; }

} // namespace

ModelSelectionDialog::ModelSelectionDialog(Screen& screen, QWidget* parent) : QDialog(parent), screen_(screen)
{
    setWindowTitle("Model Sel");
    auto* layout = new QVBoxLayout(this);
    caption_ = new QLabel(this);
    QFont f = caption_->font();
    f.setBold(true);
    caption_->setFont(f);
    layout->addWidget(caption_);

    // Grid column 0 (row numbers) is the vertical header; columns 1..8 are the table's.
    grid_ = new QTableWidget(this);
    grid_->setColumnCount(Screen::kColumns - 1);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->setTabKeyNavigation(false);
    const int dpi = logicalDpiX();
    QStringList headers;
    int width = 0;
    for (int c = 1; c < Screen::kColumns; ++c) {
        headers << QString::fromStdString(Screen::kGrid[c].header);
        int w = twipsToPixels(Screen::kGrid[c].widthTwips, dpi);
        grid_->setColumnWidth(c - 1, w);
        grid_->setColumnHidden(c - 1, w == 0);
        width += w;
    }
    grid_->setHorizontalHeaderLabels(headers);
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid_->verticalHeader()->setFixedWidth(twipsToPixels(Screen::kGrid[0].widthTwips, dpi));
    grid_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid_->setMinimumWidth(width + twipsToPixels(Screen::kGrid[0].widthTwips, dpi) + 24);
    grid_->setMinimumHeight(grid_->verticalHeader()->defaultSectionSize() * 12);
    grid_->installEventFilter(this);
    layout->addWidget(grid_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { screen_.handle(core::InputEvent::click("OK")); });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { screen_.handle(core::InputEvent::click("Cancel")); });

    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { screen_.clickHeader(column + 1); });
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int column, int, int) {
        if (!filling_ && row >= 0 && column >= 0) screen_.setCurrentCell(row + 1, column + 1);
    });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { screen_.selectModel(row + 1); });

    screen_.setListener([this] { sync(); });
    fill();
    grid_->setFocus();
}

void ModelSelectionDialog::fill()
{
    filling_ = true;
    const int rows = screen_.dataRows();
    grid_->setRowCount(rows);
    QStringList numbers;
    for (int r = 1; r <= rows; ++r) {
        numbers << QString::fromStdString(screen_.cell(r, 0));
        for (int c = 1; c < Screen::kColumns; ++c) {
            QTableWidgetItem* item = grid_->item(r - 1, c - 1);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                grid_->setItem(r - 1, c - 1, item);
            }
            item->setText(QString::fromStdString(screen_.cell(r, c)));
        }
    }
    grid_->setVerticalHeaderLabels(numbers);
    filling_ = false;
}

void ModelSelectionDialog::sync()
{
    fill();
    caption_->setText(QString::fromStdString(screen_.caption()));
    if (screen_.closed()) {
        if (screen_.result() == Screen::Ok) accept(); else reject();
        return;
    }
    filling_ = true;
    if (grid_->currentRow() != screen_.currentRow() - 1)
        grid_->setCurrentCell(screen_.currentRow() - 1, std::max(0, screen_.currentColumn() - 1));
    filling_ = false;
}

bool ModelSelectionDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            screen_.setGridFocus(true);
            screen_.handle(core::InputEvent::press(core::Key::Enter));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ModelSelectionDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        screen_.setGridFocus(false);
        screen_.handle(core::InputEvent::press(core::Key::Enter));
        return;
    case Qt::Key_Escape:
        screen_.handle(core::InputEvent::press(core::Key::Escape));
        return;
    case Qt::Key_Tab:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
        // These keys belong to the grid.
        grid_->setFocus();
        screen_.setGridFocus(true);
        QCoreApplication::sendEvent(grid_, event);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

ModelSelectionDialog::~ModelSelectionDialog() { screen_.setListener({}); }


} // namespace gui

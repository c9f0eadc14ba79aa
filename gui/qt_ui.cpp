#include "gui/qt_ui.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "gui/file_filter.h"
#include "gui/manual_parameters_dialog.h"
#include "gui/screen_dialogs.h"

namespace gui {

void QtUi::message(const std::string& text) {
    QMessageBox::information(parent_, "pelaro", QString::fromStdString(text));
}

bool QtUi::askYesNo(const std::string& text) {
    return QMessageBox::question(parent_, "pelaro", QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

std::optional<std::string> QtUi::chooseFile(const core::FileChoice& choice) {
    const QString title = QString::fromStdString(choice.title);
    QString start = QString::fromStdString(choice.folder);
    if (!choice.defaultName.empty()) start += "/" + QString::fromStdString(choice.defaultName);
    const QString filter = qtFileFilter(choice.filter);
    QString path = choice.mode == core::FileChoice::Mode::Open
                       ? QFileDialog::getOpenFileName(parent_, title, start, filter)
                       : QFileDialog::getSaveFileName(parent_, title, start, filter);
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

void QtUi::showManualParameters(const std::string& heading, const std::vector<core::ParameterRow>& rows) {
    ManualParametersDialog dialog(heading, rows, parent_);
    dialog.exec();
}

int QtUi::runModal(core::Screen& screen) {
    QDialog* dialog = makeScreenDialog(screen, parent_);
    if (!dialog) {
        message("No dialog for screen " + screen.kind());
        return 0;
    }
    int code = dialog->exec();
    delete dialog;
    return screen.closed() ? screen.result() : code;
}

void QtUi::refresh() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

} // namespace gui

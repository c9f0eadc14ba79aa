#pragma once
// The Ui port in Qt: message boxes, questions, file choosers, the manual
// parameter dialog and nested screens.
#include <QWidget>

#include "core/ui.h"

namespace gui {

class QtUi : public core::Ui {
public:
    explicit QtUi(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void message(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    std::optional<std::string> chooseFile(const core::FileChoice& choice) override;
    void showManualParameters(const std::string& heading, const std::vector<core::ParameterRow>& rows) override;
    int runModal(core::Screen& screen) override;
    void refresh() override;

private:
    QWidget* parent_;
};

} // namespace gui

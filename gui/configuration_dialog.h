#pragma once
// The Qt dialog of the configuration screen: four drop-down lists, OK and Cancel.
#include <QDialog>

#include "app/configuration_screen.h"

class QComboBox;

namespace gui {

class ConfigurationDialog : public QDialog {
    Q_OBJECT
public:
    ConfigurationDialog(app::ConfigurationScreen& screen, QWidget* parent = nullptr);
    QComboBox* list(app::ConfigurationScreen::List which) const { return lists_[which]; }
    ~ConfigurationDialog() override;

private:
    void sync();
    app::ConfigurationScreen& screen_;
    QComboBox* lists_[4];
};

} // namespace gui

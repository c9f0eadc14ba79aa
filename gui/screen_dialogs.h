#pragma once
// Which Qt dialog renders which screen class: each kind of screen has one
// factory, registered once at start-up; QtUi::runModal looks it up.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "core/screen.h"

namespace gui {

using DialogFactory = std::function<QDialog*(core::Screen& screen, QWidget* parent)>;

void registerScreenDialog(const std::string& kind, DialogFactory factory);
QDialog* makeScreenDialog(core::Screen& screen, QWidget* parent);
bool hasScreenDialog(const std::string& kind);

// Registers the dialog of every screen the program shows.
void registerScreenDialogs();
// The kinds among `kinds` that have no dialog (start-up refuses to go on).
std::vector<std::string> kindsWithoutDialog(const std::vector<std::string>& kinds);

} // namespace gui

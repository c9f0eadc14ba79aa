#pragma once
// File choosers' filters as the screens give them, "TEXT|PATTERN|TEXT|PATTERN||"
// (e.g. "FILE(*.dat)|*.dat|ALL FILES|*.*||"), in the form Qt's file dialogs
// take: "TEXT (PATTERN);;TEXT (PATTERN)". "*.*" means every file. A filter
// without "|" is taken as Qt's already.
#include <QString>

#include <string>

namespace gui {

QString qtFileFilter(const std::string& filter);

} // namespace gui

#pragma once
// What the dialogs with long log lists share: a fixed-pitch font, so the
// lists' columns line up, and a list widget brought up to date line by line.
#include <QFont>
#include <QListWidget>
#include <QString>

namespace gui {

inline QFont monospaceFont() {
    QFont mono("Monospace");
    mono.setStyleHint(QFont::TypeWriter);
    return mono;
}

// Brings a list widget to `lines`. When lines were only added (its first
// and last line still match) the new ones are appended, so a run of
// thousands of lines costs one line each.
template <typename Lines>
void showLines(QListWidget* list, const Lines& lines) {
    const int count = static_cast<int>(lines.size());
    auto same = [&](int i) { return list->item(i)->text() == QString::fromStdString(lines[static_cast<size_t>(i)]); };
    const bool appended = list->count() <= count && (list->count() == 0 || (same(0) && same(list->count() - 1)));
    if (!appended) list->clear();
    for (int i = list->count(); i < count; ++i) list->addItem(QString::fromStdString(lines[static_cast<size_t>(i)]));
}

} // namespace gui

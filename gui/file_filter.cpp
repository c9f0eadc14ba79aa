#include "gui/file_filter.h"

#include <QStringList>

namespace gui {

QString qtFileFilter(const std::string& filter) {
    const QString text = QString::fromStdString(filter);
    if (!text.contains('|')) return text;
    QStringList parts = text.split('|');
    while (!parts.isEmpty() && parts.back().isEmpty()) parts.removeLast();
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& p : patterns)
            if (p == "*.*") p = "*";
        out << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return out.join(";;");
}

} // namespace gui

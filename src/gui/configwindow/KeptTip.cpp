#include "KeptTip.h"

#include "framework/AnsiQt.h"

#include <QStringList>

QString KeptTip::of(const KeptLines& kept) {
    QStringList lines;
    for (const auto& run : kept.runs())
        lines << AnsiQt::toQString(run.second).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    return lines.join(u'\n');
}

#include "ColumnWidths.h"

#include "AppSettings.h"

#include <QHeaderView>
#include <QSettings>
#include <QStringList>
#include <QTreeWidget>

ColumnWidths::ColumnWidths(QTreeWidget& list) : list_(list) {
    list.header()->setStretchLastSection(true);
    connect(list.header(), &QHeaderView::sectionResized, this,
            [this](int column) { onSectionResized(column); });
}

QString ColumnWidths::settingsKey(int nodeKind) {
    return QStringLiteral("ColumnWidths/kind%1").arg(nodeKind);
}

void ColumnWidths::apply(int nodeKind, const QList<int>& designed) {
    // The last column stretches, so only the others are kept.
    const QStringList kept =
        AppSettings::open()->value(settingsKey(nodeKind)).toString().split(QLatin1Char(','));
    const bool useKept = kept.size() + 1 == designed.size();
    applying_ = true;
    for (int c = 0; c < designed.size(); ++c) {
        const int width = useKept && c < kept.size() ? kept[c].toInt() : 0;
        list_.setColumnWidth(c, width > 0 ? width : designed[c]);
    }
    applying_ = false;
    kind_ = nodeKind;
}

void ColumnWidths::onSectionResized(int column) {
    const int last = list_.columnCount() - 1;
    if (applying_ || kind_ < 0 || column >= last)
        return;
    QStringList widths;
    for (int c = 0; c < last; ++c)
        widths << QString::number(list_.columnWidth(c));
    AppSettings::open()->setValue(settingsKey(kind_), widths.join(QLatin1Char(',')));
}

#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QTreeWidget;

// The column widths of a report list. Each kind of node starts with its
// designed widths; once the user drags a column edge, that kind keeps the
// user's widths, in the settings from one run to the next. The last column
// takes the room that is left.
class ColumnWidths : public QObject {
    Q_OBJECT

public:
    explicit ColumnWidths(QTreeWidget& list);

    // Sizes the columns shown for a kind of node, `designed` one width a column.
    void apply(int nodeKind, const QList<int>& designed);
    // The columns are gone; nothing is kept until the next apply.
    void clear() { kind_ = -1; }

    static QString settingsKey(int nodeKind);

private:
    void onSectionResized(int column);

    QTreeWidget& list_;
    int kind_ = -1;
    bool applying_ = false;
};

#pragma once

#include <QObject>
#include <QString>

class QPoint;
class QTreeWidget;

// Shows the whole text of a list cell or column title that is cut short as
// its tooltip; a text shown whole has none.
class CutTextTips : public QObject {
    Q_OBJECT

public:
    explicit CutTextTips(QTreeWidget& list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The text under `pos` when it does not fit; empty when it does.
    QString cutCell(const QPoint& pos) const;
    QString cutTitle(const QPoint& pos) const;
    bool cut(const QString& text, int width, int margin) const;

    QTreeWidget& list_;
};

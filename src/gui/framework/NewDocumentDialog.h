#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

// File New with more than one document kind: the kinds in the order they
// were registered, the first one chosen.
class NewDocumentDialog : public QDialog {
    Q_OBJECT

public:
    NewDocumentDialog(const QStringList& kinds, QWidget* parent);

    QListWidget* kindList() const { return list_; }
    // The row chosen on OK, -1 when none.
    int chosen() const;

private:
    QListWidget* list_;
};

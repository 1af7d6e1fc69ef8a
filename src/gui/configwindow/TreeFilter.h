#pragma once

#include <QLineEdit>

class CPallworthTreeView;
class QTreeWidgetItem;

// The box above the configuration tree that narrows it, as the user types,
// to the applications and packages whose names hold the text in any case; a
// group node stays while one of its records matches. Escape clears it, and
// so does a node the user must see: chosen from elsewhere, added, renamed or
// moved where the filter hides it.
class TreeFilter : public QLineEdit {
    Q_OBJECT

public:
    TreeFilter(CPallworthTreeView& tree, QWidget* parent);

    // Shows the records whose names hold `text`; all of them for an empty one.
    void apply(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    static bool hidesNode(const QTreeWidgetItem* node);
    // Judges the records again; clears the filter when it would hide `node`
    // from the user.
    void reapply(const QTreeWidgetItem* node, bool seen);
    void applyToGroup(QTreeWidgetItem* group, const QString& text);

    CPallworthTreeView& tree_;
};

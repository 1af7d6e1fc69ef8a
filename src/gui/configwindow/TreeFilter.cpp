#include "TreeFilter.h"

#include "CPallworthDoc.h"
#include "CPallworthTreeView.h"

#include <QKeyEvent>

TreeFilter::TreeFilter(CPallworthTreeView& tree, QWidget* parent) : QLineEdit(parent), tree_(tree) {
    setObjectName(QStringLiteral("treeFilter"));
    setPlaceholderText(tr("Filter applications and packages"));
    setClearButtonEnabled(true);
    connect(this, &QLineEdit::textChanged, this, &TreeFilter::apply);
    // Records added, renamed or moved while a filter is set are judged by it
    // too. The tree has made a node it adds current by then; a record renamed
    // or moved is so in the window the user works in.
    CPallworthDoc& document = tree.document();
    const auto added = [this](RecordId id) {
        const QTreeWidgetItem* node = tree_.nodeOf(id);
        reapply(node, node != nullptr && node == tree_.currentItem());
    };
    connect(&document, &CPallworthDoc::applicationAdded, this, added);
    connect(&document, &CPallworthDoc::packageAdded, this, added);
    connect(&document, &CPallworthDoc::recordRenamed, this,
            [this](RecordId id) { reapply(tree_.nodeOf(id), tree_.inActiveWindow()); });
    connect(&document, &CPallworthDoc::recordsReordered, this,
            [this](bool applications, int, int to) {
                const QTreeWidgetItem* group =
                    applications ? tree_.applicationsNode() : tree_.packagesNode();
                const QTreeWidgetItem* node = group != nullptr ? group->child(to - 1) : nullptr;
                reapply(node, tree_.inActiveWindow());
            });
    // A node chosen from elsewhere (a problem, the week picture, an undo)
    // must be seen: the filter gives way.
    connect(&tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (hidesNode(current))
            clear();
    });
}

bool TreeFilter::hidesNode(const QTreeWidgetItem* node) {
    for (; node != nullptr; node = node->parent())
        if (node->isHidden())
            return true;
    return false;
}

void TreeFilter::reapply(const QTreeWidgetItem* node, bool seen) {
    apply(text());
    if (seen && hidesNode(node))
        clear();
}

void TreeFilter::apply(const QString& text) {
    applyToGroup(tree_.applicationsNode(), text);
    applyToGroup(tree_.packagesNode(), text);
}

void TreeFilter::applyToGroup(QTreeWidgetItem* group, const QString& text) {
    if (group == nullptr)
        return;
    bool any = false;
    for (int i = 0; i < group->childCount(); ++i) {
        QTreeWidgetItem* node = group->child(i);
        const bool match = node->text(0).contains(text, Qt::CaseInsensitive);
        any = any || match;
        // Hiding an item lays the tree out again; leave alone what stays.
        if (node->isHidden() == match)
            node->setHidden(!match);
    }
    const bool hideGroup = !any && !text.isEmpty();
    if (group->isHidden() != hideGroup)
        group->setHidden(hideGroup);
}

void TreeFilter::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !text().isEmpty()) {
        clear();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

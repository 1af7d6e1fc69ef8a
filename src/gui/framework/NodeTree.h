#pragma once

#include "text/DetailKind.h"
#include "text/RecordId.h"

#include <QList>
#include <QTreeWidget>
#include <memory>

class QMenu;
class ReportList;
class TreeListDocument;

// The tree pane of a document window. Selecting a node stores it in the view
// and the document and has the list beside the tree show it; the right
// button remembers the node under the mouse and opens its menu, whose items
// act on that node, as Shift+F10 does for the selected node, whose menu items
// Delete and Insert run; Tab goes to the list. What a node holds and offers is
// the window kind's.
class NodeTree : public QTreeWidget {
    Q_OBJECT

public:
    // Builds the nodes; the frame calls it once both panes exist.
    virtual void OnInitialUpdate() = 0;
    void setListView(ReportList* list) { list_ = list; }

    // The node last selected or right-clicked.
    QTreeWidgetItem* currentNode() const { return currentNode_; }
    void setCurrentNode(QTreeWidgetItem* node) { currentNode_ = node; }

    // The menu of a node, its commands working on currentNode; nullptr for a
    // node without one.
    virtual std::unique_ptr<QMenu> popupMenu(const QTreeWidgetItem* node) = 0;

    // The node that shows `detail` of a record (0: of no record); nullptr
    // when there is none.
    virtual QTreeWidgetItem* nodeShowing(DetailKind detail, RecordId record) const = 0;

    // A node by the labels from its top node down; a label that several
    // siblings carry is told apart by its count among them.
    struct Step {
        QString label;
        int nth = 0;
    };
    using Path = QList<Step>;
    // The expanded nodes and the current one, which outlive the nodes.
    struct Outline {
        QList<Path> expanded;
        Path current;
    };
    Outline outline() const;
    // Expands and makes current the nodes of `outline` that are still there.
    void restoreOutline(const Outline& outline);

    // Whether the tree is in the active window of its main window, the one
    // whose undo and redo move the selection.
    bool inActiveWindow() const;

protected:
    NodeTree(TreeListDocument& document, const QString& objectName, QWidget* parent);

    ReportList* list() const { return list_; }
    // After nodes came, went or moved: the current node is the one selected,
    // so that what the tree marks is what the list shows and Delete removes.
    void selectCurrentOnly();
    // A selection change, after the node has been stored.
    virtual void nodeSelected(QTreeWidgetItem* current) = 0;

    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void onSelectionChanged(QTreeWidgetItem* current);
    static Path pathOf(const QTreeWidgetItem* node);
    // The node at `path`; nullptr when it has gone.
    QTreeWidgetItem* nodeAt(const Path& path) const;

    TreeListDocument& document_;
    ReportList* list_ = nullptr;
    QTreeWidgetItem* currentNode_ = nullptr;
    // Set while the first focus would make a node current unasked.
    bool focusing_ = false;
};

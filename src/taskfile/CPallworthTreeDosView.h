#pragma once

#include <QTreeWidget>
#include <memory>

class CPallworthDoc2;
class CPallworthDosView;
class QMenu;

// The left pane of a task-file window: the two fixed nodes "Default settings"
// and "Tasks". Selecting one fills the list beside it.
class CPallworthTreeDosView : public QTreeWidget {
    Q_OBJECT

public:
    // Nodes are told apart by their image index.
    static constexpr int kImageRole = Qt::UserRole;
    static constexpr int kSettingsImage = 6;
    static constexpr int kTasksImage = 14;
    static constexpr int kPopupMenu = 163;

    explicit CPallworthTreeDosView(CPallworthDoc2& document, QWidget* parent = nullptr);

    void setListView(CPallworthDosView* list) { list_ = list; }
    CPallworthDosView* listView() const { return list_; }

    // Inserts the two nodes and enters the tree into the document.
    void OnInitialUpdate();

    QTreeWidgetItem* settingsNode() const { return settingsNode_; }
    QTreeWidgetItem* tasksNode() const { return tasksNode_; }
    // The node last selected or right-clicked.
    QTreeWidgetItem* currentNode() const { return currentNode_; }
    static int imageOf(const QTreeWidgetItem* node);

    // Popup menu 163 ("Insert") for the "Tasks" node; nullptr for any other.
    std::unique_ptr<QMenu> popupMenu(const QTreeWidgetItem* node);
    // Insert of the popup menu: shows the tasks, then inserts one.
    void Insert();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QTreeWidgetItem* addNode(const QString& label, int image);
    void onSelectionChanged(QTreeWidgetItem* current);

    CPallworthDoc2& document_;
    CPallworthDosView* list_ = nullptr;
    QTreeWidgetItem* settingsNode_ = nullptr;
    QTreeWidgetItem* tasksNode_ = nullptr;
    QTreeWidgetItem* currentNode_ = nullptr;
};

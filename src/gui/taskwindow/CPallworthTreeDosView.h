#pragma once

#include "framework/Catalogue.h"
#include "framework/NodeTree.h"

class CPallworthDoc2;
class CPallworthDosView;

// The left pane of a task-file window: the two fixed nodes "Default settings"
// and "Tasks". Selecting one fills the list beside it.
class CPallworthTreeDosView : public NodeTree {
    Q_OBJECT

public:
    // Each node carries its image index and the DetailKind it shows.
    static constexpr int kImageRole = Qt::UserRole;
    static constexpr int kDetailRole = Qt::UserRole + 1;
    static constexpr int kSettingsImage = 6;
    static constexpr int kTasksImage = 14;
    static constexpr int kPopupMenu = 163;

    explicit CPallworthTreeDosView(CPallworthDoc2& document, QWidget* parent = nullptr);

    CPallworthDosView* listView() const;

    // Inserts the two nodes and enters the tree into the document.
    void OnInitialUpdate() override;

    QTreeWidgetItem* settingsNode() const { return settingsNode_; }
    QTreeWidgetItem* tasksNode() const { return tasksNode_; }
    static int imageOf(const QTreeWidgetItem* node);
    static DetailKind detailOf(const QTreeWidgetItem* node);

    // Popup menu 163 ("Insert") for the "Tasks" node; nullptr for any other.
    std::unique_ptr<QMenu> popupMenu(const QTreeWidgetItem* node) override;
    QTreeWidgetItem* nodeShowing(DetailKind detail, RecordId record) const override;
    // Insert of the popup menu: shows the tasks, then inserts one.
    void Insert();

protected:
    void nodeSelected(QTreeWidgetItem* current) override;

private:
    QTreeWidgetItem* addNode(DetailKind kind, int image);

    CPallworthDoc2& document_;
    QTreeWidgetItem* settingsNode_ = nullptr;
    QTreeWidgetItem* tasksNode_ = nullptr;
};

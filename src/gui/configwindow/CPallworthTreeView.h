#pragma once

#include "NodeIconIndex.h"
#include "framework/Catalogue.h"
#include "framework/NodeTree.h"
#include "text/RecordId.h"

#include <memory>
#include <optional>
#include <string>

class ClipEditor;
class CPallworthDoc;
class CSyncView;

// The left pane of a configuration window: "Default settings", the
// applications and the packages with their eight detail nodes. Selecting a
// node fills the detail list; the tree adds and deletes applications and
// packages.
class CPallworthTreeView : public NodeTree {
    Q_OBJECT

public:
    static constexpr int kKindRole = Qt::UserRole;
    static constexpr int kRecordRole = Qt::UserRole + 1;
    static constexpr int kDetailRole = Qt::UserRole + 2;
    static constexpr int kDeleteMenu = 147;
    static constexpr int kInsertMenu = 163;
    static const QStringList& packageChildren();

    CPallworthTreeView(CPallworthDoc& document, QWidget* parent = nullptr);
    ~CPallworthTreeView() override;

    CSyncView* listView() const;
    CPallworthDoc& document() const { return document_; }
    // Cut, Copy, Paste and Duplicate of the tree and the list beside it.
    ClipEditor& clipEditor() const { return *clip_; }

    // Builds the nodes from the model; an empty tree for a newer format.
    void OnInitialUpdate() override;

    QTreeWidgetItem* defaultSettingsNode() const { return defaultSettingsNode_; }
    QTreeWidgetItem* applicationsNode() const { return applicationsNode_; }
    QTreeWidgetItem* packagesNode() const { return packagesNode_; }
    // The node that shows a record, nullptr when none does.
    QTreeWidgetItem* nodeOf(RecordId id) const;

    static NodeIconIndex kindOf(const QTreeWidgetItem* node);
    static RecordId recordOf(const QTreeWidgetItem* node);
    static DetailKind detailOf(const QTreeWidgetItem* node);

    // The context menu resource for a node: 147 (Delete), 163 (Insert) or 0.
    static int contextMenuFor(const QTreeWidgetItem* node);
    // The context menu of a node, its command working on currentNode;
    // nullptr for a node without one.
    std::unique_ptr<QMenu> popupMenu(const QTreeWidgetItem* node) override;
    // A record's own node, or its child of that detail; the top node of a
    // detail without a record.
    QTreeWidgetItem* nodeShowing(DetailKind detail, RecordId record) const override;

    // Asks for a record's name through the name dialog, offering
    // `suggested`; nothing when the user cancels.
    std::optional<std::string> askName(const QString& caption, const std::string& suggested = {});

    void NewApplication();
    void NewPackage();
    void DeleteNode();
    void Insert();

protected:
    void nodeSelected(QTreeWidgetItem* current) override;

private:
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& label, NodeIconIndex kind,
                             DetailKind detail, RecordId record = 0);
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, NodeIconIndex kind, DetailKind detail,
                             RecordId record = 0);
    void addApplicationNode(RecordId id, const QString& name);
    void addPackageNode(RecordId id, const QString& name);
    void onApplicationAdded(RecordId id);
    void onPackageAdded(RecordId id);
    void onRecordRemoved(RecordId id);
    void onRecordRenamed(RecordId id);
    void onRecordsReordered(bool applications, int from, int to);
    // Selects the node that shows `detail` of the record, or the top node of
    // that kind when the record has no node.
    void showPlace(DetailKind detail, RecordId record);
    // Where a record's node goes among its group's children; -1 for the end.
    int recordPosition(const QTreeWidgetItem* group, RecordId record) const;
    using AddRecord = std::optional<RecordId> (CPallworthDoc::*)(const std::string&);
    // Asks for the name of a new application or package and adds it below
    // `group`; `records` names what the refusal of a full table counts.
    void newRecord(const QString& caption, const QTreeWidgetItem* group, AddRecord add,
                   const QString& records);

    CPallworthDoc& document_;
    std::unique_ptr<ClipEditor> clip_;
    QTreeWidgetItem* defaultSettingsNode_ = nullptr;
    QTreeWidgetItem* applicationsNode_ = nullptr;
    QTreeWidgetItem* packagesNode_ = nullptr;
    // Set while this tree adds a record, so that it selects the new node.
    bool adding_ = false;
};

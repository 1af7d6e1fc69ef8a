#pragma once

#include "app/Document.h"
#include "config/ConfigModel.h"
#include "config/OemCodePage.h"

#include <QPointer>

class CPallworthTreeView;
class CSyncView;
class QTreeWidget;
class QTreeWidgetItem;

// A .cfg configuration open in the editor: the model, its file format and
// save rules, and the links its views use to reach each other. Records are
// added and removed here so that every window on the document follows.
class CPallworthDoc : public Document {
    Q_OBJECT

public:
    struct SelectedNode {
        QTreeWidgetItem* item = nullptr;
        QTreeWidget* tree = nullptr;
    };

    explicit CPallworthDoc(DocTemplate& docTemplate);

    ConfigModel& model() { return model_; }
    const ConfigModel& model() const { return model_; }

    void onNewDocument() override;
    ReadStatus readBytes(std::string_view bytes, ReadReport::Mode mode) override;
    std::string writeBytes() override;
    std::optional<QString> validateSave() override;
    std::optional<QString> readOnlyReason() const override;
    QString kindName() const override;

    // Nothing when the table is full.
    std::optional<RecordId> AddApplication(const std::string& name);
    std::optional<RecordId> AddPackage(const std::string& name);
    // Removes the application or package with that id; false when none has it.
    bool RemoveRecord(RecordId id);
    void RenameRecord(RecordId id, const std::string& name);
    // Moves the application or package at `from` (1-based) to `to` in its table.
    void MoveRecord(bool applications, int from, int to);
    // Tells every view but `origin` that the model changed under it.
    void ContentChanged(QObject* origin) { emit contentChanged(origin); }

    QPointer<CPallworthTreeView> treeView;
    QPointer<CSyncView> listView;
    SelectedNode selectedNode;

signals:
    void applicationAdded(RecordId id);
    void packageAdded(RecordId id);
    void recordRemoved(RecordId id);
    void recordRenamed(RecordId id);
    void recordsReordered();
    void contentChanged(QObject* origin);

private:
    ConfigModel model_;
    OemCodePage oem_;
};

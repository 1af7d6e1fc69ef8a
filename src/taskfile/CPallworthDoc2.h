#pragma once

#include "app/Document.h"
#include "taskfile/TaskFileModel.h"

#include <QPointer>

class CPallworthDosView;
class CPallworthTreeDosView;
class QTreeWidget;
class QTreeWidgetItem;

// A Quorrel .ini task file open in the editor: its settings and tasks, and
// the links its views use to reach each other.
class CPallworthDoc2 : public Document {
    Q_OBJECT

public:
    struct SelectedNode {
        QTreeWidgetItem* item = nullptr;
        QTreeWidget* tree = nullptr;
    };

    explicit CPallworthDoc2(DocTemplate& docTemplate);

    TaskFileModel& model() { return model_; }
    const TaskFileModel& model() const { return model_; }

    void onNewDocument() override;
    ReadStatus readBytes(std::string_view bytes, ReadReport::Mode mode) override;
    QString kindName() const override;
    std::string writeBytes() override;

    // Tells the other windows on this document that `origin` changed the
    // model, so that their lists show it too.
    void ContentChanged(QObject* origin) { emit contentChanged(origin); }

    QPointer<CPallworthDosView> listView;
    QPointer<CPallworthTreeDosView> treeView;
    SelectedNode selectedNode;

signals:
    void contentChanged(QObject* origin);

private:
    TaskFileModel model_;
};

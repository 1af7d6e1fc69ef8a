#pragma once

#include "Catalogue.h"
#include "Document.h"
#include "text/RecordId.h"

#include <QPointer>
#include <QTreeWidget>

// A document shown as a tree beside a list: the links its views use to
// reach each other, and the signal that keeps its other windows in step.
class TreeListDocument : public Document {
    Q_OBJECT

public:
    struct SelectedNode {
        QTreeWidgetItem* item = nullptr;
        QTreeWidget* tree = nullptr;
    };

    using Document::Document;

    // Tells every view but `origin` that the model changed under it.
    void ContentChanged(QObject* origin);
    // An undone or redone command changed the model: every view follows, and
    // the trees show the node of the record it touched.
    void Replayed(DetailKind node, RecordId record);

    // Selects in the document's window the node of `record` (0 for none) and,
    // in its list, the row named `row` or else entry `entry` (1-based), and
    // gives the list the focus; false when no window shows that node.
    bool showPlace(DetailKind node, RecordId record, const RowLabel* row, int entry);

    QPointer<QTreeWidget> treeView;
    QPointer<QTreeWidget> listView;
    SelectedNode selectedNode;

signals:
    void contentChanged(QObject* origin);
    void placeReplayed(DetailKind node, RecordId record);
};

// A tree-and-list document over one model, which File New resets.
template <typename Model> class ModelDocument : public TreeListDocument {
public:
    using TreeListDocument::TreeListDocument;

    Model& model() { return model_; }
    const Model& model() const { return model_; }

    void onNewDocument() override { model_.resetToNew(); }

protected:
    Model model_;
};

#pragma once

#include "Catalogue.h"
#include "text/RecordId.h"

#include <QUndoCommand>
#include <functional>

class TreeListDocument;

// One change of a document's model on its undo stack. The command that makes
// a change leaves the windows to the editor that pushed it; undoing and
// redoing it later tells every window of the document, and shows the node of
// the record it touched.
class ModelCommand : public QUndoCommand {
public:
    // The node whose list shows the change: a record's detail node, or a
    // top node with no record.
    struct Place {
        DetailKind node = DetailKind::None;
        RecordId record = 0;
    };
    // Runs after every apply, the first one included; `forward` is true for
    // the change, false for its undoing.
    using After = std::function<void(bool forward)>;

    void redo() final;
    void undo() final;

    void setAfter(After after) { after_ = std::move(after); }

protected:
    ModelCommand(TreeListDocument& document, const QString& text, Place place);

    virtual void apply(bool forward) = 0;
    TreeListDocument& document() const { return document_; }

private:
    void applied(bool forward);

    TreeListDocument& document_;
    Place place_;
    After after_;
    bool pushed_ = false;
};

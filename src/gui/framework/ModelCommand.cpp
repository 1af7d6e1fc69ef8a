#include "ModelCommand.h"

#include "TreeListDocument.h"

#include <utility>

ModelCommand::ModelCommand(TreeListDocument& document, const QString& text, Place place)
    : QUndoCommand(text), document_(document), place_(place) {}

void ModelCommand::redo() {
    apply(true);
    applied(true);
}

void ModelCommand::undo() {
    apply(false);
    applied(false);
}

void ModelCommand::applied(bool forward) {
    if (after_)
        after_(forward);
    // The push itself: the editor that made the change shows it.
    if (std::exchange(pushed_, true))
        document_.Replayed(place_.node, place_.record);
}

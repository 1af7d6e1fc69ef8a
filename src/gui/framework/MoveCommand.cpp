#include "MoveCommand.h"

#include <utility>

MoveCommand::MoveCommand(TreeListDocument& document, const QString& text, Place place, Move move,
                         int from, int to)
    : ModelCommand(document, text, place), move_(std::move(move)), from_(from), to_(to) {}

void MoveCommand::apply(bool forward) {
    if (forward)
        move_(from_, to_);
    else
        move_(to_, from_);
}

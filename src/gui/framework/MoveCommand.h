#pragma once

#include "ModelCommand.h"

#include <functional>

// An entry moved from one 1-based place of its list to another; undoing
// moves it back.
class MoveCommand : public ModelCommand {
public:
    using Move = std::function<void(int from, int to)>;

    MoveCommand(TreeListDocument& document, const QString& text, Place place, Move move, int from,
                int to);

protected:
    void apply(bool forward) override;

private:
    Move move_;
    int from_;
    int to_;
};

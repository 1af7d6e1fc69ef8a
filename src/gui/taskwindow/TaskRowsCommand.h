#pragma once

#include "framework/ModelCommand.h"
#include "text/EntryList.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Several tasks put into or taken out of the task list as one undo step: a
// paste or a cut. Each row keeps the lines kept before its task.
class TaskRowsCommand : public ModelCommand {
public:
    using Locate = std::function<EntryList<std::string>*()>;

    // Puts `tasks` in after task `after` (0 puts them first).
    static TaskRowsCommand* insert(TreeListDocument& document, const QString& text, Locate locate,
                                   int after, const EntryList<std::string>& tasks);
    // Takes out tasks `indices` (1-based, ascending).
    static TaskRowsCommand* remove(TreeListDocument& document, const QString& text, Locate locate,
                                   const std::vector<int>& indices);

protected:
    void apply(bool forward) override;

private:
    struct Row {
        // The place the task has while it is in the list.
        int index = 0;
        std::string task;
        std::string kept;
        // Its file line while it is out, 0 for none.
        std::uint32_t line = 0;
    };

    TaskRowsCommand(TreeListDocument& document, const QString& text, Locate locate, bool inserts);
    void putIn(EntryList<std::string>& tasks);
    void takeOut(EntryList<std::string>& tasks);

    Locate locate_;
    bool inserts_;
    std::vector<Row> rows_;
    // The document's save count when the rows were taken out: their lines
    // point into a file that is gone once it changed.
    int savesWhenTaken_ = 0;
};

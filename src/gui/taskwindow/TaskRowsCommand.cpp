#include "TaskRowsCommand.h"

#include "framework/TreeListDocument.h"

#include <utility>

TaskRowsCommand::TaskRowsCommand(TreeListDocument& document, const QString& text, Locate locate,
                                 bool inserts)
    : ModelCommand(document, text, {DetailKind::Tasks, 0}), locate_(std::move(locate)),
      inserts_(inserts), savesWhenTaken_(document.saves()) {}

TaskRowsCommand* TaskRowsCommand::insert(TreeListDocument& document, const QString& text,
                                         Locate locate, int after,
                                         const EntryList<std::string>& tasks) {
    auto* command = new TaskRowsCommand(document, text, std::move(locate), true);
    for (int i = 1; i <= tasks.count(); ++i)
        command->rows_.push_back({after + i, tasks.at(i), std::string(tasks.kept(i)), 0});
    return command;
}

TaskRowsCommand* TaskRowsCommand::remove(TreeListDocument& document, const QString& text,
                                         Locate locate, const std::vector<int>& indices) {
    auto* command = new TaskRowsCommand(document, text, std::move(locate), false);
    for (int index : indices)
        command->rows_.push_back({index, {}, {}, 0});
    return command;
}

void TaskRowsCommand::apply(bool forward) {
    EntryList<std::string>* tasks = locate_();
    if (tasks == nullptr)
        return;
    if (forward == inserts_)
        putIn(*tasks);
    else
        takeOut(*tasks);
}

void TaskRowsCommand::putIn(EntryList<std::string>& tasks) {
    const bool sameFile = savesWhenTaken_ == document().saves();
    // Ascending: each row's place counts the rows put in before it.
    for (Row& row : rows_)
        if (tasks.insertAfter(row.index - 1, std::move(row.task), sameFile ? row.line : 0))
            tasks.setKept(row.index, std::move(row.kept));
}

void TaskRowsCommand::takeOut(EntryList<std::string>& tasks) {
    // Descending, so that the places of the rows still to go stay put.
    for (auto row = rows_.rbegin(); row != rows_.rend(); ++row) {
        if (!tasks.validIndex(row->index))
            continue;
        row->task = std::move(tasks.at(row->index));
        row->line = tasks.line(row->index);
        row->kept = tasks.takeKept(row->index);
        tasks.remove(row->index);
    }
    savesWhenTaken_ = document().saves();
}

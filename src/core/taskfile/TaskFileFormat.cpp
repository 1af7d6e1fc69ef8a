#include "TaskFileFormat.h"

#include "TaskFileTable.h"

#include "text/CommentLines.h"
#include "text/LineKeeper.h"
#include "text/LineReader.h"
#include "text/LineTokenizer.h"
#include "text/TextUtil.h"

#include <cstdint>

namespace {

constexpr std::string_view kHeader = "# Quorrel config file \r\n"
                                     "# Everything after a '#' or ';' is treated as comment. \r\n"
                                     "\r\n";

constexpr std::string_view kTaskComment =
    "# Task to do. Multiple can be defined. They are executed in sequence, so\r\n"
    "# the order of them is NOT indifferent!\r\n"
    "# Syntax: TASK <source path> <destination path> <overwrite newer> <overwrite readonly> "
    "<remove stale>\r\n"
    "# <source path>, <destination path>: One of them must be on a DOS drive.\r\n"
    "# If one of them is a file, then the other should be file as well. If they\r\n"
    "# are directories, then the destination directory must already exist!\r\n"
    "# <overwrite newer>: 0 - do not touch newer files in dest.,\r\n"
    "# 1 - overwrite newer files in dest.\r\n"
    "# <overwrite readonly>: 0 - do not touch readonly files in dest.,\r\n"
    "# 1 - overwrite readonly files in dest.\r\n"
    "# <remove stale>: 0 - do not remove files existing only in dest.,\r\n"
    "# 1 - remove these files\r\n"
    "\r\n";

constexpr int kTaskWords = 5;

// The comment lines above the settings, one block.
const std::string& settingComments() {
    static const std::string kComments = [] {
        std::string comments;
        for (const TaskFileSetting& setting : TaskFileTable::kSettings)
            comments.append(setting.comment).append("\r\n");
        return comments;
    }();
    return kComments;
}

bool isWritersComment(std::string_view line, std::size_t& next) {
    static const CommentLines kLines = {kHeader, settingComments(), kTaskComment};
    return line[0] == '#' && kLines.contains(line, next);
}

} // namespace

ReadStatus TaskFileFormat::read(std::string_view bytes, TaskFileModel& model,
                                ReadReport::Mode mode) {
    model.resetToNew();
    ReadReport report(mode);
    std::size_t nextComment = 0;
    LineKeeper keeper;
    LineReader lines(bytes);
    LineTokenizer tokens;
    std::string_view line;
    for (int number = 1; lines.next(line); ++number) {
        tokens.tokenize(line);
        // A task line uses every word: split them all at once.
        const int words = tokens.argCount();
        const std::string_view text = TextUtil::trimLeft(line);
        const auto skip = [&](SkipReason reason) {
            report.skip(number, TextUtil::trimRight(text), reason);
        };
        if (text.empty()) {
            keeper.blank(line);
            continue;
        } else if (text[0] == '#' || text[0] == ';') {
            if (!isWritersComment(text, nextComment))
                keeper.keep(line);
            continue;
        }
        const std::string_view keyword = tokens.keyword();
        keeper.newLine();
        int most = 1;
        if (const TaskFileSetting* setting = TaskFileTable::withKeyword(keyword)) {
            model.*setting->member = tokens.arg(1);
            // A setting given again: the earlier line is kept before it.
            if (const int earlier = keeper.setting(model.kept, LineKeeper::Scope::Global,
                                                   KeptLines::of(setting->key), line, number,
                                                   model.lines[setting->key] != 0))
                report.keptWhole(earlier);
            model.lines.set(setting->key, static_cast<std::uint32_t>(number));
        } else if (keyword == "TASK") {
            std::string task(tokens.arg(1));
            for (int i = 2; i <= kTaskWords; ++i)
                task.append(1, ' ').append(tokens.arg(i));
            if (!model.tasks.append(std::move(task), static_cast<std::uint32_t>(number)))
                return ReadStatus::failure(
                    "The file has more than 999 tasks; a task file holds at most 999.");
            model.tasks.setKept(model.tasks.count(), keeper.take());
            most = kTaskWords;
        } else {
            if (keyword.empty()) {
                keeper.blank(line);
                continue;
            }
            report.countLine(false);
            keeper.keep(line);
            report.skip(number, TextUtil::trimRight(text), SkipReason::UnknownKeyword, true);
            continue;
        }
        report.countLine(true);
        if (words > most) {
            skip(SkipReason::SurplusArgument);
            keeper.settingDropped();
        }
    }
    keeper.attach(model.kept, KeptLines::kEndOfFile);
    report.setKeptLines(keeper.keptLines());
    return {{}, std::move(report)};
}

std::string TaskFileFormat::write(const TaskFileModel& model, KeptLines::Form form) {
    const bool keep = form == KeptLines::Form::Kept;
    std::string out;
    std::size_t size = kHeader.size() + kTaskComment.size();
    for (const TaskFileSetting& setting : TaskFileTable::kSettings)
        size +=
            setting.comment.size() + setting.keyword.size() + (model.*setting.member).size() + 7;
    for (const std::string& task : model.tasks)
        size += task.size() + 8;
    out.reserve(size);
    out.append(kHeader);
    for (const TaskFileSetting& setting : TaskFileTable::kSettings) {
        out.append(setting.comment).append("\r\n");
        if (keep)
            out.append(model.kept.before(KeptLines::of(setting.key)));
        out.append(setting.keyword).append(1, ' ').append(model.*setting.member).append("\r\n\r\n");
    }
    out.append(kTaskComment);
    for (int i = 1; i <= model.tasks.count(); ++i)
        writeTask(out, model.tasks, i, form);
    if (keep)
        out.append(model.kept.before(KeptLines::kEndOfFile));
    return out;
}

void TaskFileFormat::writeTask(std::string& out, const EntryList<std::string>& tasks, int index,
                               KeptLines::Form form) {
    if (form == KeptLines::Form::Kept)
        out.append(tasks.kept(index));
    out.append("task ").append(tasks.at(index)).append(" \r\n");
}

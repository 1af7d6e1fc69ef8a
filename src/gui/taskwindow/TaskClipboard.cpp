#include "TaskClipboard.h"

#include "framework/AnsiQt.h"
#include "framework/ClipboardText.h"
#include "framework/CountText.h"
#include "framework/ModalSeam.h"
#include "taskfile/TaskClip.h"

#include <QStringList>

namespace {

const QString kCaption = QStringLiteral("Pallworth");

QString fateText(TaskClip::Line::Fate fate) {
    switch (fate) {
    case TaskClip::Line::Fate::Cut:
        return TaskClipboard::tr("surplus words are left out");
    case TaskClip::Line::Fate::KeptAsWritten:
        return TaskClipboard::tr("kept as written before the next task");
    case TaskClip::Line::Fate::Left:
        break;
    }
    return TaskClipboard::tr("not pasted");
}

// The lines with their numbers and fates, the first ten, one a line.
QString listed(const std::vector<TaskClip::Line>& lines) {
    constexpr std::size_t kShown = 10;
    QStringList texts;
    for (std::size_t i = 0; i < lines.size() && i < kShown; ++i)
        texts << TaskClipboard::tr("line %1: %2 (%3)")
                     .arg(lines[i].number)
                     .arg(AnsiQt::toQString(lines[i].text), fateText(lines[i].fate));
    if (lines.size() > kShown)
        texts << TaskClipboard::tr("... and %1 more.").arg(lines.size() - kShown);
    return texts.join(u'\n');
}

void refuse(QWidget* parent, const QString& why) {
    ModalSeam::showMessage(parent, why + u' ' + TaskClipboard::tr("Nothing was pasted."), kCaption);
}

} // namespace

const QString TaskClipboard::kMimeType = QStringLiteral("application/x-pallworth-tasks");

void TaskClipboard::copy(const EntryList<std::string>& tasks, const std::vector<int>& indices) {
    ClipboardText::put(kMimeType, TaskClip::write(tasks, indices));
}

bool TaskClipboard::holds() {
    return ClipboardText::holds(kMimeType);
}

std::optional<EntryList<std::string>> TaskClipboard::take(QWidget* parent, int count) {
    const std::optional<ClipboardText::Taken> taken = ClipboardText::take(kMimeType);
    if (!taken)
        return std::nullopt;
    if (const std::optional<QString> unfit =
            taken->plain ? ClipboardText::firstUnfit() : std::nullopt) {
        refuse(parent, tr("The text on the clipboard holds \"%1\", a character a task file "
                          "cannot hold.")
                           .arg(*unfit));
        return std::nullopt;
    }
    TaskClip::Read read = TaskClip::read(taken->lines);
    const int most = EntryList<std::string>::kCapacity;
    if (!read.error.empty() || count + read.tasks.count() > most) {
        const QString pasted = read.error.empty()
                                   ? CountText::of(read.tasks.count(), "task", "tasks")
                                   : tr("more than %1 tasks").arg(most);
        refuse(parent,
               tr("Pasting %1 would pass %2 tasks, the most a task file holds; it holds %3.")
                   .arg(pasted)
                   .arg(most)
                   .arg(count));
        return std::nullopt;
    }
    if (read.tasks.empty()) {
        refuse(parent, tr("The text on the clipboard holds no task lines."));
        return std::nullopt;
    }
    if (!read.others.empty()) {
        const QString question =
            tr("%1 of the text on the clipboard will not go in as plain tasks:")
                .arg(CountText::of(static_cast<long long>(read.others.size()), "line", "lines")) +
            u'\n' + listed(read.others) + QStringLiteral("\n\n") +
            tr("Paste %1?").arg(CountText::of(read.tasks.count(), "task", "tasks"));
        if (ModalSeam::ask(parent, question, kCaption, QMessageBox::Yes | QMessageBox::No,
                           QMessageBox::No) != QMessageBox::Yes)
            return std::nullopt;
    }
    return std::move(read.tasks);
}

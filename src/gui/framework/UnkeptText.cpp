#include "UnkeptText.h"

#include "AnsiQt.h"
#include "CountText.h"

#include <QStringList>

QString UnkeptText::listedLines(const ReadReport& report) {
    constexpr int kShown = 10;
    QStringList lines;
    for (const SkippedLine& s : report.skipped()) {
        if (s.reason == SkipReason::Comment || s.kept || lines.size() == kShown)
            continue;
        lines << tr("line %1: %2 (%3)")
                     .arg(s.line)
                     .arg(AnsiQt::toQString(s.text),
                          QString::fromLatin1(ReadReport::reasonText(s.reason)));
    }
    if (report.droppedLines() > lines.size())
        lines << tr("... and %1 more.").arg(report.droppedLines() - lines.size());
    return lines.join(u'\n');
}

QString UnkeptText::openMessage(const ReadReport& report, const QString& file) {
    QStringList parts;
    const int lines = report.droppedLines();
    const int comments = report.commentLines();
    if (lines > 0)
        parts << tr("%1 of %2 will not be kept on save:")
                         .arg(CountText::of(lines, "line", "lines"), file) +
                     u'\n' + listedLines(report);
    if (comments > 0)
        parts << tr("%1 of your own will not be kept.")
                     .arg(CountText::of(comments, "comment line", "comment lines"));
    parts << (lines + comments == 1 ? tr("Saving the file will drop it.")
                                    : tr("Saving the file will drop them."));
    return parts.join(QStringLiteral("\n\n"));
}

QString UnkeptText::droppedText(const ReadReport& report, const QString& file) {
    const int lines = report.droppedLines();
    const int comments = report.commentLines();
    const QString lineCount = CountText::of(lines, "line", "lines");
    const QString commentCount = CountText::of(comments, "comment", "comments");
    QString what;
    if (lines > 0 && comments > 0)
        what = tr("%1 and %2").arg(lineCount, commentCount);
    else
        what = lines > 0 ? lineCount : commentCount;
    QString question = tr("Saving drops %1 of %2").arg(what, file);
    if (lines > 0)
        question += QStringLiteral("\n\n") + listedLines(report);
    return question;
}

QString UnkeptText::warningText(const QStringList& warnings, const QString& file) {
    constexpr int kShown = 10;
    QStringList lines{tr("Saving writes %1 of %2 in a form that reads back as something else:")
                          .arg(CountText::of(warnings.size(), "value", "values"), file)};
    lines << warnings.mid(0, kShown);
    if (warnings.size() > kShown)
        lines << tr("... and %1 more.").arg(warnings.size() - kShown);
    return lines.join(u'\n');
}

QString UnkeptText::saveQuestion(const ReadReport& report, const QStringList& warnings,
                                 const QString& file) {
    QStringList parts;
    if (!report.keepsEverything())
        parts << droppedText(report, file);
    if (!warnings.isEmpty())
        parts << warningText(warnings, file);
    return parts.join(QStringLiteral("\n\n"));
}

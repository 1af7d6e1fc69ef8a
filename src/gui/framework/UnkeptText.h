#pragma once

#include "text/ReadReport.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// How the editor tells the user which lines of a file a save drops: once
// when the file is opened, and again as the question before the first save.
class UnkeptText {
    Q_DECLARE_TR_FUNCTIONS(UnkeptText)

public:
    // The warning shown when the file is opened.
    static QString openMessage(const ReadReport& report, const QString& file);
    // "Saving drops N lines and M comments of FILE", then the lines, and the
    // values the save would write in a form that reads back otherwise.
    static QString saveQuestion(const ReadReport& report, const QStringList& warnings,
                                const QString& file);

    // The first dropped lines with their numbers and reasons, one a line.
    static QString listedLines(const ReadReport& report);

private:
    static QString droppedText(const ReadReport& report, const QString& file);
    static QString warningText(const QStringList& warnings, const QString& file);
};

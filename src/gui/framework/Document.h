#pragma once

#include "DiskState.h"
#include "io/FileStore.h"
#include "io/Progress.h"
#include "text/ReadStatus.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

class DocTemplate;

// One open file: its kind, its path and title, its modified flag, and the
// hooks through which the document manager creates, loads and saves it.
class Document : public QObject {
    Q_OBJECT

public:
    explicit Document(DocTemplate& docTemplate);
    ~Document() override;

    DocTemplate& docTemplate() const { return docTemplate_; }

    bool isModified() const { return modified_; }
    // Clearing the flag also makes the present state the one that undoing
    // returns to unmodified.
    void setModifiedFlag(bool modified = true);

    // Every change of the model, for Undo and Redo; saving keeps it.
    QUndoStack& undoStack() { return undoStack_; }

    // The path as LocalPath holds it: every byte of the file's name kept.
    const QString& filePath() const { return filePath_; }
    void setFilePath(const QString& path);
    // The file name as shown, or "Sync1"-style for a document never saved.
    const QString& title() const { return title_; }
    void setTitle(const QString& title);

    // The file's modification time and size when last read or written; a
    // save compares them to notice another writer.
    void rememberDiskState();
    bool changedOnDisk() const;
    // The file's size when last read or written; -1 when there is none.
    qint64 diskSize() const { return disk_.size(); }

    // The values of File New.
    virtual void onNewDocument() = 0;
    // Replaces the content with the file's bytes, counting them on
    // `progress` (when given), which may stop the read.
    virtual ReadStatus readBytes(std::string_view bytes, ReadReport::Mode mode,
                                 Progress* progress) = 0;
    ReadStatus readBytes(std::string_view bytes, ReadReport::Mode mode) {
        return readBytes(bytes, mode, nullptr);
    }
    // Replaces the content with the file at `path`, as readBytes() does;
    // `read` tells whether the file itself could be read. Read whole here; a
    // document whose reader takes a file in pieces holds no copy of it.
    virtual ReadStatus readFile(const std::string& path, ReadReport::Mode mode, Progress* progress,
                                Status& read);
    virtual std::string writeBytes() = 0;
    // The bytes of writeBytes() handed to `put` piece by piece and counted
    // on `progress`; false when `put` refused a piece or `progress` stopped.
    virtual bool writePieces(const FileStore::Pieces& put, Progress& progress);
    // A message that refuses the save, or nothing to let it go ahead.
    virtual std::optional<QString> validateSave() { return std::nullopt; }
    // Why the document can never be saved: the status bar's words and the
    // message that refuses a save.
    struct ReadOnly {
        QString status;
        QString message;
    };
    // Nothing when the document may be edited and saved.
    virtual std::optional<ReadOnly> readOnlyReason() const { return std::nullopt; }
    // "configuration", "task file": what a file of this kind is called.
    virtual QString kindName() const = 0;
    // Values a save would write in a form that reads back as something else.
    virtual QStringList readBackWarnings() const { return {}; }
    // The warnings the user already agreed to save with, so that the same
    // ones are not asked about again.
    const QStringList& acceptedWarnings() const { return acceptedWarnings_; }
    void acceptWarnings(QStringList warnings) { acceptedWarnings_ = std::move(warnings); }

    // Lines of the file that was read which a save would drop; 0 once the
    // document was saved.
    int unkeptLines() const { return unkeptLines_; }
    void setUnkeptLines(int lines);
    // What the reader noted on those lines; empty once the document was saved.
    const ReadReport& unkeptReport() const { return unkeptReport_; }
    void setUnkeptReport(ReadReport report) { unkeptReport_ = std::move(report); }
    // What the window titles add to the document's name.
    QString titleMark() const;

    // Takes the written file's lines over into the model; made by
    // linesOfWritten() beside the window's thread, run on it.
    using LineUpdate = std::function<void()>;
    // The file was written: line numbers now point into it (through
    // `takeLines`, empty when they could not be read back), and whatever was
    // noted about the lines read before is gone.
    void written(const LineUpdate& takeLines);
    // Reads the lines of the file just written; runs beside the window's
    // thread, so it leaves the model alone until the update it returns runs.
    virtual LineUpdate linesOfWritten(std::string_view bytes) {
        (void)bytes;
        return {};
    }
    // How many saves the document has had; lines kept from before the last
    // one point into a file that is gone.
    int saves() const { return saves_; }

signals:
    void modifiedChanged(bool modified);
    // After written(): every line number may have changed.
    void saved();
    void titleChanged(const QString& title);

private:
    void changeModified(bool modified);

    DocTemplate& docTemplate_;
    QUndoStack undoStack_;
    bool modified_ = false;
    QString filePath_;
    QString title_;
    DiskState disk_;
    int unkeptLines_ = 0;
    int saves_ = 0;
    ReadReport unkeptReport_;
    QStringList acceptedWarnings_;
};

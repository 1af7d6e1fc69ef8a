#include "Document.h"

#include "LocalPath.h"

#include <QFileInfo>
#ifdef __GLIBC__
#include <malloc.h>
#endif

Document::Document(DocTemplate& docTemplate) : docTemplate_(docTemplate) {
    connect(&undoStack_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { changeModified(!clean); });
}

Document::~Document() {
    // Clearing the stack as it goes says it is clean; nobody may hear that
    // from a document half destroyed.
    undoStack_.disconnect(this);
    undoStack_.blockSignals(true);
    undoStack_.clear();
    // The model is gone by now. A large one leaves hundreds of MB of small
    // blocks behind: give them back rather than keep them for a document
    // that may never come.
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

void Document::setModifiedFlag(bool modified) {
    if (!modified)
        undoStack_.setClean();
    changeModified(modified);
}

void Document::changeModified(bool modified) {
    if (modified_ == modified)
        return;
    modified_ = modified;
    emit modifiedChanged(modified);
}

void Document::setFilePath(const QString& path) {
    filePath_ = path;
    setTitle(LocalPath::displayName(QFileInfo(path).fileName()));
}

void Document::setTitle(const QString& title) {
    if (title_ == title)
        return;
    title_ = title;
    emit titleChanged(title);
}

void Document::setUnkeptLines(int lines) {
    if (unkeptLines_ == lines)
        return;
    unkeptLines_ = lines;
    emit titleChanged(title_);
}

void Document::written(const LineUpdate& takeLines) {
    ++saves_;
    setModifiedFlag(false);
    setUnkeptReport({});
    setUnkeptLines(0);
    if (takeLines)
        takeLines();
    emit saved();
}

QString Document::titleMark() const {
    if (readOnlyReason())
        return tr(" [read only]");
    return unkeptLines_ > 0 ? tr(" [lines not kept]") : QString();
}

void Document::rememberDiskState() {
    disk_ = DiskState::of(filePath_);
}

bool Document::changedOnDisk() const {
    if (filePath_.isEmpty())
        return false;
    const DiskState now = DiskState::of(filePath_);
    return now.exists() ? now != disk_ : disk_.exists();
}

ReadStatus Document::readFile(const std::string& path, ReadReport::Mode mode, Progress* progress,
                              Status& read) {
    std::string bytes;
    read = FileStore::read(path, bytes);
    return read.ok ? readBytes(bytes, mode, progress) : ReadStatus();
}

bool Document::writePieces(const FileStore::Pieces& put, Progress& progress) {
    const std::string bytes = writeBytes();
    return put(bytes) && progress.advance(bytes.size());
}

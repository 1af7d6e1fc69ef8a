#include "Document.h"

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
    setTitle(QFileInfo(path).fileName());
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

QString Document::titleMark() const {
    if (readOnlyReason())
        return tr(" [read only]");
    return unkeptLines_ > 0 ? tr(" [lines not kept]") : QString();
}

void Document::rememberDiskState() {
    const QFileInfo info(filePath_);
    diskTime_ = info.exists() ? info.lastModified() : QDateTime();
    diskSize_ = info.exists() ? info.size() : -1;
}

bool Document::changedOnDisk() const {
    if (filePath_.isEmpty())
        return false;
    const QFileInfo info(filePath_);
    if (!info.exists())
        return diskSize_ >= 0;
    return info.lastModified() != diskTime_ || info.size() != diskSize_;
}

bool Document::writePieces(const FileStore::Pieces& put, Progress& progress) {
    const std::string bytes = writeBytes();
    return put(bytes) && progress.advance(bytes.size());
}

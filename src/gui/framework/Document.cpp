#include "Document.h"

#include "LocalPath.h"

#include <QFileInfo>

Document::Document(DocTemplate& docTemplate) : docTemplate_(docTemplate) {
    connect(&undoStack_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { changeModified(!clean); });
}

Document::~Document() {
    // Clearing the stack as it goes says it is clean; nobody may hear that
    // from a document half destroyed.
    undoStack_.disconnect(this);
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

void Document::written(std::string_view bytes) {
    ++saves_;
    setModifiedFlag(false);
    setUnkeptReport({});
    setUnkeptLines(0);
    renumberLines(bytes);
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

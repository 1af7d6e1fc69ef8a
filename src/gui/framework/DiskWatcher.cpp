#include "DiskWatcher.h"

#include "BackgroundWork.h"
#include "DocumentManager.h"
#include "LocalPath.h"
#include "ModalSeam.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

namespace {

// Watches the paths of `wanted` and no others of the kind `watched` lists.
void watchOnly(QFileSystemWatcher& watcher, const QStringList& watched, const QStringList& wanted) {
    for (const QString& path : watched)
        if (!wanted.contains(path))
            watcher.removePath(path);
    for (const QString& path : wanted)
        if (!watched.contains(path))
            watcher.addPath(path);
}

QString folderOf(const QString& path) {
    return QFileInfo(path).path();
}

} // namespace

DiskWatcher::DiskWatcher(DocumentManager& manager) : QObject(&manager), manager_(manager) {
    connect(&manager, &DocumentManager::documentsChanged, this, &DiskWatcher::follow);
    // Save As moves a document to another file.
    connect(&manager, &DocumentManager::documentStateChanged, this, &DiskWatcher::follow);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &DiskWatcher::fileChanged);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &DiskWatcher::folderChanged);
}

QString DiskWatcher::question(Document& document) {
    const QString title = document.title();
    QString text = document.isModified()
                       ? tr("%1 was changed by another program.\nReload it and discard your "
                            "changes?")
                             .arg(title)
                       : tr("%1 was changed by another program.\nReload it?").arg(title);
    return text + DocumentManager::undoLostNote(document);
}

void DiskWatcher::follow() {
    QStringList files;
    QStringList folders;
    for (const Document* document : manager_.documents()) {
        const QString& path = document->filePath();
        if (path.isEmpty() || !DiskState::of(path).exists())
            continue;
        // Qt's watcher takes UTF-8 names only. A file whose name is not is
        // watched through its folder, which hears of the file replaced (as
        // editors save) but not of writes into it; a save still notices those.
        if (LocalPath::isUtf8(path))
            files << path;
        else if (LocalPath::isUtf8(folderOf(path)) && !folders.contains(folderOf(path)))
            folders << folderOf(path);
    }
    watchOnly(watcher_, watcher_.files(), files);
    watchOnly(watcher_, watcher_.directories(), folders);
}

void DiskWatcher::folderChanged(const QString& folder) {
    // Collected first: a reload replaces the document.
    QStringList paths;
    for (const Document* document : manager_.documents())
        if (!LocalPath::isUtf8(document->filePath()) && folderOf(document->filePath()) == folder)
            paths << document->filePath();
    for (const QString& path : paths)
        fileChanged(path);
}

void DiskWatcher::fileChanged(const QString& path) {
    // A save replaces the file by renaming, which ends the watch on the old one.
    follow();
    // Reloading under an open dialog would pull its document from under it,
    // and a read or save under way may be our own: the question waits until
    // the dialog (or the question about another file) is closed and the
    // work has ended.
    if (QApplication::activeModalWidget() != nullptr || BackgroundWork::busy()) {
        QTimer::singleShot(kRetryMs, this, [this, path] { fileChanged(path); });
        return;
    }
    if (asking_)
        return;
    for (Document* document : manager_.documents()) {
        // Our own save remembered what it wrote; a vanished file is not reloadable.
        if (document->filePath() != path || !document->changedOnDisk() ||
            !DiskState::of(path).exists() || declined_.value(path) == DiskState::of(path))
            continue;
        asking_ = true;
        QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
        if (manager_.showsChanges(*document))
            buttons |= QMessageBox::Apply;
        const auto answer = ModalSeam::ask(nullptr, question(*document), tr("Pallworth"), buttons,
                                           QMessageBox::No, ModalSeam::Icon::Question);
        if (answer == QMessageBox::Yes)
            manager_.reload(*document, false);
        // What the other program changed; File > Reload takes it after all.
        else if (answer == QMessageBox::Apply)
            manager_.showChanges(*document, false);
        else
            // Asked once per change; a later save still warns of the other writer.
            declined_.insert(path, DiskState::of(path));
        asking_ = false;
        return;
    }
}

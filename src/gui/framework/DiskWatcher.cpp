#include "DiskWatcher.h"

#include "BackgroundWork.h"
#include "DocumentManager.h"
#include "ModalSeam.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QTimer>

DiskWatcher::DiskWatcher(DocumentManager& manager) : QObject(&manager), manager_(manager) {
    connect(&manager, &DocumentManager::documentsChanged, this, &DiskWatcher::follow);
    // Save As moves a document to another file.
    connect(&manager, &DocumentManager::documentStateChanged, this, &DiskWatcher::follow);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &DiskWatcher::fileChanged);
}

QString DiskWatcher::stateOf(const QString& path) {
    const QFileInfo info(path);
    return info.lastModified().toString(Qt::ISODateWithMs) + u' ' + QString::number(info.size());
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
    QStringList wanted;
    for (const Document* document : manager_.documents())
        if (!document->filePath().isEmpty() && QFileInfo::exists(document->filePath()))
            wanted << document->filePath();
    const QStringList watched = watcher_.files();
    for (const QString& path : watched)
        if (!wanted.contains(path))
            watcher_.removePath(path);
    for (const QString& path : wanted)
        if (!watched.contains(path))
            watcher_.addPath(path);
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
            !QFileInfo::exists(path) || declined_.value(path) == stateOf(path))
            continue;
        asking_ = true;
        const auto answer = ModalSeam::ask(nullptr, question(*document), tr("Pallworth"),
                                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                                           ModalSeam::Icon::Question);
        if (answer == QMessageBox::Yes)
            manager_.reload(*document, false);
        else
            // Asked once per change; a later save still warns of the other writer.
            declined_.insert(path, stateOf(path));
        asking_ = false;
        return;
    }
}

#include "DocumentManager.h"

#include "AnsiQt.h"
#include "AppSettings.h"
#include "BackgroundWork.h"
#include "ChildFrame.h"
#include "CountText.h"
#include "DiskState.h"
#include "LocalPath.h"
#include "ModalSeam.h"
#include "NewDocumentDialog.h"
#include "UnkeptText.h"
#include "WindowLayout.h"
#include "io/FileStore.h"
#include "io/StoppedSave.h"

#include <QFileInfo>
#include <QLocale>
#include <QMainWindow>
#include <QMdiArea>
#include <QSettings>
#include <QStatusBar>
#include <algorithm>

namespace {

const QString kCaption = QStringLiteral("Pallworth");

QString recentKey(int i) {
    return QStringLiteral("Recent File List/File%1").arg(i + 1);
}

} // namespace

DocumentManager::DocumentManager(QMdiArea& area) : area_(area) {}

DocumentManager::~DocumentManager() {
    // Frames go before the documents they show.
    for (const FrameEntry& entry : frames_) {
        disconnect(entry.frame, nullptr, this, nullptr);
        delete entry.frame;
    }
}

void DocumentManager::registerTemplate(std::unique_ptr<DocTemplate> docTemplate) {
    templates_.push_back(std::move(docTemplate));
}

Document* DocumentManager::fileNew() {
    if (templates_.empty())
        return nullptr;
    if (templates_.size() == 1)
        return newDocument(*templates_.front());
    QStringList kinds;
    for (const auto& t : templates_)
        kinds << t->field(DocTemplate::FileNewName);
    NewDocumentDialog dialog(kinds, area_.window());
    if (ModalSeam::runModal(dialog) != QDialog::Accepted || dialog.chosen() < 0)
        return nullptr;
    return newDocument(*templates_[static_cast<std::size_t>(dialog.chosen())]);
}

Document* DocumentManager::newDocument(DocTemplate& docTemplate) {
    std::unique_ptr<Document> document = docTemplate.makeDocument();
    document->onNewDocument();
    document->setTitle(docTemplate.nextUntitledName());
    document->setModifiedFlag(false);
    Document& added = adopt(std::move(document));
    if (createFrame(added) == nullptr) {
        removeDocument(added);
        return nullptr;
    }
    emit documentsChanged();
    return &added;
}

Document* DocumentManager::fileOpen() {
    const QString path = ModalSeam::openFileName(area_.window(), tr("Open"), openFilter());
    return path.isEmpty() ? nullptr : openFile(path);
}

Document* DocumentManager::openFile(const QString& path) {
    const QString wanted = LocalPath::canonical(path);
    for (const auto& document : documents_) {
        if (!document->filePath().isEmpty() &&
            LocalPath::canonical(document->filePath()) == wanted) {
            if (!framesOf(*document).isEmpty())
                area_.setActiveSubWindow(framesOf(*document).first());
            addRecentFile(wanted);
            return document.get();
        }
    }
    Document* opened = showDocument(loadFile(path), 1);
    if (opened != nullptr)
        addRecentFile(wanted);
    return opened;
}

bool DocumentManager::offerStoppedSave(const QString& path) {
    const std::string file = LocalPath::toBytes(path);
    const std::string backup = StoppedSave::find(file);
    if (backup.empty())
        return true;
    const QDateTime time = DiskState::of(LocalPath::fromBytes(backup)).modified();
    const QMessageBox::StandardButton answer = ModalSeam::ask(
        area_.window(),
        tr("%1 was being saved when the save was stopped; a backup from %2 is beside it. "
           "Restore the backup?")
            .arg(LocalPath::displayName(path), QLocale().toString(time, QLocale::ShortFormat)),
        kCaption, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
        ModalSeam::Icon::Warning);
    if (answer != QMessageBox::Yes)
        return answer == QMessageBox::No;
    const Status restored = StoppedSave::restore(file, backup);
    if (!restored.ok)
        ModalSeam::showMessage(area_.window(), LocalPath::displayMessage(restored.error), kCaption,
                               ModalSeam::Icon::Critical);
    return restored.ok;
}

std::unique_ptr<Document> DocumentManager::loadFile(const QString& path) {
    if (!offerStoppedSave(path))
        return nullptr;
    DocTemplate* docTemplate = templateFor(path);
    if (docTemplate == nullptr)
        return nullptr;
    std::unique_ptr<Document> document = docTemplate->makeDocument();
    Status read;
    ReadStatus status;
    // A cancelled open opens nothing and says nothing.
    if (!inBackground(
            static_cast<std::uint64_t>(std::max<std::int64_t>(DiskState::of(path).size(), 0)),
            [&](Progress& progress) {
                status = document->readFile(LocalPath::toBytes(path), ReadReport::Mode::Record,
                                            &progress, read);
            }))
        return nullptr;
    if (!read.ok) {
        ModalSeam::showMessage(area_.window(), LocalPath::displayMessage(read.error), kCaption);
        return nullptr;
    }
    document = readDocument(path, std::move(document), std::move(status));
    if (document == nullptr)
        return nullptr;
    document->setFilePath(LocalPath::canonical(path));
    document->rememberDiskState();
    document->setModifiedFlag(false);
    return document;
}

bool DocumentManager::inBackground(std::uint64_t total,
                                   const std::function<void(Progress& progress)>& work) {
    BackgroundWork background(area_.window(), total);
    return background.run(work);
}

bool DocumentManager::readInBackground(Document& document, std::string_view bytes,
                                       ReadReport::Mode mode, ReadStatus& status) {
    return inBackground(bytes.size(), [&](Progress& progress) {
        status = document.readBytes(bytes, mode, &progress);
    });
}

Document* DocumentManager::showDocument(std::unique_ptr<Document> document, qsizetype windows) {
    if (document == nullptr)
        return nullptr;
    Document& added = adopt(std::move(document));
    if (createFrame(added) == nullptr) {
        removeDocument(added);
        return nullptr;
    }
    for (qsizetype i = 1; i < windows; ++i)
        newWindow(added);
    emit documentsChanged();
    return &added;
}

Document* DocumentManager::reload(Document& document, bool askWhenModified) {
    if (document.filePath().isEmpty())
        return nullptr;
    if (askWhenModified && document.isModified() &&
        ModalSeam::ask(
            area_.window(),
            tr("Discard the changes to %1 and reload it from disk?").arg(document.title()) +
                undoLostNote(document),
            kCaption, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
            ModalSeam::Icon::Warning) != QMessageBox::Yes)
        return nullptr;
    // Read before closing: a file that cannot be read leaves the window as it was.
    std::unique_ptr<Document> reread = loadFile(document.filePath());
    if (reread == nullptr)
        return nullptr;
    const QList<ChildFrame*> frames = framesOf(document);
    const WindowLayout layout(frames, area_);
    closeWithoutAsking(document);
    Document* shown = showDocument(std::move(reread), frames.size());
    if (shown != nullptr)
        layout.applyTo(framesOf(*shown), area_);
    return shown;
}

QString DocumentManager::undoLostNote(Document& document) {
    // A reload reads the file into a new document, which starts a new history.
    return document.undoStack().count() > 0 ? tr("\nReloading also clears the undo history.")
                                            : QString();
}

std::unique_ptr<Document> DocumentManager::readDocument(const QString& path,
                                                        std::unique_ptr<Document> document,
                                                        ReadStatus status) {
    const QString file = LocalPath::displayName(path);
    // Read again for another kind's reader: the document's did not keep the
    // bytes. A file gone meanwhile is taken as read.
    std::string bytes;
    if (status.ok && status.report.understoodLines() < status.report.contentLines() &&
        FileStore::read(LocalPath::toBytes(path), bytes).ok) {
        bool cancelled = false;
        std::unique_ptr<Document> other = betterKind(*document, bytes, status.report, cancelled);
        if (cancelled)
            return nullptr;
        if (other != nullptr) {
            if (ModalSeam::ask(area_.window(),
                               tr("%1 looks like a %2, not a %3.\nOpen it as a %2?")
                                   .arg(file, other->kindName(), document->kindName()),
                               kCaption, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                               ModalSeam::Icon::Question) != QMessageBox::Yes)
                return nullptr;
            document = std::move(other);
            if (!readInBackground(*document, bytes, ReadReport::Mode::Record, status))
                return nullptr;
        }
    }
    if (!status.ok) {
        ModalSeam::showMessage(area_.window(),
                               tr("Cannot open %1:\n%2").arg(file, AnsiQt::toQString(status.error)),
                               kCaption);
        return nullptr;
    }
    if (status.report.understoodNothing()) {
        const int lines = status.report.contentLines();
        const QString kind = document->kindName();
        ModalSeam::showMessage(
            area_.window(),
            lines == 1 ? tr("%1 does not look like a %2 (its one line was not understood).")
                             .arg(file, kind)
                       : tr("%1 does not look like a %2 (none of its %3 lines was understood).")
                             .arg(file, kind, QString::number(lines)),
            kCaption, ModalSeam::Icon::Warning);
        return nullptr;
    }
    tellWhatIsNotKept(*document, status.report, file);
    return document;
}

std::unique_ptr<Document> DocumentManager::betterKind(const Document& document,
                                                      std::string_view bytes, const ReadReport& own,
                                                      bool& cancelled) {
    for (const auto& t : templates_) {
        if (t.get() == &document.docTemplate())
            continue;
        std::unique_ptr<Document> other = t->makeDocument();
        ReadStatus status;
        cancelled = !readInBackground(*other, bytes, ReadReport::Mode::CountOnly, status);
        if (cancelled)
            return nullptr;
        if (status.report.fitsMuchBetterThan(own))
            return other;
    }
    return nullptr;
}

void DocumentManager::tellWhatIsNotKept(Document& document, const ReadReport& report,
                                        const QString& file) {
    if (const auto reason = document.readOnlyReason()) {
        ModalSeam::showMessage(area_.window(), reason->message, kCaption, ModalSeam::Icon::Warning);
        return;
    }
    showKept(report);
    // Kept keywords are still listed as problems: a typo stays a typo.
    document.setUnkeptReport(report);
    if (report.keepsEverything())
        return;
    document.setUnkeptLines(report.droppedLines() + report.commentLines());
    ModalSeam::showMessage(area_.window(), UnkeptText::openMessage(report, file), kCaption,
                           ModalSeam::Icon::Warning);
}

void DocumentManager::showKept(const ReadReport& report) {
    auto* main = qobject_cast<QMainWindow*>(area_.window());
    if (main == nullptr || report.keptLines() == 0)
        return;
    main->statusBar()->showMessage(
        tr("%1 kept as written").arg(CountText::of(report.keptLines(), "line", "lines")));
}

bool DocumentManager::save(Document& document) {
    if (refused(document))
        return false;
    if (document.filePath().isEmpty())
        return saveAs(document);
    if (FileStore::isReadOnly(LocalPath::toBytes(document.filePath())))
        return offerSaveAs(document);
    const QMessageBox::StandardButton dropping = askDropping(document);
    if (dropping == QMessageBox::SaveAll)
        return nameAndWrite(document);
    if (dropping != QMessageBox::Save)
        return false;
    if (document.changedOnDisk() &&
        ModalSeam::ask(area_.window(),
                       tr("%1 was changed by another program since it was opened or last "
                          "saved.\nDo you want to overwrite it?")
                           .arg(LocalPath::displayName(document.filePath())),
                       kCaption, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                       ModalSeam::Icon::Warning) != QMessageBox::Yes)
        return false;
    return writeFile(document, document.filePath());
}

bool DocumentManager::saveAs(Document& document) {
    if (refused(document) || askDropping(document) == QMessageBox::Cancel)
        return false;
    return nameAndWrite(document);
}

bool DocumentManager::refused(Document& document) {
    // Said before any other question, so nobody picks a name for nothing.
    const auto refusal = document.validateSave();
    if (refusal)
        ModalSeam::showMessage(area_.window(), *refusal, kCaption, ModalSeam::Icon::Warning);
    return refusal.has_value();
}

QMessageBox::StandardButton DocumentManager::askDropping(Document& document) {
    // Values that would not read back are asked about once, until they change.
    QStringList warnings = document.readBackWarnings();
    if (warnings == document.acceptedWarnings())
        warnings.clear();
    if (document.unkeptReport().keepsEverything() && warnings.isEmpty())
        return QMessageBox::Save;
    const QMessageBox::StandardButton answer =
        ModalSeam::ask(area_.window(),
                       UnkeptText::saveQuestion(document.unkeptReport(), warnings,
                                                LocalPath::displayName(document.filePath())),
                       kCaption, QMessageBox::Save | QMessageBox::SaveAll | QMessageBox::Cancel,
                       QMessageBox::Cancel, ModalSeam::Icon::Warning);
    if (answer != QMessageBox::Cancel && !warnings.isEmpty())
        document.acceptWarnings(std::move(warnings));
    return answer;
}

bool DocumentManager::nameAndWrite(Document& document) {
    const DocTemplate& t = document.docTemplate();
    QString suggested = document.filePath();
    if (suggested.isEmpty())
        suggested = document.title() + t.field(DocTemplate::FilterExt);
    QString path = ModalSeam::saveFileName(area_.window(), tr("Save As"), suggested, t.filter());
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty()) {
        // The dialog asked about the name typed, not the one written.
        path += t.field(DocTemplate::FilterExt);
        if (!ModalSeam::mayReplace(area_.window(), path, tr("Save As")))
            return false;
    }
    if (!writeFile(document, path))
        return false;
    document.setFilePath(LocalPath::canonical(path));
    document.rememberDiskState();
    addRecentFile(document.filePath());
    return true;
}

bool DocumentManager::offerSaveAs(Document& document) {
    return ModalSeam::ask(area_.window(),
                          tr("%1 is read-only.\nDo you want to save it under another name?")
                              .arg(LocalPath::displayName(document.filePath())),
                          kCaption, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
                          ModalSeam::Icon::Warning) == QMessageBox::Yes &&
           saveAs(document);
}

bool DocumentManager::writeFile(Document& document, const QString& path) {
    // QSaveFile reports success when the disk fills part way through; the
    // core's atomic write checks every byte before it replaces the file.
    Status written;
    Document::LineUpdate takeLines;
    const bool finished = inBackground(
        static_cast<std::uint64_t>(std::max<qint64>(document.diskSize(), 0)),
        [&](Progress& progress) {
            written = FileStore::writeAtomically(
                LocalPath::toBytes(path),
                [&](const FileStore::Pieces& put) { return document.writePieces(put, progress); });
            // The problems point at lines of the file as now written.
            if (std::string back; written.ok && FileStore::read(LocalPath::toBytes(path), back).ok)
                takeLines = document.linesOfWritten(back);
        });
    // Cancelled before the file was replaced: the old one is whole, nothing to say.
    if (!finished && !written.ok)
        return false;
    if (!written.ok) {
        // When the old content could not be put back, the store names where it is.
        const bool untouched = written.kind != Status::Kind::OldContentKept;
        ModalSeam::showMessage(
            area_.window(),
            tr("Cannot save %1:\n%2")
                    .arg(LocalPath::displayName(path), LocalPath::displayMessage(written.error)) +
                (untouched ? tr("\nThe file on disk was left as it was.") : QString()),
            kCaption, ModalSeam::Icon::Critical);
        return false;
    }
    document.written(takeLines);
    if (path == document.filePath())
        document.rememberDiskState();
    return true;
}

bool DocumentManager::promptToSave(Document& document, bool offerDiscardAll) {
    if (!document.isModified())
        return true;
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    if (offerDiscardAll)
        buttons |= QMessageBox::NoToAll;
    if (showsChanges(document))
        buttons |= QMessageBox::Apply;
    bringToFront(document);
    const auto answer =
        ModalSeam::ask(area_.window(), tr("Save changes to %1?").arg(document.title()), kCaption,
                       buttons, QMessageBox::Yes, ModalSeam::Icon::Warning);
    // The changes shown, the document stays open for the user to decide.
    if (answer == QMessageBox::Apply) {
        showChanges(document, true);
        return false;
    }
    if (answer == QMessageBox::NoToAll) {
        discardingAll_ = true;
        return true;
    }
    if (answer == QMessageBox::Yes)
        return save(document);
    return answer == QMessageBox::No;
}

bool DocumentManager::showsChanges(const Document& document) const {
    return showChanges_ && !document.filePath().isEmpty();
}

void DocumentManager::showChanges(Document& document, bool documentNewer) {
    if (showsChanges(document))
        showChanges_(document, documentNewer);
}

void DocumentManager::bringToFront(Document& document) {
    // The question names a document; the user sees which one it asks about.
    const QList<ChildFrame*> frames = framesOf(document);
    if (frames.isEmpty() || frames.contains(activeFrame()))
        return;
    if (frames.first()->isMinimized())
        frames.first()->showNormal();
    area_.setActiveSubWindow(frames.first());
}

bool DocumentManager::canCloseFrame(ChildFrame& frame) {
    Document& document = frame.document();
    if (framesOf(document).size() > 1)
        return true;
    return promptToSave(document);
}

bool DocumentManager::closeDocument(Document& document) {
    if (!promptToSave(document))
        return false;
    closeWithoutAsking(document);
    return true;
}

void DocumentManager::closeWithoutAsking(Document& document) {
    for (ChildFrame* frame : framesOf(document)) {
        disconnect(frame, nullptr, this, nullptr);
        forgetFrame(frame);
        delete frame;
    }
    removeDocument(document);
    emit documentsChanged();
}

bool DocumentManager::closeAll() {
    const QList<Document*> open = documents();
    const bool several =
        std::count_if(open.begin(), open.end(), [](Document* d) { return d->isModified(); }) > 1;
    discardingAll_ = false;
    for (Document* document : open) {
        // After "Discard All" the rest close without a question.
        if (!discardingAll_ && !promptToSave(*document, several))
            return false;
        closeWithoutAsking(*document);
    }
    return true;
}

ChildFrame* DocumentManager::newWindow(Document& document) {
    ChildFrame* frame = createFrame(document);
    for (ChildFrame* other : framesOf(document))
        other->updateTitle();
    return frame;
}

Document& DocumentManager::adopt(std::unique_ptr<Document> document) {
    Document& added = *documents_.emplace_back(std::move(document));
    connect(&added, &Document::modifiedChanged, this, &DocumentManager::documentStateChanged);
    connect(&added, &Document::titleChanged, this, &DocumentManager::documentStateChanged);
    return added;
}

ChildFrame* DocumentManager::createFrame(Document& document) {
    QWidget* content = document.docTemplate().makeFrame(document);
    if (content == nullptr)
        return nullptr;
    auto* frame = new ChildFrame(*this, document, content);
    frames_.append({frame, &document});
    connect(frame, &QObject::destroyed, this, &DocumentManager::frameDestroyed);
    connect(frame, &QMdiSubWindow::windowStateChanged, this,
            &DocumentManager::documentStateChanged);
    area_.addSubWindow(frame);
    frame->updateTitle();
    if (document.docTemplate().openMaximized())
        frame->showMaximized();
    else
        showNormal(*frame);
    area_.setActiveSubWindow(frame);
    return frame;
}

void DocumentManager::showNormal(ChildFrame& frame) {
    // As large as its panes would like, but within the main window. Sized
    // before it is shown: the area maximises a window shown while the active
    // one is maximised, and a later resize would leave it maximised but small.
    frame.resize(frame.sizeHint().boundedTo(area_.viewport()->size()));
    frame.show();
}

void DocumentManager::frameDestroyed(QObject* object) {
    // A frame closed by the user: the document goes with its last window.
    Document* document = forgetFrame(object);
    if (document == nullptr)
        return;
    if (framesOf(*document).isEmpty()) {
        removeDocument(*document);
        emit documentsChanged();
    } else {
        for (ChildFrame* other : framesOf(*document))
            other->updateTitle();
    }
}

Document* DocumentManager::forgetFrame(const QObject* frame) {
    for (qsizetype i = 0; i < frames_.size(); ++i) {
        if (frames_[i].frame == frame) {
            Document* document = frames_[i].document;
            frames_.removeAt(i);
            return document;
        }
    }
    return nullptr;
}

void DocumentManager::removeDocument(Document& document) {
    const auto it = std::find_if(documents_.begin(), documents_.end(),
                                 [&](const auto& d) { return d.get() == &document; });
    if (it != documents_.end())
        documents_.erase(it);
}

Document* DocumentManager::activeDocument() const {
    ChildFrame* frame = activeFrame();
    return frame != nullptr ? &frame->document() : nullptr;
}

ChildFrame* DocumentManager::activeFrame() const {
    return qobject_cast<ChildFrame*>(area_.activeSubWindow());
}

QList<Document*> DocumentManager::documents() const {
    QList<Document*> list;
    for (const auto& d : documents_)
        list.append(d.get());
    return list;
}

QList<ChildFrame*> DocumentManager::framesOf(const Document& document) const {
    QList<ChildFrame*> list;
    for (const FrameEntry& entry : frames_)
        if (entry.document == &document)
            list.append(entry.frame);
    return list;
}

QString DocumentManager::openFilter() const {
    QStringList filters;
    for (const auto& t : templates_)
        filters << t->filter();
    filters << tr("All Files (*)");
    return filters.join(QStringLiteral(";;"));
}

DocTemplate* DocumentManager::templateFor(const QString& path) const {
    for (const auto& t : templates_)
        if (t->matchesFile(path))
            return t.get();
    return templates_.empty() ? nullptr : templates_.front().get();
}

QStringList DocumentManager::recentFiles() const {
    const auto settings = AppSettings::open();
    QStringList files;
    for (int i = 0; i < kRecentFiles; ++i) {
        // The file name's bytes; entries of older versions are texts.
        const QVariant stored = settings->value(recentKey(i));
        const QByteArray bytes = stored.toByteArray();
        const QString file = stored.typeId() == QMetaType::QByteArray
                                 ? LocalPath::fromBytes(std::string_view(bytes.constData(),
                                                                         std::size_t(bytes.size())))
                                 : stored.toString();
        if (!file.isEmpty())
            files << file;
    }
    return files;
}

Document* DocumentManager::openRecentFile(int index) {
    const QString path = recentFiles().value(index);
    if (path.isEmpty())
        return nullptr;
    Document* document = openFile(path);
    if (document == nullptr && !DiskState::of(path).exists()) {
        QStringList files = recentFiles();
        files.removeAll(path);
        storeRecentFiles(files);
    }
    return document;
}

void DocumentManager::addRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    storeRecentFiles(files);
}

void DocumentManager::storeRecentFiles(const QStringList& files) {
    const auto settings = AppSettings::open();
    for (int i = 0; i < kRecentFiles; ++i) {
        if (i < files.size())
            settings->setValue(recentKey(i),
                               QByteArray::fromStdString(LocalPath::toBytes(files[i])));
        else
            settings->remove(recentKey(i));
    }
    emit recentFilesChanged();
}

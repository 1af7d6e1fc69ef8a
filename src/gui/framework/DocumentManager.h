#pragma once

#include "DocTemplate.h"
#include "Document.h"

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class ChildFrame;
class QMdiArea;

// The documents of the application and their windows: File New, Open, Save,
// Save As and Close, Window > New Window, and the recent-file list.
class DocumentManager : public QObject {
    Q_OBJECT

public:
    static constexpr int kRecentFiles = 4;

    explicit DocumentManager(QMdiArea& area);
    ~DocumentManager() override;

    void registerTemplate(std::unique_ptr<DocTemplate> docTemplate);
    const std::vector<std::unique_ptr<DocTemplate>>& templates() const { return templates_; }

    // File New: asks for the kind when more than one is registered.
    Document* fileNew();
    Document* newDocument(DocTemplate& docTemplate);
    // File Open: asks for a file, then opens it.
    Document* fileOpen();
    // Opens a file, or activates its window when it is open already; reports
    // a file that cannot be read and returns nullptr.
    Document* openFile(const QString& path);
    // File Reload: reads the document's file again, in as many windows;
    // a modified document is reloaded only when the user agrees (or the
    // caller asked already). The new document, or nullptr.
    Document* reload(Document& document, bool askWhenModified = true);
    // What a reload question adds when the document has something to undo.
    static QString undoLostNote(Document& document);

    // Shows how a document differs from its file: what it changed since it
    // was saved (`documentNewer`), or what another program changed in the
    // file. The save and reload questions offer it once it is set.
    using ShowChanges = std::function<void(Document& document, bool documentNewer)>;
    void setShowChanges(ShowChanges show) { showChanges_ = std::move(show); }
    // Whether the questions about `document` offer "Show changes".
    bool showsChanges(const Document& document) const;
    void showChanges(Document& document, bool documentNewer);
    bool save(Document& document);
    bool saveAs(Document& document);
    // Closes every window of the document, asking to save when modified.
    bool closeDocument(Document& document);
    // Asks for each modified document; "Discard All" closes the rest unsaved.
    bool closeAll();
    ChildFrame* newWindow(Document& document);

    Document* activeDocument() const;
    ChildFrame* activeFrame() const;
    QList<Document*> documents() const;
    QList<ChildFrame*> framesOf(const Document& document) const;

    QStringList recentFiles() const;
    // Opens entry `index` of the recent-file list; an entry whose file has
    // gone is dropped from the list once the open has failed.
    Document* openRecentFile(int index);

    // Called by a child frame about to close.
    bool canCloseFrame(ChildFrame& frame);

signals:
    void recentFilesChanged();
    void documentsChanged();
    // A document's title, modified flag or mark changed.
    void documentStateChanged();

private:
    ShowChanges showChanges_;
    // A document read from a file, not yet shown; nullptr after saying why.
    std::unique_ptr<Document> loadFile(const QString& path);
    // Adopts a document and opens its windows.
    Document* showDocument(std::unique_ptr<Document> document, qsizetype windows);
    // Takes a file read into a document of its kind (with `status`), or
    // reads it into the kind it turns out to be; says what will not be kept.
    // nullptr after telling why not, or when the user cancelled.
    std::unique_ptr<Document> readDocument(const QString& path, std::unique_ptr<Document> document,
                                           ReadStatus status);
    // A document of another kind whose reader fits the bytes much better;
    // nullptr with `cancelled` set when the user stopped the reading.
    std::unique_ptr<Document> betterKind(const Document& document, std::string_view bytes,
                                         const ReadReport& own, bool& cancelled);
    // Runs a read or save of about `total` bytes off the window's thread;
    // false when the user cancelled it.
    bool inBackground(std::uint64_t total, const std::function<void(Progress& progress)>& work);
    bool readInBackground(Document& document, std::string_view bytes, ReadReport::Mode mode,
                          ReadStatus& status);
    void tellWhatIsNotKept(Document& document, const ReadReport& report, const QString& file);
    // "N lines kept as written" on the status bar, when the reader kept any.
    void showKept(const ReadReport& report);
    QString openFilter() const;
    DocTemplate* templateFor(const QString& path) const;
    Document& adopt(std::unique_ptr<Document> document);
    ChildFrame* createFrame(Document& document);
    void showNormal(ChildFrame& frame);
    // Shows the message that refuses the save, if one does.
    bool refused(Document& document);
    // Before the first save that drops lines of the file read: Save, SaveAll
    // (Save As) or Cancel.
    QMessageBox::StandardButton askDropping(Document& document);
    // Offers the backup a stopped save of the file left beside it; false
    // when the user cancels the open or the backup cannot be put back.
    bool offerStoppedSave(const QString& path);
    // Asks for a file name and writes the document there.
    bool nameAndWrite(Document& document);
    bool writeFile(Document& document, const QString& path);
    // A read-only file is not replaced: says so and offers Save As.
    bool offerSaveAs(Document& document);
    // `offerDiscardAll` adds "Discard All" when several documents are modified.
    bool promptToSave(Document& document, bool offerDiscardAll = false);
    // Makes a window of the document the active one, unless one is already.
    void bringToFront(Document& document);
    void closeWithoutAsking(Document& document);
    void addRecentFile(const QString& path);
    void storeRecentFiles(const QStringList& files);
    void removeDocument(Document& document);
    void frameDestroyed(QObject* frame);
    // Drops a frame from the list; returns its document.
    Document* forgetFrame(const QObject* frame);

    struct FrameEntry {
        ChildFrame* frame;
        Document* document;
    };

    QMdiArea& area_;
    std::vector<std::unique_ptr<DocTemplate>> templates_;
    std::vector<std::unique_ptr<Document>> documents_;
    QList<FrameEntry> frames_;
    bool discardingAll_ = false;
};

#include "CMainFrame.h"

#include "CompareWindow.h"

#include "AppIcons.h"
#include "ProblemsPanel.h"

#include "configwindow/CPallworthDoc.h"
#include "configwindow/WeekScheduleWindow.h"
#include "framework/AppSettings.h"
#include "framework/ChildFrame.h"
#include "framework/CommandIds.h"
#include "framework/CommandTarget.h"
#include "framework/DocumentManager.h"
#include "framework/LocalPath.h"
#include "framework/ModalSeam.h"
#include "framework/TreeListDocument.h"
#include "framework/TreeListFrame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUndoStack>
#include <algorithm>

using namespace CommandIds;

namespace {

const QString kGeometryKey = QStringLiteral("MainFrame/geometry");

constexpr Qt::Key kLockKeys[3] = {Qt::Key_CapsLock, Qt::Key_NumLock, Qt::Key_ScrollLock};

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent), area_(new QMdiArea(this)) {
    setObjectName(QStringLiteral("128"));
    setProperty("resourceId", 128);
    area_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(area_);
    setDockNestingEnabled(true);
    createActions();
    createToolBar();
    createStatusBar();
    buildMenuBar(MenuIds::NoDocument);
    connect(area_, &QMdiArea::subWindowActivated, this, &CMainFrame::updateMenus);
    qApp->installEventFilter(this);
    setAcceptDrops(true);
    if (!AppSettings::restoreGeometry(*this, kGeometryKey))
        fitToScreen();
    updateTitle();
}

void CMainFrame::fitToScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        resize(1024, 720);
        return;
    }
    const QRect available = screen->availableGeometry();
    // Room to spare on a small screen; no more than a comfortable size on a large one.
    const QSize size = QSize(1280, 900).boundedTo(available.size() * 0.8);
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
}

void CMainFrame::setDocumentManager(DocumentManager* manager) {
    manager_ = manager;
    connect(manager, &DocumentManager::recentFilesChanged, this, &CMainFrame::updateMenus);
    connect(manager, &DocumentManager::documentsChanged, this, &CMainFrame::updateMenus);
    connect(manager, &DocumentManager::documentStateChanged, this, &CMainFrame::updateTitle);
    updateMenus();
}

template <typename Slot>
QAction* CMainFrame::makeAction(int id, const char* name, const QString& text, Slot slot,
                                const QKeySequence& shortcut) {
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    action->setProperty("commandId", id);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, slot);
    addAction(action); // shortcuts work whatever menu is shown
    actions_.insert(id, action);
    return action;
}

void CMainFrame::createActions() {
    createFileActions();
    makeAction(NewApplication, "newApplication", tr("New &Application"),
               &CMainFrame::newApplication)
        ->setStatusTip(tr("Add an application"));
    makeAction(NewPackage, "newPackage", tr("New &Package"), &CMainFrame::newPackage)
        ->setStatusTip(tr("Add a package"));
    QAction* toolbar = makeAction(ViewToolbar, "viewToolbar", tr("&Toolbar"),
                                  [this](bool shown) { toolBar_->setVisible(shown); });
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    QAction* status = makeAction(ViewStatusBar, "viewStatusBar", tr("&Status Bar"),
                                 [this](bool shown) { statusBar()->setVisible(shown); });
    status->setCheckable(true);
    status->setChecked(true);
    makeAction(ViewWeekSchedule, "viewWeekSchedule", tr("&Week Schedule"),
               &CMainFrame::weekSchedule)
        ->setStatusTip(tr("When every package runs in the week"));
    createWindowActions();
    createEditActions();
    makeAction(HelpFinder, "helpFinder", tr("&Help Topics"), &CMainFrame::helpRequested);
    makeAction(Help, "help", QString(), &CMainFrame::helpRequested, QKeySequence(Qt::Key_F1));
    makeAction(AppAbout, "appAbout", tr("&About Pallworth..."), &CMainFrame::aboutRequested)
        ->setStatusTip(tr("Program information and version"));
    makeAction(NextPane, "nextPane", QString(), &CMainFrame::nextPane, QKeySequence(Qt::Key_F6));
    makeAction(PrevPane, "previousPane", QString(), &CMainFrame::previousPane,
               QKeySequence(Qt::SHIFT | Qt::Key_F6));
}

void CMainFrame::createFileActions() {
    makeAction(FileNew, "fileNew", tr("&New\tCtrl+N"), &CMainFrame::fileNew,
               QKeySequence(Qt::CTRL | Qt::Key_N))
        ->setStatusTip(tr("Create a new document"));
    makeAction(FileOpen, "fileOpen", tr("&Open...\tCtrl+O"), &CMainFrame::fileOpen,
               QKeySequence(Qt::CTRL | Qt::Key_O))
        ->setStatusTip(tr("Open an existing document"));
    // Ctrl+W and Ctrl+F4 belong to the document window's own Close.
    makeAction(FileClose, "fileClose", tr("&Close"), &CMainFrame::fileClose)
        ->setStatusTip(tr("Close the active document"));
    makeAction(FileSave, "fileSave", tr("&Save\tCtrl+S"), &CMainFrame::fileSave,
               QKeySequence(Qt::CTRL | Qt::Key_S))
        ->setStatusTip(tr("Save the active document"));
    makeAction(FileSaveAs, "fileSaveAs", tr("Save &As..."), &CMainFrame::fileSaveAs)
        ->setStatusTip(tr("Save the active document under a new name"));
    QAction* reload = makeAction(FileReload, "fileReload", tr("&Reload\tF5"),
                                 &CMainFrame::fileReload, QKeySequence(Qt::Key_F5));
    reload->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)});
    reload->setStatusTip(tr("Read the active document again from its file"));
    makeAction(FileCompareSaved, "fileCompareSaved", tr("Compare with Sa&ved"),
               &CMainFrame::compareWithSaved)
        ->setStatusTip(tr("What the active document changed since it was saved"));
    makeAction(FileCompareWith, "fileCompareWith", tr("Compare &With..."), &CMainFrame::compareWith)
        ->setStatusTip(tr("How the active document differs from another file"));
    makeAction(AppExit, "appExit", tr("E&xit\tCtrl+Q"), &QWidget::close,
               QKeySequence(Qt::CTRL | Qt::Key_Q))
        ->setStatusTip(tr("Quit the application; prompts to save documents"));
    static const char* const kRecent[DocumentManager::kRecentFiles] = {"fileMru1", "fileMru2",
                                                                       "fileMru3", "fileMru4"};
    for (int i = 0; i < DocumentManager::kRecentFiles; ++i)
        makeAction(FileMru1 + i, kRecent[i], QString(), [this, i] { openRecentFile(i); });
    actions_[FileNew]->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    actions_[FileOpen]->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    actions_[FileSave]->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
}

void CMainFrame::createWindowActions() {
    makeAction(WindowNew, "windowNew", tr("&New Window"), &CMainFrame::newWindow)
        ->setStatusTip(tr("Open another window for the active document"));
    makeAction(WindowCascade, "windowCascade", tr("&Cascade"), &CMainFrame::cascade);
    makeAction(WindowTile, "windowTile", tr("&Tile"), [this] { area_->tileSubWindows(); });
    makeAction(WindowArrange, "windowArrange", tr("&Arrange Icons"), &CMainFrame::arrangeIcons);
}

void CMainFrame::createEditActions() {
    // The accelerator table's keys (Alt+Backspace undoes, Ctrl+Y redoes as the
    // guide says), then the platform's; the menu shows the first.
    const auto keys = [](QList<QKeySequence> bound, QKeySequence::StandardKey standard) {
        for (const QKeySequence& key : QKeySequence::keyBindings(standard))
            if (!bound.contains(key))
                bound.append(key);
        return bound;
    };
    addEditAction(
        undoGroup_.createUndoAction(this, tr("Undo")), EditUndo, "editUndo", "edit-undo",
        keys({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)},
             QKeySequence::Undo));
    addEditAction(undoGroup_.createRedoAction(this, tr("Redo")), EditRedo, "editRedo", "edit-redo",
                  keys({QKeySequence(Qt::CTRL | Qt::Key_Y)}, QKeySequence::Redo));
    createClipboardActions();
}

namespace {
struct ClipboardAction {
    int id;
    CommandTarget::Edit edit;
    const char* name;
    const char* text;
    const char* icon;
    QList<QKeySequence> keys;
};

const ClipboardAction kClipboardActions[] = {
    {EditCut,
     CommandTarget::Edit::Cut,
     "editCut",
     QT_TR_NOOP("Cu&t\tCtrl+X"),
     "edit-cut",
     {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}},
    {EditCopy,
     CommandTarget::Edit::Copy,
     "editCopy",
     QT_TR_NOOP("&Copy\tCtrl+C"),
     "edit-copy",
     {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
    {EditPaste,
     CommandTarget::Edit::Paste,
     "editPaste",
     QT_TR_NOOP("&Paste\tCtrl+V"),
     "edit-paste",
     {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
    {EditDuplicate,
     CommandTarget::Edit::Duplicate,
     "editDuplicate",
     QT_TR_NOOP("&Duplicate\tCtrl+D"),
     "edit-copy",
     {QKeySequence(Qt::CTRL | Qt::Key_D)}},
};
} // namespace

void CMainFrame::createClipboardActions() {
    for (const ClipboardAction& c : kClipboardActions) {
        QAction* action = makeAction(c.id, c.name, tr(c.text), [this, id = c.id] { runEdit(id); });
        action->setShortcuts(c.keys);
        action->setIcon(AppIcons::themed(QLatin1String(c.icon)));
        action->setEnabled(false);
    }
    // The clipboard, the focus and the selection decide what applies.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::updateEditActions);
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::updateEditActions);
}

CMainFrame::~CMainFrame() {
    // Windows closed while the children go would ask the area, gone first.
    disconnect(qApp, &QApplication::focusChanged, this, &CMainFrame::updateEditActions);
}

void CMainFrame::runEdit(int id) {
    CommandTarget* target = activeTarget();
    for (const ClipboardAction& c : kClipboardActions)
        if (c.id == id && target != nullptr && target->canEdit(c.edit))
            target->edit(c.edit);
    updateEditActions();
}

void CMainFrame::updateEditActions() {
    const CommandTarget* target = activeTarget();
    for (const ClipboardAction& c : kClipboardActions)
        if (QAction* action = actions_.value(c.id))
            action->setEnabled(target != nullptr && target->canEdit(c.edit));
}

void CMainFrame::addEditAction(QAction* action, int id, const char* name, const char* icon,
                               const QList<QKeySequence>& shortcuts) {
    action->setObjectName(QLatin1String(name));
    action->setProperty("commandId", id);
    action->setShortcuts(shortcuts);
    action->setIcon(AppIcons::themed(QLatin1String(icon)));
    addAction(action);
    actions_.insert(id, action);
}

void CMainFrame::createToolBar() {
    toolBar_ = addToolBar(tr("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("toolbar128"));
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : {FileNew, FileOpen, FileSave}) {
        QAction* a = actions_[id];
        a->setToolTip(a->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')));
        toolBar_->addAction(a);
    }
    toolBar_->addSeparator();
    toolBar_->addAction(actions_[EditUndo]);
    toolBar_->addAction(actions_[EditRedo]);
    toolBar_->addSeparator();
    for (int id : {EditCut, EditCopy, EditPaste})
        toolBar_->addAction(actions_[id]);
}

void CMainFrame::createStatusBar() {
    problems_ = new ProblemsPanel(this);
    addDockWidget(Qt::BottomDockWidgetArea, problems_);
    statusBar()->addPermanentWidget(problems_->countLabel());
    readOnly_ = new QLabel(tr("Written by a newer version; read only"), this);
    readOnly_->setObjectName(QStringLiteral("readOnly"));
    readOnly_->setVisible(false);
    statusBar()->addPermanentWidget(readOnly_);
    const QString names[3] = {tr("CAP"), tr("NUM"), tr("SCRL")};
    for (int i = 0; i < 3; ++i) {
        indicators_[i] = new QLabel(names[i], this);
        indicators_[i]->setObjectName(names[i]);
        statusBar()->addPermanentWidget(indicators_[i]);
    }
    updateLockKeys();
    statusBar()->showMessage(tr("Ready"));
}

void CMainFrame::setLockKeyReader(LockKeyReader reader) {
    lockKeys_ = std::move(reader);
    updateLockKeys();
}

void CMainFrame::updateLockKeys() {
    // A guess could show a lock on that is off; better no indicator at all.
    const std::optional<LockKeys::State> state = lockKeys_();
    for (std::size_t i = 0; i < 3; ++i) {
        indicators_[i]->setVisible(state.has_value());
        indicators_[i]->setEnabled(state.has_value() && (*state)[i]);
    }
}

void CMainFrame::buildMenuBar(int menuId) {
    menuId_ = menuId;
    menuBar()->clear();
    addFileMenu(menuId);
    if (menuId != MenuIds::NoDocument) {
        QMenu* edit = menuBar()->addMenu(tr("&Edit"));
        edit->addAction(actions_[EditUndo]);
        edit->addAction(actions_[EditRedo]);
        edit->addSeparator();
        for (int id : {EditCut, EditCopy, EditPaste, EditDuplicate})
            edit->addAction(actions_[id]);
        connect(edit, &QMenu::aboutToShow, this, &CMainFrame::updateEditActions);
    }
    if (menuId != MenuIds::NoDocument) {
        QMenu* data = menuBar()->addMenu(tr("&Data"));
        data->addAction(actions_[NewApplication]);
        data->addAction(actions_[NewPackage]);
    }
    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->addAction(actions_[ViewToolbar]);
    view->addAction(actions_[ViewStatusBar]);
    view->addAction(problems_->toggleViewAction());
    if (menuId == MenuIds::Configuration)
        view->addAction(actions_[ViewWeekSchedule]);
    if (menuId != MenuIds::NoDocument) {
        QMenu* window = menuBar()->addMenu(tr("&Window"));
        for (int id : {WindowNew, WindowCascade, WindowTile, WindowArrange})
            window->addAction(actions_[id]);
        window->setObjectName(QStringLiteral("windowMenu"));
        connect(window, &QMenu::aboutToShow, this, [this, window] { listWindows(window); });
    }
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(actions_[HelpFinder]);
    help->addSeparator();
    help->addAction(actions_[AppAbout]);
}

void CMainFrame::addFileMenu(int menuId) {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(actions_[FileNew]);
    file->addAction(actions_[FileOpen]);
    if (menuId != MenuIds::NoDocument) {
        file->addAction(actions_[FileClose]);
        file->addAction(actions_[FileSave]);
        file->addAction(actions_[FileSaveAs]);
        file->addAction(actions_[FileReload]);
        file->addSeparator();
        file->addAction(actions_[FileCompareSaved]);
        file->addAction(actions_[FileCompareWith]);
    }
    file->addSeparator();
    addRecentFiles(file);
    file->addSeparator();
    file->addAction(actions_[AppExit]);
}

void CMainFrame::addRecentFiles(QMenu* menu) {
    const QStringList files = manager_ != nullptr ? manager_->recentFiles() : QStringList();
    for (int i = 0; i < DocumentManager::kRecentFiles; ++i) {
        QAction* a = actions_[FileMru1 + i];
        a->setVisible(i < files.size());
        if (i < files.size()) {
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(LocalPath::displayName(files[i])));
            menu->addAction(a);
        }
    }
    if (files.isEmpty()) {
        QAction* none = menu->addAction(tr("Recent File"));
        none->setEnabled(false);
    }
}

void CMainFrame::updateMenus() {
    ChildFrame* frame = manager_ != nullptr ? manager_->activeFrame() : nullptr;
    const int menuId =
        frame != nullptr ? frame->document().docTemplate().resourceId() : MenuIds::NoDocument;
    buildMenuBar(menuId);
    QUndoStack* stack = frame != nullptr ? &frame->document().undoStack() : nullptr;
    if (stack != nullptr)
        undoGroup_.addStack(stack);
    undoGroup_.setActiveStack(stack);
    const bool hasDocument = frame != nullptr;
    problems_->setDocument(hasDocument ? &frame->document() : nullptr);
    for (int id : {FileClose, FileCompareWith, WindowNew, WindowCascade, WindowTile, WindowArrange,
                   NextPane, PrevPane})
        actions_[id]->setEnabled(hasDocument);
    // A document that can never be saved offers no save at all.
    const bool saves = hasDocument && !frame->document().readOnlyReason();
    for (int id : {FileSave, FileSaveAs})
        actions_[id]->setEnabled(saves);
    const CommandTarget* target = activeTarget();
    for (int id : {NewApplication, NewPackage})
        actions_[id]->setEnabled(target != nullptr && target->addsRecords());
    if (auto* content = frame != nullptr ? qobject_cast<TreeListFrame*>(frame->widget()) : nullptr)
        connect(content, &TreeListFrame::editStateChanged, this, &CMainFrame::updateEditActions,
                Qt::UniqueConnection);
    updateEditActions();
    updateTitle();
}

void CMainFrame::updateTitle() {
    ChildFrame* frame = manager_ != nullptr ? manager_->activeFrame() : nullptr;
    Document* document = frame != nullptr ? &frame->document() : nullptr;
    // A maximised window puts its own title in brackets after ours.
    const bool bracketed = frame != nullptr && frame->isMaximized();
    setWindowTitle(document != nullptr && !bracketed
                       ? tr("Pallworth - %1[*]").arg(document->title()) + document->titleMark()
                       : tr("Pallworth"));
    setWindowModified(document != nullptr && document->isModified());
    const auto readOnly = document != nullptr ? document->readOnlyReason() : std::nullopt;
    readOnly_->setVisible(readOnly.has_value());
    if (readOnly)
        readOnly_->setText(readOnly->status);
    // Save As gives a new document its file.
    for (int id : {FileReload, FileCompareSaved})
        actions_[id]->setEnabled(document != nullptr && !document->filePath().isEmpty());
}

void CMainFrame::listWindows(QMenu* menu) {
    for (QAction* a : menu->actions())
        if (a->property("windowEntry").toBool())
            delete a;
    const QList<QMdiSubWindow*> windows = area_->subWindowList();
    if (windows.isEmpty())
        return;
    menu->addSeparator()->setProperty("windowEntry", true);
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        QString title = window->windowTitle();
        title.replace(QStringLiteral("[*]"),
                      window->isWindowModified() ? QStringLiteral("*") : QString());
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(title));
        a->setProperty("windowEntry", true);
        a->setCheckable(true);
        a->setChecked(window == area_->activeSubWindow());
        connect(a, &QAction::triggered, this,
                [this, window] { area_->setActiveSubWindow(window); });
    }
}

Document* CMainFrame::activeDocument() const {
    return manager_ != nullptr ? manager_->activeDocument() : nullptr;
}

CommandTarget* CMainFrame::activeTarget() const {
    ChildFrame* frame = manager_ != nullptr ? manager_->activeFrame() : nullptr;
    return frame != nullptr ? dynamic_cast<CommandTarget*>(frame->widget()) : nullptr;
}

void CMainFrame::fileNew() {
    if (manager_ != nullptr)
        manager_->fileNew();
}

void CMainFrame::fileOpen() {
    if (manager_ != nullptr)
        manager_->fileOpen();
}

void CMainFrame::fileClose() {
    if (Document* document = activeDocument())
        manager_->closeDocument(*document);
}

void CMainFrame::fileSave() {
    if (Document* document = activeDocument())
        manager_->save(*document);
}

void CMainFrame::fileSaveAs() {
    if (Document* document = activeDocument())
        manager_->saveAs(*document);
}

void CMainFrame::fileReload() {
    if (Document* document = activeDocument())
        manager_->reload(*document);
}

void CMainFrame::compareWithSaved() {
    auto* document = qobject_cast<TreeListDocument*>(activeDocument());
    if (document != nullptr && !document->filePath().isEmpty())
        CompareWindow::open(*document, document->filePath(), CompareWindow::DocumentSide::New,
                            this);
}

void CMainFrame::compareWith() {
    auto* document = qobject_cast<TreeListDocument*>(activeDocument());
    if (document == nullptr)
        return;
    const bool config = qobject_cast<CPallworthDoc*>(document) != nullptr;
    const QString path =
        ModalSeam::openFileName(this, tr("Compare With"),
                                config ? tr("Configurations (*.cfg *.CFG);;All files (*)")
                                       : tr("Task files (*.ini *.INI);;All files (*)"));
    if (!path.isEmpty())
        CompareWindow::open(*document, path, CompareWindow::DocumentSide::Old, this);
}

void CMainFrame::weekSchedule() {
    if (auto* document = qobject_cast<CPallworthDoc*>(activeDocument()))
        WeekScheduleWindow::showFor(*document, this);
}

void CMainFrame::newWindow() {
    if (Document* document = activeDocument())
        manager_->newWindow(*document);
}

void CMainFrame::newApplication() {
    if (CommandTarget* target = activeTarget(); target != nullptr && target->addsRecords())
        target->newApplication();
}

void CMainFrame::newPackage() {
    if (CommandTarget* target = activeTarget(); target != nullptr && target->addsRecords())
        target->newPackage();
}

void CMainFrame::nextPane() {
    if (CommandTarget* target = activeTarget())
        target->nextPane();
}

void CMainFrame::previousPane() {
    if (CommandTarget* target = activeTarget())
        target->previousPane();
}

void CMainFrame::cascade() {
    area_->cascadeSubWindows();
    // The cascade gives each window the size it would like, which may run
    // past the area and take the close button with it: each is cut to the
    // room right of and below its corner, and moved back where it cannot be.
    const QRect room = area_->viewport()->rect();
    for (QMdiSubWindow* window : area_->subWindowList()) {
        if (window->isMinimized() || window->isMaximized())
            continue;
        const QSize least =
            window->minimumSize().expandedTo(window->minimumSizeHint()).boundedTo(room.size());
        QRect place = window->geometry();
        place.setWidth(
            std::max(least.width(), std::min(place.width(), room.right() + 1 - place.x())));
        place.setHeight(
            std::max(least.height(), std::min(place.height(), room.bottom() + 1 - place.y())));
        place.moveLeft(
            std::max(room.left(), std::min(place.x(), room.right() + 1 - place.width())));
        place.moveTop(
            std::max(room.top(), std::min(place.y(), room.bottom() + 1 - place.height())));
        window->setGeometry(place);
    }
}

void CMainFrame::arrangeIcons() {
    // Minimised windows line up along the bottom edge.
    int x = 0;
    for (QMdiSubWindow* window : area_->subWindowList()) {
        if (!window->isMinimized())
            continue;
        window->move(x, area_->viewport()->height() - window->height());
        x += window->width();
    }
}

void CMainFrame::openRecentFile(int index) {
    if (manager_ != nullptr)
        manager_->openRecentFile(index);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (manager_ != nullptr && !manager_->closeAll()) {
        event->ignore();
        return;
    }
    AppSettings::saveGeometry(*this, kGeometryKey);
    event->accept();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // A lock key or a return from another application may have changed the
    // state; it is read again rather than toggled, so it cannot drift.
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (std::find(std::begin(kLockKeys), std::end(kLockKeys), key) != std::end(kLockKeys))
            updateLockKeys();
    } else if (type == QEvent::ApplicationActivate) {
        updateLockKeys();
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (manager_ != nullptr && !LocalPath::filesOf(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList files = LocalPath::filesOf(*event->mimeData());
    if (manager_ == nullptr || files.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop has returned: a message about a file must not keep
    // the file manager waiting for the end of its drag.
    QMetaObject::invokeMethod(
        this,
        [manager = QPointer<DocumentManager>(manager_), files] {
            for (const QString& file : files)
                if (manager != nullptr)
                    manager->openFile(file);
        },
        Qt::QueuedConnection);
}

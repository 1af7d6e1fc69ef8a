#pragma once

#include "LockKeys.h"

#include <QHash>
#include <QMainWindow>
#include <QUndoGroup>
#include <functional>

class CommandTarget;
class Document;
class DocumentManager;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class ProblemsPanel;

// The main window: the multiple-document area, the menu bar of the active
// document kind (menu 128 while none is open), the toolbar and the status
// bar with the lock-key indicators. Files dropped on it open as File Open
// opens them. Every command is a named action connected to a slot; the
// action carries its command id as a property.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    QMdiArea* mdiArea() const { return area_; }
    void setDocumentManager(DocumentManager* manager);

    // The action of a command id, whatever menu is shown.
    QAction* action(int id) const { return actions_.value(id); }
    QUndoGroup& undoGroup() { return undoGroup_; }
    int menuId() const { return menuId_; }
    QLabel* indicator(int index) const { return indicators_[index]; }
    QLabel* readOnlyIndicator() const { return readOnly_; }
    ProblemsPanel* problemsPanel() const { return problems_; }
    // Where the indicators learn the lock keys' state; LockKeys::read unless
    // replaced.
    using LockKeyReader = std::function<std::optional<LockKeys::State>()>;
    void setLockKeyReader(LockKeyReader reader);

    // Shows the menu of the active window's kind and enables the commands
    // that apply.
    void updateMenus();

signals:
    void aboutRequested();
    void helpRequested();

private slots:
    void fileNew();
    void fileOpen();
    void fileClose();
    void fileSave();
    void fileSaveAs();
    void fileReload();
    void compareWithSaved();
    void compareWith();
    void newWindow();
    void newApplication();
    void newPackage();
    void nextPane();
    void previousPane();
    // Window > Cascade with every window, its title bar and buttons inside
    // the area.
    void cascade();
    void arrangeIcons();
    void weekSchedule();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    template <typename Slot>
    QAction* makeAction(int id, const char* name, const QString& text, Slot slot,
                        const QKeySequence& shortcut = {});
    // At most four fifths of the screen, centred, when no geometry is kept.
    void fitToScreen();
    void createActions();
    void createFileActions();
    void createWindowActions();
    // Undo and Redo of the active document, named after its next command.
    void createEditActions();
    void addEditAction(QAction* action, int id, const char* name, const char* icon,
                       const QList<QKeySequence>& shortcuts);
    // Cut, Copy, Paste and Duplicate go to the active window's content.
    void createClipboardActions();
    void runEdit(int id);
    // Greys the clipboard commands the active window cannot do now.
    void updateEditActions();
    void buildMenuBar(int menuId);
    void addFileMenu(int menuId);
    void addRecentFiles(QMenu* menu);
    void createToolBar();
    void createStatusBar();
    // Shows the lock keys' state, or hides the indicators when it is unknown.
    void updateLockKeys();
    void openRecentFile(int index);
    void updateTitle();
    Document* activeDocument() const;
    CommandTarget* activeTarget() const;
    // The open windows at the end of the Window menu, the active one checked.
    void listWindows(QMenu* menu);

    QMdiArea* area_;
    DocumentManager* manager_ = nullptr;
    QHash<int, QAction*> actions_;
    QToolBar* toolBar_ = nullptr;
    QLabel* indicators_[3] = {};
    LockKeyReader lockKeys_ = LockKeys::read;
    QLabel* readOnly_ = nullptr;
    ProblemsPanel* problems_ = nullptr;
    int menuId_ = 0;
    QUndoGroup undoGroup_;
};

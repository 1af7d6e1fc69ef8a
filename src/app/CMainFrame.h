#pragma once

#include <QHash>
#include <QMainWindow>

class DocumentManager;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;

// The main window: the multiple-document area, the menu bar of the active
// document kind (menu 128 while none is open), the toolbar and the status
// bar with the lock-key indicators. Files dropped on it open as File Open
// opens them.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(QWidget* parent = nullptr);

    QMdiArea* mdiArea() const { return area_; }
    void setDocumentManager(DocumentManager* manager);

    // The action of a command id, whatever menu is shown.
    QAction* action(int id) const { return actions_.value(id); }
    int menuId() const { return menuId_; }
    QLabel* indicator(int index) const { return indicators_[index]; }
    QLabel* readOnlyIndicator() const { return readOnly_; }

    void runCommand(int id);
    // Shows the menu of the active window's kind and enables the commands
    // that apply.
    void updateMenus();

signals:
    void aboutRequested();
    void helpRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createActions();
    QAction* makeAction(int id, const QString& text, const QKeySequence& shortcut = {});
    void buildMenuBar(int menuId);
    void addFileMenu(int menuId);
    void addRecentFiles(QMenu* menu);
    void createToolBar();
    void createStatusBar();
    void runWindowCommand(int id);
    void openRecentFile(int index);
    void arrangeIcons();
    void updateTitle();
    // The open windows at the end of the Window menu, the active one checked.
    void listWindows(QMenu* menu);

    QMdiArea* area_;
    DocumentManager* manager_ = nullptr;
    QHash<int, QAction*> actions_;
    QToolBar* toolBar_ = nullptr;
    QLabel* indicators_[3] = {};
    QLabel* readOnly_ = nullptr;
    int menuId_ = 0;
};

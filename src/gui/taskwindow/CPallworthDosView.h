#pragma once

#include "dialogs/PropertyRowEditor.h"
#include "framework/Catalogue.h"
#include "framework/CommandTarget.h"
#include "framework/ReportList.h"

#include "text/EntryList.h"

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CPallworthDoc2;
class PathBrowser;
class QUndoCommand;

// The right pane of a task-file window: the four settings or the tasks, as
// the tree's node asks. Rows are edited in place; tasks are also inserted,
// deleted, reordered by dragging, copied, cut and pasted. Edit, Insert,
// Delete and a drop mark the document modified before they do anything else;
// the clipboard commands only by what they change, so a copy or a refused
// paste leaves it as it was.
class CPallworthDosView : public ReportList {
    Q_OBJECT

public:
    static constexpr int kPopupMenu = 159;
    static constexpr int kMinColumnWidth = 150;
    static constexpr int kColumnMargin = 50;

    // The browser serves the Browse buttons of the task dialog.
    CPallworthDosView(CPallworthDoc2& document, const PathBrowser* browser,
                      QWidget* parent = nullptr);

    CPallworthDoc2& document() const { return document_; }

    // Full-row selection; enters the list into the document.
    void OnInitialUpdate() override;
    // Fills the list for the tree node `item`, which shows `kind`.
    void ShowNode(DetailKind kind, QTreeWidgetItem* item);

    DetailKind shownDetail() const { return shownDetail_; }
    // The image index of the node shown.
    int shownImage() const;
    QTreeWidgetItem* shownItem() const { return shownItem_; }
    bool showsTasks() const;

    void Edit();
    // Puts a new task after the selected one, or at the end when no row is
    // selected; the model and the rows keep the same order.
    void Insert();
    // Deletes the selected tasks, several as one undo step.
    void Delete();
    // The end of a drag of row `dragRow`: the task moves to `dropRow` (past
    // the last row means the end; nothing means it stays) and the list is
    // filled again.
    void DropTask(int dragRow, std::optional<int> dropRow);

    // Cut, Copy and Paste of the Edit menu, on the selected tasks: a paste
    // goes after the last selected row, or at the end when none is. Cut and
    // Paste are one undo step each and leave a read-only document alone;
    // Duplicate has no meaning for tasks.
    bool canEdit(CommandTarget::Edit edit) const;
    void edit(CommandTarget::Edit edit);
    void Copy();
    void Cut();
    void Paste();

    // Popup menu 159 ("Insert", "Delete", then "Cut", "Copy", "Paste") while
    // the list shows the tasks; nullptr otherwise.
    std::unique_ptr<QMenu> popupMenu() override;
    // Wide enough for the task columns at their narrowest, so that a new
    // window shows all five where there is room.
    QSize sizeHint() const override;

protected:
    void editSelectedRow() override { Edit(); }
    // Only tasks are reordered.
    bool canDragRows() const override { return showsTasks(); }
    void dropRow(int dragRow, std::optional<int> dropRow) override { DropTask(dragRow, dropRow); }

private:
    void fillSettings();
    void fillTasks();
    void sizeColumns();
    void refill();
    void setTaskCells(QTreeWidgetItem& row, const std::string& task) const;
    void editTask(int row);
    void editSetting(int row);
    void setHeaders(DetailKind kind);
    void push(QUndoCommand* command);
    // The tasks, and one task, as the undo commands find them again.
    std::function<EntryList<std::string>*()> taskList() const;
    std::function<std::string*()> taskAt(int index) const;
    void changed();
    // Takes out tasks `tasks` (1-based, ascending) as one undo step.
    void removeTasks(const std::vector<int>& tasks, const QString& text);
    void onContentChanged(QObject* origin);

    CPallworthDoc2& document_;
    const PathBrowser* browser_;
    // Edits the settings and pushes every change.
    PropertyRowEditor rowEditor_;
    DetailKind shownDetail_ = DetailKind::None;
    QTreeWidgetItem* shownItem_ = nullptr;
};

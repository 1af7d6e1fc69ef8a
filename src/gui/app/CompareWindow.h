#pragma once

#include "config/ConfigModel.h"
#include "taskfile/TaskFileModel.h"
#include "text/Difference.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

class DifferenceCopy;
class QAction;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TreeListDocument;

// The differences between a document and a file of its kind, in a tree
// grouped by record: what the document changed since it was saved, or how
// it differs from another file. Double-click or Enter selects a difference's
// node and row in the document's window; "Copy to this document" makes the
// difference the other file's way, as one undoable change (see
// DifferenceCopy). The list follows every change of the document.
class CompareWindow : public QMainWindow {
    Q_OBJECT

public:
    // The file's model; the document side says whether the document is the
    // newer of the two (against its saved file) or the older (against
    // another file).
    using Other = std::variant<ConfigModel, TaskFileModel>;
    enum class DocumentSide { Old, New };

    // Reads `path` (bytes, as LocalPath holds them) and shows its
    // differences with `document`; nullptr after telling why it cannot.
    static CompareWindow* open(TreeListDocument& document, const QString& path, DocumentSide side,
                               QWidget* parent);

    QTreeWidget* tree() const { return tree_; }
    QPushButton* copyButton() const { return copy_; }
    const std::vector<Difference>& differences() const { return differences_; }

private:
    CompareWindow(TreeListDocument& document, Other other, const QString& path, DocumentSide side,
                  QWidget* parent);

    // The model of the file at `path`, or why there is none.
    static std::optional<QString> read(const QString& path, bool config, Other& other);
    void refresh();
    void fill();
    const Difference* current() const;
    void activate(QTreeWidgetItem* item);
    void updateButton();
    void copyToDocument();
    DifferenceCopy copier() const;

    QPointer<TreeListDocument> document_;
    Other other_;
    DocumentSide side_;
    std::vector<Difference> differences_;
    QTreeWidget* tree_;
    QPushButton* copy_;
    QAction* copyAction_;
    QLabel* summary_;
};

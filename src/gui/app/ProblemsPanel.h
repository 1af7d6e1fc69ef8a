#pragma once

#include "text/Problem.h"

#include <QDockWidget>
#include <QPointer>
#include <vector>

class Document;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class TreeListDocument;

// The Problems dock: every problem of the active document's whole file, with
// its severity, message and place, re-checked as the document changes. A
// double-click or Enter on a problem selects its node in the tree and its row
// in the list; the status bar label counts errors and warnings.
class ProblemsPanel : public QDockWidget {
    Q_OBJECT

public:
    explicit ProblemsPanel(QWidget* parent = nullptr);

    // Follows `document` (nullptr: none); the first time a document with
    // errors is shown, the panel opens.
    void setDocument(Document* document);
    QTreeWidget* list() const { return list_; }
    // "2 errors, 5 warnings"; empty without a document.
    QLabel* countLabel() const { return count_; }
    const std::vector<Problem>& problems() const { return problems_; }
    // Checks the document again at once.
    void recheck();

private:
    void scheduleRecheck();
    void fill();
    void activate(QTreeWidgetItem* item);

    QTreeWidget* list_;
    QLabel* count_;
    QPointer<TreeListDocument> document_;
    std::vector<Problem> problems_;
    bool pending_ = false;
    // The list shows problems_ of the document followed.
    bool filled_ = false;
};

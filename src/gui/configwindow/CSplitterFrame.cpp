#include "CSplitterFrame.h"

#include "CPallworthDoc.h"
#include "ClipEditor.h"
#include "TreeFilter.h"

#include <QUndoStack>

#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>

CSplitterFrame::CSplitterFrame(CPallworthDoc& document, const PathBrowser* browser, QWidget* parent)
    : TreeListFrameOf(document, QStringLiteral("splitterFrame"), parent, browser) {
    addFilter();
    // An undo or redo changes what is selected and what may be pasted.
    connect(&document.undoStack(), &QUndoStack::indexChanged, this,
            &TreeListFrame::editStateChanged);
}

void CSplitterFrame::addFilter() {
    // The filter box sits above the tree, in the tree's pane.
    auto* pane = new QWidget;
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    filter_ = new TreeFilter(*treeView(), pane);
    layout->addWidget(filter_);
    splitter()->insertWidget(0, pane);
    layout->addWidget(treeView());
    splitter()->setStretchFactor(0, 0);
    splitter()->setStretchFactor(1, 1);
    splitter()->setSizes({kTreeWidth, 1});
    auto* find =
        new QShortcut(QKeySequence::Find, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(find, &QShortcut::activated, this, [this] {
        filter_->setFocus(Qt::ShortcutFocusReason);
        filter_->selectAll();
    });
}

bool CSplitterFrame::addsRecords() const {
    return !treeView()->document().readOnly();
}

void CSplitterFrame::newApplication() {
    treeView()->NewApplication();
}

void CSplitterFrame::newPackage() {
    treeView()->NewPackage();
}

namespace {
ClipEditor::Pane paneOf(const CSyncView* list) {
    return list->hasFocus() ? ClipEditor::Pane::List : ClipEditor::Pane::Tree;
}
} // namespace

bool CSplitterFrame::canEdit(Edit edit) const {
    return treeView()->clipEditor().can(edit, paneOf(listView()));
}

void CSplitterFrame::edit(Edit edit) {
    treeView()->clipEditor().run(edit, paneOf(listView()));
    emit editStateChanged();
}

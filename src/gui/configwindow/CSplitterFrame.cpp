#include "CSplitterFrame.h"

#include "CPallworthDoc.h"

CSplitterFrame::CSplitterFrame(CPallworthDoc& document, const PathBrowser* browser, QWidget* parent)
    : TreeListFrameOf(document, QStringLiteral("splitterFrame"), parent, browser) {}

bool CSplitterFrame::addsRecords() const {
    return !treeView()->document().readOnly();
}

void CSplitterFrame::newApplication() {
    treeView()->NewApplication();
}

void CSplitterFrame::newPackage() {
    treeView()->NewPackage();
}

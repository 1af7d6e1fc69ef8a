#include "CSplitterFrame.h"

#include "CPallworthDoc.h"

CSplitterFrame::CSplitterFrame(CPallworthDoc& document, const PathBrowser* browser, QWidget* parent)
    : TreeListFrameOf(document, QStringLiteral("splitterFrame"), parent, browser) {}

void CSplitterFrame::newApplication() {
    treeView()->NewApplication();
}

void CSplitterFrame::newPackage() {
    treeView()->NewPackage();
}

#include "CSplitterFrame.h"

#include "config/CPallworthDoc.h"

CSplitterFrame::CSplitterFrame(CPallworthDoc& document, QWidget* parent)
    : TreeListFrameOf(document, QStringLiteral("splitterFrame"), parent) {}

void CSplitterFrame::newApplication() {
    treeView()->NewApplication();
}

void CSplitterFrame::newPackage() {
    treeView()->NewPackage();
}

#include "CSplitterFrameDos.h"

#include "CPallworthDoc2.h"

CSplitterFrameDos::CSplitterFrameDos(CPallworthDoc2& document, const PathBrowser* browser,
                                     QWidget* parent)
    : TreeListFrameOf(document, QStringLiteral("splitterFrameDos"), parent, browser) {}

bool CSplitterFrameDos::canEdit(Edit edit) const {
    return listView()->canEdit(edit);
}

void CSplitterFrameDos::edit(Edit edit) {
    listView()->edit(edit);
}

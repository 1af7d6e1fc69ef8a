#include "CSplitterFrameDos.h"

#include "CPallworthDoc2.h"

CSplitterFrameDos::CSplitterFrameDos(CPallworthDoc2& document, const PathBrowser* browser,
                                     QWidget* parent)
    : TreeListFrameOf(document, QStringLiteral("splitterFrameDos"), parent, browser) {}

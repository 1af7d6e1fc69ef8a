#include "TaskDocumentKind.h"

#include "CPallworthDoc2.h"
#include "CSplitterFrameDos.h"

std::unique_ptr<DocTemplate> TaskDocumentKind::makeTemplate(const PathBrowser* browser) {
    return std::make_unique<DocTemplate>(
        kResourceId,
        QStringLiteral("\nQuorrel\nQuorrel\nQuorrel Files (*.ini)\n.ini\nPallworth.Document\n"
                       "Pallworth Document"),
        [](DocTemplate& t) { return std::make_unique<CPallworthDoc2>(t); },
        [browser](Document& d) -> QWidget* {
            return new CSplitterFrameDos(static_cast<CPallworthDoc2&>(d), browser);
        },
        false);
}

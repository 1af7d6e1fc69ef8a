#include "ConfigDocumentKind.h"

#include "CPallworthDoc.h"
#include "CSplitterFrame.h"

std::unique_ptr<DocTemplate> ConfigDocumentKind::makeTemplate(const PathBrowser* browser) {
    return std::make_unique<DocTemplate>(
        kResourceId,
        QStringLiteral(
            "\nSync\nSync\nSync Files (*.cfg)\n.cfg\nPallworth.Document\nPallworth Document"),
        [](DocTemplate& t) { return std::make_unique<CPallworthDoc>(t); },
        [browser](Document& d) -> QWidget* {
            return new CSplitterFrame(static_cast<CPallworthDoc&>(d), browser);
        },
        true);
}

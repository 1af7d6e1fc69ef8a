#include "DocTemplate.h"

#include "Document.h"

#include <utility>

DocTemplate::DocTemplate(int resourceId, const QString& docString, DocumentFactory makeDocument,
                         FrameFactory makeFrame, bool openMaximized)
    : resourceId_(resourceId), fields_(docString.split(QLatin1Char('\n'))),
      makeDocument_(std::move(makeDocument)), makeFrame_(std::move(makeFrame)),
      openMaximized_(openMaximized) {}

bool DocTemplate::matchesFile(const QString& path) const {
    const QString ext = field(FilterExt);
    return !ext.isEmpty() && path.endsWith(ext, Qt::CaseInsensitive);
}

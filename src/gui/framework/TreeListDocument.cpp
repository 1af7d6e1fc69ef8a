#include "TreeListDocument.h"

void TreeListDocument::ContentChanged(QObject* origin) {
    emit contentChanged(origin);
}

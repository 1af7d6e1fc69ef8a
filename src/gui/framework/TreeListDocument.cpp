#include "TreeListDocument.h"

void TreeListDocument::ContentChanged(QObject* origin) {
    emit contentChanged(origin);
}

void TreeListDocument::Replayed(DetailKind node, RecordId record) {
    emit contentChanged(nullptr);
    emit placeReplayed(node, record);
}

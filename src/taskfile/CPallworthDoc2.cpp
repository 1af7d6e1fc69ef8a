#include "CPallworthDoc2.h"

#include "taskfile/TaskFileFormat.h"

CPallworthDoc2::CPallworthDoc2(DocTemplate& docTemplate) : Document(docTemplate) {
    model_.resetToNew();
}

void CPallworthDoc2::onNewDocument() {
    model_.resetToNew();
}

ReadStatus CPallworthDoc2::readBytes(std::string_view bytes, ReadReport::Mode mode) {
    return TaskFileFormat::read(bytes, model_, mode);
}

QString CPallworthDoc2::kindName() const {
    return tr("task file");
}

std::string CPallworthDoc2::writeBytes() {
    return TaskFileFormat::write(model_);
}

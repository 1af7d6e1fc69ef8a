#include "CPallworthDoc2.h"

#include "taskfile/TaskFileFormat.h"

ReadStatus CPallworthDoc2::readBytes(std::string_view bytes, ReadReport::Mode mode) {
    return TaskFileFormat::read(bytes, model_, mode);
}

QString CPallworthDoc2::kindName() const {
    return tr("task file");
}

void CPallworthDoc2::renumberLines(std::string_view bytes) {
    // The written bytes read back as the model: only the lines are taken.
    TaskFileModel written;
    TaskFileFormat::read(bytes, written, ReadReport::Mode::CountOnly);
    model_.takeLines(written);
}

std::string CPallworthDoc2::writeBytes() {
    return TaskFileFormat::write(model_);
}

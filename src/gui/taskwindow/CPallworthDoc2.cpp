#include "CPallworthDoc2.h"

#include "taskfile/TaskFileFormat.h"

ReadStatus CPallworthDoc2::readBytes(std::string_view bytes, ReadReport::Mode mode,
                                     Progress* /*progress*/) {
    // A task file holds at most a few hundred KiB: read at once.
    return TaskFileFormat::read(bytes, model_, mode);
}

QString CPallworthDoc2::kindName() const {
    return tr("task file");
}

std::string CPallworthDoc2::writeBytes() {
    return TaskFileFormat::write(model_);
}

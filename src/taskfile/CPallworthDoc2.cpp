#include "CPallworthDoc2.h"

#include "taskfile/TaskFileFormat.h"

ReadStatus CPallworthDoc2::readBytes(std::string_view bytes) {
    return TaskFileFormat::read(bytes, model_);
}

std::string CPallworthDoc2::writeBytes() {
    return TaskFileFormat::write(model_);
}

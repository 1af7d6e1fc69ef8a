#include "CPallworthDoc2.h"

#include "taskfile/TaskFileFormat.h"

#include <memory>

ReadStatus CPallworthDoc2::readBytes(std::string_view bytes, ReadReport::Mode mode,
                                     Progress* /*progress*/) {
    // A task file holds at most a few hundred KiB: read at once.
    return TaskFileFormat::read(bytes, model_, mode);
}

QString CPallworthDoc2::kindName() const {
    return tr("task file");
}

Document::LineUpdate CPallworthDoc2::linesOfWritten(std::string_view bytes) {
    // The written bytes read back as a model: only its lines are taken, and
    // the kept lines it notes, at their new places.
    auto written = std::make_shared<TaskFileModel>();
    auto report = std::make_shared<ReadReport>(TaskFileFormat::read(bytes, *written).report);
    return [this, written, report] {
        model_.takeLines(*written);
        setUnkeptReport(*report);
    };
}

std::string CPallworthDoc2::writeBytes() {
    return TaskFileFormat::write(model_);
}

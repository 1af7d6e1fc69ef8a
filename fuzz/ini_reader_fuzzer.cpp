// Reads arbitrary bytes as a .ini task file, writes the model and reads the
// output again: a task file has no quoting and no word that depends on
// another, so the second model must equal the first and write the same bytes.
// The reader's report must hold too, and the lines it kept come back once each.
#include "ReportInvariants.h"
#include "taskfile/TaskFileChecks.h"
#include "taskfile/TaskFileFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    TaskFileModel first;
    const ReadStatus read = TaskFileFormat::read(bytes, first);
    if (!read.ok)
        return 0; // more tasks than a task file holds
    TaskFileModel counted;
    const std::string problem = ReportInvariants::problem(
        read.report, TaskFileFormat::read(bytes, counted, ReadReport::Mode::CountOnly).report,
        bytes);
    if (!problem.empty()) {
        std::fprintf(stderr, "ini read report: %s\n", problem.c_str());
        std::abort();
    }
    const std::string lines =
        ReportInvariants::problemLines(TaskFileChecks::run(first, &read.report), bytes);
    if (!lines.empty()) {
        std::fprintf(stderr, "ini whole-file check: %s\n", lines.c_str());
        std::abort();
    }
    TaskFileModel reread;
    const std::string written = TaskFileFormat::write(first);
    const ReadStatus status = TaskFileFormat::read(written, reread);
    // The kept lines are content: equal models hold the same runs, and as
    // many lines are kept again.
    if (!status.ok || !(reread == first) || TaskFileFormat::write(reread) != written ||
        status.report.keptLines() != read.report.keptLines()) {
        std::fprintf(stderr, "ini round trip: %s\n",
                     status.ok ? "the reread model or its bytes differ" : status.error.c_str());
        std::abort();
    }
    return 0;
}

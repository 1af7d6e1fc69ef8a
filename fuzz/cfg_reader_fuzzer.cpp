// Reads arbitrary bytes as a .cfg file, writes the model and reads the output
// again: nothing may crash, the output must read back to the same model and
// write the same bytes again, unless the whole-file check warned that a value
// would not read back; then a further save must change nothing. The reader's
// report must hold too, reading and writing in pieces must give what reading
// and writing whole give, and the whole-file check must place every problem
// at a line of the file. The lines the reader kept come out once each, every
// run whole before its anchor, and read back to the same runs.
#include "ConfigRoundTrip.h"
#include "ReportInvariants.h"
#include "config/ConfigChecks.h"
#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "config/ReadBackChecks.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

[[noreturn]] void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "cfg round trip: %s: %s\n", what, detail.c_str());
    std::abort();
}

// Read a line at a time, the file gives the same model and report; written
// a package at a time, the same bytes.
void checkPieces(std::string_view bytes, const ConfigModel& whole, const ReadReport& report,
                 const std::string& written) {
    static const OemCodePage oem(437);
    ConfigModel byLines;
    ConfigReader reader(oem);
    reader.begin(byLines);
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size() - 1) + 1;
        reader.readLines(bytes.substr(at, end - at));
        at = end;
    }
    const ReadStatus status = reader.finish();
    if (!status.ok || !(byLines == whole) || !(status.report == report))
        fail("reading line by line gives another model or report", status.error);
    std::string sunk;
    const auto sink = [&sunk](std::string_view piece) {
        sunk.append(piece);
        return true;
    };
    if (!ConfigWriter(oem).write(whole, sink, 1) || sunk != written)
        fail("writing in pieces gives other bytes", std::to_string(sunk.size()));
}

// Every run of kept lines the model holds, records' and entries'.
std::vector<std::string_view> keptRuns(const ConfigModel& model) {
    std::vector<std::string_view> runs;
    const auto add = [&runs](const KeptLines& kept) {
        for (const auto& run : kept.runs())
            runs.push_back(run.second);
    };
    const auto addEntries = [&runs](const auto& list) {
        for (int i = 1; i <= list.count(); ++i)
            if (!list.kept(i).empty())
                runs.push_back(list.kept(i));
    };
    add(model.global.kept);
    for (const PackageDesc& p : model.packages) {
        add(p.kept);
        addEntries(p.targets);
        addEntries(p.excludes);
        addEntries(p.dirJobs);
        addEntries(p.fileJobs);
    }
    for (const ApplicationDesc& a : model.applications)
        add(a.kept);
    return runs;
}

// The kept lines the report counts are those the model holds, each run ends
// its lines as the writer does and stands whole in the written file.
void checkKept(const ConfigModel& model, const ReadReport& report, std::string_view written) {
    int lines = 0;
    for (const std::string_view run : keptRuns(model)) {
        if (run.empty() || !run.ends_with("\r\n"))
            fail("a kept run is empty or ends without CR LF", std::string(run));
        if (written.find(run) == std::string_view::npos)
            fail("a kept run is not written whole", std::string(run));
        lines += KeptLines::lineCount(run);
    }
    if (lines != report.keptLines())
        fail("kept lines the report counts otherwise", std::to_string(lines));
}

// The file a model writes reads back to that model and writes the same bytes.
void checkSettles(const ConfigModel& model) {
    static const OemCodePage oem(437);
    const std::string written = ConfigWriter(oem).write(model);
    ConfigModel again;
    const ReadStatus status = ConfigReader(oem).read(written, again);
    if (!status.ok)
        fail("the written file does not read back", {});
    checkKept(again, status.report, written);
    const std::string difference = ConfigRoundTrip::difference(model, again);
    if (!difference.empty())
        fail("the model read again differs in", difference);
    if (ConfigWriter(oem).write(again) != written)
        fail("a second save writes other bytes", std::to_string(written.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const OemCodePage oem(437);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    ConfigModel first;
    const ReadStatus read = ConfigReader(oem).read(bytes, first);
    if (!read.ok)
        return 0; // more than a table holds
    ConfigModel counted;
    const std::string reportProblem = ReportInvariants::problem(
        read.report, ConfigReader(oem).read(bytes, counted, ReadReport::Mode::CountOnly).report,
        bytes);
    if (!reportProblem.empty())
        fail("the read report has", reportProblem);
    const std::string lines =
        ReportInvariants::problemLines(ConfigChecks::run(first, &read.report), bytes);
    if (!lines.empty())
        fail("the whole-file check has a", lines);
    const std::string written = ConfigWriter(oem).write(first);
    checkPieces(bytes, first, read.report, written);
    checkKept(first, read.report, written);

    std::vector<Problem> readBack;
    ReadBackChecks::run(first, readBack);
    if (readBack.empty()) {
        checkSettles(first);
        return 0;
    }
    // Warned about, a value may change once; what the reader made of it
    // must then stay.
    ConfigModel reread;
    const ReadStatus status = ConfigReader(oem).read(written, reread);
    if (!status.ok)
        fail("the written file does not read back", status.error);
    checkSettles(reread);
    return 0;
}

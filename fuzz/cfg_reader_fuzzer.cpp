// Reads arbitrary bytes as a .cfg file, writes the model and reads the output
// again: nothing may crash, the output must read back, and it must keep what
// ConfigRoundTrip says survives a save. The reader's report must hold too.
#include "ConfigRoundTrip.h"
#include "ReportInvariants.h"
#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "cfg round trip: %s: %s\n", what, detail.c_str());
    std::abort();
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
    const std::string written = ConfigWriter(oem).write(first);

    ConfigModel reread;
    const ReadStatus status = ConfigReader(oem).read(written, reread);
    if (!status.ok)
        fail("the written file does not read back", status.error);
    const std::string difference = ConfigRoundTrip::difference(first, reread);
    if (!difference.empty())
        fail("the reread model differs in", difference);
    return 0;
}

#include "ConfigWriter.h"

#include "ConfigComments.h"
#include "ListTable.h"

#include "text/LineTokenizer.h"
#include "text/TextUtil.h"

#include <charconv>
#include <vector>

namespace {

using C = ConfigComments;
constexpr std::string_view kEnd = "\r\n";

std::size_t estimateSize(const ConfigModel& model) {
    std::size_t size = 4096 + 512 * static_cast<std::size_t>(model.applications.count());
    for (const PackageDesc& p : model.packages) {
        size += 3584;
        ListTable::forEach(p, [&](const ListRow&, const auto& list) {
            size += 96 * static_cast<std::size_t>(list.count());
        });
    }
    return size;
}

// A disabled window is written as midnight; a time that still reads as
// disabled is kept as it stands.
std::string_view disabledTime(std::string_view time) {
    return time.find("00:00") != std::string_view::npos ? time : "00:00";
}

} // namespace

std::string ConfigWriter::write(const ConfigModel& model) {
    out_.clear();
    out_.reserve(estimateSize(model));
    sink_ = nullptr;
    writeModel(model);
    return std::move(out_);
}

bool ConfigWriter::write(const ConfigModel& model, const Sink& sink, std::size_t piece,
                         Progress* progress) {
    out_.clear();
    // A package at capacity comes to a few hundred KiB: room for one more.
    out_.reserve(piece + 512 * 1024);
    sink_ = &sink;
    progress_ = progress;
    piece_ = piece;
    sunk_ = true;
    writeModel(model);
    flush(true);
    sink_ = nullptr;
    progress_ = nullptr;
    out_ = std::string();
    return sunk_;
}

void ConfigWriter::writeModel(const ConfigModel& model) {
    writeGlobal(model);
    for (const PackageDesc& p : model.packages) {
        writePackage(p);
        if (!flush())
            return;
    }
    out_ += kEnd;
    for (const ApplicationDesc& app : model.applications) {
        writeApplication(app);
        if (!flush())
            return;
    }
}

bool ConfigWriter::flush(bool last) {
    if (sink_ == nullptr)
        return true;
    if (!last && out_.size() < piece_)
        return sunk_;
    if (sunk_ && !out_.empty())
        sunk_ = (*sink_)(out_) && (progress_ == nullptr || progress_->advance(out_.size()));
    out_.clear();
    return sunk_;
}

void ConfigWriter::writeGlobal(const ConfigModel& model) {
    const GlobalSettings& g = model.global;
    put(C::kHeader, kEnd);
    put("VERSION ", g.version, "\r\n\r\n");
    put(C::k16001);
    line("USER", g.user);
    line("PWD", model.password);
    put(C::k16002);
    line("MAXTHREADS", g.maxThreads);
    put(C::k16003);
    line("NAMESPACE", g.nameSpace);
    put(C::k16004);
    line("RETRYINTERVAL", g.retryInterval);
    line("RETRYCOUNT", g.retryCount);
    put(C::k16005);
    line("TRANSFERIRM", g.transferIrm);
    put(C::k16006);
    line("TRANSFERATTRS", g.transferAttrs);
    put(C::k16024);
    line("TRANSFEROWNER", g.transferOwner);
    put(C::k16025);
    line("TRANSFERTRUSTEE", g.transferTrustee);
    put(C::k16026);
    line("SKIPREADONLY", g.skipReadOnly);
    put(C::k16007);
    line("SYNCMODE", g.syncMode);
    put(C::k16008);
    if (g.jobWindow != "DISABLED") {
        line("STARTJOB", g.startJob);
        line("ENDJOB", g.endJob);
    } else {
        put("STARTJOB ", disabledTime(g.startJob), " \r\n");
        put("ENDJOB ", disabledTime(g.endJob), " \r\n");
    }
    put(C::k16009);
    quotedPathLine("LOGDIR", g.logDir);
    put(C::k16010);
    wordListLines("LOGEVENT", {}, g.logEvent);
    if (g.debug == "YES")
        put("DEBUG\r\n", kEnd);
    put(C::k16013);
    line("LOGSIZE ", g.logSize);
    put(C::k16012);
    line("DBGLOGSIZE ", g.dbgLogSize);
    put(C::k16011);
    line("DISPLAY", g.display);
    put(kEnd, kEnd);
}

void ConfigWriter::writePackage(const PackageDesc& p) {
    put("PACKAGE ", p.name, " \r\n", kEnd);
    wordListLines("  SCHEDULE", p.scheduleWhen, p.scheduleDays);
    put(kEnd);
    if (p.protocol != "(default)") {
        put(C::kProtocol);
        put("  PROTOCOL ", p.protocol, kEnd, kEnd);
    }
    put(C::k16014);
    line("  TRANSFERIRM", p.transferIrm);
    line("  TRANSFERATTRS", p.transferAttrs);
    line("  TRANSFEROWNER", p.transferOwner);
    line("  TRANSFERTRUSTEE", p.transferTrustee);
    line("  SKIPREADONLY", p.skipReadOnly);
    put(kEnd);
    put(C::kPreStat);
    line("  PRESTAT", p.preStat);
    put(kEnd);
    line("  SYNCMODE", p.syncMode);
    wordListLines("  LOGEVENT", {}, p.logEvent);
    put(kEnd);
    put(C::kLogMethod);
    line("  LOGMETHOD", p.logMethod);
    put(kEnd);
    put(C::k16016);
    put("  OFHANDLER ", p.ofHandler, " ");
    if (p.ofHandler != "OFF" && p.ofHandler != "SKIP") {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, p.ofHandlerDelay).ptr;
        out_.append(digits, end);
    }
    put(kEnd, kEnd);
    writeMessagesAndCommandFiles(p);
    put(C::k16018);
    line("  SOURCE", p.source);
    put(kEnd);
    ListTable::forEach(p, [&](const ListRow& row, const auto& list) {
        put(row.comment);
        for (const auto& entry : list) {
            const std::size_t start = out_.size();
            put("  ", row.keyword, " ");
            writeEntry(entry, start);
        }
        put(kEnd);
    });
    put("PACKAGE END\r\n\r\n");
}

void ConfigWriter::writeMessagesAndCommandFiles(const PackageDesc& p) {
    put(C::k16017);
    put("  PREMSG \"", p.preMsg, "\"\r\n");
    put("  POSTMSG \"", p.postMsg, "\"\r\n");
    put("  ERRORMSG \"", p.errorMsg, "\"\r\n");
    put("  SUSPENDMSG \"", p.suspendMsg, "\"\r\n");
    put(kEnd);
    const struct {
        std::string_view comment;
        std::string_view keyword;
        const std::string& path;
    } commandFiles[] = {
        {C::k16027, "  PRENCF SRC", p.preNcfSrc},
        {C::k16027, "  PRENCF DST", p.preNcfDst},
        {C::k16028, "  POSTNCF SRC", p.postNcfSrc},
        {C::k16028, "  POSTNCF DST", p.postNcfDst},
        {C::k16029, "  SUSPENDNCF SRC", p.suspendNcfSrc},
        {C::k16029, "  SUSPENDNCF DST", p.suspendNcfDst},
    };
    for (const auto& file : commandFiles) {
        put(file.comment);
        quotedPathLine(file.keyword, file.path);
        put(kEnd);
    }
}

// A target names a server and volume, not a path: it goes out unconverted.
void ConfigWriter::writeEntry(const TargetServer& t, std::size_t) {
    put(t.server(), " ", t.volume(), " MSG", t.msg(), " ", t.bandwidth());
    if (t.protocol() != "(default)")
        put(" ", t.protocol());
    if (!t.schedule().empty())
        put(" ", t.schedule());
    put(kEnd);
}

// The whole line goes out in the OEM code page, modes included.
void ConfigWriter::writeEntry(const SyncJob& job, std::size_t lineStart) {
    put(job.transferMode(), " ", job.deletions(), " \"", job.sourcePath(), "\" \"",
        job.targetPath(), "\"\r\n");
    convertSince(lineStart);
}

void ConfigWriter::writeEntry(const std::string& path, std::size_t lineStart) {
    put("\"", path, "\"\r\n");
    convertSince(lineStart);
}

void ConfigWriter::writeApplication(const ApplicationDesc& app) {
    put("APPLICATION ", app.name, " \r\n\r\n");
    put(C::k16022);
    line("  APP_SERVER", app.appServer);
    quotedPathLine("  APP_PATH", app.appPath);
    put(kEnd);
    put(C::k16023);
    writeNameList(app.dstPackages, "  DST_PACKAGE");
    writeNameList(app.dstServers, "  DST_SERVER");
    put("\r\nAPPLICATION END\r\n\r\n");
}

void ConfigWriter::writeNameList(std::string_view list, std::string_view keyword) {
    // Every name the reader stored comes out again, empty ones included: the
    // reader's own trailing blank is the only one dropped.
    for (const std::string_view name : TextUtil::pieces(list))
        line(keyword, name);
}

void ConfigWriter::wordListLines(std::string_view keyword, std::optional<std::string_view> lead,
                                 std::string_view list) {
    // The reader takes 50 arguments a line; a longer list goes out over
    // several lines, which the reader joins again.
    const std::size_t perLine = LineTokenizer::kMaxArgs - (lead ? 1 : 0);
    std::vector<std::string_view> words;
    LineTokenizer::split(list, words);
    const auto start = [&] {
        put(keyword, " ");
        if (lead)
            put(*lead, " ");
    };
    // Each word goes out with one blank after it, as the reader stores it,
    // so a list the editor made reads back as it is written.
    for (std::size_t i = 0; i < words.size() || i == 0; i += perLine) {
        start();
        for (std::size_t j = i; j < words.size() && j < i + perLine; ++j)
            put(words[j], " ");
        put(kEnd);
    }
}

void ConfigWriter::line(std::string_view keyword, std::string_view value) {
    put(keyword, " ", value, kEnd);
}

void ConfigWriter::quotedPathLine(std::string_view keyword, std::string_view value) {
    const std::size_t start = out_.size();
    put(keyword, " \"", value, "\"\r\n");
    convertSince(start);
}

void ConfigWriter::convertSince(std::size_t start) {
    oem_.toOemInPlace(out_.data() + start, out_.size() - start);
}

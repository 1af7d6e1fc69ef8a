#include "ConfigWriter.h"

#include "ConfigComments.h"

#include "LineTokenizer.h"
#include "TextUtil.h"

#include <charconv>
#include <vector>

namespace {

using C = ConfigComments;
constexpr std::string_view kEnd = "\r\n";

std::size_t estimateSize(const ConfigModel& model) {
    std::size_t size = 4096 + 512 * static_cast<std::size_t>(model.applications.count());
    for (const PackageDesc& p : model.packages)
        size += 3584 + 96 * static_cast<std::size_t>(p.targets.count() + p.excludes.count() +
                                                     p.dirJobs.count() + p.fileJobs.count());
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
    kept(model.global.kept, KeptLines::kEndOfFile);
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
    using K = GlobalSettings::Key;
    const GlobalSettings& g = model.global;
    const KeptLines& k = g.kept;
    put(C::kHeader, kEnd);
    kept(k, K::Version);
    put("VERSION ", g.version, "\r\n\r\n");
    put(C::k16001);
    kept(k, K::User);
    line("USER", g.user);
    kept(k, K::Password);
    line("PWD", model.password);
    put(C::k16002);
    kept(k, K::MaxThreads);
    line("MAXTHREADS", g.maxThreads);
    put(C::k16003);
    kept(k, K::NameSpace);
    line("NAMESPACE", g.nameSpace);
    put(C::k16004);
    kept(k, K::RetryInterval);
    line("RETRYINTERVAL", g.retryInterval);
    kept(k, K::RetryCount);
    line("RETRYCOUNT", g.retryCount);
    put(C::k16005);
    kept(k, K::TransferIrm);
    line("TRANSFERIRM", g.transferIrm);
    put(C::k16006);
    kept(k, K::TransferAttrs);
    line("TRANSFERATTRS", g.transferAttrs);
    put(C::k16024);
    kept(k, K::TransferOwner);
    line("TRANSFEROWNER", g.transferOwner);
    put(C::k16025);
    kept(k, K::TransferTrustee);
    line("TRANSFERTRUSTEE", g.transferTrustee);
    put(C::k16026);
    kept(k, K::SkipReadOnly);
    line("SKIPREADONLY", g.skipReadOnly);
    put(C::k16007);
    kept(k, K::SyncMode);
    line("SYNCMODE", g.syncMode);
    put(C::k16008);
    kept(k, K::StartJob);
    if (g.jobWindow != "DISABLED") {
        line("STARTJOB", g.startJob);
        kept(k, K::EndJob);
        line("ENDJOB", g.endJob);
    } else {
        put("STARTJOB ", disabledTime(g.startJob), " \r\n");
        kept(k, K::EndJob);
        put("ENDJOB ", disabledTime(g.endJob), " \r\n");
    }
    put(C::k16009);
    kept(k, K::LogDir);
    quotedPathLine("LOGDIR", g.logDir);
    put(C::k16010);
    kept(k, K::LogEvent);
    wordListLines("LOGEVENT", {}, g.logEvent);
    kept(k, K::Debug);
    if (g.debug == "YES")
        put("DEBUG\r\n", kEnd);
    put(C::k16013);
    kept(k, K::LogSize);
    line("LOGSIZE ", g.logSize);
    put(C::k16012);
    kept(k, K::DbgLogSize);
    line("DBGLOGSIZE ", g.dbgLogSize);
    put(C::k16011);
    kept(k, K::Display);
    line("DISPLAY", g.display);
    put(kEnd, kEnd);
}

void ConfigWriter::writePackage(const PackageDesc& p) {
    using K = PackageDesc::Key;
    const KeptLines& k = p.kept;
    kept(k, KeptLines::kOpening);
    put("PACKAGE ", p.name, " \r\n", kEnd);
    kept(k, K::Schedule);
    wordListLines("  SCHEDULE", p.scheduleWhen, p.scheduleDays);
    put(kEnd);
    if (p.protocol != "(default)")
        put(C::kProtocol);
    kept(k, K::Protocol);
    if (p.protocol != "(default)")
        put("  PROTOCOL ", p.protocol, kEnd, kEnd);
    put(C::k16014);
    kept(k, K::TransferIrm);
    line("  TRANSFERIRM", p.transferIrm);
    kept(k, K::TransferAttrs);
    line("  TRANSFERATTRS", p.transferAttrs);
    kept(k, K::TransferOwner);
    line("  TRANSFEROWNER", p.transferOwner);
    kept(k, K::TransferTrustee);
    line("  TRANSFERTRUSTEE", p.transferTrustee);
    kept(k, K::SkipReadOnly);
    line("  SKIPREADONLY", p.skipReadOnly);
    put(kEnd);
    put(C::kPreStat);
    kept(k, K::PreStat);
    line("  PRESTAT", p.preStat);
    put(kEnd);
    kept(k, K::SyncMode);
    line("  SYNCMODE", p.syncMode);
    kept(k, K::LogEvent);
    wordListLines("  LOGEVENT", {}, p.logEvent);
    put(kEnd);
    put(C::kLogMethod);
    kept(k, K::LogMethod);
    line("  LOGMETHOD", p.logMethod);
    put(kEnd);
    put(C::k16016);
    kept(k, K::OfHandler);
    put("  OFHANDLER ", p.ofHandler, " ");
    if (p.ofHandler != "OFF" && p.ofHandler != "SKIP") {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, p.ofHandlerDelay).ptr;
        out_.append(digits, end);
    }
    put(kEnd, kEnd);
    writeMessagesAndCommandFiles(p);
    put(C::k16018);
    kept(k, K::Source);
    line("  SOURCE", p.source);
    put(kEnd);
    writeTargets(p);
    put(C::k16020);
    for (int i = 1; i <= p.excludes.count(); ++i) {
        kept(p.excludes, i);
        quotedPathLine("  EXCLUDE", p.excludes.at(i));
    }
    put(kEnd);
    put(C::k16021);
    writeJobs(p.dirJobs, "  SYNCDIR ");
    put(kEnd);
    writeJobs(p.fileJobs, "  SYNCFILE ");
    put(kEnd);
    kept(k, KeptLines::kClosing);
    put("PACKAGE END\r\n\r\n");
}

void ConfigWriter::writeMessagesAndCommandFiles(const PackageDesc& p) {
    using K = PackageDesc::Key;
    put(C::k16017);
    kept(p.kept, K::PreMsg);
    put("  PREMSG \"", p.preMsg, "\"\r\n");
    kept(p.kept, K::PostMsg);
    put("  POSTMSG \"", p.postMsg, "\"\r\n");
    kept(p.kept, K::ErrorMsg);
    put("  ERRORMSG \"", p.errorMsg, "\"\r\n");
    kept(p.kept, K::SuspendMsg);
    put("  SUSPENDMSG \"", p.suspendMsg, "\"\r\n");
    put(kEnd);
    const struct {
        std::string_view comment;
        std::string_view keyword;
        const std::string& path;
        K key;
    } commandFiles[] = {
        {C::k16027, "  PRENCF SRC", p.preNcfSrc, K::PreNcfSrc},
        {C::k16027, "  PRENCF DST", p.preNcfDst, K::PreNcfDst},
        {C::k16028, "  POSTNCF SRC", p.postNcfSrc, K::PostNcfSrc},
        {C::k16028, "  POSTNCF DST", p.postNcfDst, K::PostNcfDst},
        {C::k16029, "  SUSPENDNCF SRC", p.suspendNcfSrc, K::SuspendNcfSrc},
        {C::k16029, "  SUSPENDNCF DST", p.suspendNcfDst, K::SuspendNcfDst},
    };
    for (const auto& file : commandFiles) {
        put(file.comment);
        kept(p.kept, file.key);
        quotedPathLine(file.keyword, file.path);
        put(kEnd);
    }
}

void ConfigWriter::writeTargets(const PackageDesc& p) {
    put(C::k16019);
    for (int i = 1; i <= p.targets.count(); ++i) {
        const TargetServer& t = p.targets.at(i);
        kept(p.targets, i);
        put("  DEST ", t.server(), " ", t.volume(), " MSG", t.msg(), " ", t.bandwidth());
        if (t.protocol() != "(default)")
            put(" ", t.protocol());
        if (!t.schedule().empty())
            put(" ", t.schedule());
        put(kEnd);
    }
    put(kEnd);
}

void ConfigWriter::writeJobs(const EntryList<SyncJob>& jobs, std::string_view keyword) {
    for (int i = 1; i <= jobs.count(); ++i) {
        const SyncJob& job = jobs.at(i);
        kept(jobs, i);
        const std::size_t start = out_.size();
        put(keyword, job.transferMode(), " ", job.deletions(), " \"", job.sourcePath(), "\" \"",
            job.targetPath(), "\"\r\n");
        convertSince(start);
    }
}

void ConfigWriter::writeApplication(const ApplicationDesc& app) {
    using K = ApplicationDesc::Key;
    const KeptLines& k = app.kept;
    kept(k, KeptLines::kOpening);
    put("APPLICATION ", app.name, " \r\n\r\n");
    put(C::k16022);
    kept(k, K::AppServer);
    line("  APP_SERVER", app.appServer);
    kept(k, K::AppPath);
    quotedPathLine("  APP_PATH", app.appPath);
    put(kEnd);
    put(C::k16023);
    writeNameList(app.dstPackages, "  DST_PACKAGE", k, K::DstPackages);
    writeNameList(app.dstServers, "  DST_SERVER", k, K::DstServers);
    put(kEnd);
    kept(k, KeptLines::kClosing);
    put("APPLICATION END\r\n\r\n");
}

void ConfigWriter::writeNameList(std::string_view list, std::string_view keyword,
                                 const KeptLines& lines, ApplicationDesc::Key key) {
    // Every name the reader stored comes out again, empty ones included: the
    // reader's own trailing blank is the only one dropped.
    int index = 0;
    for (const std::string_view name : TextUtil::pieces(list)) {
        kept(lines, KeptLines::word(key, ++index));
        line(keyword, name);
    }
    // Lines kept before names since taken out of the list stay after it.
    if (form_ == Form::Kept && !lines.empty())
        put(lines.between(KeptLines::word(key, index + 1), KeptLines::lastWord(key)));
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

void ConfigWriter::kept(const KeptLines& kept, KeptLines::Anchor anchor) {
    if (form_ == Form::Kept)
        put(kept.before(anchor));
}

void ConfigWriter::convertSince(std::size_t start) {
    oem_.toOemInPlace(out_.data() + start, out_.size() - start);
}

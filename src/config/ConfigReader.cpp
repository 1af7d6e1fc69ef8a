#include "ConfigReader.h"

#include "LineReader.h"
#include "ScheduleText.h"
#include "Scramble.h"
#include "TextUtil.h"

#include <algorithm>
#include <array>
#include <utility>

enum class ConfigReader::Keyword {
    Unknown,
    AppPath,
    AppServer,
    Application,
    DbgLogSize,
    Debug,
    Dest,
    Display,
    DstPackage,
    DstServer,
    EndJob,
    ErrorMsg,
    Exclude,
    LogDir,
    LogEvent,
    LogMethod,
    LogSize,
    MaxThreads,
    NameSpace,
    OfHandler,
    Package,
    PostMsg,
    PostNcf,
    PreMsg,
    PreNcf,
    PreStat,
    Protocol,
    Pwd,
    RetryCount,
    RetryInterval,
    Schedule,
    SkipReadOnly,
    Source,
    StartJob,
    SuspendMsg,
    SuspendNcf,
    SyncDir,
    SyncFile,
    SyncMode,
    TransferAttrs,
    TransferIrm,
    TransferOwner,
    TransferTrustee,
    User,
    Version,
};

namespace {

bool knownDestVersion(std::string_view v) {
    return v == "1.30" || v == "1.22" || v == "1.20" || v == "1.10";
}

bool isProtocolWord(std::string_view w) {
    return w == "TCP" || w == "UDP" || w == "IPX";
}

std::string withoutFirstThree(std::string_view flag) {
    return flag.size() < 3 ? std::string() : std::string(flag.substr(3));
}

} // namespace

ConfigReader::Keyword ConfigReader::lookup(std::string_view keyword) {
    using K = Keyword;
    // Sorted by name for the binary search.
    static constexpr std::array<std::pair<std::string_view, Keyword>, 44> kTable = {{
        {"APPLICATION", K::Application},
        {"APP_PATH", K::AppPath},
        {"APP_SERVER", K::AppServer},
        {"DBGLOGSIZE", K::DbgLogSize},
        {"DEBUG", K::Debug},
        {"DEST", K::Dest},
        {"DISPLAY", K::Display},
        {"DST_PACKAGE", K::DstPackage},
        {"DST_SERVER", K::DstServer},
        {"ENDJOB", K::EndJob},
        {"ERRORMSG", K::ErrorMsg},
        {"EXCLUDE", K::Exclude},
        {"LOGDIR", K::LogDir},
        {"LOGEVENT", K::LogEvent},
        {"LOGMETHOD", K::LogMethod},
        {"LOGSIZE", K::LogSize},
        {"MAXTHREADS", K::MaxThreads},
        {"NAMESPACE", K::NameSpace},
        {"OFHANDLER", K::OfHandler},
        {"PACKAGE", K::Package},
        {"POSTMSG", K::PostMsg},
        {"POSTNCF", K::PostNcf},
        {"PREMSG", K::PreMsg},
        {"PRENCF", K::PreNcf},
        {"PRESTAT", K::PreStat},
        {"PROTOCOL", K::Protocol},
        {"PWD", K::Pwd},
        {"RETRYCOUNT", K::RetryCount},
        {"RETRYINTERVAL", K::RetryInterval},
        {"SCHEDULE", K::Schedule},
        {"SKIPREADONLY", K::SkipReadOnly},
        {"SOURCE", K::Source},
        {"STARTJOB", K::StartJob},
        {"SUSPENDMSG", K::SuspendMsg},
        {"SUSPENDNCF", K::SuspendNcf},
        {"SYNCDIR", K::SyncDir},
        {"SYNCFILE", K::SyncFile},
        {"SYNCMODE", K::SyncMode},
        {"TRANSFERATTRS", K::TransferAttrs},
        {"TRANSFERIRM", K::TransferIrm},
        {"TRANSFEROWNER", K::TransferOwner},
        {"TRANSFERTRUSTEE", K::TransferTrustee},
        {"USER", K::User},
        {"VERSION", K::Version},
    }};
    const auto it = std::lower_bound(kTable.begin(), kTable.end(), keyword,
                                     [](const auto& e, std::string_view k) { return e.first < k; });
    return it != kTable.end() && it->first == keyword ? it->second : K::Unknown;
}

ReadStatus ConfigReader::read(std::string_view bytes, ConfigModel& model) {
    model_ = &model;
    inPackage_ = false;
    inApplication_ = false;
    error_.clear();
    model.resetForRead();

    LineReader lines(bytes);
    std::string_view line;
    while (lines.next(line)) {
        if (!readLine(line))
            return ReadStatus::failure(error_);
    }
    GlobalSettings& g = model.global;
    g.version = "1.30";
    g.jobWindow = ScheduleText::jobWindowFromFile(g.startJob, g.endJob);
    return {};
}

bool ConfigReader::readLine(std::string_view line) {
    const bool hasToken = tokens_.tokenize(line);
    line_ = TextUtil::trimLeft(line);
    if (line_.empty() || line_[0] == '#' || line_[0] == ';' || !hasToken)
        return true;

    const Keyword keyword = lookup(tokens_.keyword());
    if (keyword == Keyword::Package)
        return openOrClosePackage();
    if (keyword == Keyword::Application)
        return openOrCloseApplication();
    if (inPackage_ && !model_->packages.empty())
        return packageLine(keyword);
    if (inApplication_ && !model_->applications.empty())
        applicationLine(keyword);
    else
        globalLine(keyword);
    return true;
}

bool ConfigReader::openOrClosePackage() {
    inPackage_ = !inPackage_;
    if (!inPackage_)
        return true;
    const std::string_view name =
        TextUtil::trim(line_.substr(std::min<std::size_t>(8, line_.size())));
    if (model_->appendPackage(PackageDesc::fromFile(std::string(name))) == nullptr)
        return fail("packages");
    return true;
}

bool ConfigReader::openOrCloseApplication() {
    inApplication_ = !inApplication_;
    if (!inApplication_)
        return true;
    ApplicationDesc app;
    app.name = TextUtil::trim(line_.substr(std::min<std::size_t>(11, line_.size())));
    if (model_->appendApplication(std::move(app)) == nullptr)
        return fail("applications");
    return true;
}

void ConfigReader::globalLine(Keyword keyword) {
    GlobalSettings& g = model_->global;
    const std::string_view first = tokens_.arg(1);
    switch (keyword) {
    case Keyword::Version:
        g.version = first;
        break;
    case Keyword::User:
        g.user = first;
        break;
    case Keyword::Pwd:
        // Files before 1.22 kept the password in plain text.
        model_->password =
            g.version == "1.10" || g.version == "1.20" ? Scramble(first) : std::string(first);
        g.passwordMask = "****";
        if (g.version > std::string_view("1.30"))
            model_->newerVersion = true;
        break;
    case Keyword::MaxThreads:
        g.maxThreads = first;
        break;
    case Keyword::NameSpace:
        g.nameSpace = upperArg(1);
        break;
    case Keyword::RetryInterval:
        g.retryInterval = first;
        break;
    case Keyword::RetryCount:
        g.retryCount = first;
        break;
    case Keyword::SyncMode:
        g.syncMode = upperArg(1);
        break;
    case Keyword::TransferIrm:
        g.transferIrm = upperArg(1);
        break;
    case Keyword::TransferOwner:
        g.transferOwner = upperArg(1);
        break;
    case Keyword::TransferTrustee:
        g.transferTrustee = upperArg(1);
        break;
    case Keyword::SkipReadOnly:
        g.skipReadOnly = upperArg(1);
        break;
    case Keyword::TransferAttrs:
        g.transferAttrs = upperArg(1);
        break;
    case Keyword::StartJob:
        g.startJob = upperArg(1);
        break;
    case Keyword::EndJob:
        g.endJob = upperArg(1);
        break;
    case Keyword::DbgLogSize:
        g.dbgLogSize = upperArg(1);
        break;
    case Keyword::LogSize:
        g.logSize = upperArg(1);
        break;
    case Keyword::Debug:
        g.debug = "YES";
        break;
    case Keyword::LogDir:
        g.logDir = convertedQuoted();
        break;
    case Keyword::LogEvent:
        appendWords(g.logEvent, 1);
        break;
    case Keyword::Display:
        g.display = upperArg(1);
        break;
    default:
        break;
    }
}

void ConfigReader::applicationLine(Keyword keyword) {
    ApplicationDesc& app = model_->applications.last();
    switch (keyword) {
    case Keyword::AppPath:
        app.appPath = convertedQuoted();
        break;
    case Keyword::AppServer:
        app.appServer = upperArg(1);
        break;
    case Keyword::DstPackage:
        app.dstPackages.append(tokens_.arg(1)).append(1, ' ');
        break;
    case Keyword::DstServer:
        app.dstServers.append(tokens_.arg(1)).append(1, ' ');
        break;
    default:
        break;
    }
}

bool ConfigReader::packageLine(Keyword keyword) {
    PackageDesc& p = model_->packages.last();
    switch (keyword) {
    case Keyword::Schedule:
        p.scheduleWhen = upperArg(1);
        appendWords(p.scheduleDays, 2);
        break;
    case Keyword::Protocol:
        p.protocol = upperArg(1);
        break;
    case Keyword::SyncMode:
        p.syncMode = upperArg(1);
        break;
    case Keyword::TransferIrm:
        p.transferIrm = upperArg(1);
        break;
    case Keyword::TransferOwner:
        p.transferOwner = upperArg(1);
        break;
    case Keyword::TransferTrustee:
        p.transferTrustee = upperArg(1);
        break;
    case Keyword::SkipReadOnly:
        p.skipReadOnly = upperArg(1);
        break;
    case Keyword::PreStat:
        p.preStat = upperArg(1);
        break;
    case Keyword::TransferAttrs:
        p.transferAttrs = upperArg(1);
        break;
    case Keyword::LogMethod:
        p.logMethod = upperArg(1);
        break;
    case Keyword::Source:
        p.source = upperArg(1);
        break;
    case Keyword::OfHandler:
        p.ofHandler = upperArg(1);
        if (tokens_.argCount() >= 2)
            p.ofHandlerDelay = TextUtil::leadingInt(tokens_.arg(2));
        break;
    case Keyword::LogEvent:
        appendWords(p.logEvent, 1);
        break;
    case Keyword::Dest:
        return addTarget(p);
    case Keyword::PreMsg:
        p.preMsg = TextUtil::quoted(line_);
        break;
    case Keyword::PostMsg:
        p.postMsg = TextUtil::quoted(line_);
        break;
    case Keyword::ErrorMsg:
        p.errorMsg = TextUtil::quoted(line_);
        break;
    case Keyword::SuspendMsg:
        p.suspendMsg = TextUtil::quoted(line_);
        break;
    case Keyword::PreNcf:
    case Keyword::PostNcf:
    case Keyword::SuspendNcf: {
        const bool dst = TextUtil::upper(tokens_.arg(1)) == "DST";
        std::string& field = keyword == Keyword::PreNcf ? (dst ? p.preNcfDst : p.preNcfSrc)
                             : keyword == Keyword::PostNcf
                                 ? (dst ? p.postNcfDst : p.postNcfSrc)
                                 : (dst ? p.suspendNcfDst : p.suspendNcfSrc);
        field = convertedQuoted();
        break;
    }
    case Keyword::Exclude:
        if (!p.excludes.append(convertedQuoted()))
            return fail("excluded paths in package " + p.name);
        break;
    case Keyword::SyncDir:
        return addJob(p.dirJobs, "directory jobs in package ");
    case Keyword::SyncFile:
        return addJob(p.fileJobs, "file jobs in package ");
    default:
        break;
    }
    return true;
}

bool ConfigReader::addTarget(PackageDesc& package) {
    const std::string& version = model_->global.version;
    if (!knownDestVersion(version)) {
        if (model_->skippedDestLines++ == 0)
            model_->skippedDestVersion = version;
        return true;
    }
    const std::string server = upperArg(1);
    const std::string msg = withoutFirstThree(tokens_.arg(3));
    std::string_view bandwidth = tokens_.arg(4);
    std::string_view schedule = tokens_.arg(5);
    std::string_view protocol = "(default)";
    if (version == "1.30" && isProtocolWord(tokens_.arg(5))) {
        protocol = tokens_.arg(5);
        schedule = tokens_.arg(6);
    } else if (version == "1.10") {
        bandwidth = "0";
        schedule = tokens_.arg(4);
    }
    if (!package.targets.append(
            TargetServer(server, tokens_.arg(2), msg, schedule, bandwidth, protocol)))
        return fail("target servers in package " + package.name);
    return true;
}

bool ConfigReader::addJob(EntryList<SyncJob>& jobs, const char* what) {
    const std::string source = convertedQuoted(0);
    const std::string target = convertedQuoted(1);
    if (!jobs.append(SyncJob(source, target, tokens_.arg(1), tokens_.arg(2))))
        return fail(what + model_->packages.last().name);
    return true;
}

void ConfigReader::appendWords(std::string& list, int firstArg) const {
    for (int i = firstArg; i <= tokens_.argCount(); ++i)
        list.append(tokens_.arg(i)).append(1, ' ');
}

std::string ConfigReader::upperArg(int index) const {
    return TextUtil::upper(tokens_.arg(index));
}

std::string ConfigReader::convertedQuoted(int n) const {
    return oem_.toAnsi(TextUtil::quoted(line_, n));
}

bool ConfigReader::fail(const std::string& what) {
    error_ = "The file has more than 999 " + what + "; a configuration holds at most 999.";
    return false;
}

#include "ConfigReader.h"

#include "ConfigComments.h"
#include "ListTable.h"
#include "ScheduleText.h"
#include "Scramble.h"
#include "SettingTable.h"
#include "io/FileStore.h"
#include "io/HeapPages.h"
#include "text/LineReader.h"
#include "text/TextUtil.h"

#include <algorithm>
#include <array>
#include <utility>

// The keywords of blocks and lists; every other keyword is a setting's.
enum class ConfigReader::Keyword {
    Unknown,
    Setting,
    AppPath,
    AppServer,
    Application,
    DstPackage,
    DstServer,
    Package,
};

namespace {

bool knownDestVersion(std::string_view v) {
    return v == "1.30" || v == "1.22" || v == "1.20" || v == "1.10";
}

bool isMsgFlag(std::string_view word) {
    return word.substr(0, 3) == "MSG";
}

std::string_view withoutFirstThree(std::string_view flag) {
    return flag.size() < 3 ? std::string_view() : flag.substr(3);
}

// Whether a table of (name, value) pairs is sorted by name, each name once:
// an entry out of order would be missed by the binary search.
template <typename Table> consteval bool namesStrictlyAscending(const Table& table) {
    return std::ranges::adjacent_find(table, std::ranges::greater_equal{},
                                      &Table::value_type::first) == table.end();
}

// Where a record's earlier lines are looked up when a setting comes again.
LineKeeper::Scope scopeOf(const GlobalSettings&) {
    return LineKeeper::Scope::Global;
}
LineKeeper::Scope scopeOf(const PackageDesc&) {
    return LineKeeper::Scope::Package;
}
LineKeeper::Scope scopeOf(const ApplicationDesc&) {
    return LineKeeper::Scope::Application;
}

// Whether the writer may leave the setting's line out (a flag that is off, a
// value that means "not set"): an earlier line of such a setting would take
// effect again, so it is not kept in its place. Application lines are no
// settings of the table and are always written.
bool mayBeLeftOut(const SettingRow* row) {
    return row != nullptr && (row->form == SettingForm::Flag || !row->unwritten.empty());
}

} // namespace

ConfigReader::Keyword ConfigReader::lookup(std::string_view keyword) {
    using K = Keyword;
    // Sorted by name for the binary search, as checked below.
    static constexpr std::array<std::pair<std::string_view, Keyword>, 6> kTable = {{
        {"APPLICATION", K::Application},
        {"APP_PATH", K::AppPath},
        {"APP_SERVER", K::AppServer},
        {"DST_PACKAGE", K::DstPackage},
        {"DST_SERVER", K::DstServer},
        {"PACKAGE", K::Package},
    }};
    static_assert(namesStrictlyAscending(kTable), "keep the keywords sorted by name");
    const auto it = std::lower_bound(kTable.begin(), kTable.end(), keyword,
                                     [](const auto& e, std::string_view k) { return e.first < k; });
    return it != kTable.end() && it->first == keyword ? it->second : K::Unknown;
}

ReadStatus ConfigReader::read(std::string_view bytes, ConfigModel& model, ReadReport::Mode mode) {
    begin(model, mode);
    readLines(bytes);
    return finish();
}

ReadStatus ConfigReader::readFile(const std::string& path, ConfigModel& model, Status& read,
                                  ReadReport::Mode mode) {
    begin(model, mode);
    read = FileStore::readLines(path, [this](std::string_view lines) { return readLines(lines); });
    return finish();
}

void ConfigReader::begin(ConfigModel& model, ReadReport::Mode mode) {
    model_ = &model;
    inPackage_ = false;
    inApplication_ = false;
    lineNumber_ = 0;
    bytesRead_ = 0;
    nextComment_ = 0;
    error_.clear();
    failed_ = false;
    report_ = ReadReport(mode);
    keeper_.reset();
    model.resetForRead();
}

bool ConfigReader::readLines(std::string_view lines) {
    bytesRead_ += lines.size();
    LineReader reader(lines);
    std::string_view line;
    std::size_t counted = 0;
    while (!failed_ && reader.next(line)) {
        failed_ = !readLine(line);
        if (progress_ == nullptr || failed_)
            continue;
        if (!progress_->advance(reader.position() - counted)) {
            error_ = kStopped;
            failed_ = true;
        }
        counted = reader.position();
    }
    return !failed_;
}

ReadStatus ConfigReader::finish() {
    if (failed_)
        return ReadStatus::failure(error_);
    GlobalSettings& g = model_->global;
    KeptLines* open = openBlock();
    keeper_.attach(open != nullptr ? *open : g.kept,
                   open != nullptr ? KeptLines::kClosing : KeptLines::kEndOfFile);
    report_.setKeptLines(keeper_.keptLines());
    fitLastPackage();
    g.version = "1.30";
    g.jobWindow = ScheduleText::jobWindowFromFile(g.startJob, g.endJob);
    return {{}, std::move(report_)};
}

bool ConfigReader::readLine(std::string_view line) {
    ++lineNumber_;
    quoteCount_ = -1;
    const bool hasToken = tokens_.tokenize(line);
    raw_ = line;
    line_ = TextUtil::trimLeft(line);
    if (line_.empty() || !hasToken) {
        keeper_.blank(line);
        return true;
    }
    if (line_[0] == '#' || line_[0] == ';') {
        if (line_[0] == ';' || !ConfigComments::isWritersOwn(line_, nextComment_))
            keeper_.keep(line);
        return true;
    }
    // Lines of one kind come in runs (jobs, targets, excludes).
    if (tokens_.keyword() != lastKeyword_) {
        lastKeyword_ = tokens_.keyword();
        lastLookup_ = lookup(lastKeyword_);
        lastSetting_ = lastLookup_ == Keyword::Unknown ? SettingTable::find(lastKeyword_) : nullptr;
        if (lastSetting_ != nullptr)
            lastLookup_ = Keyword::Setting;
        lastList_ = ListTable::byKeyword(lastKeyword_);
    }
    const Keyword keyword = lastLookup_;
    keeper_.newLine();
    const Use use = takeLine(keyword);
    if (report_.lastNotedLine() == lineNumber_)
        keeper_.settingDropped();
    if (use == Use::Failed)
        return false;
    report_.countLine(use == Use::Taken);
    if (use == Use::NotHere)
        keepLine(notHereReason(keyword));
    return true;
}

ConfigReader::Use ConfigReader::takeLine(Keyword keyword) {
    if (keyword == Keyword::Package)
        return openOrClosePackage();
    if (keyword == Keyword::Application)
        return openOrCloseApplication();
    if (inPackage_ && !model_->packages.empty())
        return lastList_ != nullptr ? addEntry(*lastList_, model_->packages.last())
                                    : packageLine(keyword);
    if (inApplication_ && !model_->applications.empty())
        return applicationLine(keyword);
    return globalLine(keyword);
}

ConfigReader::Use ConfigReader::openOrClosePackage() {
    KeptLines* const outer = openBlock();
    inPackage_ = !inPackage_;
    if (!inPackage_) {
        blockLine(outer, nullptr);
        checkClosing();
        return Use::Taken;
    }
    const std::string_view name =
        TextUtil::trim(line_.substr(std::min<std::size_t>(8, line_.size())));
    fitLastPackage();
    // Packages hold the long lists a large file is made of.
    HeapPages::grow(bytesRead_);
    PackageDesc* added = model_->appendPackage(PackageDesc::fromFile(std::string(name)), line());
    if (added == nullptr)
        return fail("packages");
    blockLine(outer, &added->kept);
    return Use::Taken;
}

void ConfigReader::fitLastPackage() {
    if (model_->packages.empty())
        return;
    // First: a package whose lists go need not be fitted.
    if (packageRead_)
        packageRead_(model_->packages.count());
    PackageDesc& p = model_->packages.last();
    p.targets.fit();
    p.excludes.fit();
    p.dirJobs.fit();
    p.fileJobs.fit();
}

ConfigReader::Use ConfigReader::openOrCloseApplication() {
    KeptLines* const outer = openBlock();
    inApplication_ = !inApplication_;
    if (!inApplication_) {
        blockLine(outer, nullptr);
        checkClosing();
        return Use::Taken;
    }
    ApplicationDesc app;
    app.name = TextUtil::trim(line_.substr(std::min<std::size_t>(11, line_.size())));
    ApplicationDesc* added = model_->appendApplication(std::move(app), line());
    if (added == nullptr)
        return fail("applications");
    blockLine(outer, &added->kept);
    return Use::Taken;
}

template <typename Record>
void ConfigReader::assignField(SettingForm form, std::string& field, Record& record,
                               typename Record::Key key) {
    settingLine(record, key);
    switch (form) {
    case SettingForm::Word:
        field = tokens_.arg(1);
        checkWords(1);
        break;
    case SettingForm::Quoted:
        field = quoted();
        checkQuoted(1, 0);
        break;
    case SettingForm::QuotedPath:
        field = convertedQuoted();
        checkQuoted(1, 0);
        break;
    default:
        field = upperArg(1);
        checkWords(1);
        break;
    }
}

ConfigReader::Use ConfigReader::globalLine(Keyword keyword) {
    const SettingRow* row = lastSetting_;
    if (keyword != Keyword::Setting || !row->inGlobalScope())
        return Use::NotHere;
    GlobalSettings& g = model_->global;
    std::string& field = g.*row->global;
    switch (row->form) {
    case SettingForm::Flag:
        field = "YES";
        settingLine(g, row->globalKey);
        // DEBUG NO still means yes; the word is not written back.
        checkWords(0);
        break;
    case SettingForm::WordList:
        appendWords(field, 1);
        joinedLine(g, row->globalKey);
        break;
    case SettingForm::Password:
        readPassword();
        break;
    default:
        assignField(row->form, field, g, row->globalKey);
        break;
    }
    return Use::Taken;
}

void ConfigReader::readPassword() {
    GlobalSettings& g = model_->global;
    settingLine(g, GlobalSettings::Key::Password);
    const std::string_view first = tokens_.arg(1);
    // Files before 1.22 kept the password in plain text.
    model_->password =
        g.version == "1.10" || g.version == "1.20" ? Scramble(first) : std::string(first);
    // "PWD " is how a missing password is written: no mask to show.
    g.passwordMask = model_->password.empty() ? "" : "****";
    if (g.version > std::string_view("1.30"))
        model_->newerVersion = true;
    checkWords(1);
}

ConfigReader::Use ConfigReader::applicationLine(Keyword keyword) {
    using K = Keyword;
    using A = ApplicationDesc;
    ApplicationDesc& app = model_->applications.last();
    if (keyword == K::AppPath || keyword == K::AppServer) {
        const bool path = keyword == K::AppPath;
        assignField(path ? SettingForm::QuotedPath : SettingForm::UpperWord,
                    path ? app.appPath : app.appServer, app,
                    path ? A::Key::AppPath : A::Key::AppServer);
        return Use::Taken;
    }
    // Only the first argument of a destination line counts.
    if (keyword == K::DstPackage) {
        wordLine(app, A::Key::DstPackages, app.dstPackages);
        app.dstPackages.append(tokens_.arg(1)).append(1, ' ');
        app.lines.setFirst(A::Key::DstPackages, line());
        app.dstPackageLines.add(line());
    } else if (keyword == K::DstServer) {
        wordLine(app, A::Key::DstServers, app.dstServers);
        app.dstServers.append(tokens_.arg(1)).append(1, ' ');
        app.lines.setFirst(A::Key::DstServers, line());
    } else {
        return Use::NotHere;
    }
    checkWords(1);
    return Use::Taken;
}

ConfigReader::Use ConfigReader::packageLine(Keyword keyword) {
    if (keyword != Keyword::Setting || !lastSetting_->inPackageScope())
        return Use::NotHere;
    packageSetting(*lastSetting_, model_->packages.last());
    return Use::Taken;
}

void ConfigReader::packageSetting(const SettingRow& row, PackageDesc& p) {
    std::string& field = p.*row.package;
    switch (row.form) {
    case SettingForm::Schedule:
        // A later SCHEDULE line replaces the word and adds days.
        field = upperArg(1);
        // The days add up: the earlier line is not replaced.
        keeper_.attach(p.kept, KeptLines::of(row.packageKey));
        p.lines.set(row.packageKey, line());
        if (tokens_.argCount() >= 2)
            p.lines.setFirst(row.secondKey, line());
        appendWords(p.*row.second, 2);
        break;
    case SettingForm::OpenFiles:
        readOpenFileHandler(p);
        settingLine(p, row.packageKey);
        checkOfHandler(p);
        break;
    case SettingForm::WordList:
        appendWords(field, 1);
        joinedLine(p, row.packageKey);
        break;
    case SettingForm::CommandFiles: {
        // The side is DST in any case; any other first argument means the source.
        const bool dst = TextUtil::upper(tokens_.arg(1)) == "DST";
        settingLine(p, dst ? row.secondKey : row.packageKey);
        (dst ? p.*row.second : field) = convertedQuoted();
        checkQuoted(1, 1);
        break;
    }
    default:
        assignField(row.form, field, p, row.packageKey);
        break;
    }
}

void ConfigReader::readOpenFileHandler(PackageDesc& p) {
    const std::string_view first = tokens_.arg(1);
    // An empty method is written as the keyword and the delay alone.
    if (tokens_.argCount() == 1 && TextUtil::isWholeInt32(first)) {
        p.ofHandler.clear();
        p.ofHandlerDelay = TextUtil::leadingInt(first);
        return;
    }
    p.ofHandler = upperArg(1);
    // OFF and SKIP are written without a delay, so they hold none.
    if (p.ofHandler == "OFF" || p.ofHandler == "SKIP")
        p.ofHandlerDelay = 0;
    else if (tokens_.argCount() >= 2)
        p.ofHandlerDelay = TextUtil::leadingInt(tokens_.arg(2));
}

ConfigReader::Use ConfigReader::addEntry(const ListRow& row, PackageDesc& p) {
    Use use = Use::Taken;
    ListTable::visit(row, [&](auto member) {
        auto& list = p.*member;
        typename std::remove_reference_t<decltype(list)>::value_type entry;
        if (!readEntry(entry))
            return;
        if (!list.append(std::move(entry), line()))
            use = fail(std::string(row.what) + " in package " + p.name);
        else
            entryLine(list);
    });
    return use;
}

bool ConfigReader::readEntry(TargetServer& target) {
    const std::string& version = model_->global.version;
    if (!knownDestVersion(version)) {
        if (model_->skippedDestLines++ == 0)
            model_->skippedDestVersion = version;
        skip(SkipReason::UnknownDestVersion);
        return false;
    }
    // The server upper-cased in a reused buffer: the target's own block is
    // the only allocation of the line.
    scratch_.assign(tokens_.arg(1));
    TextUtil::upperInPlace(scratch_);
    const std::string_view server = scratch_;
    // An empty volume is written as nothing before the MSG flag.
    const bool noVolume = isMsgFlag(tokens_.arg(2)) && !isMsgFlag(tokens_.arg(3));
    const int flag = noVolume ? 2 : 3;
    const std::string_view volume = noVolume ? std::string_view() : tokens_.arg(2);
    const std::string_view msg = withoutFirstThree(tokens_.arg(flag));
    std::string_view bandwidth = tokens_.arg(flag + 1);
    std::string_view schedule = tokens_.arg(flag + 2);
    std::string_view protocol = "(default)";
    if (version == "1.30" && TargetServer::isProtocolWord(tokens_.arg(flag + 2))) {
        protocol = tokens_.arg(flag + 2);
        schedule = tokens_.arg(flag + 3);
    } else if (version == "1.10") {
        bandwidth = "0";
        schedule = tokens_.arg(flag + 1);
    }
    target = TargetServer(server, volume, msg, schedule, bandwidth, protocol);
    checkTarget(version);
    return true;
}

bool ConfigReader::readEntry(SyncJob& job) {
    // The writer converts the whole line, modes included. Paths and modes
    // converted in one reused buffer: the job's own block is the only
    // allocation of the line.
    const std::string_view source = quoted(0);
    const std::string_view target = quoted(1);
    const std::string_view mode = wordBeforeQuotes(1);
    scratch_.assign(source).append(target).append(mode).append(wordBeforeQuotes(2));
    oem_.toAnsiInPlace(scratch_.data(), scratch_.size());
    const std::string_view texts = scratch_;
    const std::size_t modeAt = source.size() + target.size();
    job = SyncJob(texts.substr(0, source.size()), texts.substr(source.size(), target.size()),
                  texts.substr(modeAt, mode.size()), texts.substr(modeAt + mode.size()));
    checkQuoted(2, 2);
    return true;
}

bool ConfigReader::readEntry(std::string& path) {
    path = convertedQuoted();
    checkQuoted(1, 0);
    return true;
}

void ConfigReader::appendWords(std::string& list, int firstArg) {
    for (int i = firstArg; i <= tokens_.argCount(); ++i)
        list.append(tokens_.arg(i)).append(1, ' ');
    if (tokens_.truncated())
        skip(SkipReason::TooManyWords);
}

std::string_view ConfigReader::wordBeforeQuotes(int index) {
    // Empty modes are written as nothing before the quoted paths; a word
    // that reaches into them is no mode either.
    const std::string_view word = tokens_.arg(index);
    if (quoteCount_ < 0)
        locateQuotes();
    if (word.empty() || quoteCount_ == 0)
        return word;
    const std::size_t end = static_cast<std::size_t>(word.data() + word.size() - line_.data());
    return end <= quotes_[0] ? word : std::string_view();
}

std::string ConfigReader::upperArg(int index) const {
    return TextUtil::upper(tokens_.arg(index));
}

std::string_view ConfigReader::quoted(int n) {
    if (quoteCount_ < 0)
        locateQuotes();
    if (quoteCount_ < 2 * n + 2)
        return {};
    const std::size_t open = quotes_[static_cast<std::size_t>(2 * n)] + 1;
    return line_.substr(open, quotes_[static_cast<std::size_t>(2 * n + 1)] - open);
}

std::string ConfigReader::convertedQuoted(int n) {
    return oem_.toAnsi(quoted(n));
}

void ConfigReader::locateQuotes() {
    quoteCount_ = 0;
    for (std::size_t from = 0; quoteCount_ < kQuotes; ++quoteCount_) {
        const std::size_t at = line_.find('"', from);
        if (at == std::string_view::npos)
            break;
        quotes_[static_cast<std::size_t>(quoteCount_)] = at;
        from = at + 1;
    }
}

ConfigReader::Use ConfigReader::fail(const std::string& what) {
    error_ = "The file has more than 999 " + what + "; a configuration holds at most 999.";
    return Use::Failed;
}

void ConfigReader::skip(SkipReason reason) {
    report_.skip(lineNumber_, TextUtil::trimRight(line_), reason);
}

template <typename Record>
void ConfigReader::settingLine(Record& record, typename Record::Key key) {
    if (mayBeLeftOut(lastSetting_)) {
        keeper_.attach(record.kept, KeptLines::of(key));
    } else if (const int earlier = keeper_.setting(record.kept, scopeOf(record), KeptLines::of(key),
                                                   raw_, lineNumber_, record.lines[key] != 0)) {
        report_.keptWhole(earlier);
    }
    record.lines.set(key, line());
}

template <typename Record> void ConfigReader::joinedLine(Record& record, typename Record::Key key) {
    keeper_.attach(record.kept, KeptLines::of(key));
    record.lines.setFirst(key, line());
}

void ConfigReader::wordLine(ApplicationDesc& app, ApplicationDesc::Key key,
                            const std::string& list) {
    // Each word the reader stored ends in a blank.
    const auto index = std::count(list.begin(), list.end(), ' ') + 1;
    keeper_.attach(app.kept, KeptLines::word(key, static_cast<int>(index)));
}

void ConfigReader::blockLine(KeptLines* outer, KeptLines* opened) {
    // Lines read inside a block stay inside it, before its closing line.
    if (outer != nullptr)
        keeper_.attach(*outer, KeptLines::kClosing);
    else if (opened != nullptr)
        keeper_.attach(*opened, KeptLines::kOpening);
}

KeptLines* ConfigReader::openBlock() {
    if (inPackage_ && !model_->packages.empty())
        return &model_->packages.last().kept;
    if (inApplication_ && !model_->applications.empty())
        return &model_->applications.last().kept;
    return nullptr;
}

void ConfigReader::keepLine(SkipReason reason) {
    keeper_.keep(raw_);
    report_.skip(lineNumber_, TextUtil::trimRight(line_), reason, true);
}

SkipReason ConfigReader::notHereReason(Keyword keyword) const {
    using K = Keyword;
    if (keyword == K::Unknown && lastList_ == nullptr)
        return SkipReason::UnknownKeyword;
    const bool applicationKeyword = keyword == K::AppPath || keyword == K::AppServer ||
                                    keyword == K::DstPackage || keyword == K::DstServer;
    if (inPackage_)
        return applicationKeyword ? SkipReason::BelongsInApplication : SkipReason::NotInPackage;
    if (inApplication_)
        return SkipReason::NotInApplication;
    return applicationKeyword ? SkipReason::BelongsInApplication : SkipReason::BelongsInPackage;
}

void ConfigReader::checkWords(int most) {
    if (tokens_.argCount() > most || tokens_.truncated())
        skip(SkipReason::SurplusArgument);
}

void ConfigReader::checkQuoted(int pairs, int wordsBefore) {
    if (quoteCount_ < 0)
        locateQuotes();
    const int needed = 2 * pairs;
    if (quoteCount_ < needed) {
        if (tokens_.argCount() > wordsBefore)
            skip(SkipReason::MissingQuotes);
        else if (pairs > 1)
            skip(SkipReason::MissingArgument);
        return;
    }
    // The tokens point into the line: the first quoted value must be the
    // token after the words before it, and the line must end with its last
    // quote (so no further quote follows).
    const char* open = line_.data() + quotes_[0];
    const char* first = tokens_.argStart(wordsBefore + 1);
    const std::size_t end = line_.find_last_not_of(" ,\t\r\n");
    if (first == nullptr || first > open) {
        if (pairs > 1)
            skip(SkipReason::MissingArgument);
    } else if (first < open || end != quotes_[static_cast<std::size_t>(needed - 1)]) {
        skip(SkipReason::SurplusArgument);
    }
}

void ConfigReader::checkTarget(const std::string& version) {
    const int args = tokens_.argCount();
    const bool oldest = version == "1.10";
    const int fewest = oldest ? 3 : 4;
    int most = oldest ? 4 : 5;
    if (version == "1.30" && TargetServer::isProtocolWord(tokens_.arg(5)))
        most = 6;
    if (args < fewest)
        skip(SkipReason::MissingArgument);
    else if (args > most)
        skip(SkipReason::SurplusArgument);
    else if (!isMsgFlag(tokens_.arg(3)))
        skip(SkipReason::UnholdableValue);
}

void ConfigReader::checkOfHandler(const PackageDesc& p) {
    const int args = tokens_.argCount();
    if (args == 0)
        skip(SkipReason::MissingArgument);
    else if (args > 2 || (args == 2 && (p.ofHandler == "OFF" || p.ofHandler == "SKIP")))
        skip(SkipReason::SurplusArgument);
    else if (args == 2 && !TextUtil::isWholeInt32(tokens_.arg(2)))
        skip(SkipReason::UnholdableValue);
}

void ConfigReader::checkClosing() {
    const std::string_view rest = tokens_.arg(1);
    if (tokens_.argCount() > 1 || (!rest.empty() && TextUtil::upper(rest) != "END"))
        skip(SkipReason::ClosingName);
}

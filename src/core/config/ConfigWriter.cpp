#include "ConfigWriter.h"

#include "ConfigComments.h"
#include "ListTable.h"

#include "ScheduleText.h"
#include "SettingTable.h"
#include "text/LineTokenizer.h"
#include "text/TextUtil.h"

#include <charconv>
#include <utility>
#include <vector>

namespace {

using C = ConfigComments;
constexpr std::string_view kEnd = "\r\n";
// Lines inside a package block stand indented.
constexpr std::string_view kIndent = "  ";

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
// Whether a setting's value goes out as a line (with its comment) at all.
bool written(const SettingRow& row, std::string_view value) {
    if (row.form == SettingForm::Flag)
        return value == "YES";
    return row.unwritten.empty() || value != row.unwritten;
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

std::string ConfigWriter::writeBlock(const PackageDesc& p) {
    out_.clear();
    writePackage(p);
    return std::move(out_);
}

std::string ConfigWriter::writeBlock(const ApplicationDesc& app) {
    out_.clear();
    writeApplication(app);
    return std::move(out_);
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
    const GlobalSettings& g = model.global;
    put(C::kHeader, kEnd);
    for (const SettingRow& row : SettingTable::kRows) {
        if (!row.inGlobalScope())
            continue;
        // Lines kept before a setting the writer leaves out still go out.
        const bool out = written(row, g.*row.global);
        if (out)
            put(row.inGlobal.comment);
        kept(g.kept, row.globalKey);
        if (!out)
            continue;
        if (row.form == SettingForm::Password)
            line(row.keyword, model.password);
        else if (row.form == SettingForm::TimeWindow && g.jobWindow == "DISABLED")
            put(row.keyword, " ", ScheduleText::jobTimeInFile(g.jobWindow, g.*row.global), " \r\n");
        else
            settingLine(row, {}, g.*row.global, nullptr);
        if (row.inGlobal.blankAfter)
            put(kEnd);
    }
    put(kEnd, kEnd);
}

void ConfigWriter::writePackage(const PackageDesc& p) {
    kept(p.kept, KeptLines::kOpening);
    put("PACKAGE ", p.name, " \r\n", kEnd);
    for (const SettingRow& row : SettingTable::kRows) {
        if (!row.inPackageScope())
            continue;
        if (row.form == SettingForm::CommandFiles) {
            commandFileLines(row, p);
            continue;
        }
        const std::string& value = p.*row.package;
        const bool out = written(row, value);
        if (out)
            put(row.inPackage.comment);
        kept(p.kept, row.packageKey);
        if (!out)
            continue;
        if (row.form == SettingForm::OpenFiles)
            openFileLine(row, p);
        else
            settingLine(row, kIndent, value, row.second != nullptr ? &(p.*row.second) : nullptr);
        if (row.inPackage.blankAfter)
            put(kEnd);
    }
    ListTable::forEach(p, [&](const ListRow& row, const auto& list) {
        put(row.comment);
        for (int i = 1; i <= list.count(); ++i)
            entryLine(row, list, i);
        put(kEnd);
    });
    kept(p.kept, KeptLines::kClosing);
    put("PACKAGE END\r\n\r\n");
}

void ConfigWriter::settingLine(const SettingRow& row, std::string_view indent,
                               std::string_view value, const std::string* second) {
    switch (row.form) {
    case SettingForm::Quoted:
        put(indent, row.keyword, " \"", value, "\"\r\n");
        break;
    case SettingForm::QuotedPath:
        pathLine(value, indent, row.keyword);
        break;
    case SettingForm::WordList:
        wordListLines(indent, row.keyword, {}, value);
        break;
    case SettingForm::Schedule:
        wordListLines(indent, row.keyword, value, second != nullptr ? *second : "");
        break;
    case SettingForm::Flag:
        put(indent, row.keyword, kEnd);
        break;
    default:
        put(indent, row.keyword, row.gap, value, kEnd);
        break;
    }
}

void ConfigWriter::openFileLine(const SettingRow& row, const PackageDesc& p) {
    put(kIndent, row.keyword, " ", p.ofHandler, " ");
    if (p.ofHandler != "OFF" && p.ofHandler != "SKIP") {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, p.ofHandlerDelay).ptr;
        out_.append(digits, end);
    }
    put(kEnd);
}

void ConfigWriter::commandFileLines(const SettingRow& row, const PackageDesc& p, bool commented) {
    const struct {
        std::string_view side;
        const std::string& path;
        PackageDesc::Key key;
    } sides[] = {{" SRC", p.*row.package, row.packageKey}, {" DST", p.*row.second, row.secondKey}};
    for (const auto& [side, path, key] : sides) {
        if (commented) {
            put(row.inPackage.comment);
            kept(p.kept, key);
        }
        pathLine(path, kIndent, row.keyword, side);
        if (commented && row.inPackage.blankAfter)
            put(kEnd);
    }
}

std::string ConfigWriter::writeSetting(const PackageDesc& p, const SettingRow& row) {
    out_.clear();
    if (row.form == SettingForm::CommandFiles)
        commandFileLines(row, p, false);
    else
        settingLine(row, kIndent, p.*row.package,
                    row.second != nullptr ? &(p.*row.second) : nullptr);
    return std::move(out_);
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

void ConfigWriter::wordListLines(std::string_view indent, std::string_view keyword,
                                 std::optional<std::string_view> lead, std::string_view list) {
    // The reader takes 50 arguments a line; a longer list goes out over
    // several lines, which the reader joins again.
    const std::size_t perLine = LineTokenizer::kMaxArgs - (lead ? 1 : 0);
    std::vector<std::string_view> words;
    LineTokenizer::split(list, words);
    const auto start = [&] {
        put(indent, keyword, " ");
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
    pathLine(value, keyword);
}

void ConfigWriter::kept(const KeptLines& kept, KeptLines::Anchor anchor) {
    if (form_ == Form::Kept)
        put(kept.before(anchor));
}

void ConfigWriter::convertSince(std::size_t start) {
    oem_.toOemInPlace(out_.data() + start, out_.size() - start);
}

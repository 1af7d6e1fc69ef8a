#include "ConfigClip.h"

#include "ConfigReader.h"
#include "ListTable.h"
#include "SaveRules.h"
#include "SettingTable.h"

#include <algorithm>
#include <utility>

namespace {

// Entry lines only read inside a package block.
constexpr std::string_view kEntriesHead = "PACKAGE PASTED\r\n";
constexpr std::string_view kEntriesTail = "PACKAGE END\r\n";

bool endsLine(std::string_view text) {
    return text.empty() || text.back() == '\n';
}

// Only blank lines: what sits between blocks says nothing.
bool blank(const KeptLines& kept) {
    return std::ranges::all_of(kept.runs(), [](const auto& run) {
        return run.second.find_first_not_of(" \t\r\n") == std::string::npos;
    });
}

bool sameGlobal(GlobalSettings a, GlobalSettings b) {
    if (blank(a.kept) && blank(b.kept))
        a.kept = b.kept = KeptLines();
    a.lines = b.lines = {};
    return a == b;
}

template <typename Record> void dropLines(EntryList<Record>& records) {
    records.clearLines();
    for (Record& r : records)
        r.takeLines(nullptr);
}

} // namespace

std::string ConfigClip::copy(const PackageDesc& p) const {
    return ConfigWriter(ansi_).writeBlock(p);
}

std::string ConfigClip::copy(const ApplicationDesc& app) const {
    return ConfigWriter(ansi_).writeBlock(app);
}

bool ConfigClip::copies(const SettingRow& row) {
    return row.inPackageScope() &&
           (row.form == SettingForm::CommandFiles ||
            (row.form == SettingForm::Quoted && row.packageNode == DetailKind::Messages));
}

std::string ConfigClip::copy(const PackageDesc& p, const SettingRow& row) const {
    return ConfigWriter(ansi_).writeSetting(p, row);
}

ConfigClip::Pasted ConfigClip::read(std::string_view head, std::string_view text,
                                    std::string_view tail) const {
    std::string bytes(head);
    bytes += text;
    if (!endsLine(text))
        bytes += "\r\n";
    bytes += tail;
    Pasted pasted;
    ReadStatus read = ConfigReader(ansi_).read(bytes, pasted.model);
    if (!read.ok) {
        pasted.status = std::move(read);
        return pasted;
    }
    if (Status format = SaveRules::validateFormat(pasted.model); !format.ok) {
        pasted.status = ReadStatus::failure(format.error);
        return pasted;
    }
    const int headLines = static_cast<int>(std::ranges::count(head, '\n'));
    const int textLines = static_cast<int>(std::ranges::count(bytes, '\n')) - headLines -
                          static_cast<int>(std::ranges::count(tail, '\n'));
    ReadReport& report = pasted.status.report;
    for (const SkippedLine& s : read.report.skipped())
        if (s.line > headLines && s.line <= headLines + textLines)
            report.skip(s.line - headLines, s.text, s.reason, s.kept);
    report.setKeptLines(read.report.keptLines());
    return pasted;
}

void ConfigClip::forgetLines(Pasted& pasted) {
    dropLines(pasted.model.applications);
    dropLines(pasted.model.packages);
}

bool ConfigClip::holdsMore(PackageDesc rest, PackageDesc empty, const Pasted& pasted,
                           const Pasted& none) {
    if (blank(rest.kept) && blank(empty.kept))
        rest.kept = empty.kept = KeptLines();
    return !(rest == empty) || !sameGlobal(pasted.model.global, none.model.global) ||
           !pasted.model.applications.empty();
}

ConfigClip::Pasted ConfigClip::readRecords(std::string_view text, bool applications) const {
    Pasted pasted = read({}, text, {});
    if (!pasted.status.ok)
        return pasted;
    const ConfigModel& m = pasted.model;
    ConfigModel none;
    ConfigReader(ansi_).read({}, none);
    pasted.count = applications ? m.applications.count() : m.packages.count();
    pasted.others = (applications ? !m.packages.empty() : !m.applications.empty()) ||
                    !sameGlobal(m.global, none.global) || m.password != none.password;
    forgetLines(pasted);
    return pasted;
}

ConfigClip::Pasted ConfigClip::readEntries(std::string_view text, const ListRow& row) const {
    Pasted pasted = read(kEntriesHead, text, kEntriesTail);
    if (!pasted.status.ok)
        return pasted;
    ConfigModel& m = pasted.model;
    Pasted none = read(kEntriesHead, {}, kEntriesTail);
    if (m.packages.count() != 1) {
        // The text held package blocks of its own: none of its entries are
        // the pasted list's.
        pasted.others = true;
        forgetLines(pasted);
        return pasted;
    }
    PackageDesc rest = m.packages.at(1);
    ListTable::visit(row, [&](auto member) {
        pasted.count = (rest.*member).count();
        (rest.*member).clear();
    });
    pasted.others = holdsMore(std::move(rest), none.model.packages.at(1), pasted, none);
    forgetLines(pasted);
    return pasted;
}

bool ConfigClip::gives(const Pasted& pasted, const SettingRow& row) {
    if (pasted.model.packages.count() != 1)
        return false;
    const SettingLines<PackageDesc::Key>& lines = pasted.model.packages.at(1).lines;
    return lines[row.packageKey] != 0 || (row.second != nullptr && lines[row.secondKey] != 0);
}

ConfigClip::Pasted ConfigClip::readSettings(std::string_view text, DetailKind node) const {
    Pasted pasted = read(kEntriesHead, text, kEntriesTail);
    if (!pasted.status.ok)
        return pasted;
    if (pasted.model.packages.count() != 1) {
        pasted.others = true;
        forgetLines(pasted);
        return pasted;
    }
    const Pasted none = read(kEntriesHead, {}, kEntriesTail);
    const PackageDesc& empty = none.model.packages.at(1);
    PackageDesc rest = pasted.model.packages.at(1);
    // A setting given at its default value is told by its line alone.
    bool more = false;
    for (const SettingRow& row : SettingTable::kRows) {
        if (!row.inPackageScope() || !gives(pasted, row))
            continue;
        if (!copies(row) || row.packageNode != node) {
            more = true;
            continue;
        }
        ++pasted.count;
        rest.*row.package = empty.*row.package;
        if (row.second != nullptr)
            rest.*row.second = empty.*row.second;
    }
    pasted.others = more || holdsMore(std::move(rest), empty, pasted, none);
    // The setting lines stay: they say which settings the text gave.
    return pasted;
}

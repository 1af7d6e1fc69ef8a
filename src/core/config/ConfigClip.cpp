#include "ConfigClip.h"

#include "ConfigReader.h"
#include "ListTable.h"
#include "SaveRules.h"

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
    dropLines(pasted.model.applications);
    dropLines(pasted.model.packages);
    return pasted;
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
        return pasted;
    }
    PackageDesc rest = m.packages.at(1);
    ListTable::visit(row, [&](auto member) {
        pasted.count = (rest.*member).count();
        (rest.*member).clear();
    });
    PackageDesc& empty = none.model.packages.at(1);
    if (blank(rest.kept) && blank(empty.kept))
        rest.kept = empty.kept = KeptLines();
    pasted.others =
        !(rest == empty) || !sameGlobal(m.global, none.model.global) || !m.applications.empty();
    return pasted;
}

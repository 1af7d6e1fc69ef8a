#include "ConfigDiff.h"

#include "ApplicationTable.h"
#include "ListTable.h"
#include "ScheduleText.h"
#include "SettingTable.h"
#include "text/EntryMatch.h"

#include <string>
#include <string_view>

namespace {

using Kind = Difference::Kind;

// The key of an entry: its whole content, or its first field.
std::string contentOf(const std::string& path) {
    return path;
}
template <typename Entry> std::string contentOf(const Entry& entry) {
    std::string content;
    for (int f = 0; f < Entry::FieldCount; ++f)
        content.append(entry.field(f)).append(1, '\0');
    return content;
}
std::string_view fieldOf(const std::string& path, int) {
    return path;
}
template <typename Entry> std::string_view fieldOf(const Entry& entry, int f) {
    return entry.field(f);
}

std::string quotedName(std::string_view word, const std::string& name) {
    return std::string(word) + " \"" + name + '"';
}

// A value as the row shows it in one line.
std::string valueOf(const SettingRow& row, const PackageDesc& p, int part) {
    std::string value = part == 0 ? p.*row.package : p.*row.second;
    if (row.form == SettingForm::OpenFiles && p.ofHandlerDelay != 0)
        value += ' ' + std::to_string(p.ofHandlerDelay);
    return value;
}

// A default setting as the file gets it: a time window switched off in the
// editor keeps its times, but goes out as midnight.
std::string globalValue(const SettingRow& row, const GlobalSettings& g) {
    const std::string& value = g.*row.global;
    if (row.form != SettingForm::TimeWindow)
        return value;
    return std::string(ScheduleText::jobTimeInFile(g.jobWindow, value));
}

class Comparer {
public:
    explicit Comparer(std::vector<Difference>& out) : out_(out) {}

    void global(const ConfigModel& a, const ConfigModel& b) {
        Difference at = place(DetailKind::DefaultSettings, {}, 0, 0);
        at.path = {std::string(nodeLabel(DetailKind::DefaultSettings))};
        for (std::size_t i = 0; i < SettingTable::kRows.size(); ++i) {
            const SettingRow& row = SettingTable::kRows[i];
            // The password's row shows a mask of the stored form, told below.
            if (row.inGlobalScope() && row.form != SettingForm::Password)
                value(at, rowName(row), globalValue(row, a.global), globalValue(row, b.global),
                      static_cast<int>(i), 0, &row.label);
        }
        // The row shows a mask; the stored form is what differs. Not shown,
        // as output of this kind ends up in logs and tickets.
        if (a.password != b.password) {
            const RowLabel& label = SettingTable::of(GlobalSettings::Key::Password).label;
            value(at, std::string(label.text), a.password.empty() ? "" : "(set)",
                  b.password.empty()   ? ""
                  : a.password.empty() ? "(set)"
                                       : "(another)",
                  -1, 0, &label);
        }
        Difference::compareKept(lines(a.global.kept), lines(b.global.kept), at, out_);
    }

    void applications(const ConfigModel& a, const ConfigModel& b) {
        records(a.applications, b.applications, "application", DetailKind::Application);
    }

    void packages(const ConfigModel& a, const ConfigModel& b) {
        // A package as a whole shows as its settings node.
        records(a.packages, b.packages, "package", DetailKind::Settings);
    }

private:
    static std::string rowName(const SettingRow& row) {
        return std::string(row.label.text.empty() ? row.keyword : row.label.text);
    }

    static Difference place(DetailKind node, std::string record, RecordId from, RecordId to) {
        Difference d;
        d.node = node;
        d.record = std::move(record);
        d.oldRecord = from;
        d.newRecord = to;
        return d;
    }

    void value(const Difference& at, std::string name, const std::string& a, const std::string& b,
               int setting, int part, const RowLabel* row) {
        if (a == b)
            return;
        Difference d = at;
        d.path.push_back(std::move(name));
        d.oldValue = a;
        d.newValue = b;
        d.setting = setting;
        d.part = part;
        d.row = row;
        out_.push_back(std::move(d));
    }

    static std::vector<std::string> lines(const KeptLines& kept) {
        std::vector<std::string> all;
        Difference::addLines(kept, all);
        return all;
    }
    template <typename T>
    static void addKept(const EntryList<T>& list, std::vector<std::string>& all) {
        for (int i = 1; i <= list.count(); ++i)
            Difference::splitLines(list.kept(i), all);
    }

    void body(const ApplicationDesc& a, const ApplicationDesc& b, const Difference& at) {
        for (std::size_t i = 0; i < ApplicationTable::kFields.size(); ++i) {
            const ApplicationTable::Field& f = ApplicationTable::kFields[i];
            value(at, std::string(f.label->text), a.*f.member, b.*f.member, static_cast<int>(i), 0,
                  f.label);
        }
        Difference::compareKept(lines(a.kept), lines(b.kept), at, out_);
    }

    void body(const PackageDesc& a, const PackageDesc& b, const Difference& record) {
        for (std::size_t i = 0; i < SettingTable::kRows.size(); ++i) {
            const SettingRow& row = SettingTable::kRows[i];
            if (!row.inPackageScope())
                continue;
            Difference at = record;
            at.node = row.packageNode;
            at.path = {std::string(nodeLabel(row.packageNode))};
            const int setting = static_cast<int>(i);
            value(at, rowName(row), valueOf(row, a, 0), valueOf(row, b, 0), setting, 0, &row.label);
            if (row.second == nullptr)
                continue;
            // The days have a row of their own; a command file's target side
            // shares its row.
            const bool days = row.secondKey == PackageDesc::Key::Days;
            if (!days)
                at.path.push_back(rowName(row));
            value(at, days ? std::string(RowLabels::kDays.text) : "Target", valueOf(row, a, 1),
                  valueOf(row, b, 1), setting, 1, days ? &RowLabels::kDays : &row.label);
        }
        std::vector<std::string> keptA = lines(a.kept);
        std::vector<std::string> keptB = lines(b.kept);
        for (const ListRow& row : ListTable::packageLists())
            ListTable::visit(row, [&](auto member) {
                Difference at = record;
                at.node = row.node;
                at.path = {std::string(nodeLabel(row.node))};
                entries(a.*member, b.*member, row, at);
                addKept(a.*member, keptA);
                addKept(b.*member, keptB);
            });
        Difference::compareKept(keptA, keptB, record, out_);
    }

    template <typename T>
    void entries(const EntryList<T>& a, const EntryList<T>& b, const ListRow& row,
                 const Difference& at) {
        if (a == b)
            return;
        std::vector<std::string> contentA, contentB;
        for (const T& e : a)
            contentA.push_back(contentOf(e));
        for (const T& e : b)
            contentB.push_back(contentOf(e));
        std::vector<std::string_view> keyA(contentA.begin(), contentA.end());
        std::vector<std::string_view> keyB(contentB.begin(), contentB.end());
        std::vector<std::string_view> nameA, nameB;
        for (const T& e : a)
            nameA.push_back(fieldOf(e, 0));
        for (const T& e : b)
            nameB.push_back(fieldOf(e, 0));
        const EntryMatch match = EntryMatch::match(keyA, keyB, nameA, nameB);
        const auto entryAt = [&](int from, int to) {
            Difference d = at;
            d.path.push_back(entryName(from > 0 ? a.at(from) : b.at(to), from > 0 ? from : to));
            d.oldEntry = from;
            d.newEntry = to;
            return d;
        };
        for (const EntryMatch::Pair& p : match.pairs()) {
            const Difference d = entryAt(p.from, p.to);
            if (p.moved)
                out_.push_back(moved(d, p.from, p.to));
            if (p.same)
                continue;
            for (const ListColumn& column : row.columns)
                value(d, std::string(column.title),
                      std::string(fieldOf(a.at(p.from), column.field)),
                      std::string(fieldOf(b.at(p.to), column.field)), -1, column.field, nullptr);
        }
        for (int from : match.removed())
            out_.push_back(changed(entryAt(from, 0), Kind::Removed, joined(a.at(from), row), {}));
        for (int to : match.added())
            out_.push_back(changed(entryAt(0, to), Kind::Added, {}, joined(b.at(to), row)));
    }

    template <typename T> static std::string entryName(const T& entry, int index) {
        const std::string_view name = fieldOf(entry, 0);
        return name.empty() ? "row " + std::to_string(index) : std::string(name);
    }
    // The fields of an entry after its name, as its row shows them, parted
    // by commas; the empty ones left out.
    template <typename T> static std::string joined(const T& entry, const ListRow& row) {
        std::string text;
        for (const ListColumn& column : row.columns.subspan(1))
            if (const std::string_view field = fieldOf(entry, column.field); !field.empty())
                text.append(text.empty() ? "" : ", ").append(field);
        return text;
    }

    static Difference changed(Difference d, Kind kind, std::string a, std::string b) {
        d.kind = kind;
        d.oldValue = std::move(a);
        d.newValue = std::move(b);
        return d;
    }
    static Difference moved(const Difference& d, int from, int to) {
        return changed(d, Kind::Moved, std::to_string(from), std::to_string(to));
    }

    template <typename Record>
    void records(const EntryList<Record>& a, const EntryList<Record>& b, std::string_view word,
                 DetailKind node) {
        std::vector<std::string_view> nameA, nameB;
        for (const Record& r : a)
            nameA.push_back(r.name);
        for (const Record& r : b)
            nameB.push_back(r.name);
        EntryMatch match = EntryMatch::match(nameA, nameB);
        findRenames(a, b, match);
        for (const EntryMatch::Pair& p : match.pairs()) {
            const Record& x = a.at(p.from);
            const Record& y = b.at(p.to);
            Difference at = place(node, quotedName(word, x.name), x.id, y.id);
            at.oldEntry = p.from;
            at.newEntry = p.to;
            if (!p.same)
                out_.push_back(changed(at, Kind::Renamed, x.name, y.name));
            if (p.moved)
                out_.push_back(moved(at, p.from, p.to));
            body(x, y, at);
        }
        for (int from : match.removed()) {
            Difference at = place(node, quotedName(word, a.at(from).name), a.at(from).id, 0);
            at.oldEntry = from;
            out_.push_back(changed(at, Kind::Removed, {}, {}));
        }
        for (int to : match.added()) {
            Difference at = place(node, quotedName(word, b.at(to).name), 0, b.at(to).id);
            at.newEntry = to;
            out_.push_back(changed(at, Kind::Added, {}, {}));
        }
    }

    // A record one side lacks by name is the other's renamed one when all
    // else is equal. Pairs beyond this many are not tried.
    static constexpr std::size_t kMostTries = 10000;
    template <typename Record>
    static void findRenames(const EntryList<Record>& a, const EntryList<Record>& b,
                            EntryMatch& match) {
        const std::vector<int> removed = match.removed();
        std::vector<int> added = match.added();
        if (removed.empty() || added.empty() || removed.size() * added.size() > kMostTries)
            return;
        for (int from : removed) {
            for (auto to = added.begin(); to != added.end(); ++to) {
                if (!alike(a.at(from), b.at(*to)))
                    continue;
                std::vector<Difference> found;
                Comparer(found).body(a.at(from), b.at(*to), {});
                if (!found.empty())
                    continue;
                match.pair(from, *to);
                added.erase(to);
                break;
            }
        }
    }
    // What two records that differ in their name alone share, told
    // cheaply before the whole records are compared.
    static bool alike(const ApplicationDesc& x, const ApplicationDesc& y) {
        return x.appServer == y.appServer && x.appPath == y.appPath;
    }
    static bool alike(const PackageDesc& x, const PackageDesc& y) {
        bool same = x.source == y.source && x.scheduleWhen == y.scheduleWhen;
        for (const ListRow& row : ListTable::packageLists())
            ListTable::visit(row, [&](auto member) {
                same = same && (x.*member).count() == (y.*member).count();
            });
        return same;
    }

    std::vector<Difference>& out_;
};

} // namespace

std::vector<Difference> ConfigDiff::compare(const ConfigModel& from, const ConfigModel& to,
                                            const ReadReport* fromReport,
                                            const ReadReport* toReport) {
    std::vector<Difference> out;
    Comparer comparer(out);
    comparer.global(from, to);
    comparer.applications(from, to);
    comparer.packages(from, to);
    if (fromReport != nullptr && toReport != nullptr)
        Difference::compareSkipped(*fromReport, *toReport, out);
    return out;
}

#pragma once

#include "ConfigModel.h"
#include "ListRow.h"
#include "SettingRow.h"
#include "io/Progress.h"
#include "text/OemCodePage.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Regenerates a whole .cfg file from a model in the current format: fixed
// comment blocks, the global settings, one block per package, one per
// application. Paths go out in the OEM code page, everything else byte for
// byte; nothing is validated or escaped here. The lines the reader kept go
// out as they were read, each run before its anchor, unless the canonical
// form is asked for.
class ConfigWriter {
public:
    using Form = KeptLines::Form;
    explicit ConfigWriter(const OemCodePage& oem, Form form = Form::Kept)
        : oem_(oem), form_(form) {}

    std::string write(const ConfigModel& model);
    // Writes the same bytes, handing them to `sink` in pieces of about
    // `piece` bytes instead of keeping them all, and counting them on
    // `progress` when given; false when `sink` refused a piece or `progress`
    // stopped the write (nothing more is written after that).
    using Sink = std::function<bool(std::string_view piece)>;
    bool write(const ConfigModel& model, const Sink& sink, std::size_t piece,
               Progress* progress = nullptr);

    // One record's block, its kept lines included, as a whole file holds it.
    std::string writeBlock(const PackageDesc& p);
    std::string writeBlock(const ApplicationDesc& app);
    // The lines of the entries `indexes` (1-based) of the package list `row`
    // shows, each after the lines kept before it.
    template <typename T>
    std::string writeEntries(const ListRow& row, const EntryList<T>& list,
                             const std::vector<int>& indexes) {
        out_.clear();
        for (const int i : indexes)
            if (list.validIndex(i))
                entryLine(row, list, i);
        return std::move(out_);
    }

    // The line, or the SRC and DST lines, of one setting of a package,
    // without the comment block the file puts before it.
    std::string writeSetting(const PackageDesc& p, const SettingRow& row);

private:
    void writeModel(const ConfigModel& model);
    // Hands the buffer to the sink once it holds a piece (or at the end);
    // false once a piece was refused or the write stopped.
    bool flush(bool last = false);
    void writeGlobal(const ConfigModel& model);
    void writePackage(const PackageDesc& p);
    // One setting's line; `second` is the days of a schedule.
    void settingLine(const SettingRow& row, std::string_view indent, std::string_view value,
                     const std::string* second);
    void openFileLine(const SettingRow& row, const PackageDesc& p);
    void commandFileLines(const SettingRow& row, const PackageDesc& p, bool commented = true);
    // The rest of an entry's line after its keyword; `lineStart` is where the
    // line starts in the buffer.
    void writeEntry(const TargetServer& t, std::size_t lineStart);
    void writeEntry(const SyncJob& job, std::size_t lineStart);
    void writeEntry(const std::string& path, std::size_t lineStart);
    template <typename T> void entryLine(const ListRow& row, const EntryList<T>& list, int i) {
        kept(list, i);
        const std::size_t start = out_.size();
        put("  ", row.keyword, " ");
        writeEntry(list.at(i), start);
    }
    void writeApplication(const ApplicationDesc& app);
    void writeNameList(std::string_view list, std::string_view keyword, const KeptLines& lines,
                       ApplicationDesc::Key key);

    // keyword, an optional leading word, then a blank-separated word list
    void wordListLines(std::string_view indent, std::string_view keyword,
                       std::optional<std::string_view> lead, std::string_view list);
    // keyword + blank + value + CR LF
    void line(std::string_view keyword, std::string_view value);
    // keyword + blank + quoted value + CR LF, converted to OEM
    void quotedPathLine(std::string_view keyword, std::string_view value);
    // The parts, a blank and the quoted value, the whole line converted to OEM.
    template <typename... Head> void pathLine(std::string_view value, const Head&... head) {
        const std::size_t start = out_.size();
        put(head..., " \"", value, "\"\r\n");
        convertSince(start);
    }
    void convertSince(std::size_t start);
    // Writes the lines kept before `anchor`, or before entry `index`.
    void kept(const KeptLines& kept, KeptLines::Anchor anchor);
    template <typename Key> void kept(const KeptLines& lines, Key key) {
        kept(lines, KeptLines::of(key));
    }
    template <typename T> void kept(const EntryList<T>& list, int index) {
        if (form_ == Form::Kept)
            put(list.kept(index));
    }
    template <typename... Parts> void put(const Parts&... parts) { (out_.append(parts), ...); }

    const OemCodePage& oem_;
    Form form_;
    std::string out_;
    const Sink* sink_ = nullptr;
    Progress* progress_ = nullptr;
    std::size_t piece_ = 0;
    bool sunk_ = true;
};

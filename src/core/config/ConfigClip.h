#pragma once

#include "ConfigModel.h"
#include "ConfigWriter.h"
#include "ListRow.h"
#include "SettingRow.h"
#include "text/OemCodePage.h"
#include "text/ReadStatus.h"

#include <string>
#include <string_view>
#include <vector>

// What is copied from a configuration travels as the file's own lines: a
// package's or an application's block, or entry lines, as the writer writes
// them with the lines kept before them. Pasted text, copied here or typed in
// any editor, is read back by the reader. Paths stay in Windows-1252, so an
// editor beside shows them as the windows do.
class ConfigClip {
public:
    ConfigClip() : ansi_(OemCodePage::kAnsi) {}

    std::string copy(const PackageDesc& p) const;
    std::string copy(const ApplicationDesc& app) const;
    // Records `indexes` (1-based) of a table, their blocks one after another
    // as the file holds them.
    template <typename Record>
    std::string copy(const EntryList<Record>& records, const std::vector<int>& indexes) const {
        std::string text;
        for (int index : indexes)
            text += copy(records.at(index));
        return text;
    }
    // Entries `indexes` (1-based) of the package list `row` shows.
    template <typename T>
    std::string copy(const ListRow& row, const EntryList<T>& list,
                     const std::vector<int>& indexes) const {
        return ConfigWriter(ansi_).writeEntries(row, list, indexes);
    }

    // The settings a copy takes one at a time: the messages and the command
    // files of a package, plain texts whose lines stand alone.
    static bool copies(const SettingRow& row);
    // One such setting of a package, its comment left in the file.
    std::string copy(const PackageDesc& p, const SettingRow& row) const;

    // Text read for a paste; its records and entries hold no file lines.
    struct Pasted {
        // A failed read, or a text a save would refuse; the report's line
        // numbers count the text's own lines.
        ReadStatus status;
        // Records: the applications or packages read. Entries: one package
        // whose list holds them.
        ConfigModel model;
        // How many of the kind pasted were read.
        int count = 0;
        // The text held lines understood as something else, which a paste
        // leaves out.
        bool others = false;
    };
    Pasted readRecords(std::string_view text, bool applications) const;
    Pasted readEntries(std::string_view text, const ListRow& row) const;
    // The settings `copies` takes that the text gives, as one package's
    // whose setting lines say which were given; `node` is the package node
    // whose rows they must be.
    Pasted readSettings(std::string_view text, DetailKind node) const;
    // Whether the text of `pasted` gave the setting.
    static bool gives(const ConfigClip::Pasted& pasted, const SettingRow& row);

private:
    // Reads `text` between `head` and `tail`, numbering the report's lines
    // from the text's first.
    Pasted read(std::string_view head, std::string_view text, std::string_view tail) const;

    static void forgetLines(Pasted& pasted);
    // Whether the package read holds more than `empty` besides what was
    // taken out of `rest`, or the text more than a package.
    static bool holdsMore(PackageDesc rest, PackageDesc empty, const Pasted& pasted,
                          const Pasted& none);

    OemCodePage ansi_;
};

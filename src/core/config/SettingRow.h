#pragma once

#include "ChoiceKind.h"
#include "GlobalSettings.h"
#include "PackageDesc.h"
#include "ValueRules.h"
#include "text/DetailKind.h"
#include "text/NumberRange.h"
#include "text/RowDialog.h"
#include "text/RowLabel.h"

#include <cstdint>
#include <string>
#include <string_view>

// Where a setting stands: before the packages, inside each package, or in
// both, where a package's empty value leaves the global one in force.
enum class SettingScope : std::uint8_t { Global, Package, Both };

// How a value stands in its line: how the reader takes it and the writer
// puts it.
enum class SettingForm : std::uint8_t {
    Word,
    // Upper-cased when read.
    UpperWord,
    Quoted,
    // Quoted, and in the OEM code page in the file.
    QuotedPath,
    // Words that may come over several lines, joined when read.
    WordList,
    // Lines of their own make.
    Password,     // the stored scrambled form, held beside the settings
    Flag,         // the keyword alone means YES; nothing is written for NO
    TimeWindow,   // written as midnight with a blank while the window is off
    Schedule,     // a start word, then the days (`second`)
    OpenFiles,    // a method, then its delay
    CommandFiles, // SRC or DST, then the path: the source's, or `second`
};

// What a value must be for the checks of a whole file.
enum class ValueKind : std::uint8_t { Text, Number, Choice, Time, VolumePath, EventWords };

// Where a setting's line stands in the written file, in one scope.
struct SettingPlace {
    // The comment block written before the line.
    std::string_view comment = {};
    // An empty line follows it.
    bool blankAfter = false;
};

// One single-value setting of a configuration file, stated once.
struct SettingRow {
    std::string_view keyword = {};
    // The row that shows it; empty for ENDJOB, which the time window's row
    // shows with STARTJOB.
    RowLabel label = {};
    SettingScope scope = SettingScope::Global;
    // The model field and its key in each scope it stands in, and its name
    // in the command-line tool's output.
    std::string GlobalSettings::*global = nullptr;
    GlobalSettings::Key globalKey = GlobalSettings::Key::Count;
    std::string PackageDesc::*package = nullptr;
    PackageDesc::Key packageKey = PackageDesc::Key::Count;
    std::string_view field = {};
    // The days of SCHEDULE, the target side of a command-file pair.
    std::string PackageDesc::*second = nullptr;
    PackageDesc::Key secondKey = PackageDesc::Key::Count;
    std::string_view secondField = {};
    SettingForm form = SettingForm::Word;
    ValueKind value = ValueKind::Text;
    NumberRange range = {};
    ChoiceKind choice = ChoiceNone;
    // What File New gives it (New Package, for a package's own setting);
    // nullptr leaves it as it is.
    const char* newValue = nullptr;
    RowDialog dialog = RowDialog::None;
    SettingPlace inGlobal = {};
    SettingPlace inPackage = {};
    // The editor's row that shows it: its place in the default settings,
    // and the package's node and place there; -1 where it is not shown.
    int globalRow = -1;
    DetailKind packageNode = DetailKind::None;
    int packageRow = -1;
    // The blanks between keyword and value.
    std::string_view gap = " ";
    // A value written as no line at all, comment included.
    std::string_view unwritten = {};

    constexpr bool inGlobalScope() const { return scope != SettingScope::Package; }
    constexpr bool inPackageScope() const { return scope != SettingScope::Global; }
    // What a typed value must be to be written back as typed.
    constexpr ValueRules::Rule rule() const {
        switch (form) {
        case SettingForm::Word:
        case SettingForm::UpperWord:
            return ValueRules::Rule::Word;
        case SettingForm::Quoted:
        case SettingForm::QuotedPath:
            return ValueRules::Rule::Quoted;
        default:
            return ValueRules::Rule::Line;
        }
    }
};

#pragma once

#include "config/ChoiceKind.h"
#include "config/ListColumn.h"
#include "config/ListRow.h"
#include "config/ValueRules.h"
#include "text/DetailKind.h"
#include "text/NumberRange.h"
#include "text/RowDialog.h"
#include "text/RowLabel.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct ApplicationDesc;
struct GlobalSettings;
struct PackageDesc;
class TaskFileModel;

// The record whose fields a node's rows show.
enum class RecordKind { None, Global, Application, Package, TaskFile };

// How a row's value reads when it is not simply its field.
enum class RowText { Field, ScheduleWords, CommandFiles, OpenFiles };

// When a package runs a pair of command files.
enum class NcfMoment { Before, After, Suspended };

// One row of a property list: its label, the field it shows in each record
// that has it, and how it is edited. The label is the caption of its dialog.
// A row that shows a setting takes all of this from the setting's row of the
// core's table.
struct RowSpec {
    const RowLabel* name = nullptr;
    RowDialog dialog = RowDialog::None;
    std::string GlobalSettings::*global = nullptr;
    std::string PackageDesc::*package = nullptr;
    std::string ApplicationDesc::*application = nullptr;
    std::string TaskFileModel::*task = nullptr;
    RowText text = RowText::Field;
    // The second file of a command-file pair, the one run on the targets.
    std::string PackageDesc::*packageTarget = nullptr;
    NcfMoment moment = NcfMoment::Before;
    ChoiceKind choice = ChoiceNone;
    ValueRules::Rule rule = ValueRules::Rule::Line;
    // The text is stored in capitals.
    bool upperCase = false;
    // What a number row takes, for its dialog and the checks.
    const NumberRange* range = nullptr;

    constexpr std::string_view label() const { return name != nullptr ? name->text : ""; }
};

// One kind of node: its label, the list's columns, and its property rows or
// what can be done to its entries.
struct NodeSpec {
    DetailKind kind = DetailKind::None;
    RecordKind record = RecordKind::None;
    std::span<const ListColumn> columns = {};
    std::span<const RowSpec* const> rows = {};
    // Insert and Delete work on its rows.
    bool entries = false;
    // Its rows are reordered by dragging.
    bool draggable = false;
    // The caption of the dialog that edits an entry; the label when empty.
    std::string_view entryCaption = {};
    // The row of a list of the configuration; nullptr for any other node.
    const ListRow* list = nullptr;
};

// Every node and row label the user sees, named once, with what each shows
// and which dialog edits it.
class Catalogue {
public:
    static const NodeSpec& node(DetailKind kind);
    static std::string_view label(DetailKind kind) { return nodeLabel(kind); }
    // The detail nodes of a package, in the tree's order.
    static std::span<const DetailKind> packageChildren();
    // The list row of `node` that shows `row`; -1 when it shows none.
    static int rowIndex(DetailKind node, const RowLabel* row);
    // The command-file row of a moment.
    static const RowSpec& commandFiles(NcfMoment moment);
};

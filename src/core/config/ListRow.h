#pragma once

#include "ListColumn.h"
#include "SyncJob.h"
#include "TargetServer.h"
#include "text/DetailKind.h"
#include "text/EntryList.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

struct PackageDesc;

// The dialog that edits one entry of a list.
enum class EntryDialog : std::uint8_t { RecordName, TargetServer, Path, DirectoryJob, FileJob };

// The list of a package a node shows; none (monostate) for the lists of the
// configuration's own applications and packages.
using ListMember =
    std::variant<std::monostate, EntryList<TargetServer> PackageDesc::*,
                 EntryList<std::string> PackageDesc::*, EntryList<SyncJob> PackageDesc::*>;

// One list node: where its entries live, how the file writes them, what the
// detail list shows of them and how they are edited.
struct ListRow {
    DetailKind node = DetailKind::None;
    // The file keyword of an entry's line; empty for a list of records.
    std::string_view keyword = {};
    // The name of the list's member, as the command line's JSON names it.
    std::string_view name = {};
    ListMember member = {};
    std::span<const ListColumn> columns = {};
    EntryDialog dialog = EntryDialog::RecordName;
    // Its rows are reordered by dragging.
    bool draggable = false;
    // The caption of the dialog that edits an entry; the node's label when
    // empty.
    std::string_view entryCaption = {};
    // The comment block the writer puts before the list's lines.
    std::string_view comment = {};
    // What the entries are, for the message of a list read past capacity.
    std::string_view what = {};

    constexpr bool ofPackage() const { return member.index() != 0; }
    constexpr std::string_view caption() const {
        return entryCaption.empty() ? nodeLabel(node) : entryCaption;
    }
};

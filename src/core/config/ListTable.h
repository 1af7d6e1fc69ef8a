#pragma once

#include "ConfigComments.h"
#include "ListRow.h"
#include "PackageDesc.h"

#include <array>
#include <span>
#include <string_view>
#include <type_traits>

// Every list node of a configuration: the lists of a package in the order a
// file holds them, then the configuration's applications and packages.
class ListTable {
    using T = TargetServer;
    static constexpr std::array<ListColumn, 6> kTargetColumns{
        {{"Target Servers", 100, T::Server},
         {"Volume", 100, T::Volume},
         {"Message", 100, T::Msg},
         {"Bandwidth Limit", 100, T::Bandwidth},
         {"Start", 100, T::Schedule},
         {"Protocol", 100, T::Protocol}}};
    static constexpr std::array<ListColumn, 1> kExcludeColumns{{{"Exclude Directories", 200}}};
    static constexpr std::array<ListColumn, 4> kJobColumns{
        {{"Source Path", 100, SyncJob::SourcePath},
         {"Target Path", 100, SyncJob::TargetPath},
         {"Transfer Mode", 100, SyncJob::TransferMode},
         {"Propagate Deletions", 100, SyncJob::Deletions}}};
    static constexpr std::array<ListColumn, 1> kApplicationsColumns{{{"Applications", 150}}};
    static constexpr std::array<ListColumn, 1> kPackagesColumns{{{"Packages", 150}}};

    using P = PackageDesc;
    using K = DetailKind;
    using C = ConfigComments;
    static constexpr std::size_t kPackageLists = 4;
    static constexpr std::array<ListRow, kPackageLists + 2> kRows{{
        {.node = K::Targets,
         .keyword = "DEST",
         .name = "targets",
         .member = &P::targets,
         .columns = kTargetColumns,
         .dialog = EntryDialog::TargetServer,
         .draggable = true,
         .comment = C::k16019,
         .what = "target servers"},
        {.node = K::Exclude,
         .keyword = "EXCLUDE",
         .name = "excludes",
         .member = &P::excludes,
         .columns = kExcludeColumns,
         .dialog = EntryDialog::Path,
         .comment = C::k16020,
         .what = "excluded paths"},
        {.node = K::Directories,
         .keyword = "SYNCDIR",
         .name = "dirJobs",
         .member = &P::dirJobs,
         .columns = kJobColumns,
         .dialog = EntryDialog::DirectoryJob,
         .draggable = true,
         .comment = C::k16021,
         .what = "directory jobs"},
        {.node = K::Files,
         .keyword = "SYNCFILE",
         .name = "fileJobs",
         .member = &P::fileJobs,
         .columns = kJobColumns,
         .dialog = EntryDialog::FileJob,
         .draggable = true,
         .what = "file jobs"},
        {.node = K::Applications,
         .columns = kApplicationsColumns,
         .draggable = true,
         .entryCaption = "Application"},
        {.node = K::Packages,
         .columns = kPackagesColumns,
         .draggable = true,
         .entryCaption = "Name"},
    }};

public:
    static constexpr std::span<const ListRow> rows() { return kRows; }
    // The lists of a package, in the order a file writes them.
    static constexpr std::span<const ListRow> packageLists() {
        return std::span(kRows).first(kPackageLists);
    }
    // The row of a list node; nullptr for any other node.
    static constexpr const ListRow* row(DetailKind node) {
        for (const ListRow& r : kRows)
            if (r.node == node)
                return &r;
        return nullptr;
    }
    // The package list whose lines start with `keyword`; nullptr for none.
    static const ListRow* byKeyword(std::string_view keyword);

    // Calls `work` with the member of the package's list a row shows; false
    // when it shows none.
    template <typename Work> static bool visit(const ListRow& row, Work&& work) {
        return std::visit(
            [&](auto member) {
                if constexpr (std::is_same_v<decltype(member), std::monostate>) {
                    return false;
                } else {
                    work(member);
                    return true;
                }
            },
            row.member);
    }
    // Calls `work` with each list of a package, in file order.
    template <typename Package, typename Work> static void forEach(Package& p, Work&& work) {
        for (const ListRow& row : packageLists())
            visit(row, [&](auto member) { work(row, p.*member); });
    }
};

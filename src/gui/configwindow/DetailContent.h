#pragma once

#include "framework/Catalogue.h"

#include <string>
#include <string_view>
#include <vector>

class ConfigModel;
class TargetServer;
struct PackageDesc;

struct DetailColumn {
    std::string title;
    int width = 0;

    bool operator==(const DetailColumn& other) const = default;
};

// What the detail list shows for one tree node: its columns, then its rows,
// each row's cells from column 0 on. Texts are the model's bytes unchanged.
struct DetailTable {
    std::vector<DetailColumn> columns;
    std::vector<std::vector<std::string>> rows;
};

// The columns and cell texts of the detail list, computed from the model so
// that every rebuild and every patched row show the same thing.
class DetailContent {
public:
    // packageIndex is the 1-based index of the package owning a package child
    // node, applicationIndex that of an application node; 0 (or any index the
    // model does not hold) gives the node's columns without rows. A node the
    // list does not show, a package node among them, gives an empty table.
    static DetailTable build(const ConfigModel& model, DetailKind kind, int packageIndex,
                             int applicationIndex);

    // The cells of row `row` (0-based) of that table, for patching one row
    // after an edit; empty when the table has no such row.
    static std::vector<std::string> rowCells(const ConfigModel& model, DetailKind kind,
                                             int packageIndex, int applicationIndex, int row);

    // The value a property row shows for a package.
    static std::string packageText(const RowSpec& row, const PackageDesc& p);
    // "Source: PRE.NCF, Target: PRED.NCF" from the last path components.
    static std::string ncfSummary(std::string_view src, std::string_view dst);
    // "ALERT 60"; OFF and SKIP carry no delay.
    static std::string openFileText(const PackageDesc& p);
    // The schedule text a target runs on: its own word, else the package's.
    static std::string targetStartText(const TargetServer& t, const PackageDesc& p);
};

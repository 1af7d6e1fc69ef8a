#include "ConfigComments.h"

#include "SettingTable.h"
#include "text/CommentLines.h"

#include <vector>

namespace {

// Every block in the order the writer writes them: the settings' own from
// their table, then those of the lists and the applications.
std::vector<std::string_view> writersBlocks() {
    using C = ConfigComments;
    std::vector<std::string_view> blocks{C::kHeader};
    for (const SettingRow& row : SettingTable::kRows)
        if (row.inGlobalScope())
            blocks.push_back(row.inGlobal.comment);
    for (const SettingRow& row : SettingTable::kRows)
        if (row.inPackageScope())
            blocks.push_back(row.inPackage.comment);
    blocks.insert(blocks.end(), {C::k16019, C::k16020, C::k16021, C::k16022, C::k16023});
    return blocks;
}

} // namespace

bool ConfigComments::isWritersOwn(std::string_view line, std::size_t& next) {
    static const CommentLines kLines(writersBlocks());
    return kLines.contains(line, next);
}

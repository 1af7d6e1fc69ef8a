#include "ListTable.h"

namespace {

// Each list node has one row, and a list of a package has a keyword to be
// read and written by.
constexpr bool oneRowPerNode() {
    for (const ListRow& row : ListTable::rows())
        if (ListTable::row(row.node) != &row || row.ofPackage() == row.keyword.empty())
            return false;
    return true;
}
static_assert(oneRowPerNode());

} // namespace

const ListRow* ListTable::byKeyword(std::string_view keyword) {
    for (const ListRow& r : packageLists())
        if (r.keyword == keyword)
            return &r;
    return nullptr;
}

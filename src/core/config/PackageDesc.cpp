#include "PackageDesc.h"

#include "ListTable.h"
#include "SettingTable.h"

#include <utility>

PackageDesc PackageDesc::fromFile(std::string name) {
    PackageDesc p;
    p.name = std::move(name);
    p.syncMode = "OVERWRITE";
    p.preStat = "NO";
    p.protocol = "(default)";
    p.transferOwner = "NO";
    p.transferTrustee = "NO";
    p.skipReadOnly = "NO";
    return p;
}

PackageDesc PackageDesc::fromEditor(std::string name, const GlobalSettings& global) {
    PackageDesc p;
    p.name = std::move(name);
    for (const SettingRow& row : SettingTable::kRows) {
        if (row.scope == SettingScope::Both)
            p.*row.package = global.*row.global;
        else if (row.scope == SettingScope::Package && row.newValue != nullptr)
            p.*row.package = row.newValue;
    }
    p.scheduleDays = "SUN MON TUE WED THU FRI SAT";
    return p;
}

void PackageDesc::takeLines(const PackageDesc* written) {
    lines = written != nullptr ? written->lines : SettingLines<Key>();
    for (const ListRow& row : ListTable::packageLists())
        ListTable::visit(row, [&](auto member) {
            if (written != nullptr)
                (this->*member).copyLines(written->*member);
            else
                (this->*member).clearLines();
        });
}

void PackageDesc::dropLists() {
    targets = {};
    excludes = {};
    dirJobs = {};
    fileJobs = {};
}

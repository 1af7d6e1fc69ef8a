#include "PackageDesc.h"

#include "ListTable.h"

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
    p.scheduleWhen = "00:00";
    p.scheduleDays = "SUN MON TUE WED THU FRI SAT";
    p.syncMode = global.syncMode;
    p.transferIrm = global.transferIrm;
    p.preStat = "NO";
    p.protocol = "(default)";
    p.transferOwner = global.transferOwner;
    p.transferTrustee = global.transferTrustee;
    p.skipReadOnly = global.skipReadOnly;
    p.transferAttrs = global.transferAttrs;
    p.logEvent = global.logEvent;
    p.logMethod = "THREAD";
    p.ofHandler = "OFF";
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

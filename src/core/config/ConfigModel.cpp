#include "ConfigModel.h"

#include "SettingTable.h"

#include <utility>

namespace {

void setCommonDefaults(GlobalSettings& g) {
    for (const SettingRow& row : SettingTable::kRows)
        if (row.inGlobalScope() && row.newValue != nullptr)
            g.*row.global = row.newValue;
    g.jobWindow = "DISABLED";
}

template <typename Record> int indexOf(const EntryList<Record>& list, RecordId id) {
    // The last match wins, as when records shared a handle.
    for (int i = list.count(); i >= 1; --i)
        if (list.at(i).id == id)
            return i;
    return 0;
}

} // namespace

void ConfigModel::resetToNew() {
    *this = ConfigModel();
    setCommonDefaults(global);
}

void ConfigModel::resetForRead() {
    lastId_ = 0;
    applications.clear();
    packages.clear();
    newerVersion = false;
    skippedDestLines = 0;
    skippedDestVersion.clear();
    setCommonDefaults(global);
    // A file without LOGEVENT logs no events.
    global.logEvent.clear();
    global.lines.clear();
    global.kept = KeptLines();
}

ApplicationDesc* ConfigModel::addApplication(std::string name) {
    ApplicationDesc app;
    app.name = std::move(name);
    return appendApplication(std::move(app));
}

PackageDesc* ConfigModel::addPackage(std::string name) {
    return appendPackage(PackageDesc::fromEditor(std::move(name), global));
}

template <typename Record>
Record* ConfigModel::appendWithId(EntryList<Record>& table, Record record, std::uint32_t line) {
    record.id = lastId_ + 1;
    if (!table.append(std::move(record), line))
        return nullptr;
    ++lastId_;
    return &table.last();
}

ApplicationDesc* ConfigModel::appendApplication(ApplicationDesc application, std::uint32_t line) {
    return appendWithId(applications, std::move(application), line);
}

PackageDesc* ConfigModel::appendPackage(PackageDesc package, std::uint32_t line) {
    return appendWithId(packages, std::move(package), line);
}

void ConfigModel::takeLines(const ConfigModel& written) {
    global.lines = written.global.lines;
    packages.copyLines(written.packages);
    applications.copyLines(written.applications);
    const bool samePackages = written.packages.count() == packages.count();
    for (int i = 1; i <= packages.count(); ++i)
        packages.at(i).takeLines(samePackages ? &written.packages.at(i) : nullptr);
    const bool sameApplications = written.applications.count() == applications.count();
    for (int i = 1; i <= applications.count(); ++i)
        applications.at(i).takeLines(sameApplications ? &written.applications.at(i) : nullptr);
}

int ConfigModel::applicationIndex(RecordId id) const {
    return indexOf(applications, id);
}

int ConfigModel::packageIndex(RecordId id) const {
    return indexOf(packages, id);
}

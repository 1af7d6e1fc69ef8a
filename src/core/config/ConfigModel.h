#pragma once

#include "ApplicationDesc.h"
#include "GlobalSettings.h"
#include "PackageDesc.h"
#include "text/EntryList.h"
#include "text/RecordId.h"

#include <cstdint>
#include <string>

// The whole content of one configuration file, plus what the reader noticed
// about the file that matters when saving it again.
class ConfigModel {
public:
    // Set when a PWD line was read under a VERSION above the current format;
    // such a file's DEST lines were not read.
    bool newerVersion = false;
    GlobalSettings global;
    EntryList<ApplicationDesc> applications;
    EntryList<PackageDesc> packages;
    // The scrambled, stored form; the plain password is never held.
    std::string password;

    // DEST lines the reader passed over because the VERSION in force was not
    // one it knows, and that VERSION. Saving would lose those lines.
    int skippedDestLines = 0;
    std::string skippedDestVersion;

    // The values of File New.
    void resetToNew();
    // The values in force before the first line of a file is read.
    void resetForRead();

    // Append a record with a fresh id; nullptr when the table is full.
    ApplicationDesc* addApplication(std::string name);
    PackageDesc* addPackage(std::string name);
    // `line`: the file line the record was read from, 0 for none.
    PackageDesc* appendPackage(PackageDesc package, std::uint32_t line = 0);
    ApplicationDesc* appendApplication(ApplicationDesc application, std::uint32_t line = 0);

    // Takes every line number from a read of this model as it was just
    // written, so that problems point into the file on disk.
    void takeLines(const ConfigModel& written);

    // 1-based index of the record with that id, 0 when none has it.
    int applicationIndex(RecordId id) const;
    int packageIndex(RecordId id) const;

    // Content equality: ids and the reader's notes take part too, so two reads
    // of the same file compare equal.
    bool operator==(const ConfigModel& other) const = default;

private:
    template <typename Record>
    Record* appendWithId(EntryList<Record>& table, Record record, std::uint32_t line);

    RecordId lastId_ = 0;
};

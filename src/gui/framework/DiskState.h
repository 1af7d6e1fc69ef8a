#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <filesystem>

// A file's modification time and size as last seen, to notice another writer.
// Looked up through the path's bytes (LocalPath), so any file name works.
class DiskState {
public:
    static DiskState of(const QString& path);

    bool exists() const { return size_ >= 0; }
    // -1 where the file could not be looked up.
    std::int64_t size() const { return size_; }
    QDateTime modified() const;
    bool operator==(const DiskState&) const = default;

private:
    std::filesystem::file_time_type time_{};
    std::int64_t size_ = -1;
};

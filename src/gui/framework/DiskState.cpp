#include "DiskState.h"

#include "LocalPath.h"

#include <chrono>

DiskState DiskState::of(const QString& path) {
    namespace fs = std::filesystem;
    DiskState state;
    std::error_code error;
    const fs::path file(LocalPath::toBytes(path));
    const fs::file_time_type time = fs::last_write_time(file, error);
    if (error)
        return state;
    const std::uintmax_t size = fs::file_size(file, error);
    if (error)
        return state;
    state.time_ = time;
    state.size_ = static_cast<std::int64_t>(size);
    return state;
}

QDateTime DiskState::modified() const {
    if (!exists())
        return {};
    const auto time = std::chrono::file_clock::to_sys(time_);
    return QDateTime::fromMSecsSinceEpoch(
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count());
}

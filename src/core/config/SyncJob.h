#pragma once

#include "PackedFields.h"

#include <cstddef>
#include <string_view>

// One SYNCDIR or SYNCFILE line: what to copy from the source server to the
// targets, and how.
class SyncJob {
public:
    enum Field { SourcePath, TargetPath, TransferMode, Deletions, FieldCount };

    SyncJob() = default;
    SyncJob(std::string_view sourcePath, std::string_view targetPath, std::string_view transferMode,
            std::string_view deletions) {
        fields_.assign({sourcePath, targetPath, transferMode, deletions});
    }

    std::string_view sourcePath() const { return fields_.get(SourcePath); }
    std::string_view targetPath() const { return fields_.get(TargetPath); }
    std::string_view transferMode() const { return fields_.get(TransferMode); }
    std::string_view deletions() const { return fields_.get(Deletions); }

    void setSourcePath(std::string_view v) { fields_.set(SourcePath, v); }
    void setTargetPath(std::string_view v) { fields_.set(TargetPath, v); }
    void setTransferMode(std::string_view v) { fields_.set(TransferMode, v); }
    void setDeletions(std::string_view v) { fields_.set(Deletions, v); }

    // A field by its number, as the columns of the list name it.
    std::string_view field(int f) const { return fields_.get(static_cast<std::size_t>(f)); }
    void setField(int f, std::string_view v) { fields_.set(static_cast<std::size_t>(f), v); }

    bool operator==(const SyncJob& other) const = default;

private:
    PackedFields<FieldCount> fields_;
};

using SyncDirJob = SyncJob;
using SyncFileJob = SyncJob;

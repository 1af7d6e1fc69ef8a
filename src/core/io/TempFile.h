#pragma once

#include <string>
#include <string_view>

// A temporary file of a save, beside the file it is for: ".pallworth-" and a
// hash of that file's name, so the name stays short however long the target's
// is. It is created 0600 and locked for as long as it lives, which tells a
// leftover of a killed save from a save in progress; it is removed when
// destroyed unless kept.
class TempFile {
public:
    // A backup holds the old content while a file is written in place; once
    // it is whole and marked (StoppedSave) only a judge of the file removes it.
    enum class Role { Temporary, Backup };

    TempFile(const std::string& folder, const std::string& targetName, Role role = Role::Temporary);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    // errno of a failed creation.
    int error() const { return error_; }
    const std::string& path() const { return path_; }
    // The file has become someone else's (renamed over the target, or kept
    // as a backup) and is no longer removed.
    void keep() { keep_ = true; }

    // Renames the file, which stays locked; false with errno.
    bool moveTo(const std::string& path);

    // Removes the temporary files of targetName left by saves that are over.
    static void removeStale(const std::string& folder, const std::string& targetName);
    // The names of targetName's files of a role start with the prefix and
    // the random part that follows it.
    static std::string prefix(const std::string& targetName, Role role);
    // Every name starts ".pallworth-"; a backup's goes on "backup-".
    static constexpr std::string_view kStart = ".pallworth-";
    static constexpr std::string_view kBackupWord = "backup-";
    static constexpr std::size_t kRandomPart = 6; // the XXXXXX of mkostemp
    // Opens a leftover file no save holds and locks it; -1 when it is held,
    // gone or no regular file.
    static int openLeftover(const std::string& path);

private:
    bool create(const std::string& pattern);

    std::string path_;
    int fd_ = -1;
    int error_ = 0;
    bool keep_ = false;
};

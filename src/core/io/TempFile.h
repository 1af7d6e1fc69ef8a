#pragma once

#include <string>

// A temporary file of a save, beside the file it is for: ".pallworth-" and a
// hash of that file's name, so the name stays short however long the target's
// is. It is created 0600 and locked for as long as it lives, which tells a
// leftover of a killed save from a save in progress; it is removed when
// destroyed unless kept.
class TempFile {
public:
    // A backup holds the old content while a file is written in place; if
    // that save is killed it is the only whole copy, so no later save removes
    // it.
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

    // Removes the temporary files of targetName left by saves that are over.
    static void removeStale(const std::string& folder, const std::string& targetName);

private:
    static std::string prefix(const std::string& targetName, Role role);
    bool create(const std::string& pattern);

    std::string path_;
    int fd_ = -1;
    int error_ = 0;
    bool keep_ = false;
};

#pragma once

#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

// What a file carries besides its bytes: owner, group, permission bits and
// extended attributes (the ACLs among them), read from one file and given to
// the new file that replaces it.
class FileAttributes {
public:
    // False when they cannot be read.
    bool readFrom(const std::string& path);
    // False when one of them cannot be given, such as another owner to a file
    // of an ordinary user.
    bool applyTo(int fd) const;

private:
    uid_t owner_ = 0;
    gid_t group_ = 0;
    mode_t mode_ = 0;
    std::vector<std::pair<std::string, std::string>> extended_;
};

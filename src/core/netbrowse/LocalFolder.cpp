#include "LocalFolder.h"

#include <filesystem>

namespace fs = std::filesystem;

bool LocalFolder::read(const std::string& folder, bool withFiles, std::vector<Entry>& entries) {
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error)
        return false;
    for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().native();
        std::error_code kind;
        const bool isFolder = it->is_directory(kind);
        if (name.front() != '.' && (isFolder || withFiles))
            entries.push_back({std::move(name), isFolder});
    }
    return true;
}

#pragma once

#include <string>
#include <utility>

// The one way the core reports an operation that can fail: ok, or not with
// a message for the user. Nothing in the core throws.
struct [[nodiscard]] Status {
    // What a failure left behind, where the caller tells the user more than
    // the message: a failed save whose old content could not be put back into
    // the file is kept beside it.
    enum class Kind { Plain, OldContentKept };

    bool ok = true;
    std::string error;
    Kind kind = Kind::Plain;

    static Status failure(std::string message, Kind kind = Kind::Plain) {
        return {false, std::move(message), kind};
    }
};

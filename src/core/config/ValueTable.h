#pragma once

#include "text/NumberRange.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The ranges and keyword choices of what is no single setting of a
// configuration (list entries), held once for the dialogs and
// for the checks of a whole file.
class ValueTable {
public:
    static constexpr std::int32_t kBandwidthLimit = 1000000;
    static constexpr std::int32_t kOpenFileDelayLimit = 600;

    static constexpr std::array<std::string_view, 5> kOpenFileMethods = {"OFF", "SKIP", "ALERT",
                                                                         "CLEAR", "DISABLECLEAR"};
    // ALERT and the methods after it wait before acting.
    static constexpr std::size_t kFirstDelayedMethod = 2;
    static constexpr std::array<std::string_view, 2> kCopyModes = {"ALL", "NEW"};
    static constexpr std::array<std::string_view, 2> kDeletions = {"DEL", "NODEL"};
    static constexpr std::array<std::string_view, 2> kMessageFlags = {"ON", "OFF"};
    // The event types a log may record, in the order a list of them is built.
    static constexpr std::array<std::string_view, 4> kLogEvents = {"COPIED", "IDENTICAL", "SKIPPED",
                                                                   "DELETED"};

    static bool offers(std::span<const std::string_view> words, std::string_view word);
};

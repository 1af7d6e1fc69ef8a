#pragma once

#include <cstddef>
#include <string_view>

// The fixed comment blocks of a written .cfg file, by their string-table id,
// and the few comment lines the writer writes from its own copies.
class ConfigComments {
public:
    static constexpr std::string_view kHeader = "# Sync.cfg file\r\n"
                                                "# (Lines starting with # or ; are comments)\r\n";
    static constexpr std::string_view kProtocol =
        "# Transport protocol to use below NCP\r\n"
        "# Possible values: TCP, UDP or IPX\r\n"
        "# Comment out this keyword to let the OS decide\r\n";
    static constexpr std::string_view kPreStat = "# Scan directories in advance\r\n"
                                                 "# Possible values: YES or NO\r\n"
                                                 "# Default: NO\r\n";
    static constexpr std::string_view kLogMethod = "# Log method ... based on THREAD or SERVER\r\n";

    // Whether a comment line (leading blanks removed) is one the writer
    // writes itself, so that reading it back loses nothing. `next` is the
    // reader's place in the writer's order, 0 at the start of a file.
    static bool isWritersOwn(std::string_view line, std::size_t& next);

    static constexpr std::string_view k16001 =
        "# Login user/password\r\n"
        "# Must have enough rights to source and destination directories,\r\n"
        "# and must have console operator rights for the target servers\r\n"
        "#\r\n"
        "# All servers must belong to a single Corvane tree\r\n";
    static constexpr std::string_view k16002 =
        "\r\n"
        "# Maximum number of threads that can be allocated\r\n"
        "# Possible values: 1 to 100\r\n";
    static constexpr std::string_view k16003 = "\r\n"
                                               "# Namespace to operate on\r\n"
                                               "# Possible values: DOS LONG\r\n";
    static constexpr std::string_view k16004 = "\r\n"
                                               "# Seconds to wait before retrying failed jobs\r\n"
                                               "# Possible values: 60 to 14400\r\n";
    static constexpr std::string_view k16005 = "\r\n"
                                               "# Transfer IRM (Inherited Rights Mask) or not\r\n"
                                               "# Possible values: YES or NO\r\n";
    static constexpr std::string_view k16006 = "\r\n"
                                               "# Transfer file/dir attributes or not\r\n"
                                               "# Possible values: YES or NO\r\n";
    static constexpr std::string_view k16007 =
        "\r\n"
        "# Sync method to be used\r\n"
        "# Possible values:\r\n"
        "#   OVERWRITE ... truncates the file, then overwrites it\r\n"
        "#   REPLACE   ... copy into a tmp file then replace\r\n"
        "#                 (requires LONG namespace)\r\n";
    static constexpr std::string_view k16008 = "\r\n"
                                               "# Interval to execute packages/jobs within\r\n";
    static constexpr std::string_view k16009 = "\r\n"
                                               "# Directory where log files should be created\r\n"
                                               "# (requires LONG namespace)\r\n"
                                               "# Don't forget the trailing backslash!\r\n";
    static constexpr std::string_view k16010 =
        "\r\n"
        "# Event types to be logged\r\n"
        "# Possible values: COPIED IDENTICAL SKIPPED DELETED\r\n";
    static constexpr std::string_view k16011 = "\r\n"
                                               "# Console display format, SERVER or THREAD\r\n";
    static constexpr std::string_view k16012 = "\r\n"
                                               "# Max. size of a debug log file in KBytes\r\n"
                                               "# (reaching the limit will cause truncation)\r\n"
                                               "# Valid range: 32 ... 32768 (32k - 32M)\r\n"
                                               "# Default: 256k\r\n";
    static constexpr std::string_view k16013 = "\r\n"
                                               "# Max. size of an individual log file in KBytes\r\n"
                                               "# (reaching the limit will cause truncation)\r\n"
                                               "# Valid range: 32 ... 32768 (32k - 32M)\r\n"
                                               "# Default: 256k\r\n";
    static constexpr std::string_view k16014 =
        "# Same settings as above, but has effect on this package only\r\n";
    static constexpr std::string_view k16016 =
        "# Open file handling methods:\r\n"
        "#  - Skip open files\r\n"
        "# OFHANDLER OFF\r\n"
        "# OFHANDLER SKIP\r\n"
        "#  - Wait 60 seconds after PREMSG to allow time for users to save and quit their work\r\n"
        "#    skip files still open\r\n"
        "# OFHANDLER ALERT 60\r\n"
        "#  - same as before ... will also clear those connections still holding open files\r\n"
        "# OFHANDLER CLEAR 60\r\n"
        "#  - same as before ... will also disable login before clearing connections\r\n"
        "#    to prevent client auto reconnect\r\n"
        "# OFHANDLER DISABLECLEAR 60\r\n";
    static constexpr std::string_view k16017 = "# Broadcast messages to send\r\n";
    static constexpr std::string_view k16018 = "# Source server\r\n";
    static constexpr std::string_view k16019 = "# Destination server, volume, msg on/off, "
                                               "bandwidth limit and an optional schedule time\r\n";
    static constexpr std::string_view k16020 =
        "# Paths to exclude ... no wildcards are allowed\r\n";
    static constexpr std::string_view k16021 = "# Actual directories and files to copy\r\n";
    static constexpr std::string_view k16022 = "# Application's server and path\r\n";
    static constexpr std::string_view k16023 =
        "# Packages and servers where application can be distributed\r\n";
    static constexpr std::string_view k16024 = "\r\n"
                                               "# Transfer file owner or not\r\n"
                                               "# Possible values: YES or NO\r\n";
    static constexpr std::string_view k16025 = "\r\n"
                                               "# Transfer file/dir trustee rights or not\r\n"
                                               "# Possible values: YES or NO\r\n";
    static constexpr std::string_view k16026 =
        "\r\n"
        "# Skip read-only files, or reset their attribute\r\n"
        "# and proceed as otherwise\r\n"
        "# Possible values: YES or NO\r\n";
    static constexpr std::string_view k16027 =
        "# Name/path of an NCF file to be executed before this package's jobs\r\n";
    static constexpr std::string_view k16028 =
        "# Name/path of an NCF file to be executed after this package's jobs\r\n";
    static constexpr std::string_view k16029 =
        "# Name/path of an NCF file to be executed when execution reaches time limit\r\n";
};

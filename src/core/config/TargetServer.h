#pragma once

#include "PackedFields.h"

#include <cstddef>
#include <string>
#include <string_view>

// One DEST line of a package: a destination server and how to reach it.
class TargetServer {
public:
    enum Field { Server, Volume, Msg, Schedule, Bandwidth, Protocol, FieldCount };

    TargetServer() = default;
    TargetServer(std::string_view server, std::string_view volume, std::string_view msg,
                 std::string_view schedule, std::string_view bandwidth, std::string_view protocol) {
        fields_.assign({server, volume, msg, schedule, bandwidth, protocol});
    }

    std::string_view server() const { return fields_.get(Server); }
    std::string_view volume() const { return fields_.get(Volume); }
    std::string_view msg() const { return fields_.get(Msg); }
    std::string_view schedule() const { return fields_.get(Schedule); }
    std::string_view bandwidth() const { return fields_.get(Bandwidth); }
    std::string_view protocol() const { return fields_.get(Protocol); }

    void setServer(std::string_view v) { fields_.set(Server, v); }
    void setVolume(std::string_view v) { fields_.set(Volume, v); }
    void setMsg(std::string_view v) { fields_.set(Msg, v); }
    void setSchedule(std::string_view v) { fields_.set(Schedule, v); }
    void setBandwidth(std::string_view v) { fields_.set(Bandwidth, v); }
    void setProtocol(std::string_view v) { fields_.set(Protocol, v); }

    // The protocol words a DEST line can hold before its schedule.
    static bool isProtocolWord(std::string_view w) {
        return w == "TCP" || w == "UDP" || w == "IPX";
    }

    // A field by its number, as the columns of the list name it.
    std::string_view field(int f) const { return fields_.get(static_cast<std::size_t>(f)); }
    void setField(int f, std::string_view v) { fields_.set(static_cast<std::size_t>(f), v); }

    bool operator==(const TargetServer& other) const = default;

private:
    PackedFields<FieldCount> fields_;
};

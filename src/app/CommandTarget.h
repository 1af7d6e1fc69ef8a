#pragma once

// A window content that handles menu commands of its own (by command id)
// while its frame is active.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual bool handlesCommand(int id) const = 0;
    virtual void runCommand(int id) = 0;
};

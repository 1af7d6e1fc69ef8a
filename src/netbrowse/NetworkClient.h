#pragma once

// The workstation's network client: what the editor needs from it to turn a
// picked folder into a server, a volume and a path. The application brings it
// up at start and down at exit.
class NetworkClient {
public:
    virtual ~NetworkClient() = default;

    // Start-up; the editor ignores the status (0 is success).
    virtual int initialize() = 0;
    virtual void shutdown() = 0;
};

#include "WorkstationClient.h"

#include <cstdio>
#include <utility>

WorkstationClient::WorkstationClient(std::string mountTablePath)
    : mountTablePath_(std::move(mountTablePath)) {}

int WorkstationClient::initialize() {
    std::FILE* table = std::fopen(mountTablePath_.c_str(), "r");
    if (table == nullptr)
        return -1;
    std::fclose(table);
    running_ = true;
    return 0;
}

void WorkstationClient::shutdown() {
    running_ = false;
}

#include "NetworkClient.h"

namespace {
constexpr int NotAvailable = -1;
} // namespace

bool NetworkClient::isRemoteDrive(const std::string&) {
    return false;
}

int NetworkClient::resolveRemotePath(const std::string&, RemotePath&) {
    return NotAvailable;
}

int NetworkClient::scanConnections(std::uint32_t&, std::uint32_t&) {
    return NotAvailable;
}

int NetworkClient::connectionTreeName(std::uint32_t, std::string&) {
    return NotAvailable;
}

int NetworkClient::listObjects(const std::string&, const std::string&, Iteration&,
                               std::vector<DirectoryObject>&) {
    return NotAvailable;
}

int NetworkClient::readAttribute(const std::string&, const std::string&, const std::string&,
                                 Iteration&, std::vector<AttributeValue>&) {
    return NotAvailable;
}

void NetworkClient::endIteration(const std::string&, Iteration) {}

std::vector<std::string> NetworkClient::servers() {
    return {};
}

std::vector<std::string> NetworkClient::volumes(const std::string&) {
    return {};
}

int NetworkClient::listFolder(const std::string&, const std::string&, const std::string&, bool,
                              std::vector<FolderEntry>&) {
    return NotAvailable;
}

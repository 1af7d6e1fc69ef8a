#include "NetworkClient.h"

namespace {

Status notAvailable() {
    return Status::failure("The workstation has no network client.");
}

} // namespace

Status NetworkClient::ready() {
    return {};
}

bool NetworkClient::isRemoteDrive(const std::string&) {
    return false;
}

Status NetworkClient::resolveRemotePath(const std::string&, RemotePath&) {
    return notAvailable();
}

Status NetworkClient::scanConnections(std::uint32_t&, std::uint32_t&) {
    return notAvailable();
}

Status NetworkClient::connectionTreeName(std::uint32_t, std::string&) {
    return notAvailable();
}

Status NetworkClient::listObjects(const std::string&, const std::string&, Iteration&,
                                  std::vector<DirectoryObject>&) {
    return notAvailable();
}

Status NetworkClient::readAttribute(const std::string&, const std::string&, const std::string&,
                                    Iteration&, std::vector<AttributeValue>&) {
    return notAvailable();
}

void NetworkClient::endIteration(const std::string&, Iteration) {}

std::vector<std::string> NetworkClient::servers() {
    return {};
}

std::vector<std::string> NetworkClient::volumes(const std::string&) {
    return {};
}

Status NetworkClient::listFolder(const std::string&, const std::string&, const std::string&, bool,
                                 std::vector<FolderEntry>&) {
    return notAvailable();
}

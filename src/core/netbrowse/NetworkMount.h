#pragma once

#include "MountTable.h"
#include "NetworkClient.h"

#include <string>
#include <vector>

// Where a folder on a network mount lies on its server. Understood are SMB
// shares (cifs, smb3, smbfs: //host/share[/path]), NFS exports and sshfs
// (host:/path, user@host:path), the desktop's user-space mounts (one folder
// per location below the mount point, such as
// smb-share:server=host,share=name, nfs:host=host,prefix=/export,
// afp-volume:host=host,volume=name or sftp:host=host, values %-escaped) and
// smbnetfs (host and
// share as the first two folders). The server is the host. The volume is the
// share's name; an export or remote folder is named by its last component,
// and where the mount names no share (an export of "/", an sftp location)
// the first folder inside it is the volume. Also understood: WebDAV mounted
// by URL (davfs2), kio-fuse (protocol, host, path as folders), glusterfs
// and ceph (host:/path, the first monitor as server); 9p and ceph-fuse are
// network mounts that name no server.
class NetworkMount {
public:
    static bool isNetwork(const MountTable::Entry& mount);
    // Whether the places of a network mount can be listed: its folders name
    // them, or its device names the server.
    static bool canList(const MountTable::Entry& mount);

    // The place `below` (components under the mount point): its server, its
    // volume and its directory, "\" for the volume itself, else "\A\B".
    // False when the mount is not a network one or the place lies above
    // every volume. Texts are as the mount table has them.
    static bool locate(const MountTable::Entry& mount, const std::vector<std::string>& below,
                       NetworkClient::RemotePath& location);
    // The same as the server and the components of the path there, the
    // first one being the volume.
    static bool locate(const MountTable::Entry& mount, const std::vector<std::string>& below,
                       std::string& server, std::vector<std::string>& path);

    // `mount` as seen from the root of its share or export: for SMB the
    // device is //host/share and the root the folder below it; an NFS bind
    // counts from the export mounted from the same file system in `table`.
    static MountTable::Entry shareView(const MountTable& table, const MountTable::Entry& mount);

    // The server of the place `below`, also where its volume is not known
    // yet (an export of "/", a host folder); empty when it cannot be read.
    static std::string serverOf(const MountTable::Entry& mount,
                                const std::vector<std::string>& below);
};

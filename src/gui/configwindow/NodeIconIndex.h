#pragma once

// What a configuration tree node is, told by its icon index; the selected
// icon is the next index.
enum NodeIconIndex {
    GroupNode = 2,
    PackageNode = 4,
    DetailNode = 6,
    ApplicationNode = 10,
};

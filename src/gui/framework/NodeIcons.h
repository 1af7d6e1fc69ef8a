#pragma once

#include <QIcon>

// The pictures of the tree nodes. They are drawn when shown, their outlines in
// the text colour of the item views' palette, so that they read on a dark
// desktop theme as on a light one and follow a change of theme at once.
class NodeIcons {
public:
    enum class Shape { Folder, Package, Application, Details, List };

    static QIcon icon(Shape shape);
};

#pragma once

#include <QIcon>

// The program's own icons, drawn here rather than shipped as images: the
// application icon and the picture on every Browse button.
class AppIcons {
public:
    static QIcon application();
    static QIcon browse();
};

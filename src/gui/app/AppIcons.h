#pragma once

#include <QIcon>

// The program's own icons: the application icon and the picture on every
// Browse button, drawn here; and the icons of the desktop's theme that the
// toolbar uses, with the images shipped in the resources where there is no
// theme, so that the toolbar looks the same everywhere.
class AppIcons {
public:
    static QIcon application();
    static QIcon browse();
    // The theme's icon of that name ("edit-undo"), else the shipped one.
    static QIcon themed(const QString& name);
};

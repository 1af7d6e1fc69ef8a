#pragma once

#include <QString>
#include <memory>

class QSettings;
class QWidget;

// The application's settings store (Software\Brannock\Pallworth, an INI file
// elsewhere), and the window geometries kept in it.
class AppSettings {
public:
    static std::unique_ptr<QSettings> open();

    // Puts a window back where the user left it; false when nothing is kept.
    static bool restoreGeometry(QWidget& window, const QString& key);
    static void saveGeometry(const QWidget& window, const QString& key);
};

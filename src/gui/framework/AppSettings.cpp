#include "AppSettings.h"

#include <QByteArray>
#include <QSettings>
#include <QWidget>

std::unique_ptr<QSettings> AppSettings::open() {
    return std::make_unique<QSettings>(QStringLiteral("Brannock"), QStringLiteral("Pallworth"));
}

bool AppSettings::restoreGeometry(QWidget& window, const QString& key) {
    const QByteArray stored = open()->value(key).toByteArray();
    return !stored.isEmpty() && window.restoreGeometry(stored);
}

void AppSettings::saveGeometry(const QWidget& window, const QString& key) {
    open()->setValue(key, window.saveGeometry());
}

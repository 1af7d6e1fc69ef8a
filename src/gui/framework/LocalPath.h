#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <string>
#include <string_view>

class QMimeData;

// File names as the system holds them (bytes) and as the windows hold them
// (QString), without loss. Valid UTF-8 is decoded; each byte that is not part
// of valid UTF-8 is kept as the lone surrogate U+DC00 + byte, which no decoded
// name holds, so that toBytes(fromBytes(name)) == name for every name. Qt's own
// file functions would turn such a byte into U+FFFD and miss the file: a path
// goes to the core and to the file system as toBytes().
class LocalPath {
public:
    static QString fromBytes(std::string_view bytes);
    static std::string toBytes(const QString& path);
    // True when the path holds no kept byte, so that Qt's file functions find it.
    static bool isUtf8(const QString& path);

    // A path for titles and messages: native separators, a kept byte as \xE9.
    static QString displayName(const QString& path);
    // A message of the core, whose file names are bytes, for a message box.
    static QString displayMessage(std::string_view bytes);

    // A file URL that carries every byte of the path, percent-encoded.
    static QUrl toUrl(const QString& path);
    // The path of a file URL, percent-decoded as bytes; empty for a URL of
    // another scheme.
    static QString fromUrl(const QUrl& url);
    // The local files a drag carries, read from its URI list as bytes.
    static QStringList filesOf(const QMimeData& data);

    // Absolute, with links and dot segments resolved as far as the path exists.
    static QString canonical(const QString& path);
};

#include "LocalPath.h"

#include "text/AnsiText.h"

#include <QDir>
#include <QMimeData>
#include <filesystem>

namespace {

constexpr char16_t kKeptByte = 0xDC00;

// A lone low surrogate of U+DC80..U+DCFF: a byte fromBytes() kept.
bool isKeptByte(QStringView text, qsizetype i) {
    const char16_t unit = text[i].unicode();
    return unit >= kKeptByte + 0x80 && unit <= kKeptByte + 0xFF &&
           (i == 0 || !text[i - 1].isHighSurrogate());
}

// Every kept byte of `text` as \xE9.
QString showKeptBytes(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isKeptByte(text, i))
            shown += QStringLiteral("\\x") +
                     QString::number(text[i].unicode() - kKeptByte, 16).toUpper();
        else
            shown += text[i];
    }
    return shown;
}

// A URI list line that put raw bytes where percent escapes belong.
QByteArray escapeRawBytes(const QByteArray& line) {
    QByteArray escaped;
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || byte == ' ')
            escaped += '%' + QByteArray::number(byte, 16).toUpper();
        else
            escaped += c;
    }
    return escaped;
}

} // namespace

QString LocalPath::fromBytes(std::string_view bytes) {
    QString path;
    path.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t run = 0; // start of the valid UTF-8 not yet decoded
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = byte < 0x80 ? 1 : AnsiText::utf8Length(bytes.substr(i));
        if (length > 0) {
            i += length;
            continue;
        }
        path += QString::fromUtf8(bytes.data() + run, static_cast<qsizetype>(i - run));
        path += QChar(char16_t(kKeptByte + byte));
        run = ++i;
    }
    path += QString::fromUtf8(bytes.data() + run, static_cast<qsizetype>(i - run));
    return path;
}

std::string LocalPath::toBytes(const QString& path) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(path.size()));
    qsizetype run = 0; // start of the characters not yet encoded
    const auto encodeRun = [&](qsizetype end) {
        const QByteArray utf8 = QStringView(path).sliced(run, end - run).toUtf8();
        bytes.append(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    };
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!isKeptByte(path, i))
            continue;
        encodeRun(i);
        bytes += static_cast<char>(path[i].unicode() - kKeptByte);
        run = i + 1;
    }
    encodeRun(path.size());
    return bytes;
}

bool LocalPath::isUtf8(const QString& path) {
    for (qsizetype i = 0; i < path.size(); ++i)
        if (isKeptByte(path, i))
            return false;
    return true;
}

QString LocalPath::displayName(const QString& path) {
    return showKeptBytes(QDir::toNativeSeparators(path));
}

QString LocalPath::displayMessage(std::string_view bytes) {
    return showKeptBytes(fromBytes(bytes));
}

QUrl LocalPath::toUrl(const QString& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(toBytes(path), error);
    const std::string& bytes = error ? toBytes(path) : absolute.native();
    return QUrl::fromEncoded("file://" + QByteArray::fromStdString(bytes).toPercentEncoding("/"));
}

QString LocalPath::fromUrl(const QUrl& url) {
    if (!url.isLocalFile())
        return {};
    const QByteArray path =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    // As QUrl::toLocalFile() names a file on another host.
    const QString host = url.host();
    const QString prefix = host.isEmpty() || host == QLatin1String("localhost")
                               ? QString()
                               : QStringLiteral("//") + host;
    return prefix + fromBytes(std::string_view(path.constData(), std::size_t(path.size())));
}

QStringList LocalPath::filesOf(const QMimeData& data) {
    QStringList files;
    const QByteArray list = data.data(QStringLiteral("text/uri-list"));
    for (const QByteArray& entry : list.split('\n')) {
        const QByteArray line = entry.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (const QString file = fromUrl(QUrl::fromEncoded(escapeRawBytes(line))); !file.isEmpty())
            files << file;
    }
    return files;
}

QString LocalPath::canonical(const QString& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path absolute = fs::absolute(toBytes(path), error);
    if (error)
        return path;
    const fs::path resolved = fs::weakly_canonical(absolute, error);
    return fromBytes(error ? absolute.lexically_normal().native() : resolved.native());
}

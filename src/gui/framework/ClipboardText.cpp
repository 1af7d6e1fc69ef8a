#include "ClipboardText.h"

#include "AnsiQt.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QStringList>
#include <algorithm>

namespace {
QString plainText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText() ? data->text() : QString();
}
} // namespace

void ClipboardText::put(const QString& mimeType, const std::string& lines) {
    auto* data = new QMimeData;
    data->setData(mimeType, QByteArray(lines.data(), static_cast<qsizetype>(lines.size())));
    data->setText(AnsiQt::toQString(lines));
    QGuiApplication::clipboard()->setMimeData(data);
}

std::optional<ClipboardText::Taken> ClipboardText::take(const QString& mimeType) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr)
        return std::nullopt;
    if (data->hasFormat(mimeType)) {
        const QByteArray bytes = data->data(mimeType);
        return Taken{std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())), false};
    }
    const QString text = plainText();
    if (text.trimmed().isEmpty())
        return std::nullopt;
    return Taken{AnsiQt::fromQString(text), true};
}

bool ClipboardText::holds(const QString& mimeType) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && (data->hasFormat(mimeType) || !plainText().trimmed().isEmpty());
}

bool ClipboardText::holdsOtherKind(const QString& mimeType) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || data->hasFormat(mimeType))
        return false;
    const QStringList formats = data->formats();
    return std::ranges::any_of(
        formats, [](const QString& format) { return format.startsWith(kPrivatePrefix); });
}

std::optional<QString> ClipboardText::firstUnfit() {
    return AnsiQt::firstUnfit(plainText());
}

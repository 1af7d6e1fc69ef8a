#include "AnsiQt.h"

#include "text/AnsiText.h"
#include "text/OemCodePage.h"

QString AnsiQt::toQString(std::string_view ansi) {
    QString text;
    text.reserve(static_cast<qsizetype>(ansi.size()));
    for (char c : ansi)
        text += QChar(static_cast<char16_t>(AnsiText::toUnicode(static_cast<unsigned char>(c))));
    return text;
}

std::string AnsiQt::fromQString(const QString& text) {
    std::string ansi;
    ansi.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        const int byte = AnsiText::fromUnicode(c.unicode());
        ansi += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return ansi;
}

bool AnsiQt::fits(const QString& text) {
    return !firstUnfit(text);
}

std::optional<QString> AnsiQt::firstUnfit(const QString& text, const OemCodePage* oem) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = AnsiText::fromUnicode(text[i].unicode());
        if (byte >= 0 && (oem == nullptr || oem->holds(static_cast<unsigned char>(byte))))
            continue;
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
        return text.mid(i, pair ? 2 : 1);
    }
    return std::nullopt;
}

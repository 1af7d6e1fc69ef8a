#include "AnsiQt.h"

#include "config/AnsiText.h"

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
    for (const QChar c : text)
        if (AnsiText::fromUnicode(c.unicode()) < 0)
            return false;
    return true;
}

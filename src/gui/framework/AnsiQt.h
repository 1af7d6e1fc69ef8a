#pragma once

#include <QString>
#include <string>
#include <string_view>

// The widget boundary: model texts are Windows-1252 bytes, widgets show
// QStrings.
class AnsiQt {
public:
    static QString toQString(std::string_view ansi);
    // Characters Windows-1252 lacks become '?'.
    static std::string fromQString(const QString& text);
    // Whether every character of `text` has a Windows-1252 byte.
    static bool fits(const QString& text);
};

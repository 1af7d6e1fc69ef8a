#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

// The widget boundary: model texts are Windows-1252 bytes, widgets show
// QStrings.
class OemCodePage;

class AnsiQt {
public:
    static QString toQString(std::string_view ansi);
    // Characters Windows-1252 lacks become '?'.
    static std::string fromQString(const QString& text);
    // Whether every character of `text` has a Windows-1252 byte.
    static bool fits(const QString& text);
    // The first character of `text` that Windows-1252 lacks, or, with `oem`,
    // that the OEM code page lacks too (a pair of surrogates is one
    // character); nothing when every one fits.
    static std::optional<QString> firstUnfit(const QString& text, const OemCodePage* oem = nullptr);
};

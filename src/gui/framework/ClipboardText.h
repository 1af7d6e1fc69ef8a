#pragma once

#include <QString>
#include <optional>
#include <string>

// Copied records and entries travel as the file's own lines: as plain text
// for any editor, and under a private type that says what they are.
class ClipboardText {
public:
    // What the clipboard holds for a paste of one kind.
    struct Taken {
        // The Windows-1252 lines.
        std::string lines;
        // True when they came from plain text, which may be anything.
        bool plain = false;
    };

    // Puts `lines` (Windows-1252) on the clipboard as text/plain and under
    // `mimeType`.
    static void put(const QString& mimeType, const std::string& lines);
    // The lines under `mimeType`, else the plain text; nothing when the
    // clipboard holds neither.
    static std::optional<Taken> take(const QString& mimeType);
    // Whether a paste of `mimeType` has anything to read: the private type,
    // or plain text that is not empty.
    static bool holds(const QString& mimeType);
    // Whether the clipboard holds lines of this program's private type
    // other than `mimeType`: copied as something else, they paste as none
    // of this kind.
    static bool holdsOtherKind(const QString& mimeType);
    static constexpr QLatin1StringView kPrivatePrefix{"application/x-pallworth-"};
    // The first character of the plain text that the code page lacks.
    static std::optional<QString> firstUnfit();
};

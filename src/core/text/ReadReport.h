#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Why a reader passed over a line, or kept only part of it.
enum class SkipReason : std::uint8_t {
    UnknownKeyword,
    BelongsInPackage,
    BelongsInApplication,
    NotInPackage,
    NotInApplication,
    SurplusArgument,
    MissingArgument,
    MissingQuotes,
    TooManyWords,
    UnholdableValue,
    UnknownDestVersion,
    ClosingName,
    Comment,
};

// One line that a save would not write back as it stands.
struct SkippedLine {
    int line = 0; // 1-based
    std::string text;
    SkipReason reason = SkipReason::UnknownKeyword;
    // Written back as it stands, before the line that followed it.
    bool kept = false;

    bool operator==(const SkippedLine& other) const = default;
};

// What a tolerant reader did not keep: every skipped or partly used line with
// its number, text and reason, and how much of the file it understood. An
// empty report allocates nothing.
class ReadReport {
public:
    enum class Mode { Record, CountOnly };
    // Longer line texts are cut, so a binary file cannot double its size here.
    static constexpr std::size_t kMaxText = 200;

    ReadReport() = default;
    explicit ReadReport(Mode mode) : mode_(mode) {}

    // A line that is neither blank nor a comment; understood when its keyword
    // was taken where it stands.
    void countLine(bool understood) {
        ++contentLines_;
        understoodLines_ += understood ? 1 : 0;
    }
    // Records the line once; a second reason for the same line is ignored.
    // A kept line is noted but not counted as dropped.
    void skip(int line, std::string_view text, SkipReason reason, bool kept = false);
    // Lines a save writes back as they were read, though the model does not
    // hold them.
    void setKeptLines(int lines) { keptLines_ = lines; }
    // The number of the last line noted, 0 for none.
    int lastNotedLine() const { return lastLine_; }
    // A line noted as dropped in part is kept whole after all.
    void keptWhole(int line);
    int keptLines() const { return keptLines_; }

    const std::vector<SkippedLine>& skipped() const { return skipped_; }
    int contentLines() const { return contentLines_; }
    int understoodLines() const { return understoodLines_; }
    // Lines other than comments that a save would drop or change.
    int droppedLines() const { return droppedLines_; }
    int commentLines() const { return commentLines_; }
    bool keepsEverything() const { return droppedLines_ == 0 && commentLines_ == 0; }
    // Content was there, and not one line of it meant anything to the reader.
    bool understoodNothing() const { return contentLines_ > 0 && understoodLines_ == 0; }
    // This report, of the other kind's reader over the same bytes, understood
    // most lines and far more than `own` did.
    bool fitsMuchBetterThan(const ReadReport& own) const {
        return 2 * understoodLines_ > contentLines_ && understoodLines_ > 2 * own.understoodLines_;
    }

    static std::string_view reasonText(SkipReason reason);

    bool operator==(const ReadReport& other) const = default;

private:
    Mode mode_ = Mode::Record;
    std::vector<SkippedLine> skipped_;
    int lastLine_ = 0;
    int contentLines_ = 0;
    int understoodLines_ = 0;
    int droppedLines_ = 0;
    int commentLines_ = 0;
    int keptLines_ = 0;
};

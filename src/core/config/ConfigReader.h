#pragma once

#include "ConfigModel.h"
#include "ListRow.h"
#include "SettingRow.h"
#include "io/Progress.h"
#include "io/Status.h"
#include "text/LineKeeper.h"
#include "text/LineTokenizer.h"
#include "text/OemCodePage.h"
#include "text/ReadStatus.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

// Reads the bytes of a .cfg file into a model. Unknown keywords, surplus
// arguments and missing quotes are absorbed and noted in the report; only a
// table or list that would grow past its capacity fails the read.
class ConfigReader {
public:
    explicit ConfigReader(const OemCodePage& oem) : oem_(oem) {}

    ReadStatus read(std::string_view bytes, ConfigModel& model,
                    ReadReport::Mode mode = ReadReport::Mode::Record);

    // The same read in pieces, so that a large file need not be held whole:
    // begin, then the file's lines in order, each piece ending with a line
    // end (but the last), then finish. readLines is false once the read has
    // failed; finish says why.
    void begin(ConfigModel& model, ReadReport::Mode mode = ReadReport::Mode::Record);
    bool readLines(std::string_view lines);
    ReadStatus finish();
    // The file at `path` read so, in pieces; `read` tells whether the file
    // itself could be read.
    ReadStatus readFile(const std::string& path, ConfigModel& model, Status& read,
                        ReadReport::Mode mode = ReadReport::Mode::Record);
    // Counts the bytes read on `progress` (nullptr: none); a read it stops
    // fails with kStopped.
    void setProgress(Progress* progress) { progress_ = progress; }
    static constexpr std::string_view kStopped = "The read was cancelled.";
    // Called with a package's index once all its lines are read: when the
    // next package opens or the file ends. Nothing the reader does later
    // touches the package again, so its lists may go.
    void setPackageRead(std::function<void(int)> packageRead) {
        packageRead_ = std::move(packageRead);
    }

private:
    enum class Keyword;
    static Keyword lookup(std::string_view keyword);
    // How a line's keyword was taken in the block it stands in.
    enum class Use { Taken, NotHere, Failed };

    // Sets one text field of a record as its form says.
    template <typename Record>
    void assignField(SettingForm form, std::string& field, Record& record,
                     typename Record::Key key);

    bool readLine(std::string_view line);
    Use takeLine(Keyword keyword);
    Use openOrClosePackage();
    // Its lists are read whole when the next package opens or the file ends.
    void fitLastPackage();
    Use openOrCloseApplication();
    Use globalLine(Keyword keyword);
    Use applicationLine(Keyword keyword);
    Use packageLine(Keyword keyword);
    void readPassword();
    void packageSetting(const SettingRow& row, PackageDesc& package);
    void readOpenFileHandler(PackageDesc& package);
    // Appends the entry a line of a package's list holds.
    Use addEntry(const ListRow& row, PackageDesc& package);
    // An entry from the current line; false for a line passed over.
    bool readEntry(TargetServer& target);
    bool readEntry(SyncJob& job);
    bool readEntry(std::string& path);
    void appendWords(std::string& list, int firstArg);
    // Argument `index` when it ends before the line's first double quote.
    std::string_view wordBeforeQuotes(int index);
    std::string upperArg(int index) const;
    // The text between the (2n+1)-th and (2n+2)-th double quote of the line.
    std::string_view quoted(int n = 0);
    std::string convertedQuoted(int n = 0);
    void locateQuotes();
    Use fail(const std::string& what);
    std::uint32_t line() const { return static_cast<std::uint32_t>(lineNumber_); }

    // Notes on lines that a save would not write back as they stand.
    void skip(SkipReason reason);
    SkipReason notHereReason(Keyword keyword) const;
    void checkWords(int most);
    void checkQuoted(int pairs, int wordsBefore);
    void checkTarget(const std::string& version);
    void checkOfHandler(const PackageDesc& package);
    void checkClosing();

    // Hooks that keep the lines the model does not take before the line
    // that follows them.
    template <typename Record> void settingLine(Record& record, typename Record::Key key);
    template <typename Record> void joinedLine(Record& record, typename Record::Key key);
    // A DST_PACKAGE or DST_SERVER line, the next word of `list`.
    void wordLine(ApplicationDesc& app, ApplicationDesc::Key key, const std::string& list);
    template <typename T> void entryLine(EntryList<T>& list) {
        list.setKept(list.count(), keeper_.take());
    }
    // An opening or closing line; `outer` is the block open before it.
    void blockLine(KeptLines* outer, KeptLines* opened);
    void keepLine(SkipReason reason);
    // The record whose block takes the lines now; nullptr outside blocks.
    KeptLines* openBlock();

    const OemCodePage& oem_;
    Progress* progress_ = nullptr;
    // Of the lines given so far, their pieces whole.
    std::size_t bytesRead_ = 0;
    std::function<void(int)> packageRead_;
    ConfigModel* model_ = nullptr;
    LineTokenizer tokens_;
    std::string_view line_;
    // The current line as read, blanks included.
    std::string_view raw_;
    LineKeeper keeper_;
    bool inPackage_ = false;
    bool inApplication_ = false;
    int lineNumber_ = 0;
    std::size_t nextComment_ = 0;
    // The first quotes of the current line, found once when a value needs them.
    static constexpr int kQuotes = 4;
    std::array<std::size_t, kQuotes> quotes_{};
    int quoteCount_ = -1;
    std::string error_;
    bool failed_ = false;
    ReadReport report_;
    // The last keyword looked up, and what it was.
    std::string lastKeyword_;
    Keyword lastLookup_{};
    const SettingRow* lastSetting_ = nullptr;
    // The list whose lines the last keyword starts; nullptr for none.
    const ListRow* lastList_ = nullptr;
    // The converted texts of the current target or job line.
    std::string scratch_;
};

#pragma once

#include "ConfigModel.h"
#include "LineTokenizer.h"
#include "OemCodePage.h"
#include "ReadStatus.h"

#include <cstddef>
#include <string>
#include <string_view>

// Reads the bytes of a .cfg file into a model. Unknown keywords, surplus
// arguments and missing quotes are absorbed; only a table or list that would
// grow past its capacity fails the read.
class ConfigReader {
public:
    explicit ConfigReader(const OemCodePage& oem) : oem_(oem) {}

    ReadStatus read(std::string_view bytes, ConfigModel& model);

private:
    enum class Keyword;
    static Keyword lookup(std::string_view keyword);

    // How a keyword that sets one text field takes its value.
    enum class Take { Word, UpperWord, Quoted, QuotedPath };
    template <typename Record> struct FieldRule {
        Keyword keyword;
        std::string Record::*field;
        Take take;
    };
    template <typename Record>
    bool assignField(const FieldRule<Record>* rules, std::size_t count, Keyword keyword,
                     Record& record) const;

    bool readLine(std::string_view line);
    bool openOrClosePackage();
    bool openOrCloseApplication();
    void globalLine(Keyword keyword);
    void applicationLine(Keyword keyword);
    bool packageLine(Keyword keyword);
    std::string& commandFile(Keyword keyword, PackageDesc& package) const;
    bool addTarget(PackageDesc& package);
    bool addJob(EntryList<SyncJob>& jobs, const char* what);
    void appendWords(std::string& list, int firstArg) const;
    std::string upperArg(int index) const;
    std::string convertedQuoted(int n = 0) const;
    bool fail(const std::string& what);

    const OemCodePage& oem_;
    ConfigModel* model_ = nullptr;
    LineTokenizer tokens_;
    std::string_view line_;
    bool inPackage_ = false;
    bool inApplication_ = false;
    std::string error_;
};

#pragma once

#include "config/ConfigModel.h"
#include "taskfile/TaskFileModel.h"

#include <string>

// Documents as large as users make them, built in memory for the benchmarks.
// Every text is what the reader itself would produce (upper case where it
// upper-cases, word lists with their trailing blank), so writing a document
// and reading it back gives an equal model. Some paths hold bytes above 0x7F
// so that the code page conversion has work to do.
class LargeDocuments {
public:
    // 999 packages of 10 targets, 50 directory jobs, 50 file jobs and 20
    // excludes each, and 999 applications.
    static ConfigModel largeConfig();
    // 999 packages with every list at its capacity of 999, and 999
    // applications.
    static ConfigModel fullConfig();
    // 999 packages of 200 directory and 200 file jobs each (and 10 targets
    // and 20 excludes), and 999 applications: the end-to-end case.
    static ConfigModel jobsConfig();
    // 999 tasks.
    static TaskFileModel largeTaskFile();

private:
    struct Shape {
        int targets;
        int excludes;
        int dirJobs;
        int fileJobs;
    };

    static ConfigModel config(const Shape& shape);
    static void fillGlobal(ConfigModel& model);
    static PackageDesc package(int n, const Shape& shape);
    static void fillSettings(PackageDesc& p, int n);
    static void fillMessagesAndCommandFiles(PackageDesc& p, int n);
    static void addTargets(PackageDesc& p, int n, int count);
    static void addExcludes(PackageDesc& p, int n, int count);
    static void addJobs(EntryList<SyncJob>& jobs, int n, int count, bool files);
    static ApplicationDesc application(int n);

    // prefix + n as four digits: SRV0001.
    static std::string numbered(const char* prefix, int n);
    // A directory name, now and then with a byte above 0x7F.
    static std::string folder(int n);
    // The n-th of the numbers 1 to 999 after `first`, wrapping round.
    static int after(int first, int n);
};

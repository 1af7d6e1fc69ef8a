#pragma once

#include "config/ConfigModel.h"
#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "io/FileStore.h"
#include "netbrowse/MemoryDirectoryClient.h"
#include "text/OemCodePage.h"

#include <QFile>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace QTest {
template <> inline char* toString(const std::string& s) {
    return qstrdup(s.c_str());
}
template <> inline char* toString(const std::string_view& s) {
    return qstrdup(std::string(s).c_str());
}
} // namespace QTest

namespace testsupport {

inline std::string dataPath(const char* name) {
    return std::string(PALLWORTH_TEST_DATA "/") + name;
}

inline std::string dataFile(const char* name) {
    std::string bytes;
    if (const Status read = FileStore::read(dataPath(name), bytes); !read.ok)
        qFatal("%s", read.error.c_str());
    return bytes;
}

// The bytes of a file a test wrote; empty when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs `work` in a child process and returns its exit status; -1 when it
// died of a signal or did not end within `timeoutMs` (then it is killed).
// A content of `lines` numbered lines, told apart by `tag`.
inline std::string numberedLines(char tag, int lines) {
    std::string bytes;
    for (int i = 0; i < lines; ++i)
        bytes += tag + std::to_string(i) + std::string(40, tag) + "\r\n";
    return bytes;
}

// Hands `bytes` on in pieces of `size`.
inline FileStore::Producer inPieces(const std::string& bytes, std::size_t size) {
    return [&bytes, size](const FileStore::Pieces& put) {
        for (std::size_t at = 0; at < bytes.size(); at += size)
            if (!put(std::string_view(bytes).substr(at, size)))
                return false;
        return true;
    };
}

inline int inChild(const std::function<int()>& work, int timeoutMs = 10000) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(work());
    int status = 0;
    for (int waited = 0; pid > 0 && ::waitpid(pid, &status, WNOHANG) == 0; waited += 10) {
        if (waited >= timeoutMs) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        ::usleep(10000);
    }
    return pid > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline FileStore::Stage killStage = FileStore::Stage::BackedUp;
inline int killCountdown = 0;

// Saves `bytes` to `path` in three pieces, in a child killed the `at`-th time
// its save reaches `stage`; true when it was killed.
inline bool saveKilledAt(const std::string& path, const std::string& bytes, FileStore::Stage stage,
                         int at) {
    return inChild([&] {
               killStage = stage;
               killCountdown = at;
               FileStore::setStageHook([](FileStore::Stage reached) {
                   if (reached == killStage && --killCountdown == 0)
                       ::raise(SIGKILL);
               });
               const std::size_t piece = (bytes.size() + 2) / 3;
               return FileStore::writeAtomically(path, inPieces(bytes, piece)).ok ? 0 : 1;
           }) == -1;
}

// Reads .cfg bytes with code page 437; fails the calling test on a read error.
inline ConfigModel readConfig(std::string_view bytes, const OemCodePage& oem = OemCodePage(437)) {
    ConfigModel model;
    const ReadStatus status = ConfigReader(oem).read(bytes, model);
    if (!status.ok)
        QTest::qFail(("read failed: " + status.error).c_str(), __FILE__, __LINE__);
    return model;
}

inline std::string writeConfig(const ConfigModel& model,
                               const OemCodePage& oem = OemCodePage(437)) {
    return ConfigWriter(oem).write(model);
}

// Reproducible bytes of every value, for junk files.
inline std::string randomBytes(int size, unsigned seed) {
    std::string bytes;
    for (int i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes += static_cast<char>((seed >> 16) & 0xFF);
    }
    return bytes;
}

// A global part with a VERSION line, then the given lines.
inline std::string cfg(std::string_view version, std::string_view body) {
    return "VERSION " + std::string(version) + "\r\n" + std::string(body);
}

// The sample network of tests/data/netbrowse, plus `extra` description lines.
inline std::unique_ptr<MemoryDirectoryClient> sampleNetwork(std::string_view extra = {}) {
    auto client = std::make_unique<MemoryDirectoryClient>();
    Status loaded = client->loadFile(dataPath("netbrowse/network.txt"));
    if (loaded.ok)
        loaded = client->load(extra);
    if (!loaded.ok)
        qFatal("%s", loaded.error.c_str());
    return client;
}

// The mappings the kernel advised for huge pages, as [start, end) pairs.
inline std::vector<std::pair<quintptr, quintptr>> hugePageMappings() {
    std::vector<std::pair<quintptr, quintptr>> advised;
    QFile smaps("/proc/self/smaps");
    if (!smaps.open(QIODevice::ReadOnly))
        return advised;
    std::pair<quintptr, quintptr> range;
    for (const QByteArray& line : smaps.readAll().split('\n')) {
        const QList<QByteArray> bounds = line.split(' ').value(0).split('-');
        bool hex = false;
        if (bounds.size() == 2 && (bounds[0].toULongLong(&hex, 16), hex))
            range = {bounds[0].toULongLong(nullptr, 16), bounds[1].toULongLong(nullptr, 16)};
        else if (line.startsWith("VmFlags:") && line.contains(" hg"))
            advised.push_back(range);
    }
    return advised;
}

inline bool inMappings(const std::vector<std::pair<quintptr, quintptr>>& mappings, const void* at) {
    const auto address = reinterpret_cast<quintptr>(at);
    return std::ranges::any_of(
        mappings, [address](auto m) { return m.first <= address && address < m.second; });
}

// How many of the 4 KiB pages of [at, at + size) are in memory; -1 when the
// kernel cannot say.
inline std::ptrdiff_t residentPages(void* at, std::size_t size) {
    std::vector<unsigned char> pages((size + 4095) / 4096);
    if (mincore(at, size, pages.data()) != 0)
        return -1;
    return std::ranges::count_if(pages, [](unsigned char page) { return (page & 1) != 0; });
}

// Huge pages can be asked for here, and the heap is malloc's own (the
// address sanitizer keeps its own).
inline bool hugePagesOnRequest() {
#if defined(__SANITIZE_ADDRESS__)
    return false;
#else
    return QFile::exists("/sys/kernel/mm/transparent_hugepage/enabled");
#endif
}

} // namespace testsupport

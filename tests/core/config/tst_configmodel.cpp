#include "TestSupport.h"

#include "config/ConfigChecks.h"
#include "config/SaveRules.h"
#include "config/Scramble.h"
#include "config/ValueRules.h"

#include "io/HeapPages.h"
#include "io/PageWarmer.h"
#include "text/TextArena.h"

#include <QFile>
#include <QTest>
#include <algorithm>
#include <cstring>
#include <malloc.h>
#include <memory>
#include <optional>
#include <sys/mman.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

using namespace testsupport;

class TestConfigModel : public QObject {
    Q_OBJECT

private slots:
    void newDocumentDefaults();
    void addPackageCopiesGlobalSettings();
    void deleteFirstOfThreePackages();
    void deleteUnknownRecordChangesNothing();
    void recordIdsStayUniqueAfterDeletion();
    void tablesRefuseThe1000thEntry();
    void entryListInsertAndMove();
    void saveValidationOrder();
    void unchangedDocumentSkipsValidation();
    void formatRefusals();
    void targetNameProblems_data();
    void targetNameProblems();
    void allProblemsListsEveryOne();
    void valueRules_data();
    void valueRules();
    void jobTextsLiveAsLongAsTheirHolders_data();
    void jobTextsLiveAsLongAsTheirHolders();
    void aBlockLetGoIsCarvedAgain();
    void aLargeReadFindsTheHeapAheadWarm();
    void listsOfALargeReadMayTakeHugePages();
};

namespace {

// Packages of 999 directory jobs each, as a large server's file holds them.
std::string jobsFile(int packages) {
    std::string file;
    for (int p = 0; p < packages; ++p) {
        file += "PACKAGE P" + std::to_string(p) + "\r\n";
        for (int j = 0; j < 999; ++j)
            file += "  SYNCDIR ALL DEL \"SYS:\\DATA\\REPORTS " + std::to_string(j) +
                    "\" \"VOL1:\\X\"\r\n";
        file += "PACKAGE END\r\n";
    }
    return file;
}

} // namespace

void TestConfigModel::newDocumentDefaults() {
    ConfigModel m;
    m.password = "stale";
    m.newerVersion = true;
    m.resetToNew();
    QCOMPARE(m.packages.count(), 0);
    QCOMPARE(m.applications.count(), 0);
    QCOMPARE(m.global.logEvent, std::string("COPIED DELETED"));
    QCOMPARE(m.global.jobWindow, std::string("DISABLED"));
    QCOMPARE(m.global.version, std::string("1.30"));
    QCOMPARE(m.global.skipReadOnly, std::string("YES"));
    QCOMPARE(m.global.user, std::string());
    QCOMPARE(m.global.logDir, std::string());
    QCOMPARE(m.password, std::string());
    QVERIFY(!m.newerVersion);
}

void TestConfigModel::addPackageCopiesGlobalSettings() {
    ConfigModel m;
    m.resetToNew();
    m.global.syncMode = "REPLACE";
    m.global.transferAttrs = "YES";
    const PackageDesc& p = *m.addPackage("P");
    QCOMPARE(p.name, std::string("P"));
    QCOMPARE(p.syncMode, std::string("REPLACE"));
    QCOMPARE(p.transferAttrs, std::string("YES"));
    QCOMPARE(p.skipReadOnly, std::string("YES"));
    QCOMPARE(p.logEvent, std::string("COPIED DELETED"));
    QCOMPARE(p.scheduleWhen, std::string("00:00"));
    QCOMPARE(p.scheduleDays, std::string("SUN MON TUE WED THU FRI SAT"));
    QCOMPARE(p.logMethod, std::string("THREAD"));
    QCOMPARE(p.ofHandler, std::string("OFF"));
    QCOMPARE(p.protocol, std::string("(default)"));
    QCOMPARE(p.preStat, std::string("NO"));
    // Later changes to the globals leave the package alone.
    m.global.syncMode = "OVERWRITE";
    QCOMPARE(m.packages.at(1).syncMode, std::string("REPLACE"));
    const ApplicationDesc& a = *m.addApplication("A");
    QCOMPARE(a.name, std::string("A"));
    QVERIFY(a.appServer.empty() && a.dstPackages.empty());
}

void TestConfigModel::deleteFirstOfThreePackages() {
    ConfigModel m;
    m.resetToNew();
    for (const char* name : {"one", "two", "three"}) {
        PackageDesc& p = *m.addPackage(name);
        p.source = name;
        p.excludes.append(std::string(name) + "-x");
        p.targets.append(TargetServer(name, "V", "ON", "", "0", "(default)"));
    }
    const RecordId first = m.packages.at(1).id;
    QVERIFY(m.packages.remove(m.packageIndex(first)));
    QCOMPARE(m.packages.count(), 2);
    QCOMPARE(m.packages.at(1).name, std::string("two"));
    QCOMPARE(m.packages.at(2).name, std::string("three"));
    QCOMPARE(m.packages.at(2).excludes.at(1), std::string("three-x"));
    QCOMPARE(m.packages.at(1).targets.at(1).server(), std::string_view("two"));
    QCOMPARE(m.packageIndex(first), 0);
    QCOMPARE(m.packageIndex(m.packages.at(2).id), 2);
}

void TestConfigModel::deleteUnknownRecordChangesNothing() {
    ConfigModel m;
    m.resetToNew();
    m.addPackage("P");
    m.addApplication("A");
    const ConfigModel before = m;
    QVERIFY(!m.packages.remove(m.packageIndex(9999)));
    // A package's id is no application's.
    QVERIFY(!m.applications.remove(m.applicationIndex(m.packages.at(1).id)));
    QVERIFY(m == before);
}

void TestConfigModel::recordIdsStayUniqueAfterDeletion() {
    ConfigModel m;
    m.resetToNew();
    const RecordId a = m.addApplication("a")->id;
    const RecordId b = m.addApplication("b")->id;
    QVERIFY(m.applications.remove(m.applicationIndex(b)));
    const RecordId c = m.addApplication("c")->id;
    QVERIFY(c != b && c != a);
    QCOMPARE(m.applicationIndex(c), 2);
}

void TestConfigModel::tablesRefuseThe1000thEntry() {
    ConfigModel m;
    m.resetToNew();
    for (int i = 0; i < 999; ++i)
        QVERIFY(m.addPackage("p") != nullptr);
    QVERIFY(m.addPackage("one too many") == nullptr);
    QCOMPARE(m.packages.count(), 999);
    QCOMPARE(m.packages.at(999).name, std::string("p"));

    EntryList<std::string> list;
    for (int i = 0; i < 999; ++i)
        QVERIFY(list.append("x"));
    QVERIFY(!list.append("y"));
    QVERIFY(!list.insertAfter(0, "y"));
    QCOMPARE(list.count(), 999);
}

void TestConfigModel::entryListInsertAndMove() {
    EntryList<std::string> list;
    for (const char* s : {"a", "b", "c", "d"})
        list.append(s);
    const auto text = [&] {
        std::string t;
        for (const auto& s : list)
            t += s;
        return t;
    };
    QVERIFY(list.insertAfter(2, "X"));
    QCOMPARE(text(), std::string("abXcd"));
    QVERIFY(list.insertAfter(0, "F"));
    QCOMPARE(text(), std::string("FabXcd"));
    QVERIFY(!list.insertAfter(7, "Z"));
    QVERIFY(list.move(1, 6)); // downwards: the ones in between move up
    QCOMPARE(text(), std::string("abXcdF"));
    QVERIFY(list.move(5, 2)); // upwards: the ones in between move down
    QCOMPARE(text(), std::string("adbXcF"));
    QVERIFY(!list.move(0, 2));
    QVERIFY(list.remove(3));
    QCOMPARE(text(), std::string("adXcF"));
    QVERIFY(!list.remove(6));
    QCOMPARE(list.count(), 5);
}

void TestConfigModel::saveValidationOrder() {
    ConfigModel m;
    m.resetToNew();
    m.addPackage("First")->source = "SRV";
    m.addPackage("Second Pkg");
    m.addPackage("Third");
    QCOMPARE(SaveRules::validateSave(m, true).error,
             std::string("Please specify a source server for package Second Pkg"));
    m.packages.at(2).source = "SRV";
    m.packages.at(3).source = "SRV";
    QCOMPARE(SaveRules::validateSave(m, true).error, std::string("Please specify a username"));
    m.global.user = "admin";
    QCOMPARE(SaveRules::validateSave(m, true).error, std::string("Please specify a password"));
    m.password = Scramble("pw");
    QVERIFY(SaveRules::validateSave(m, true).ok);
    QCOMPARE(SaveRules::kCaption, std::string_view("Pallworth"));
}

void TestConfigModel::unchangedDocumentSkipsValidation() {
    ConfigModel m;
    m.resetToNew();
    m.addPackage("no source");
    QVERIFY(SaveRules::validateSave(m, false).ok);
    QVERIFY(!SaveRules::validateSave(m, true).ok);
}

void TestConfigModel::formatRefusals() {
    ConfigModel newer = readConfig("VERSION 1.40\r\nUSER u\r\nPWD p\r\nPACKAGE P\r\nSOURCE S\r\n");
    const Status refusal = SaveRules::validateSave(newer, false);
    QVERIFY(!refusal.ok);
    QVERIFY(refusal.error.find("newer than version 1.30") != std::string::npos);
    QCOMPARE(SaveRules::neverSavable(newer)->status,
             std::string("Written by a newer version; read only"));

    ConfigModel unknown = readConfig("VERSION 0.9\r\nUSER u\r\nPWD p\r\nPACKAGE P\r\nSOURCE S\r\n"
                                     "DEST A B MSGON 0\r\n");
    const Status skipped = SaveRules::validateSave(unknown, true);
    QVERIFY(!skipped.ok);
    QVERIFY(skipped.error.find("\"0.9\"") != std::string::npos);
    QVERIFY(skipped.error.find("1 DEST line(s)") != std::string::npos);
    QCOMPARE(SaveRules::neverSavable(unknown)->status,
             std::string("DEST lines of version 0.9 cannot be kept"));

    // An unknown version with no DEST lines loses nothing and saves.
    ConfigModel harmless = readConfig("VERSION 0.9\r\nUSER u\r\nPWD p\r\n");
    QVERIFY(SaveRules::validateSave(harmless, true).ok);
    QVERIFY(!SaveRules::neverSavable(harmless));
}

void TestConfigModel::targetNameProblems_data() {
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("volume");
    QTest::addColumn<QString>("problem");
    QTest::newRow("fine") << QStringLiteral("SRV1") << QStringLiteral("VOL1") << QString();
    QTest::newRow("empty server") << QString() << QStringLiteral("VOL1")
                                  << QStringLiteral("The server name is empty.");
    QTest::newRow("blank in volume")
        << QStringLiteral("SRV1") << QStringLiteral("VOL 1")
        << QStringLiteral("The volume name must not hold a blank, a comma, a tab or a line break.");
    QTest::newRow("comma in server")
        << QStringLiteral("S,1") << QStringLiteral("VOL1")
        << QStringLiteral("The server name must not hold a blank, a comma, a tab or a line break.");
    QTest::newRow("empty volume") << QStringLiteral("S") << QString()
                                  << QStringLiteral("The volume name is empty.");
}

void TestConfigModel::targetNameProblems() {
    QFETCH(QString, server);
    QFETCH(QString, volume);
    QFETCH(QString, problem);
    const Status names = SaveRules::checkTargetName(server.toStdString(), volume.toStdString());
    QCOMPARE(names.ok, problem.isEmpty());
    QCOMPARE(names.error, problem.toStdString());
}

void TestConfigModel::allProblemsListsEveryOne() {
    const ConfigModel m = readConfig("PACKAGE A\r\nDEST\r\nDEST s v MSGON 0\r\nPACKAGE END\r\n"
                                     "PACKAGE B\r\nSOURCE x\r\nDEST s\r\n");
    // In file order; targets whose names would not read back are warnings:
    // a save asks about them but does not refuse them.
    const std::vector<std::string> expected = {
        "Please specify a username",
        "Please specify a password",
        "Please specify a source server for package A",
    };
    std::vector<std::string> errors;
    for (const Problem& p : ConfigChecks::run(m))
        if (p.severity == Problem::Severity::Error)
            errors.push_back(p.message);
    QCOMPARE(errors, expected);
}

void TestConfigModel::valueRules_data() {
    using R = ValueRules::Rule;
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("rule");
    QTest::addColumn<QString>("problem");
    const QString lineBreak = QStringLiteral("The value must not contain a line break.");
    QTest::newRow("line: anything on one line")
        << QByteArray("a \"b\", c\t") << int(R::Line) << QString();
    QTest::newRow("line: LF") << QByteArray("a\nb") << int(R::Line) << lineBreak;
    QTest::newRow("quoted: CR") << QByteArray("a\rb") << int(R::Quoted) << lineBreak;
    QTest::newRow("quoted: quote")
        << QByteArray("say \"hi\"") << int(R::Quoted)
        << QStringLiteral("The value must not contain a double quote (\").");
    QTest::newRow("quoted: blanks and commas")
        << QByteArray("SYS:\\A B,C") << int(R::Quoted) << QString();
    QTest::newRow("word: blank")
        << QByteArray("FS 1") << int(R::Word)
        << QStringLiteral("The value must be one word, without blanks, commas or tabs.");
    QTest::newRow("word: comma")
        << QByteArray("FS,1") << int(R::Word)
        << QStringLiteral("The value must be one word, without blanks, commas or tabs.");
    QTest::newRow("word: empty") << QByteArray() << int(R::Word) << QString();
    QTest::newRow("name: inner blanks") << QByteArray("Sales Servers") << int(R::Name) << QString();
    QTest::newRow("name: trailing blank")
        << QByteArray("Sales ") << int(R::Name)
        << QStringLiteral("The name must not begin or end with a blank.");
    QTest::newRow("words: blanks") << QByteArray("FS1 FS2 ") << int(R::Words) << QString();
    QTest::newRow("words: comma")
        << QByteArray("FS1,FS2") << int(R::Words)
        << QStringLiteral("The names must be separated by blanks only, without commas or tabs.");
    QTest::newRow("name: empty") << QByteArray() << int(R::Name) << QString();
}

void TestConfigModel::valueRules() {
    QFETCH(QByteArray, value);
    QFETCH(int, rule);
    QFETCH(QString, problem);
    const Status keeps =
        ValueRules::check(value.toStdString(), static_cast<ValueRules::Rule>(rule));
    QCOMPARE(keeps.ok, problem.isEmpty());
    QCOMPARE(keeps.error, problem.toStdString());
}

QTEST_APPLESS_MAIN(TestConfigModel)
void TestConfigModel::jobTextsLiveAsLongAsTheirHolders_data() {
    QTest::addColumn<QString>("keep");
    QTest::newRow("nothing kept") << "nothing";
    QTest::newRow("a copy") << "copy";
    QTest::newRow("a job moved out") << "move";
    QTest::newRow("a path longer than a block") << "long";
}

// A read carves the job texts from blocks of its thread; whatever keeps a job
// after the model and the thread have gone still reads its texts, and once
// nothing holds them every block is unmapped.
void TestConfigModel::jobTextsLiveAsLongAsTheirHolders() {
    QFETCH(QString, keep);
    const std::string longPath = "SYS:\\" + std::string(TextArena::kBlockSize, 'L');
    const std::string file = jobsFile(80);
    const std::size_t before = TextArena::bytesMapped();
    std::size_t duringRead = 0;
    bool read = false;
    std::optional<SyncJob> kept;
    std::thread reader([&] {
        ConfigModel model;
        read = ConfigReader(OemCodePage(437)).read(file, model).ok;
        duringRead = TextArena::bytesMapped();
        SyncJob& job = model.packages.at(40).dirJobs.at(998);
        if (keep == "copy")
            kept = job;
        else if (keep == "move")
            kept = std::move(job);
        else if (keep == "long") {
            job.setSourcePath(longPath);
            kept = job;
        }
    });
    reader.join();
    QVERIFY(read);
    QVERIFY2(duringRead > before + TextArena::kBlockSize,
             "the read took fewer blocks than its texts need");
    if (kept) {
        QCOMPARE(kept->sourcePath(), keep == "long" ? longPath : "SYS:\\DATA\\REPORTS 997");
        QCOMPARE(kept->targetPath(), "VOL1:\\X");
        QCOMPARE(kept->transferMode(), "ALL");
        QCOMPARE(kept->deletions(), "DEL");
        QVERIFY(TextArena::bytesMapped() > before);
        kept.reset();
    }
    QCOMPARE(TextArena::bytesMapped(), before);
}

namespace {
long minorFaultsOfThisProcess() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}
} // namespace

// Texts read and dropped package by package are carved from blocks already
// touched, and a large read finds each next block warmed on another thread:
// filling a block and starting the next faults nothing in, in any thread.
void TestConfigModel::aBlockLetGoIsCarvedAgain() {
#ifdef __SANITIZE_ADDRESS__
    QSKIP("the sanitizer's shadow memory is faulted in as the texts are written");
#endif
    long faults = -1;
    // Twice, each in a thread of its own: the first time also faults in the
    // code that runs.
    for (int round = 0; round < 2; ++round) {
        std::thread carver([&] {
            const auto blockOf = [](const char* text) {
                return reinterpret_cast<std::uintptr_t>(text) / TextArena::kBlockSize;
            };
            constexpr std::size_t kText = 4000;
            const auto fill = [&](std::vector<char*>& texts) {
                // Up to the first text of the next block, which is left out.
                for (char* t = TextArena::take(kText);; t = TextArena::take(kText)) {
                    if (!texts.empty() && blockOf(t) != blockOf(texts.front()))
                        return t;
                    std::memset(t, 'x', kText);
                    texts.push_back(t);
                }
            };
            // Past the blocks a small document's texts take.
            for (int t = 0; t < 32 * TextArena::kWarmFrom; ++t)
                TextArena::release(TextArena::take(TextArena::kLargest));
            std::vector<std::vector<char*>> blocks(4);
            for (auto& texts : blocks)
                texts.reserve(2 * TextArena::kBlockSize / kText);
            blocks[1].push_back(fill(blocks[0]));
            blocks[2].push_back(fill(blocks[1]));
            for (char* t : blocks[0])
                TextArena::release(t);
            PageWarmer::settle();
            const long before = minorFaultsOfThisProcess();
            // The block after next is the one let go.
            blocks[3].push_back(fill(blocks[2]));
            PageWarmer::settle();
            faults = minorFaultsOfThisProcess() - before;
            for (std::size_t b = 1; b < blocks.size(); ++b)
                for (char* t : blocks[b])
                    TextArena::release(t);
        });
        carver.join();
    }
    QCOMPARE(faults, 0L);
}

// While a large file is read, the heap past what malloc has handed out is
// faulted in on another thread before the lists grow into it.
void TestConfigModel::aLargeReadFindsTheHeapAheadWarm() {
#ifdef __SANITIZE_ADDRESS__
    QSKIP("the sanitizer's allocator does not use the heap");
#endif
    std::ptrdiff_t resident = -1;
    std::thread reader([&] {
        // Lists of a package, grown past the heap's top.
        std::vector<std::unique_ptr<char[]>> entries;
        for (int i = 0; i < 4000; ++i)
            entries.push_back(std::make_unique<char[]>(1000));
        HeapPages::grow(HeapPages::kWarmFrom);
        PageWarmer::settle();
        // The first whole 2 MiB past the end of what malloc handed out.
        constexpr std::uintptr_t kHuge = 2 << 20;
        const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
        const std::uintptr_t ahead = (end - mallinfo2().keepcost + 2 * kHuge - 1) & ~(kHuge - 1);
        QVERIFY(ahead + kHuge <= end);
        resident = residentPages(reinterpret_cast<void*>(ahead), kHuge);
    });
    reader.join();
    QCOMPARE(resident, static_cast<std::ptrdiff_t>(2 << 20) / 4096);
}

// The lists of a large file read on a worker thread lie in heap the reader
// advised for huge pages.
void TestConfigModel::listsOfALargeReadMayTakeHugePages() {
    if (!hugePagesOnRequest())
        QSKIP("this system has no huge pages to ask for");
    const std::string file = jobsFile(150);
    int lists = 0;
    int advised = 0;
    std::thread reader([&] {
        ConfigModel model;
        QVERIFY(ConfigReader(OemCodePage(437)).read(file, model).ok);
        const auto mappings = hugePageMappings();
        for (int p = 1; p <= model.packages.count(); ++p) {
            ++lists;
            advised += inMappings(mappings, &model.packages.at(p).dirJobs.at(1));
        }
    });
    reader.join();
    // The first lists may reuse heap touched before the read began.
    QVERIFY2(advised > lists / 2, qPrintable(QString("%1 of %2").arg(advised).arg(lists)));
}

#include "tst_configmodel.moc"

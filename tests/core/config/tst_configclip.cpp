#include "TestSupport.h"
#include "config/ConfigClip.h"
#include "config/ListTable.h"
#include "config/SettingTable.h"

#include <QTest>
#include <algorithm>
#include <numeric>
#include <type_traits>
#include <vector>

using namespace testsupport;

namespace {

std::vector<int> allOf(int count) {
    std::vector<int> indexes(static_cast<std::size_t>(count));
    std::iota(indexes.begin(), indexes.end(), 1);
    return indexes;
}

} // namespace

class TestConfigClip : public QObject {
    Q_OBJECT

private slots:
    void recordsReadBackAsCopied_data();
    void recordsReadBackAsCopied();
    void entriesReadBackAsCopied();
    void pastedText_data();
    void pastedText();
    void settingsReadBackAsCopied();
};

void TestConfigClip::recordsReadBackAsCopied_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("commented") << "commented-1.30.cfg";
    QTest::newRow("hand-written") << "handwritten-1.30.cfg";
    QTest::newRow("rich 1.10") << "rich-1.10.cfg";
}

// Every record of a file copies to the text a paste reads back into the same
// record, its kept lines included, and the text is the block a save writes.
void TestConfigClip::recordsReadBackAsCopied() {
    QFETCH(QString, file);
    const ConfigModel m = readConfig(dataFile(file.toLatin1().constData()));
    const std::string written = writeConfig(m, OemCodePage(OemCodePage::kAnsi));
    const ConfigClip clip;
    for (const PackageDesc& p : m.packages) {
        const std::string text = clip.copy(p);
        QVERIFY(written.find(text) != std::string::npos);
        ConfigClip::Pasted pasted = clip.readRecords(text, false);
        QVERIFY(pasted.status.ok);
        QVERIFY(pasted.status.report.keepsEverything());
        QCOMPARE(pasted.count, 1);
        QVERIFY(!pasted.others);
        PackageDesc back = pasted.model.packages.at(1);
        QCOMPARE(back.lines[PackageDesc::Key::Source], 0u);
        back.id = p.id;
        back.takeLines(&p);
        QVERIFY(back == p);
        QCOMPARE(clip.copy(back), text);
    }
    for (const ApplicationDesc& app : m.applications) {
        const std::string text = clip.copy(app);
        QVERIFY(written.find(text) != std::string::npos);
        const ConfigClip::Pasted pasted = clip.readRecords(text, true);
        QVERIFY(pasted.status.ok && !pasted.others);
        QCOMPARE(pasted.count, 1);
        QCOMPARE(clip.copy(pasted.model.applications.at(1)), text);
    }
}

// Some entries of every list, kept lines and non-ASCII paths included, come
// back as the same entries.
void TestConfigClip::entriesReadBackAsCopied() {
    const ConfigModel m = readConfig(dataFile("commented-1.30.cfg"));
    const ConfigClip clip;
    int lists = 0;
    for (const PackageDesc& p : m.packages)
        ListTable::forEach(p, [&](const ListRow& row, const auto& list) {
            if (list.empty())
                return;
            ++lists;
            const std::vector<int> picked =
                list.count() > 2 ? std::vector<int>{2, list.count()} : allOf(list.count());
            const std::string text = clip.copy(row, list, picked);
            const ConfigClip::Pasted pasted = clip.readEntries(text, row);
            QVERIFY(pasted.status.ok && !pasted.others);
            QVERIFY(pasted.status.report.keepsEverything());
            QCOMPARE(pasted.count, static_cast<int>(picked.size()));
            ListTable::visit(row, [&](auto member) {
                const auto& back = pasted.model.packages.at(1).*member;
                if constexpr (std::is_same_v<decltype(&back), decltype(&list)>) {
                    QCOMPARE(clip.copy(row, back, allOf(back.count())), text);
                    for (int i = 1; i <= back.count(); ++i) {
                        QVERIFY(back.at(i) == list.at(picked[static_cast<std::size_t>(i - 1)]));
                        QCOMPARE(back.kept(i), list.kept(picked[static_cast<std::size_t>(i - 1)]));
                        QCOMPARE(back.line(i), 0u);
                    }
                }
            });
        });
    QCOMPARE(lists, 5);
}

void TestConfigClip::pastedText_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("others");
    QTest::addColumn<int>("dropped");
    QTest::addColumn<int>("firstDropped");
    QTest::newRow("excludes typed, no indent or last line end")
        << "excludes" << QByteArray("EXCLUDE \"SYS:\\TMP\"\nEXCLUDE \"VOL1:\\Caf\xe9\"") << 2
        << false << 0 << 0;
    // An unknown line is kept before the entry after it; a surplus word is
    // dropped.
    QTest::newRow("an unknown line among targets")
        << "targets"
        << QByteArray("  DEST SRV-A VOL1 MSGON 0\r\n  FROB 12\r\n  DEST SRV-B VOL1 MSGOFF 64\r\n")
        << 2 << false << 0 << 0;
    QTest::newRow("a surplus word")
        << "excludes" << QByteArray("EXCLUDE \"SYS:\\A\"\r\nEXCLUDE \"SYS:\\B\" NOW\r\n") << 2
        << false << 1 << 2;
    QTest::newRow("directory jobs pasted as file jobs")
        << "fileJobs" << QByteArray("SYNCDIR ALL DEL \"SYS:\\A\" \"VOL1:\\A\"\r\n") << 0 << true
        << 0 << 0;
    QTest::newRow("a letter") << "excludes" << QByteArray("Dear Ann,\r\nsee you on Monday.\r\n")
                              << 0 << true << 0 << 0;
    QTest::newRow("a package block into a list")
        << "targets" << QByteArray("PACKAGE X\r\n DEST S V MSGON 0\r\nPACKAGE END\r\n") << 0 << true
        << 1 << 1;
    QTest::newRow("two packages") << "packages"
                                  << QByteArray("PACKAGE A\r\nSOURCE S\r\nPACKAGE END\r\n\r\n"
                                                "PACKAGE B\r\nPACKAGE END\r\n")
                                  << 2 << false << 0 << 0;
    QTest::newRow("a package and global settings")
        << "packages" << QByteArray("USER admin\r\nPACKAGE A\r\nPACKAGE END\r\n") << 1 << true << 0
        << 0;
    QTest::newRow("an application into packages")
        << "packages" << QByteArray("APPLICATION A\r\nAPP_SERVER S\r\nAPPLICATION END\r\n") << 0
        << true << 0 << 0;
    QTest::newRow("an application") << "applications"
                                    << QByteArray("APPLICATION A\r\nAPP_SERVER S\r\n"
                                                  "DST_PACKAGE P\r\nAPPLICATION END\r\n")
                                    << 1 << false << 0 << 0;
}

// Text from any editor reads as what it holds of the kind pasted, says what
// else it held, and numbers its dropped lines from its own first line.
void TestConfigClip::pastedText() {
    QFETCH(QString, kind);
    QFETCH(QByteArray, text);
    QFETCH(int, count);
    QFETCH(bool, others);
    QFETCH(int, dropped);
    QFETCH(int, firstDropped);
    const ConfigClip clip;
    const std::string_view bytes(text.constData(), static_cast<std::size_t>(text.size()));
    ConfigClip::Pasted pasted;
    if (kind == "packages" || kind == "applications") {
        pasted = clip.readRecords(bytes, kind == "applications");
    } else {
        const auto rows = ListTable::packageLists();
        const auto row = std::ranges::find_if(
            rows, [&](const ListRow& r) { return QLatin1String(r.name) == kind; });
        QVERIFY(row != rows.end());
        pasted = clip.readEntries(bytes, *row);
    }
    QVERIFY(pasted.status.ok);
    QCOMPARE(pasted.count, count);
    QCOMPARE(pasted.others, others);
    const ReadReport& report = pasted.status.report;
    QCOMPARE(report.droppedLines(), dropped);
    if (dropped > 0)
        QCOMPARE(report.skipped().front().line, firstDropped);
    if (text.contains("Caf"))
        QCOMPARE(pasted.model.packages.at(1).excludes.at(2), std::string("VOL1:\\Caf\xe9"));
}

// Each message and command-file setting copies to its line(s) alone, which
// read back as that setting of the node that shows it, and nothing else.
void TestConfigClip::settingsReadBackAsCopied() {
    const ConfigModel m = readConfig(dataFile("commented-1.30.cfg"));
    const PackageDesc& p = m.packages.at(1);
    const ConfigClip clip;
    int copied = 0;
    for (const SettingRow& row : SettingTable::kRows) {
        if (!ConfigClip::copies(row))
            continue;
        ++copied;
        const std::string text = clip.copy(p, row);
        QCOMPARE(std::ranges::count(text, '\n'), row.second != nullptr ? 2 : 1);
        QVERIFY(text.find("# ") == std::string::npos);
        const ConfigClip::Pasted pasted = clip.readSettings(text, row.packageNode);
        QVERIFY(pasted.status.ok && !pasted.others);
        QCOMPARE(pasted.count, 1);
        QVERIFY(ConfigClip::gives(pasted, row));
        QCOMPARE(pasted.model.packages.at(1).*row.package, p.*row.package);
        if (row.second != nullptr)
            QCOMPARE(pasted.model.packages.at(1).*row.second, p.*row.second);
        // Onto a node that does not show it, it is something else.
        const DetailKind other =
            row.packageNode == DetailKind::Messages ? DetailKind::Settings : DetailKind::Messages;
        const ConfigClip::Pasted elsewhere = clip.readSettings(text, other);
        QVERIFY(elsewhere.others);
        QCOMPARE(elsewhere.count, 0);
    }
    QCOMPARE(copied, 7);
    const ConfigClip::Pasted typed = clip.readSettings(
        "ERRORMSG \"\"\r\nPOSTMSG \"Done\"\r\nSOURCE SRV\r\n", DetailKind::Messages);
    QCOMPARE(typed.count, 2);
    QVERIFY(typed.others);
}

QTEST_GUILESS_MAIN(TestConfigClip)
#include "tst_configclip.moc"

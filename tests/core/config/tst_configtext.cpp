#include "TestSupport.h"

#include "config/ScheduleText.h"
#include "config/Scramble.h"
#include "text/AnsiText.h"
#include "text/LineTokenizer.h"
#include "text/OemCodePage.h"
#include "text/TextUtil.h"

#include <QTest>
#include <cstdlib>

namespace {

// As the writer converts a path it has put out.
std::string toOem(const OemCodePage& oem, std::string bytes) {
    oem.toOemInPlace(bytes.data(), bytes.size());
    return bytes;
}

} // namespace

class TestConfigText : public QObject {
    Q_OBJECT

private slots:
    void scrambleKnownValues_data();
    void scrambleKnownValues();
    void scrambleUsesFirstFortyBytes();
    void scrambleRotationRestoresDigits();
    void scheduleDisplay_data();
    void scheduleDisplay();
    void targetScheduleFallsBackToPackage();
    void hourChoices();
    void dayLists();
    void timesAndWindow();
    void oemRoundTripKeepsEveryByte_data();
    void oemRoundTripKeepsEveryByte();
    void oemKnownCharacters();
    void oemCodePageFromEnvironment();
    void ansiToAndFromUtf8();
    void tokenizerSplitsOnDemand_data();
    void tokenizerSplitsOnDemand();
};

void TestConfigText::scrambleKnownValues_data() {
    // Expected values were computed independently from the algorithm's
    // description: block, XOR with the key, hex, rotate by the digit sum.
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("scrambled");
    QTest::newRow("empty") << QByteArray()
                           << QByteArray(
                                  "57504c5254414845561d1344175454584e42564d4f144516595243534a4455"
                                  "564b4647416b514d5a");
    QTest::newRow("secret") << QByteArray("secret")
                            << QByteArray(
                                   "5561d1344175454584e42564d4f144516595243534a4455564b4647411"
                                   "8140e0812046c525441484");
    QTest::newRow("39 bytes: 0 byte last, no blank")
        << QByteArray(39, 'A')
        << QByteArray(
               "d3335202924377c7225763535392f23372c2e752477383322322b2534372a2726612a302c3b36312");
    QTest::newRow("40 bytes: no filler")
        << QByteArray(40, 'B')
        << QByteArray(
               "835322e3036232a27347f71267536363a2c20342f2d7627743b302131282637342924252329332f3");
    QTest::newRow("bytes above 0x7F")
        << QByteArray("\xFC\xE9")
        << QByteArray("845561d1344175454584e42564d4f144516595243534a445556"
                      "4b46474197986d5a57504c5254414");
}

void TestConfigText::scrambleKnownValues() {
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, scrambled);
    QCOMPARE(Scramble(std::string_view(plain.constData(), plain.size())), scrambled.toStdString());
}

void TestConfigText::scrambleUsesFirstFortyBytes() {
    const std::string forty(40, 'B');
    QCOMPARE(Scramble(forty + "tail"), Scramble(forty));
    QVERIFY(Scramble(std::string(39, 'B')) != Scramble(forty));
}

void TestConfigText::scrambleRotationRestoresDigits() {
    for (const char* plain : {"", "a", "password", "0123456789012345678901234567890123456789xyz"}) {
        const std::string s = Scramble(plain);
        QCOMPARE(s.size(), std::size_t(80));
        QVERIFY(s.find_first_not_of("0123456789abcdef") == std::string::npos);
        unsigned sum = 0;
        for (char c : s)
            sum += static_cast<unsigned char>(c);
        const std::size_t r = sum % 40;
        const std::string hex = s.substr(80 - r) + s.substr(0, 80 - r);
        // The first digit pair is the first block byte XOR the key's 'k'.
        const int firstByte = std::stoi(hex.substr(0, 2), nullptr, 16) ^ 'k';
        QCOMPARE(firstByte, plain[0] == '\0' ? 0 : static_cast<unsigned char>(plain[0]));
    }
}

void TestConfigText::scheduleDisplay_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("display");
    QTest::newRow("1") << QStringLiteral("1") << QStringLiteral("every hour");
    QTest::newRow("12") << QStringLiteral("12") << QStringLiteral("every 12 hours");
    QTest::newRow("midnight") << QStringLiteral("00:00") << QStringLiteral("daily at 00:00");
    QTest::newRow("odd word with colon")
        << QStringLiteral("25:99") << QStringLiteral("daily at 25:99");
    QTest::newRow("odd word") << QStringLiteral("abc") << QStringLiteral("every abc hours");
}

void TestConfigText::scheduleDisplay() {
    QFETCH(QString, word);
    QFETCH(QString, display);
    QCOMPARE(ScheduleText::display(word.toStdString()), display.toStdString());
}

void TestConfigText::targetScheduleFallsBackToPackage() {
    QCOMPARE(ScheduleText::display(ScheduleText::effectiveTargetWord("", "6")),
             std::string("every 6 hours"));
    QCOMPARE(ScheduleText::display(ScheduleText::effectiveTargetWord("18:00", "6")),
             std::string("daily at 18:00"));
}

void TestConfigText::hourChoices() {
    QCOMPARE(ScheduleText::hourChoiceIndex("5"), 0);
    QCOMPARE(ScheduleText::hourChoiceIndex("1"), 0);
    QCOMPARE(ScheduleText::hourChoiceIndex("2"), 1);
    QCOMPARE(ScheduleText::hourChoiceIndex("12"), 6);
    QCOMPARE(ScheduleText::hourChoiceIndex("08:00"), 0);
    QCOMPARE(ScheduleText::hourChoiceWord(4), std::string("6"));
    QCOMPARE(ScheduleText::hourChoiceWord(0), std::string("1"));
    QCOMPARE(ScheduleText::hourChoiceWord(99), std::string("1"));
}

void TestConfigText::dayLists() {
    std::array<bool, 7> selected{};
    for (std::size_t i = 0; i < 7; ++i)
        selected[i] = ScheduleText::hasDay("MON,WED", ScheduleText::kDays[i]);
    QCOMPARE(selected, (std::array<bool, 7>{false, true, false, true, false, false, false}));
    QCOMPARE(ScheduleText::dayList(selected), std::string("MON WED "));
    QCOMPARE(ScheduleText::dayList({}), std::string());
    QVERIFY(ScheduleText::hasDay("SATSUN", "SUN"));
}

void TestConfigText::timesAndWindow() {
    int h = -1, m = -1;
    ScheduleText::splitTime("08:30", h, m);
    QCOMPARE(h, 8);
    QCOMPARE(m, 30);
    ScheduleText::splitTime("x", h, m);
    QCOMPARE(h, 0);
    QCOMPARE(m, 0);
    QCOMPARE(ScheduleText::timeText(7, 5), std::string("07:05"));
    QCOMPARE(ScheduleText::jobWindowDisplay(true, "22:00", "06:00"), std::string("22:00-06:00"));
    QCOMPARE(ScheduleText::jobWindowDisplay(false, "22:00", "06:00"), std::string("DISABLED"));
    QCOMPARE(ScheduleText::jobWindowFromFile("x00:00", "00:00y"), std::string("DISABLED"));
}

void TestConfigText::oemRoundTripKeepsEveryByte_data() {
    QTest::addColumn<int>("codePage");
    QTest::newRow("437") << 437;
    QTest::newRow("850") << 850;
}

void TestConfigText::oemRoundTripKeepsEveryByte() {
    QFETCH(int, codePage);
    const OemCodePage oem(codePage);
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string ansi = oem.toAnsi(all);
    QCOMPARE(toOem(oem, ansi), all);
    QCOMPARE(oem.toAnsi(toOem(oem, all)), all);
    QCOMPARE(ansi.substr(0, 128), all.substr(0, 128));
    // Runs of plain bytes are passed over whole: a high byte at any place
    // among them is still converted, and nothing else.
    for (std::size_t at = 0; at < 20; ++at) {
        std::string line = std::string(at, 'a') + "\x81" + std::string(20 - at, 'z');
        oem.toAnsiInPlace(line.data(), line.size());
        QCOMPARE(line, std::string(at, 'a') + oem.toAnsi("\x81") + std::string(20 - at, 'z'));
    }
}

void TestConfigText::oemKnownCharacters() {
    const OemCodePage cp437(437);
    const OemCodePage cp850(850);
    QCOMPARE(cp437.toAnsi("\x81\x82\x9C\xE1"),
             std::string("\xFC\xE9\xA3\xDF")); // u-umlaut e-acute pound sharp-s
    QCOMPARE(cp850.toAnsi("\xB7\xEC\x9D"), std::string("\xC0\xFD\xD8")); // A-grave y-acute O-stroke
    // A-grave has no place in 437: it takes a byte of its own, never plain A.
    QVERIFY(static_cast<unsigned char>(toOem(cp437, "\xC0")[0]) >= 0x80);
}

void TestConfigText::oemCodePageFromEnvironment() {
    qputenv("PALLWORTH_OEM_CODEPAGE", "850");
    QCOMPARE(OemCodePage::fromEnvironment().number(), 850);
    qputenv("PALLWORTH_OEM_CODEPAGE", "1252");
    QCOMPARE(OemCodePage::fromEnvironment().number(), 437);
    qunsetenv("PALLWORTH_OEM_CODEPAGE");
    QCOMPARE(OemCodePage::fromEnvironment().number(), 437);
}

void TestConfigText::ansiToAndFromUtf8() {
    QCOMPARE(AnsiText::toUtf8("a\x80\xFC\x81\x9D"), std::string("a\u20AC\u00FC\u0081\u009D"));
    QCOMPARE(AnsiText::fromUtf8("a\u20AC\u00FC\u0081"), std::string("a\x80\xFC\x81"));
    QCOMPARE(AnsiText::fromUtf8("\u4E2D\xFF"), std::string("??"));
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    QCOMPARE(AnsiText::fromUtf8(AnsiText::toUtf8(all)), all);
}

QTEST_APPLESS_MAIN(TestConfigText)
void TestConfigText::tokenizerSplitsOnDemand_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("args");
    QTest::addColumn<int>("start3");
    QTest::addColumn<bool>("truncated");
    QTest::newRow("job line") << "  syncdir ALL NODEL \"A B\" \"C\""
                              << "ALL|NODEL|\"A|B\"|\"C\"|" << 20 << false;
    QTest::newRow("delimiters") << "DEST ,\tS1,, V\r\n"
                                << "S1|V|" << -1 << false;
    QTest::newRow("keyword only") << "PACKAGE"
                                  << "" << -1 << false;
    QString many = QStringLiteral("LOGEVENT");
    QString kept;
    for (int i = 1; i <= LineTokenizer::kMaxArgs + 1; ++i) {
        many += QStringLiteral(" W");
        kept += i <= LineTokenizer::kMaxArgs ? QStringLiteral("W|") : QString();
    }
    QTest::newRow("more words than kept") << many << kept << 13 << true;
}

void TestConfigText::tokenizerSplitsOnDemand() {
    QFETCH(QString, line);
    QFETCH(QString, args);
    QFETCH(int, start3);
    QFETCH(bool, truncated);
    const std::string bytes = line.toStdString();
    LineTokenizer tokens;
    QVERIFY(tokens.tokenize(bytes));
    QCOMPARE(std::string(tokens.keyword()), TextUtil::upper(TextUtil::words(bytes).front()));
    // Asked out of order: where the third starts, the second, then all.
    const char* start = tokens.argStart(3);
    QCOMPARE(start == nullptr ? -1 : static_cast<int>(start - bytes.data()), start3);
    const std::string_view second = tokens.arg(2);
    std::string joined;
    for (int i = 1; i <= tokens.argCount(); ++i)
        joined.append(tokens.arg(i)).append("|");
    QCOMPARE(QString::fromStdString(joined), args);
    QCOMPARE(second, tokens.arg(2));
    QCOMPARE(tokens.truncated(), truncated);
    QCOMPARE(tokens.arg(tokens.argCount() + 1), std::string_view());
}

#include "tst_configtext.moc"

#include "TestSupport.h"

#include "config/ScheduleText.h"
#include "config/WeekSchedule.h"

#include <QTest>

using namespace testsupport;

class TestWeekSchedule : public QObject {
    Q_OBJECT

private slots:
    void packagesArePlaced_data();
    void packagesArePlaced();
    void startsPerHourAndBusiest();
};

namespace {

std::string timing(const WeekSchedule::Timing& t) {
    std::string s = t.daily()    ? "daily " + t.word
                    : t.placed() ? "every " + std::to_string(t.everyHours)
                                 : "unplaced " + t.word;
    return t.outsideWindow ? s + " outside" : s;
}

// The package as one line: its days in week order, its timing, then each
// target with a word of its own.
std::string summary(const WeekSchedule::Package& p) {
    std::string s;
    for (std::size_t d = 0; d < 7; ++d)
        if (p.days[d])
            s += std::string(ScheduleText::kDays[d]) + " ";
    s += "| " + timing(p.timing);
    for (const auto& t : p.targets)
        s += " | " + std::to_string(t.index) + " " + t.server + " " + timing(t.timing);
    return s;
}

ConfigModel config(std::string_view window, std::string_view package) {
    return readConfig(cfg("1.30", std::string(window) + "PACKAGE P\r\n" + std::string(package) +
                                      "PACKAGE END\r\n"));
}

} // namespace

void TestWeekSchedule::packagesArePlaced_data() {
    QTest::addColumn<QByteArray>("window");
    QTest::addColumn<QByteArray>("package");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray night = "STARTJOB 22:00\r\nENDJOB 06:00\r\n";
    QTest::newRow("daily, days in any order")
        << QByteArray() << QByteArray("SCHEDULE 02:00 FRI MON,WED\r\n")
        << QByteArray("MON WED FRI | daily 02:00");
    QTest::newRow("every N hours has no hour")
        << QByteArray() << QByteArray("SCHEDULE 4 SUN SAT\r\n") << QByteArray("SUN SAT | every 4");
    QTest::newRow("no day selected")
        << QByteArray() << QByteArray("SCHEDULE 12:15 XYZ\r\n") << QByteArray("| daily 12:15");
    QTest::newRow("invalid words are reported")
        << QByteArray()
        << QByteArray("SCHEDULE 25:99 MON\r\nDEST A V MSGON 0 7:5\r\nDEST B V MSGON 0 tcp\r\n"
                      "DEST C V MSGON 0 0\r\n")
        << QByteArray("MON | unplaced 25:99 | 1 A unplaced 7:5 | 2 B unplaced tcp | 3 C "
                      "unplaced 0");
    QTest::newRow("targets with and without a word")
        << QByteArray()
        << QByteArray("SCHEDULE 6 TUE\r\nDEST A V MSGON 0\r\nDEST B V MSGON 0 TCP 18:00\r\n"
                      "DEST C V MSGON 0 IPX 2\r\n")
        << QByteArray("TUE | every 6 | 2 B daily 18:00 | 3 C every 2");
    QTest::newRow("runs outside a window across midnight")
        << night
        << QByteArray("SCHEDULE 21:59 THU\r\nDEST A V MSGON 0 22:00\r\nDEST B V MSGON 0 "
                      "06:00\r\nDEST C V MSGON 0 06:01\r\nDEST D V MSGON 0 3\r\n")
        << QByteArray("THU | daily 21:59 outside | 1 A daily 22:00 | 2 B daily 06:00 | 3 C "
                      "daily 06:01 outside | 4 D every 3");
    QTest::newRow("a window within the day")
        << QByteArray("STARTJOB 08:00\r\nENDJOB 17:00\r\n")
        << QByteArray("SCHEDULE 17:01 MON\r\nDEST A V MSGON 0 08:00\r\nDEST B V MSGON 0 "
                      "17:00\r\nDEST C V MSGON 0 07:59\r\n")
        << QByteArray("MON | daily 17:01 outside | 1 A daily 08:00 | 2 B daily 17:00 | 3 C "
                      "daily 07:59 outside");
    QTest::newRow("a window that ends at midnight")
        << QByteArray("STARTJOB 08:00\r\nENDJOB 00:00\r\n")
        << QByteArray("SCHEDULE 00:01 MON\r\nDEST A V MSGON 0 00:00\r\n")
        << QByteArray("MON | daily 00:01 outside | 1 A daily 00:00");
    QTest::newRow("a window time that cannot be read holds nothing back")
        << QByteArray("STARTJOB 8:00\r\nENDJOB 17:00\r\n") << QByteArray("SCHEDULE 20:00 MON\r\n")
        << QByteArray("MON | daily 20:00");
    QTest::newRow("a disabled window holds no run back")
        << QByteArray("STARTJOB 00:00\r\nENDJOB 00:00\r\n") << QByteArray("SCHEDULE 23:30 SUN\r\n")
        << QByteArray("SUN | daily 23:30");
}

void TestWeekSchedule::packagesArePlaced() {
    QFETCH(QByteArray, window);
    QFETCH(QByteArray, package);
    QFETCH(QByteArray, expected);
    const WeekSchedule week =
        WeekSchedule::compute(config(window.toStdString(), package.toStdString()));
    QCOMPARE(week.packages.size(), std::size_t(1));
    QCOMPARE(summary(week.packages[0]), expected.toStdString());
}

void TestWeekSchedule::startsPerHourAndBusiest() {
    // Twelve packages at 02:xx on Monday and Friday, one of them with a
    // target at 02:45 of its own; an every-hours package counts nowhere.
    std::string body = "MAXTHREADS 5\r\n";
    for (int i = 0; i < 12; ++i)
        body += "PACKAGE P" + std::to_string(i) + "\r\nSCHEDULE 02:" + std::to_string(10 + i) +
                " MON FRI\r\nPACKAGE END\r\n";
    body += "PACKAGE T\r\nSCHEDULE 23:00 SUN\r\nDEST A V MSGON 0 02:45\r\nPACKAGE END\r\n";
    body += "PACKAGE E\r\nSCHEDULE 1 SUN MON TUE WED THU FRI SAT\r\nPACKAGE END\r\n";
    const WeekSchedule week = WeekSchedule::compute(readConfig(cfg("1.30", body)));
    QCOMPARE(week.threads, 5);
    QCOMPARE(week.startsPerHour[24 + 2], 12);
    QCOMPARE(week.startsPerHour[5 * 24 + 2], 12);
    QCOMPARE(week.startsPerHour[23], 1);
    QCOMPARE(week.startsPerHour[2], 1);
    int total = 0;
    for (int starts : week.startsPerHour)
        total += starts;
    QCOMPARE(total, 26);
    const auto busiest = week.busiest();
    QCOMPARE(busiest.size(), std::size_t(4));
    const int expected[][3] = {{1, 2, 12}, {5, 2, 12}, {0, 2, 1}, {0, 23, 1}};
    for (std::size_t i = 0; i < busiest.size(); ++i) {
        QCOMPARE(busiest[i].day, expected[i][0]);
        QCOMPARE(busiest[i].hour, expected[i][1]);
        QCOMPARE(busiest[i].starts, expected[i][2]);
    }
    QCOMPARE(week.busiest(1).size(), std::size_t(1));
}

QTEST_APPLESS_MAIN(TestWeekSchedule)
#include "tst_weekschedule.moc"

#include "DialogDriver.h"
#include "TestSupport.h"

#include "config/GlobalSettings.h"
#include "config/ScheduleText.h"
#include "dialogs/CDays.h"
#include "dialogs/CRunSchedule.h"
#include "dialogs/CTimeRestriction.h"

#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTimeEdit>

using namespace dialogtest;

namespace {

constexpr int kDaily = 1043, kEvery = 1044, kTime = 1042, kHours = 1045;
constexpr int kEnabled = 1028, kNotBefore = 1026, kNotAfter = 1027;
constexpr std::array<int, 7> kDayIds = {1030, 1021, 1025, 1026, 1027, 1028, 1029};

QString scheduleEnabling(const QDialog& d) {
    return enabledOf(d, {kTime, kHours, 1038});
}

QString memberDays(const CDays& d) {
    QString ticks;
    for (const int day : d.days)
        ticks += QString::number(day);
    return ticks;
}

GlobalSettings window(const QString& start, const QString& end, const QString& flag) {
    GlobalSettings g;
    g.startJob = start.toStdString();
    g.endJob = end.toStdString();
    g.jobWindow = flag.toStdString();
    return g;
}

QLineEdit* timeBox(const QDialog& d, int id) {
    return control<QLineEdit>(d, id);
}

// The default locale for one test.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(previous_); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    QLocale previous_;
};

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kUs(QLocale::English, QLocale::UnitedStates);

} // namespace

class TestScheduleDialogs : public QObject {
    Q_OBJECT

private slots:
    void controlsAndCaptions();
    void runScheduleInAndOut_data();
    void runScheduleInAndOut();
    void runScheduleClicksAndChoices();
    void runScheduleCancel();
    void daysIn_data();
    void daysIn();
    void daysOut_data();
    void daysOut();
    void timeIn_data();
    void timeIn();
    void timeOut_data();
    void timeOut();
    void timeTyped_data();
    void timeTyped();
    void timeRefused_data();
    void timeRefused();
    void timeCancelAfterRefusal();
};

void TestScheduleDialogs::controlsAndCaptions() {
    CRunSchedule run;
    QCOMPARE(run.property("resourceId").toInt(), 156);
    QCOMPARE(run.mode, -1);
    QCOMPARE(run.everyIndex, -1);
    QVERIFY(!control(run, 1047)); // no package default here
    QCOMPARE(control<QTimeEdit>(run, kTime)->displayFormat(), QStringLiteral("HH:mm"));
    QCOMPARE(control<QComboBox>(run, kHours)->count(), 7);
    QCOMPARE(captionOf(run), QStringLiteral("Dialog"));
    run.caption = "Schedule";
    QCOMPARE(captionOf(run), QStringLiteral("Schedule"));

    CDays days;
    QCOMPARE(days.property("resourceId").toInt(), 149);
    QCOMPARE(memberDays(days), QStringLiteral("0000000"));
    QStringList labels;
    for (const int id : kDayIds) {
        QVERIFY(control<QAbstractButton>(days, id)->isCheckable());
        labels << control<QAbstractButton>(days, id)->text();
    }
    QCOMPARE(labels, (QStringList{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}));
    QCOMPARE(captionOf(days), QStringLiteral("Days to run"));

    CTimeRestriction time;
    QCOMPARE(time.property("resourceId").toInt(), 167);
    QCOMPARE(time.enabled, 0);
    QCOMPARE(control<QAbstractButton>(time, kEnabled)->text(), QStringLiteral("Enabled"));
    QVERIFY(timeBox(time, kNotBefore) && timeBox(time, kNotAfter));
    QCOMPARE(captionOf(time), QStringLiteral("Time restriction"));
}

void TestScheduleDialogs::runScheduleInAndOut_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("mode"); // -1: shown as stored, no mode checked
    // Picker text, hours item, or the line that shows a stored word.
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("word"); // after OK untouched, or after the refusal
    const auto unlisted = [](const char* word) {
        return QStringLiteral("The file holds \"%1\", which is none of the choices here.")
            .arg(QLatin1String(word));
    };
    QTest::newRow("3") << "3" << 1 << "3"
                       << "3";
    QTest::newRow("12") << "12" << 1 << "12"
                        << "12";
    QTest::newRow("5 not offered") << "5" << -1 << unlisted("5") << "5";
    QTest::newRow("25:99") << "25:99" << -1 << unlisted("25:99") << "25:99";
    QTest::newRow("empty") << "" << -1 << "The file gives no schedule here; choose one."
                           << "";
    QTest::newRow("23:45") << "23:45" << 0 << "23:45"
                           << "23:45";
    // A time the picker shows keeps its stored form while untouched.
    QTest::newRow("7:05") << "7:05" << 0 << "07:05"
                          << "7:05";
    QTest::newRow("8:") << "8:" << 0 << "08:00"
                        << "8:";
}

void TestScheduleDialogs::runScheduleInAndOut() {
    QFETCH(QString, stored);
    QFETCH(int, mode);
    QFETCH(QString, shown);
    QFETCH(QString, word);
    CRunSchedule d;
    d.loadFrom(stored.toStdString());
    const Run run = drive(d, [&](QDialog& dialog) {
        QCOMPARE(checkedOf(dialog, {kDaily, kEvery}), QString::fromLatin1(mode < 0 ? "00"
                                                                          : mode   ? "01"
                                                                                   : "10"));
        QCOMPARE(scheduleEnabling(dialog), QString::fromLatin1(mode ? "011" : "100"));
        auto* line = dialog.findChild<QLabel*>(QStringLiteral("unlisted"));
        QCOMPARE(!line->isHidden(), mode < 0);
        QCOMPARE(mode < 0   ? line->text()
                 : mode > 0 ? control<QComboBox>(dialog, kHours)->currentText()
                            : control<QTimeEdit>(dialog, kTime)->text(),
                 shown);
        dialog.accept();
    });
    if (mode < 0) {
        QVERIFY(refusedWith(run, QStringLiteral("Please choose when to run."),
                            QStringLiteral("Pallworth")));
    } else {
        QCOMPARE(run.code, int(QDialog::Accepted));
        QCOMPARE(d.mode, mode);
    }
    QCOMPARE(d.word(), word.toStdString());
}

void TestScheduleDialogs::runScheduleClicksAndChoices() {
    CRunSchedule d;
    d.loadFrom("23:45");
    drive(d, [](QDialog& dialog) {
        control<QAbstractButton>(dialog, kEvery)->click();
        QCOMPARE(scheduleEnabling(dialog), QStringLiteral("011"));
        control<QComboBox>(dialog, kHours)->setCurrentIndex(5);
        dialog.accept();
    });
    QCOMPARE(d.word(), std::string("8"));

    d.loadFrom("4");
    drive(d, [](QDialog& dialog) {
        control<QAbstractButton>(dialog, kDaily)->click();
        QCOMPARE(scheduleEnabling(dialog), QStringLiteral("100"));
        control<QTimeEdit>(dialog, kTime)->setTime(QTime(6, 7));
        dialog.accept();
    });
    QCOMPARE(d.word(), std::string("06:07"));
    QCOMPARE(ScheduleText::display(d.word()), std::string("daily at 06:07"));

    // "run every" with no hours item, or no mode at all: the first choice.
    CRunSchedule unset;
    drive(unset, [](QDialog& dialog) {
        QCOMPARE(checkedOf(dialog, {kDaily, kEvery}), QStringLiteral("00"));
        QCOMPARE(scheduleEnabling(dialog), QStringLiteral("011"));
        dialog.accept();
    });
    QCOMPARE(unset.everyIndex, -1);
    QCOMPARE(unset.word(), std::string("1"));
}

void TestScheduleDialogs::runScheduleCancel() {
    CRunSchedule d;
    d.loadFrom("6");
    const QTime before = d.startTime;
    drive(d, [](QDialog& dialog) {
        control<QAbstractButton>(dialog, kDaily)->click();
        control<QTimeEdit>(dialog, kTime)->setTime(QTime(1, 2));
        dialog.reject();
    });
    QCOMPARE(d.mode, 1);
    QCOMPARE(d.startTime, before);
    QCOMPARE(d.word(), std::string("6"));
}

void TestScheduleDialogs::daysIn_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("ticked"); // Sun to Sat
    QTest::newRow("MON FRI") << "MON FRI"
                             << "0100010";
    QTest::newRow("SUNMON") << "SUNMON"
                            << "1100000";
    QTest::newRow("MON,WED") << "MON,WED"
                             << "0101000";
    QTest::newRow("out of order") << "SAT TUE SUN "
                                  << "1010001";
    QTest::newRow("empty") << ""
                           << "0000000";
    QTest::newRow("lower case") << "mon fri"
                                << "0000000";
}

void TestScheduleDialogs::daysIn() {
    QFETCH(QString, stored);
    QFETCH(QString, ticked);
    CDays d;
    d.loadFrom(stored.toStdString());
    QCOMPARE(memberDays(d), ticked);
    drive(d, [&](QDialog& dialog) {
        QCOMPARE(checkedOf(dialog, kDayIds), ticked);
        dialog.accept();
    });
    QCOMPARE(memberDays(d), ticked);
}

void TestScheduleDialogs::daysOut_data() {
    QTest::addColumn<QString>("ticked");
    QTest::addColumn<QString>("list");
    QTest::newRow("Sat and Sun") << "1000001"
                                 << "SUN SAT ";
    QTest::newRow("every day") << "1111111"
                               << "SUN MON TUE WED THU FRI SAT ";
    QTest::newRow("none") << "0000000"
                          << "";
}

void TestScheduleDialogs::daysOut() {
    QFETCH(QString, ticked);
    QFETCH(QString, list);
    CDays d;
    d.loadFrom("MON TUE");
    drive(d, [&](QDialog& dialog) {
        setChecked(dialog, kDayIds, ticked);
        dialog.accept();
    });
    QCOMPARE(d.dayList(), list.toStdString());

    // Cancel keeps what OK took.
    drive(d, [](QDialog& dialog) {
        setChecked(dialog, kDayIds, QStringLiteral("0110110"));
        dialog.reject();
    });
    QCOMPARE(d.dayList(), list.toStdString());
}

void TestScheduleDialogs::timeIn_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("flag");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QTime>("notBefore");
    QTest::addColumn<QTime>("notAfter");
    QTest::newRow("DISABLED") << "08:00"
                              << "17:30"
                              << "DISABLED" << false << QTime(8, 0) << QTime(17, 30);
    QTest::newRow("ENABLE") << "8:00"
                            << "17:30"
                            << "ENABLE" << true << QTime(8, 0) << QTime(17, 30);
    QTest::newRow("span") << "22:00"
                          << "06:00"
                          << "22:00-06:00" << true << QTime(22, 0) << QTime(6, 0);
    QTest::newRow("no colon") << "8"
                              << "1730"
                              << "ENABLE" << true << QTime(0, 0) << QTime(0, 0);
    QTest::newRow("colon first") << ":30"
                                 << ""
                                 << "ENABLE" << true << QTime(0, 0) << QTime(0, 0);
    QTest::newRow("impossible") << "25:00"
                                << "23:59"
                                << "ENABLE" << true << QTime() << QTime(23, 59);
}

void TestScheduleDialogs::timeIn() {
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, flag);
    QFETCH(bool, enabled);
    QFETCH(QTime, notBefore);
    QFETCH(QTime, notAfter);
    const LocaleScope locale(kGerman); // short time: HH:mm
    CTimeRestriction d;
    d.loadFrom(window(start, end, flag));
    QCOMPARE(d.enabled, enabled ? 1 : 0);
    QCOMPARE(d.notBefore, notBefore);
    QCOMPARE(d.notAfter, notAfter);
    drive(d, [&](QDialog& dialog) {
        QCOMPARE(checkedOf(dialog, {kEnabled}), QString::fromLatin1(enabled ? "1" : "0"));
        QCOMPARE(enabledOf(dialog, {kNotBefore, kNotAfter}),
                 QString::fromLatin1(enabled ? "11" : "00"));
        // A time as the locale writes it; a text that is no time as stored.
        const auto shown = [](const QTime& time, const QString& stored) {
            return time.isValid() && stored.indexOf(u':') > 0
                       ? time.toString(QStringLiteral("HH:mm"))
                       : stored;
        };
        QCOMPARE(timeBox(dialog, kNotBefore)->text(), shown(notBefore, start));
        QCOMPARE(timeBox(dialog, kNotAfter)->text(), shown(notAfter, end));
        control<QAbstractButton>(dialog, kEnabled)->click();
        QCOMPARE(enabledOf(dialog, {kNotBefore, kNotAfter}),
                 QString::fromLatin1(enabled ? "00" : "11"));
    });
}

void TestScheduleDialogs::timeOut_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("flag");
    QTest::addColumn<QString>("stored"); // startJob endJob jobWindow
    QTest::addColumn<QString>("row");
    // OK on what opened keeps every stored text.
    QTest::newRow("8:00 and 17:30") << "8:00"
                                    << "17:30"
                                    << "ENABLE"
                                    << "8:00 17:30 ENABLE"
                                    << "8:00-17:30";
    QTest::newRow("disabled keeps times") << "22:00"
                                          << "6:05"
                                          << "DISABLED"
                                          << "22:00 6:05 DISABLED"
                                          << "DISABLED";
    QTest::newRow("span") << "00:00"
                          << "23:59"
                          << "00:00-23:59"
                          << "00:00 23:59 00:00-23:59"
                          << "00:00-23:59";
    QTest::newRow("disabled, no times") << "x"
                                        << ""
                                        << "DISABLED"
                                        << "x  DISABLED"
                                        << "DISABLED";
}

void TestScheduleDialogs::timeOut() {
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, flag);
    QFETCH(QString, stored);
    QFETCH(QString, row);
    // What the boxes show reads back in every locale.
    for (const QLocale& locale : {kGerman, kUs, QLocale::c()}) {
        const LocaleScope scope(locale);
        CTimeRestriction d;
        GlobalSettings g = window(start, end, flag);
        d.loadFrom(g);
        const Run run = drive(d, pressOk);
        QVERIFY2(run.code == QDialog::Accepted, qPrintable(locale.name()));
        d.applyTo(g);
        QCOMPARE(g.startJob + " " + g.endJob + " " + g.jobWindow, stored.toStdString());
        QCOMPARE(ScheduleText::jobWindowDisplay(d.enabled != 0, g.startJob, g.endJob),
                 row.toStdString());
    }
}

void TestScheduleDialogs::timeTyped_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QTime>("time");
    QTest::newRow("de 24-hour") << kGerman << "17:30" << QTime(17, 30);
    QTest::newRow("de one-digit hour") << kGerman << " 7:05 " << QTime(7, 5);
    QTest::newRow("us 24-hour") << kUs << "17:30" << QTime(17, 30);
    QTest::newRow("us afternoon") << kUs << "5:30 PM" << QTime(17, 30);
    QTest::newRow("us date and time")
        << kUs << kUs.toString(QDateTime(QDate(2024, 2, 29), QTime(16, 45)), QLocale::ShortFormat)
        << QTime(16, 45);
}

void TestScheduleDialogs::timeTyped() {
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(QTime, time);
    const LocaleScope scope(locale);
    CTimeRestriction d;
    drive(d, [&](QDialog& dialog) {
        timeBox(dialog, kNotBefore)->setText(typed);
        dialog.accept();
    });
    QCOMPARE(d.notBefore, time);
}

void TestScheduleDialogs::timeRefused_data() {
    QTest::addColumn<QString>("notBefore");
    QTest::addColumn<QString>("notAfter");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("focusId");
    QTest::newRow("after") << "08:00"
                           << "abc" << true << kNotAfter;
    QTest::newRow("before") << "later"
                            << "17:00" << true << kNotBefore;
    QTest::newRow("both: after first") << "x"
                                       << "y" << true << kNotAfter;
    QTest::newRow("empty") << ""
                           << "17:00" << true << kNotBefore;
    QTest::newRow("hour 24") << "24:00"
                             << "17:00" << true << kNotBefore;
    QTest::newRow("minute 60") << "08:00"
                               << "17:60" << true << kNotAfter;
    QTest::newRow("while disabled") << "08:00"
                                    << "nope" << false << 0;
}

void TestScheduleDialogs::timeRefused() {
    QFETCH(QString, notBefore);
    QFETCH(QString, notAfter);
    QFETCH(bool, enabled);
    QFETCH(int, focusId);
    const LocaleScope scope(kGerman);
    CTimeRestriction d;
    d.loadFrom(window(QStringLiteral("08:00"), QStringLiteral("17:00"), QStringLiteral("ENABLE")));
    QWidget* focus = nullptr;
    const Run run = drive(d, [&](QDialog& dialog) {
        timeBox(dialog, kNotBefore)->setText(notBefore);
        timeBox(dialog, kNotAfter)->setText(notAfter);
        control<QAbstractButton>(dialog, kEnabled)->setChecked(enabled);
        dialog.accept();
        focus = dialog.focusWidget();
    });
    QVERIFY(refusedWith(run, QStringLiteral("Please enter a date and/or time."),
                        QStringLiteral("Pallworth")));
    // A disabled box cannot take the focus.
    QCOMPARE(focus, focusId ? control(d, focusId) : nullptr);
    QCOMPARE(d.notAfter, QTime(17, 0));
}

void TestScheduleDialogs::timeCancelAfterRefusal() {
    CTimeRestriction d;
    d.loadFrom(
        window(QStringLiteral("25:00"), QStringLiteral("17:00"), QStringLiteral("DISABLED")));
    const Run run = drive(d, [](QDialog& dialog) {
        QCOMPARE(timeBox(dialog, kNotBefore)->text(), QStringLiteral("25:00")); // as stored
        control<QAbstractButton>(dialog, kEnabled)->setChecked(true);
        dialog.accept();
        dialog.reject();
    });
    QCOMPARE(run.messages.size(), std::size_t(1));
    QCOMPARE(run.code, int(QDialog::Rejected));
    QCOMPARE(d.enabled, 0);
    QVERIFY(!d.notBefore.isValid());
}

QTEST_MAIN(TestScheduleDialogs)
#include "tst_scheduledialogs.moc"

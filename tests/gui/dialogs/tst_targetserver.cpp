#include "DialogDriver.h"
#include "TestSupport.h"

#include "config/TargetServer.h"
#include "dialogs/CNumber.h"
#include "dialogs/CTargetServer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>

using namespace dialogtest;

namespace {

constexpr int kServer = 1019, kVolume = 1020, kProtocol = 1014, kBandwidth = 1029, kMsg = 1021;
constexpr int kDefault = 1047, kDaily = 1043, kEvery = 1044, kTime = 1042, kHours = 1045;

QLineEdit* edit(const QDialog& d, int id) {
    return control<QLineEdit>(d, id);
}
QComboBox* combo(const QDialog& d, int id) {
    return control<QComboBox>(d, id);
}
void click(const QDialog& d, int id) {
    control<QAbstractButton>(d, id)->click();
}
// Time picker, hours list, "hours" label.
QString scheduleEnabling(const QDialog& d) {
    return enabledOf(d, {kTime, kHours, 1038});
}

TargetServer stored(std::string_view schedule, std::string_view protocol = "TCP",
                    std::string_view bandwidth = "100", std::string_view msg = "ON") {
    return TargetServer("FS1", "VOL1", msg, schedule, bandwidth, protocol);
}

} // namespace

class TestTargetServer : public QObject {
    Q_OBJECT

private slots:
    void controls();
    void scheduleInAndOut_data();
    void scheduleInAndOut();
    void protocolInAndOut_data();
    void protocolInAndOut();
    void flagAndBandwidthInAndOut_data();
    void flagAndBandwidthInAndOut();
    void serverUpperCase();
    void bandwidthChecks_data();
    void bandwidthChecks();
    void nameChecks_data();
    void nameChecks();
    void enablingFollowsClicks();
    void everyWithoutHoursItem();
    void newTarget();
    void cancelAfterRefusal();
    void shownDialog();
};

void TestTargetServer::controls() {
    CTargetServer d;
    QCOMPARE(d.property("resourceId").toInt(), 160);
    QVERIFY(d.protocol.empty() && d.server.empty() && d.volume.empty());
    QCOMPARE(d.bandwidth + d.sendMessage, 0);
    QCOMPARE(d.scheduleMode, -1);
    QCOMPARE(d.everyIndex, -1);
    const std::vector<std::pair<int, const char*>> classes{
        {kServer, "QLineEdit"},    {kVolume, "QLineEdit"},   {kProtocol, "QComboBox"},
        {kBandwidth, "QLineEdit"}, {kMsg, "QCheckBox"},      {kDefault, "QRadioButton"},
        {kDaily, "QRadioButton"},  {kEvery, "QRadioButton"}, {kTime, "QTimeEdit"},
        {kHours, "QComboBox"},     {1038, "QLabel"},         {1, "QPushButton"},
        {2, "QPushButton"}};
    for (const auto& [id, className] : classes) {
        QVERIFY2(control(d, id) && control(d, id)->inherits(className), className);
        QCOMPARE(control(d, id)->property("resourceId").toInt(), id);
    }
    QCOMPARE(control<QAbstractButton>(d, kDefault)->text(), QStringLiteral("(package default)"));
    QCOMPARE(control<QTimeEdit>(d, kTime)->displayFormat(), QStringLiteral("HH:mm"));
    QStringList hours;
    for (int i = 0; i < combo(d, kHours)->count(); ++i)
        hours << combo(d, kHours)->itemText(i);
    QCOMPARE(hours, (QStringList{"1", "2", "3", "4", "6", "8", "12"}));

    QCOMPARE(captionOf(d), QStringLiteral("Target Server"));
    d.exchangeIn(); // opened twice: the protocol items are not repeated
    QStringList protocols;
    for (int i = 0; i < combo(d, kProtocol)->count(); ++i)
        protocols << combo(d, kProtocol)->itemText(i);
    QCOMPARE(protocols, (QStringList{"(package default)", "TCP", "UDP", "IPX"}));
}

void TestTargetServer::scheduleInAndOut_data() {
    QTest::addColumn<QString>("schedule");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("enabled"); // time picker, hours list, label
    // Picker text or hours item; for a word no control can show (mode -1),
    // the line that shows it as stored.
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("word"); // after OK untouched, or after the refusal
    const auto unlisted = [](const char* word) {
        return QStringLiteral("The file holds \"%1\", which is none of the choices here.")
            .arg(QLatin1String(word));
    };
    QTest::newRow("empty") << "" << 0 << "000"
                           << ""
                           << "";
    // A time the picker shows keeps its stored form while untouched.
    QTest::newRow("7:05") << "7:05" << 1 << "100"
                          << "07:05"
                          << "7:05";
    QTest::newRow("23:59") << "23:59" << 1 << "100"
                           << "23:59"
                           << "23:59";
    QTest::newRow(":30") << ":30" << 1 << "100"
                         << "00:30"
                         << ":30";
    QTest::newRow("impossible time") << "25:99" << -1 << "011" << unlisted("25:99") << "25:99";
    QTest::newRow("1") << "1" << 2 << "011"
                       << "1"
                       << "1";
    QTest::newRow("2") << "2" << 2 << "011"
                       << "2"
                       << "2";
    QTest::newRow("12") << "12" << 2 << "011"
                        << "12"
                        << "12";
    QTest::newRow("5 not offered") << "5" << -1 << "011" << unlisted("5") << "5";
    QTest::newRow("no digits") << "abc" << -1 << "011" << unlisted("abc") << "abc";
}

void TestTargetServer::scheduleInAndOut() {
    QFETCH(QString, schedule);
    QFETCH(int, mode);
    QFETCH(QString, enabled);
    QFETCH(QString, shown);
    QFETCH(QString, word);
    CTargetServer d;
    d.loadFrom(stored(schedule.toStdString()));
    const Run run = drive(d, [&](QDialog& dialog) {
        QCOMPARE(checkedOf(dialog, {kDefault, kDaily, kEvery}), QString(mode == 0   ? "100"
                                                                        : mode == 1 ? "010"
                                                                        : mode == 2 ? "001"
                                                                                    : "000"));
        QCOMPARE(scheduleEnabling(dialog), enabled);
        auto* line = dialog.findChild<QLabel*>(QStringLiteral("unlisted"));
        QCOMPARE(!line->isHidden(), mode < 0);
        if (mode < 0)
            QCOMPARE(line->text(), shown);
        if (mode == 1)
            QCOMPARE(control<QTimeEdit>(dialog, kTime)->text(), shown);
        if (mode == 2)
            QCOMPARE(combo(dialog, kHours)->currentText(), shown);
        dialog.accept();
    });
    if (mode < 0) {
        QVERIFY(refusedWith(run, QStringLiteral("Please choose when to run."),
                            QStringLiteral("Pallworth")));
    } else {
        QCOMPARE(run.code, int(QDialog::Accepted));
        QCOMPARE(d.scheduleMode, mode);
    }
    TargetServer out;
    d.applyTo(out);
    QCOMPARE(out.schedule(), word.toStdString());
}

void TestTargetServer::protocolInAndOut_data() {
    QTest::addColumn<QString>("protocol");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("choose"); // -1: untouched
    QTest::addColumn<QString>("returned");
    QTest::newRow("(default)") << "(default)"
                               << "(package default)" << -1 << "(default)";
    QTest::newRow("IPX") << "IPX"
                         << "IPX" << -1 << "IPX";
    // A word that is no choice is shown as stored, and OK is refused
    // until one is chosen; a target without a protocol keeps none.
    QTest::newRow("lower case") << "tcp"
                                << "tcp (in the file, not a choice)" << -1 << "tcp";
    QTest::newRow("empty") << ""
                           << "" << -1 << "";
    QTest::newRow("shown text") << "(package default)"
                                << "(package default) (in the file, not a choice)" << -1
                                << "(package default)";
    QTest::newRow("lower case chosen") << "tcp"
                                       << "tcp (in the file, not a choice)" << 1 << "TCP";
    QTest::newRow("choose default") << "UDP"
                                    << "UDP" << 0 << "(default)";
    QTest::newRow("choose TCP") << "UDP"
                                << "UDP" << 1 << "TCP";
    QTest::newRow("choose UDP") << "IPX"
                                << "IPX" << 2 << "UDP";
    QTest::newRow("choose IPX") << "TCP"
                                << "TCP" << 3 << "IPX";
}

void TestTargetServer::protocolInAndOut() {
    QFETCH(QString, protocol);
    QFETCH(QString, shown);
    QFETCH(int, choose);
    QFETCH(QString, returned);
    CTargetServer d;
    d.loadFrom(stored("", protocol.toStdString()));
    const Run run = drive(d, [&](QDialog& dialog) {
        QCOMPARE(combo(dialog, kProtocol)->currentText(), shown);
        if (choose >= 0)
            combo(dialog, kProtocol)->setCurrentIndex(choose);
        dialog.accept();
    });
    if (choose < 0 && shown.endsWith(QLatin1String("not a choice)")))
        QVERIFY(refusedWith(run, QStringLiteral("Please choose a transport protocol."),
                            QStringLiteral("Pallworth")));
    else
        QCOMPARE(run.code, int(QDialog::Accepted));
    TargetServer out;
    d.applyTo(out);
    QCOMPARE(out.protocol(), returned.toStdString());
}

void TestTargetServer::flagAndBandwidthInAndOut_data() {
    QTest::addColumn<QString>("msg");
    QTest::addColumn<QString>("bandwidth");
    QTest::addColumn<QString>("shown"); // message box ticked, bandwidth text
    QTest::addColumn<QString>("msgOut");
    QTest::addColumn<QString>("bandwidthOut");
    QTest::newRow("ON") << "ON"
                        << "250"
                        << "1 250"
                        << "ON"
                        << "250";
    QTest::newRow("OFF") << "OFF"
                         << "0"
                         << "0 0"
                         << "OFF"
                         << "0";
    // Untouched, a value keeps the form the file gives it.
    QTest::newRow("on in lower case") << "on"
                                      << "007"
                                      << "0 007"
                                      << "on"
                                      << "007";
    // Shown as stored, and refused on OK rather than stored as 0.
    QTest::newRow("not a number") << "ON"
                                  << "fast"
                                  << "1 fast"
                                  << "ON"
                                  << "fast";
    QTest::newRow("leading digits") << "ON"
                                    << " 12kb"
                                    << "1  12kb"
                                    << "ON"
                                    << " 12kb";
}

void TestTargetServer::flagAndBandwidthInAndOut() {
    QFETCH(QString, msg);
    QFETCH(QString, bandwidth);
    QFETCH(QString, shown);
    QFETCH(QString, msgOut);
    QFETCH(QString, bandwidthOut);
    CTargetServer d;
    d.loadFrom(stored("4", "IPX", bandwidth.toStdString(), msg.toStdString()));
    const Run run = drive(d, [&](QDialog& dialog) {
        QCOMPARE(checkedOf(dialog, {kMsg}) + u' ' + edit(dialog, kBandwidth)->text(), shown);
        dialog.accept();
    });
    QCOMPARE(run.accepted, CNumber::parseInteger(bandwidth.toStdString()) ? 1 : 0);
    TargetServer out;
    d.applyTo(out);
    QCOMPARE(out, TargetServer("FS1", "VOL1", msgOut.toStdString(), "4", bandwidthOut.toStdString(),
                               "IPX"));
}

void TestTargetServer::serverUpperCase() {
    CTargetServer d;
    d.loadFrom(TargetServer("fs1", "vol1", "OFF", "", "0", "(default)"));
    drive(d, [](QDialog& dialog) {
        QCOMPARE(edit(dialog, kServer)->text(), QStringLiteral("FS1"));
        QCOMPARE(edit(dialog, kVolume)->text(), QStringLiteral("vol1"));
        edit(dialog, kServer)->clear();
        QTest::keyClicks(edit(dialog, kServer), QStringLiteral("fs2"));
        edit(dialog, kServer)->setCursorPosition(2);
        QTest::keyClicks(edit(dialog, kServer), QStringLiteral("x"));
        QCOMPARE(edit(dialog, kServer)->text(), QStringLiteral("FSX2"));
        QCOMPARE(edit(dialog, kServer)->cursorPosition(), 3);
        dialog.accept();
    });
    QCOMPARE(d.server, std::string("FSX2"));
    QCOMPARE(d.volume, std::string("vol1"));

    // Text put in without typing comes back upper-cased too; only a-z change.
    drive(d, [](QDialog& dialog) {
        edit(dialog, kServer)->setText(QStringLiteral(u"fs-\u00fc"));
        dialog.accept();
    });
    QCOMPARE(d.server, std::string("FS-\xFC"));
    d.server = "fs9";
    TargetServer out;
    d.applyTo(out);
    QCOMPARE(out.server(), std::string_view("FS9"));
}

void TestTargetServer::bandwidthChecks_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: accepted
    const QString range = QStringLiteral("Please enter an integer between 0 and 1000000.");
    const QString integer = QStringLiteral("Please enter an integer.");
    QTest::newRow("0") << "0"
                       << "";
    QTest::newRow("1000000") << "1000000"
                             << "";
    QTest::newRow("blanks around") << " 512 "
                                   << "";
    QTest::newRow("1000001") << "1000001" << range;
    QTest::newRow("-1") << "-1" << range;
    QTest::newRow("beyond 32 bits") << "99999999999" << integer;
    QTest::newRow("10k") << "10k" << integer;
    QTest::newRow("empty") << "" << integer;
}

void TestTargetServer::bandwidthChecks() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    CTargetServer d;
    d.loadFrom(stored("3", "TCP", "77"));
    QWidget* focus = nullptr;
    const Run run = drive(d, [&](QDialog& dialog) {
        edit(dialog, kBandwidth)->setText(typed);
        dialog.accept();
        focus = dialog.focusWidget();
    });
    if (message.isEmpty()) {
        QCOMPARE(run.code, int(QDialog::Accepted));
        QCOMPARE(d.bandwidth, typed.trimmed().toInt());
        return;
    }
    QVERIFY(refusedWith(run, message, QStringLiteral("Pallworth")));
    QCOMPARE(focus, control(d, kBandwidth));
    QCOMPARE(d.bandwidth, 77);
}

void TestTargetServer::nameChecks_data() {
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("volume");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focusId");
    const QString holds =
        QStringLiteral(" name must not hold a blank, a comma, a tab or a line break.");
    QTest::newRow("empty server") << ""
                                  << "SYS"
                                  << "The server name is empty." << kServer;
    QTest::newRow("both empty") << ""
                                << ""
                                << "The server name is empty." << kServer;
    QTest::newRow("blank in server") << "FS 1"
                                     << "SYS"
                                     << "The server" + holds << kServer;
    QTest::newRow("comma in server") << "FS,1"
                                     << "SYS"
                                     << "The server" + holds << kServer;
    QTest::newRow("empty volume") << "FS1"
                                  << ""
                                  << "The volume name is empty." << kVolume;
    QTest::newRow("trailing blank") << "FS1"
                                    << "SYS "
                                    << "The volume" + holds << kVolume;
    QTest::newRow("tab in volume") << "FS1"
                                   << "A\tB"
                                   << "The volume" + holds << kVolume;
}

void TestTargetServer::nameChecks() {
    QFETCH(QString, server);
    QFETCH(QString, volume);
    QFETCH(QString, message);
    QFETCH(int, focusId);
    CTargetServer d;
    d.loadFrom(stored("6"));
    QWidget* focus = nullptr;
    const Run run = drive(d, [&](QDialog& dialog) {
        edit(dialog, kServer)->setText(server);
        edit(dialog, kVolume)->setText(volume);
        dialog.accept();
        focus = dialog.focusWidget();
    });
    QVERIFY(refusedWith(run, message, QStringLiteral("Pallworth")));
    QCOMPARE(focus, control(d, focusId));
    QCOMPARE(d.server + d.volume, std::string("FS1VOL1"));
}

void TestTargetServer::enablingFollowsClicks() {
    CTargetServer d;
    d.loadFrom(stored(""));
    drive(d, [](QDialog& dialog) {
        QCOMPARE(scheduleEnabling(dialog), QStringLiteral("000"));
        click(dialog, kDaily);
        QCOMPARE(scheduleEnabling(dialog), QStringLiteral("100"));
        click(dialog, kEvery);
        QCOMPARE(scheduleEnabling(dialog), QStringLiteral("011"));
        click(dialog, kDefault);
        QCOMPARE(scheduleEnabling(dialog), QStringLiteral("000"));
        click(dialog, kDaily);
        control<QTimeEdit>(dialog, kTime)->setTime(QTime(6, 7));
        dialog.accept();
    });
    QCOMPARE(d.scheduleWord(), std::string("06:07"));

    // A mode left unset checks no button and offers the hours.
    CTargetServer unset;
    drive(unset, [](QDialog& dialog) {
        QCOMPARE(checkedOf(dialog, {kDefault, kDaily, kEvery}), QStringLiteral("000"));
        QCOMPARE(scheduleEnabling(dialog), QStringLiteral("011"));
    });
}

void TestTargetServer::everyWithoutHoursItem() {
    CTargetServer d;
    d.loadFrom(stored(""));
    const Run run = drive(d, [](QDialog& dialog) {
        click(dialog, kEvery);
        QCOMPARE(combo(dialog, kHours)->currentIndex(), -1);
        dialog.accept();
    });
    // Every hour is not put in its place: the user chooses.
    QVERIFY(refusedWith(run, QStringLiteral("Please choose every how many hours to run."),
                        QStringLiteral("Pallworth")));
    QCOMPARE(d.scheduleWord(), std::string());
}

void TestTargetServer::newTarget() {
    CTargetServer d;
    d.startNew();
    drive(d, [](QDialog& dialog) {
        QCOMPARE(combo(dialog, kProtocol)->currentText(), QStringLiteral("(package default)"));
        QCOMPARE(checkedOf(dialog, {kDefault, kDaily, kEvery}), QStringLiteral("100"));
        QCOMPARE(scheduleEnabling(dialog), QStringLiteral("000"));
        QTest::keyClicks(edit(dialog, kServer), QStringLiteral("fs7"));
        edit(dialog, kVolume)->setText(QStringLiteral("SYS"));
        dialog.accept();
    });
    TargetServer out;
    d.applyTo(out);
    QCOMPARE(out, TargetServer("FS7", "SYS", "OFF", "", "0", "(default)"));
}

void TestTargetServer::cancelAfterRefusal() {
    CTargetServer d;
    d.loadFrom(stored("08:30", "UDP", "250"));
    const QTime before = d.startTime;
    const Run run = drive(d, [](QDialog& dialog) {
        edit(dialog, kServer)->setText(QStringLiteral("OTHER"));
        combo(dialog, kProtocol)->setCurrentIndex(3);
        control<QCheckBox>(dialog, kMsg)->setChecked(false);
        click(dialog, kEvery);
        combo(dialog, kHours)->setCurrentIndex(4);
        edit(dialog, kBandwidth)->setText(QStringLiteral("-5"));
        dialog.accept();
        dialog.reject();
    });
    QCOMPARE(run.code, int(QDialog::Rejected));
    QCOMPARE(run.messages.size(), std::size_t(1));
    TargetServer out;
    d.applyTo(out);
    QCOMPARE(out, stored("08:30", "UDP", "250"));
    QCOMPARE(d.startTime, before);
    QCOMPARE(d.everyIndex, -1);
}

void TestTargetServer::shownDialog() {
    CTargetServer d;
    d.loadFrom(stored("12", "TCP", "300", "OFF"));
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QCOMPARE(combo(d, kHours)->currentText(), QStringLiteral("12"));
    QTest::mouseClick(control(d, kDaily), Qt::LeftButton);
    QCOMPARE(scheduleEnabling(d), QStringLiteral("100"));
    QTest::mouseClick(control(d, 1), Qt::LeftButton);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(d.scheduleMode, 1);
    QCOMPARE(d.bandwidth, 300);
}

QTEST_MAIN(TestTargetServer)
#include "tst_targetserver.moc"

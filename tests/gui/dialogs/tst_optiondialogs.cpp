#include "DialogDriver.h"
#include "TestSupport.h"

#include "config/ApplicationDesc.h"
#include "config/PackageDesc.h"
#include "configwindow/DetailContent.h"
#include "dialogs/CDestPackages.h"
#include "dialogs/CLogEvents.h"
#include "dialogs/COpenFiles.h"
#include "dialogs/CPassword.h"
#include "framework/AnsiQt.h"
#include "text/EntryList.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

using namespace dialogtest;

namespace {

constexpr int kMethod = 1041, kDelay = 1040;
constexpr std::array<int, 4> kEventIds = {1003, 1004, 1005, 1007};

std::function<void(QDialog&)> typePasswords(const QString& first, const QString& second) {
    return [first, second](QDialog& d) {
        control<QLineEdit>(d, 1006)->setText(first);
        control<QLineEdit>(d, 1007)->setText(second);
        d.accept();
    };
}

QComboBox* methodList(const QDialog& d) {
    return control<QComboBox>(d, kMethod);
}
QLineEdit* delayBox(const QDialog& d) {
    return control<QLineEdit>(d, kDelay);
}
// "after", the delay box and "s".
QString delayShown(const QDialog& d) {
    return shownOf(d, {1038, kDelay, 1039});
}

QString memberEvents(const CLogEvents& d) {
    return QString::number(d.copied) + QString::number(d.identical) + QString::number(d.skipped) +
           QString::number(d.deleted);
}

QTreeWidget* packageList(const QDialog& d) {
    return control<QTreeWidget>(d, 1024);
}
QString tickedRows(const QDialog& d) {
    QString ticks;
    for (int row = 0; row < packageList(d)->topLevelItemCount(); ++row)
        ticks += packageList(d)->topLevelItem(row)->checkState(0) == Qt::Checked ? u'1' : u'0';
    return ticks;
}
void tickRows(const QDialog& d, const QString& ticks) {
    for (int row = 0; row < packageList(d)->topLevelItemCount(); ++row)
        packageList(d)->topLevelItem(row)->setCheckState(0, ticks[row] == u'1' ? Qt::Checked
                                                                               : Qt::Unchecked);
}

EntryList<PackageDesc> packagesNamed(const QStringList& names) {
    EntryList<PackageDesc> packages;
    for (const QString& name : names)
        packages.append(PackageDesc::fromFile(AnsiQt::fromQString(name)));
    return packages;
}

} // namespace

class TestOptionDialogs : public QObject {
    Q_OBJECT

private slots:
    void controlsAndCaptions();
    void passwordComparison_data();
    void passwordComparison();
    void passwordRefusalThenCorrectionOrCancel();
    void openFilesIn_data();
    void openFilesIn();
    void openFilesChoosing();
    void openFilesDelay_data();
    void openFilesDelay();
    void logEventsIn_data();
    void logEventsIn();
    void logEventsOut_data();
    void logEventsOut();
    void destMatching_data();
    void destMatching();
    void destGreyedAndUnknownRows();
    void destOut_data();
    void destOut();
};

void TestOptionDialogs::controlsAndCaptions() {
    CPassword password;
    QCOMPARE(password.property("resourceId").toInt(), 152);
    for (const int id : {1006, 1007})
        QCOMPARE(control<QLineEdit>(password, id)->echoMode(), QLineEdit::Password);
    QCOMPARE(captionOf(password), QStringLiteral("Password"));

    COpenFiles open;
    QCOMPARE(open.property("resourceId").toInt(), 154);
    QStringList methods;
    for (int i = 0; i < methodList(open)->count(); ++i)
        methods << methodList(open)->itemText(i);
    QCOMPARE(methods, (QStringList{"OFF", "SKIP", "ALERT", "CLEAR", "DISABLECLEAR"}));
    QCOMPARE(captionOf(open), QStringLiteral("Open files handling method"));
    open.caption = "Open file handling method";
    QCOMPARE(captionOf(open), QStringLiteral("Open file handling method"));

    CLogEvents events;
    QCOMPARE(events.property("resourceId").toInt(), 153);
    QStringList labels;
    for (const int id : kEventIds)
        labels << control<QAbstractButton>(events, id)->text();
    QCOMPARE(labels, (QStringList{"Copied", "Identical", "Skipped", "Deleted"}));
    QCOMPARE(captionOf(events), QStringLiteral("Log event types"));

    CDestPackages dest;
    QCOMPARE(dest.property("resourceId").toInt(), 165);
    QCOMPARE(packageList(dest)->headerItem()->text(0), QStringLiteral("Package"));
    QCOMPARE(packageList(dest)->columnWidth(0), 150);
    QCOMPARE(captionOf(dest), QStringLiteral("Destination packages"));
}

void TestOptionDialogs::passwordComparison_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("message"); // empty: accepted
    const QString differ = QStringLiteral("The passwords entered are different");
    const QString outside = AnsiQt::toQString(CPassword::kOutsideCodePage);
    QTest::newRow("same") << "secret"
                          << "secret" << QString();
    QTest::newRow("both empty") << ""
                                << "" << QString();
    QTest::newRow("Windows-1252") << QStringLiteral(u"p\u00E4ss \u20AC")
                                  << QStringLiteral(u"p\u00E4ss \u20AC") << QString();
    QTest::newRow("letter case") << "Secret"
                                 << "secret" << differ;
    QTest::newRow("second empty") << "secret"
                                  << "" << differ;
    QTest::newRow("trailing blank") << "secret "
                                    << "secret" << differ;
    // Both would turn into '?' in the code page; as typed they differ.
    QTest::newRow("different outside the code page")
        << QStringLiteral(u"\u03A9") << QStringLiteral(u"\u0416") << differ;
    QTest::newRow("same outside the code page")
        << QStringLiteral(u"\u043F\u0430\u0440\u043E\u043B\u044C")
        << QStringLiteral(u"\u043F\u0430\u0440\u043E\u043B\u044C") << outside;
}

void TestOptionDialogs::passwordComparison() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, message);
    CPassword d;
    const Run run = drive(d, typePasswords(first, second));
    if (message.isEmpty()) {
        QCOMPARE(run.code, int(QDialog::Accepted));
        QCOMPARE(d.newPassword, AnsiQt::fromQString(first));
        return;
    }
    QVERIFY(refusedWith(run, message, QStringLiteral("Error")));
    QVERIFY(d.newPassword.empty());
}

void TestOptionDialogs::passwordRefusalThenCorrectionOrCancel() {
    CPassword d;
    Run run = drive(d, [](QDialog& dialog) {
        typePasswords(QStringLiteral("abc"), QStringLiteral("abd"))(dialog);
        QCOMPARE(control<QLineEdit>(dialog, 1007)->text(), QStringLiteral("abd"));
        control<QLineEdit>(dialog, 1007)->setText(QStringLiteral("abc"));
        dialog.accept();
    });
    QCOMPARE(run.accepted, 1);
    QCOMPARE(d.newPassword, std::string("abc"));

    CPassword cancelled;
    run = drive(cancelled, [](QDialog& dialog) {
        typePasswords(QStringLiteral("new"), QStringLiteral("New"))(dialog);
        dialog.reject();
    });
    QCOMPARE(run.code, int(QDialog::Rejected));
    QVERIFY(cancelled.newPassword.empty());
}

void TestOptionDialogs::openFilesIn_data() {
    QTest::addColumn<QString>("method");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("returned");
    QTest::newRow("OFF") << "OFF" << 0 << "000"
                         << "OFF";
    QTest::newRow("SKIP") << "SKIP" << 1 << "000"
                          << "SKIP";
    QTest::newRow("ALERT") << "ALERT" << 2 << "111"
                           << "ALERT";
    QTest::newRow("DISABLECLEAR") << "DISABLECLEAR" << 4 << "111"
                                  << "DISABLECLEAR";
    // No method stays none; a word that is no method is shown as stored
    // (after the five), and OK is refused until one is chosen.
    QTest::newRow("empty") << "" << -1 << "000"
                           << "";
    QTest::newRow("lower case") << "clear" << 5 << "111"
                                << "clear";
}

void TestOptionDialogs::openFilesIn() {
    QFETCH(QString, method);
    QFETCH(int, index);
    QFETCH(QString, shown);
    QFETCH(QString, returned);
    PackageDesc p;
    p.ofHandler = method.toStdString();
    p.ofHandlerDelay = 60;
    COpenFiles d;
    d.loadFrom(p);
    const Run run = drive(d, [&](QDialog& dialog) {
        QCOMPARE(methodList(dialog)->currentIndex(), index);
        QCOMPARE(delayShown(dialog), shown);
        QCOMPARE(delayBox(dialog)->text(), QStringLiteral("60"));
        dialog.accept();
    });
    if (index == 5)
        QVERIFY(refusedWith(run, QStringLiteral("Please choose a method."),
                            QStringLiteral("Pallworth")));
    else
        QCOMPARE(run.code, int(QDialog::Accepted));
    d.applyTo(p);
    QCOMPARE(p.ofHandler, returned.toStdString());
    QCOMPARE(p.ofHandlerDelay, 60);
}

void TestOptionDialogs::openFilesChoosing() {
    PackageDesc p;
    p.ofHandler = "CLEAR";
    p.ofHandlerDelay = 60;
    COpenFiles d;
    d.loadFrom(p);
    drive(d, [](QDialog& dialog) {
        QCOMPARE(delayShown(dialog), QStringLiteral("111"));
        methodList(dialog)->setCurrentIndex(1);
        QCOMPARE(delayShown(dialog), QStringLiteral("000"));
        dialog.accept();
    });
    d.applyTo(p);
    QCOMPARE(DetailContent::openFileText(p), std::string("SKIP"));

    drive(d, [](QDialog& dialog) {
        methodList(dialog)->setCurrentIndex(2);
        QCOMPARE(delayShown(dialog), QStringLiteral("111"));
        delayBox(dialog)->clear();
        QTest::keyClicks(delayBox(dialog), QStringLiteral("3-a0")); // digits only
        dialog.accept();
    });
    d.applyTo(p);
    QCOMPARE(DetailContent::openFileText(p), std::string("ALERT 30"));

    drive(d, [](QDialog& dialog) {
        methodList(dialog)->setCurrentIndex(4);
        delayBox(dialog)->setText(QStringLiteral("5"));
        dialog.reject();
    });
    QCOMPARE(d.method + " " + std::to_string(d.delay), std::string("ALERT 30"));
}

void TestOptionDialogs::openFilesDelay_data() {
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: accepted
    const QString range = QStringLiteral("Please enter an integer between 0 and 600.");
    QTest::newRow("0") << "ALERT"
                       << "0"
                       << "";
    QTest::newRow("600") << "CLEAR"
                         << "600"
                         << "";
    QTest::newRow("601") << "CLEAR"
                         << "601" << range;
    QTest::newRow("601 hidden") << "OFF"
                                << "601" << range;
    QTest::newRow("-1") << "ALERT"
                        << "-1" << range;
    QTest::newRow("empty hidden") << "SKIP"
                                  << ""
                                  << "Please enter an integer.";
}

void TestOptionDialogs::openFilesDelay() {
    QFETCH(QString, method);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    COpenFiles d;
    d.method = method.toStdString();
    d.delay = 45;
    QWidget* focus = nullptr;
    const Run run = drive(d, [&](QDialog& dialog) {
        delayBox(dialog)->setText(typed);
        dialog.accept();
        focus = dialog.focusWidget();
    });
    if (message.isEmpty()) {
        QCOMPARE(run.code, int(QDialog::Accepted));
        QCOMPARE(d.delay, typed.toInt());
        return;
    }
    QVERIFY(refusedWith(run, message, QStringLiteral("Pallworth")));
    QCOMPARE(d.delay, 45);
    QCOMPARE(focus, delayBox(d)->isHidden() ? nullptr : delayBox(d));
}

void TestOptionDialogs::logEventsIn_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("ticked"); // copied, identical, skipped, deleted
    QTest::newRow("COPIED DELETED") << "COPIED DELETED"
                                    << "1001";
    QTest::newRow("run together") << "SKIPPEDCOPIED"
                                  << "1010";
    QTest::newRow("commas") << "IDENTICAL,DELETED"
                            << "0101";
    QTest::newRow("empty") << ""
                           << "0000";
    QTest::newRow("lower case") << "copied"
                                << "0000";
}

void TestOptionDialogs::logEventsIn() {
    QFETCH(QString, stored);
    QFETCH(QString, ticked);
    CLogEvents d;
    d.loadFrom(stored.toStdString());
    QCOMPARE(memberEvents(d), ticked);
    drive(d, [&](QDialog& dialog) {
        QCOMPARE(checkedOf(dialog, kEventIds), ticked);
        dialog.accept();
    });
    QCOMPARE(memberEvents(d), ticked);
}

void TestOptionDialogs::logEventsOut_data() {
    QTest::addColumn<QString>("ticked");
    QTest::addColumn<QString>("list");
    QTest::newRow("all four") << "1111"
                              << "COPIED IDENTICAL SKIPPED DELETED ";
    QTest::newRow("two") << "0101"
                         << "IDENTICAL DELETED ";
    QTest::newRow("none") << "0000"
                          << "";
}

void TestOptionDialogs::logEventsOut() {
    QFETCH(QString, ticked);
    QFETCH(QString, list);
    CLogEvents d;
    d.loadFrom("DELETED COPIED");
    drive(d, [&](QDialog& dialog) {
        setChecked(dialog, kEventIds, ticked);
        dialog.accept();
    });
    QCOMPARE(d.eventList(), list.toStdString());
    drive(d, [](QDialog& dialog) {
        setChecked(dialog, kEventIds, QStringLiteral("1010"));
        dialog.reject();
    });
    QCOMPARE(d.eventList(), list.toStdString());
}

void TestOptionDialogs::destMatching_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("stored"); // dstPackages
    QTest::addColumn<QString>("ticked"); // every row, stored names of no package last
    QTest::addColumn<QString>("greyed");
    const QStringList pkgs{"PKG1", "PKG10"};
    // Whole names only: a longer name that starts with a shorter one does
    // not tick the shorter one.
    QTest::newRow("PKG10 ticks PKG10 only") << pkgs << "PKG10 "
                                            << "01"
                                            << "00";
    QTest::newRow("pkg1") << pkgs << "pkg1"
                          << "10"
                          << "00";
    QTest::newRow("pkg10") << pkgs << "pkg10"
                           << "01"
                           << "00";
    QTest::newRow("both") << pkgs << "PKG10 PKG1 "
                          << "11"
                          << "00";
    QTest::newRow("empty") << pkgs << ""
                           << "00"
                           << "00";
    QTest::newRow("lower-case names") << QStringList{"alpha", "Beta"} << "ALPHA BETA "
                                      << "11"
                                      << "00";
    QTest::newRow("empty name never") << QStringList{"", "B"} << "B "
                                      << "01"
                                      << "00";
    QTest::newRow("My Pkg is not Pkg") << QStringList{"My Pkg", "Pkg"} << "My Pkg "
                                       << "10"
                                       << "10";
    QTest::newRow("words alone") << QStringList{"My Pkg", "Pkg", "My"} << "Pkg  my "
                                 << "011"
                                 << "100";
    QTest::newRow("name of no package kept") << pkgs << "OLD PKG1 "
                                             << "101"
                                             << "000";
}

void TestOptionDialogs::destMatching() {
    QFETCH(QStringList, names);
    QFETCH(QString, stored);
    QFETCH(QString, ticked);
    QFETCH(QString, greyed);
    CDestPackages d;
    d.loadFrom(packagesNamed(names), stored.toStdString());
    QCOMPARE(d.selection, " " + stored.toStdString());
    drive(d, [&](QDialog& dialog) {
        QCOMPARE(tickedRows(dialog), ticked);
        QString grey;
        for (int row = 0; row < packageList(dialog)->topLevelItemCount(); ++row)
            grey +=
                packageList(dialog)->topLevelItem(row)->flags() & Qt::ItemIsEnabled ? u'0' : u'1';
        QCOMPARE(grey, greyed);
    });
    d.exchangeIn(); // opened again: rows are not repeated
    QCOMPARE(packageList(d)->topLevelItemCount(), ticked.size());
}

// Space on every row: the greyed rows keep their ticks, the others turn;
// OK keeps a greyed tick and a name of no package as they were.
void TestOptionDialogs::destGreyedAndUnknownRows() {
    CDestPackages d;
    d.loadFrom(packagesNamed({"Sales Servers", "My Pkg", "PKG1"}), "My Pkg GONE ");
    QStringList labels;
    drive(d, [&](QDialog& dialog) {
        QTreeWidget* list = packageList(dialog);
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            labels << list->topLevelItem(row)->text(0);
            list->setCurrentItem(list->topLevelItem(row));
            QTest::keyClick(list, Qt::Key_Space);
        }
        QCOMPARE(tickedRows(dialog), QStringLiteral("0110"));
        dialog.accept();
    });
    const QString blank = QStringLiteral(" (a name with a blank cannot be a destination)");
    QCOMPARE(labels, (QStringList{"Sales Servers" + blank, "My Pkg" + blank, "PKG1",
                                  "GONE (not in this file)"}));
    QCOMPARE(d.selection, std::string("My Pkg PKG1 "));

    d.loadFrom(packagesNamed({"PKG1"}), "GONE ");
    drive(d, [](QDialog& dialog) { dialog.accept(); });
    QCOMPARE(d.selection, std::string("GONE "));
}

void TestOptionDialogs::destOut_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("ticked");
    QTest::addColumn<QString>("selection");
    QTest::newRow("none") << QStringList{"PKG1", "PKG2"} << "00"
                          << "";
    QTest::newRow("list order") << QStringList{"PKG2", "PKG1"} << "11"
                                << "PKG2 PKG1 ";
    QTest::newRow("case as held") << QStringList{"Alpha", "beta", "GAMMA"} << "011"
                                  << "beta GAMMA ";
    QTest::newRow("Windows-1252") << QStringList{QStringLiteral(u"M\u00FCnchen"), "PKG2"} << "11"
                                  << QStringLiteral(u"M\u00FCnchen PKG2 ");
    // The ticks it opened with keep the stored text as it stands.
    QTest::newRow("untouched") << QStringList{"PKG1", "PKG2"} << "10"
                               << "PKG1";
}

void TestOptionDialogs::destOut() {
    QFETCH(QStringList, names);
    QFETCH(QString, ticked);
    QFETCH(QString, selection);
    CDestPackages d;
    d.loadFrom(packagesNamed(names), AnsiQt::fromQString(names.first()));
    drive(d, [&](QDialog& dialog) {
        tickRows(dialog, ticked);
        dialog.accept();
    });
    ApplicationDesc app;
    d.applyTo(app);
    QCOMPARE(app.dstPackages, AnsiQt::fromQString(selection));

    // Stored, it opens with the same rows ticked; Cancel keeps it.
    d.loadFrom(packagesNamed(names), app.dstPackages);
    drive(d, [&](QDialog& dialog) {
        QCOMPARE(tickedRows(dialog), ticked);
        tickRows(dialog, QString(ticked).replace(u'0', u'1'));
        dialog.reject();
    });
    QCOMPARE(d.selection, " " + app.dstPackages);
}

QTEST_MAIN(TestOptionDialogs)
#include "tst_optiondialogs.moc"

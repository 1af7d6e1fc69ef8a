#include "DialogDriver.h"
#include "TestSupport.h"

#include "config/ConfigModel.h"
#include "config/SettingTable.h"
#include "config/ValueTable.h"
#include "dialogs/CChoice.h"
#include "dialogs/CLogEvents.h"
#include "dialogs/CNumber.h"
#include "dialogs/CText.h"
#include "framework/ModalSeam.h"
#include "taskfile/TaskFileTable.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <vector>

Q_DECLARE_METATYPE(const NumberRange*)

namespace {

using dialogtest::drive;
using dialogtest::Run;

QLineEdit* editOf(QDialog& d) {
    return d.findChild<QLineEdit*>(QStringLiteral("1006"));
}

QComboBox* comboOf(QDialog& d) {
    return d.findChild<QComboBox*>(QStringLiteral("1018"));
}

// Types a text into the edit box and presses OK.
std::function<void(QDialog&)> typeAndOk(const QString& typed) {
    return [typed](QDialog& d) {
        editOf(d)->setText(typed);
        d.accept();
    };
}

QStringList itemsOf(QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

} // namespace

class TestValueDialogs : public QObject {
    Q_OBJECT

private slots:
    void resourceIdsAndControls();
    void numberRangeLimits_data();
    void numberRangeLimits();
    void refusalNamesNewDocumentsValue_data();
    void refusalNamesNewDocumentsValue();
    void numberNotAnInteger_data();
    void numberNotAnInteger();
    void numberWholeNumbersAccepted_data();
    void numberWholeNumbersAccepted();
    void numberRangeComesFromTheCaller_data();
    void numberRangeComesFromTheCaller();
    void numberRefusalKeepsDialogOpen();
    void numberFocusReturnsToEditBox();
    void numberShowsValue();
    void choiceLists_data();
    void choiceLists();
    void choicePreselection_data();
    void choicePreselection();
    void choicePickIpx();
    void choiceReopenedDoesNotRepeatItems();
    void textKeptAsTyped_data();
    void textKeptAsTyped();
    void textWindows1252RoundTrip();
    void textCharacterOutsideCodePage();
    void captionCutTo199Characters();
    void cancelLeavesMembersUnchanged();
    void shownDialogExchangesAndOkButtonAccepts();
    void captionsShowWhole_data();
    void captionsShowWhole();
};

void TestValueDialogs::resourceIdsAndControls() {
    CChoice choice;
    CNumber number;
    CText text;
    const std::vector<std::pair<QDialog*, int>> dialogs{
        {&choice, 150}, {&number, 155}, {&text, 148}};
    for (const auto& [dialog, templateId] : dialogs) {
        QCOMPARE(dialog->property("resourceId").toInt(), templateId);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Dialog"));
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("1"));
        auto* cancel = dialog->findChild<QPushButton*>(QStringLiteral("2"));
        QVERIFY(ok && cancel);
        QCOMPARE(ok->property("resourceId").toInt(), 1);
        QCOMPARE(cancel->property("resourceId").toInt(), 2);
        QVERIFY(ok->isDefault());
        QVERIFY(!cancel->isDefault());
    }
    QVERIFY(comboOf(choice));
    QVERIFY(!comboOf(choice)->isEditable());
    QCOMPARE(comboOf(choice)->property("resourceId").toInt(), 1018);
    for (QDialog* d : {static_cast<QDialog*>(&number), static_cast<QDialog*>(&text)}) {
        QVERIFY(editOf(*d));
        QCOMPARE(editOf(*d)->property("resourceId").toInt(), 1006);
    }
    QCOMPARE(choice.kind, 0);
    QCOMPARE(number.value, 0);
    QVERIFY(choice.caption.empty() && choice.current.empty() && choice.result.empty());
    QVERIFY(text.text.empty());
}

void TestValueDialogs::numberRangeLimits_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<const NumberRange*>("range");
    QTest::addColumn<int>("typed");
    QTest::addColumn<QString>("message"); // empty: accepted

    struct Row {
        const char* caption;
        const NumberRange* range;
        int lower;
        int upper;
        const char* message;
    };
    // Messages written out in full, not built the way the dialog builds them.
    const Row rows[] = {
        {"Failed job retry interval", &SettingTable::of(GlobalSettings::Key::RetryInterval).range,
         60, 14400, "Invalid interval! (60-14400) Default:300"},
        {"Max. threads", &SettingTable::of(GlobalSettings::Key::MaxThreads).range, 1, 100,
         "Invalid interval! (1-100) Default:12"},
        {"Number of times a failed job can be retried",
         &SettingTable::of(GlobalSettings::Key::RetryCount).range, 0, 1440,
         "Invalid interval! (0-1440) Default:3"},
        {"Log size limit", &SettingTable::of(GlobalSettings::Key::LogSize).range, 32, 32768,
         "Invalid interval! (32-32768) Default:256"},
        {"Polling interval", &TaskFileTable::of(TaskFileModel::Key::PollInterval).range, 60, 1440,
         "Invalid interval! (60-1440) Default:300"},
        {"Logging severity", &TaskFileTable::of(TaskFileModel::Key::LogSeverity).range, 0, 1,
         "Invalid interval! (0-1) Default:0"},
        {"Maximum log file size", &TaskFileTable::of(TaskFileModel::Key::LogSize).range, 8192,
         8388608, "Invalid interval! (8192-8388608) Default:256000"},
    };
    for (const Row& r : rows) {
        const QString caption = QString::fromLatin1(r.caption);
        const QString message = QString::fromLatin1(r.message);
        QTest::addRow("%s: lower", r.caption) << caption << r.range << r.lower << QString();
        QTest::addRow("%s: upper", r.caption) << caption << r.range << r.upper << QString();
        QTest::addRow("%s: below", r.caption) << caption << r.range << r.lower - 1 << message;
        QTest::addRow("%s: above", r.caption) << caption << r.range << r.upper + 1 << message;
    }
    QTest::newRow("retry interval 30")
        << QStringLiteral("Failed job retry interval")
        << &SettingTable::of(GlobalSettings::Key::RetryInterval).range << 30
        << QStringLiteral("Invalid interval! (60-14400) Default:300");
    QTest::newRow("threads far below")
        << QStringLiteral("Max. threads")
        << &SettingTable::of(GlobalSettings::Key::MaxThreads).range << -2147483647 - 1
        << QStringLiteral("Invalid interval! (1-100) Default:12");
}

void TestValueDialogs::numberRangeLimits() {
    QFETCH(QString, caption);
    QFETCH(const NumberRange*, range);
    QFETCH(int, typed);
    QFETCH(QString, message);

    CNumber d;
    d.caption = caption.toStdString();
    d.range = range;
    d.value = 5;
    const Run run = drive(d, typeAndOk(QString::number(typed)));
    if (message.isEmpty()) {
        QCOMPARE(run.code, int(QDialog::Accepted));
        QCOMPARE(run.accepted, 1);
        QVERIFY(run.messages.empty());
        QCOMPARE(d.value, typed);
        return;
    }
    QCOMPARE(run.accepted, 0);
    QVERIFY(run.code != QDialog::Accepted);
    QCOMPARE(run.messages.size(), std::size_t(1));
    QCOMPARE(run.messages[0].text, message);
    QCOMPARE(run.messages[0].caption, QStringLiteral("Pallworth"));
    QVERIFY(run.messages[0].icon == ModalSeam::Icon::Warning);
    QCOMPARE(editOf(d)->text(), QString::number(typed));
}

void TestValueDialogs::refusalNamesNewDocumentsValue_data() {
    QTest::addColumn<const NumberRange*>("range");
    QTest::addColumn<QString>("value"); // what a new document holds
    ConfigModel config;
    config.resetToNew();
    TaskFileModel tasks;
    tasks.resetToNew();
    const auto row = [](const char* name, const NumberRange& range, const std::string& value) {
        QTest::newRow(name) << &range << QString::fromStdString(value);
    };
    row("Failed job retry interval", SettingTable::of(GlobalSettings::Key::RetryInterval).range,
        config.global.retryInterval);
    row("Max. threads", SettingTable::of(GlobalSettings::Key::MaxThreads).range,
        config.global.maxThreads);
    row("Number of times a failed job can be retried",
        SettingTable::of(GlobalSettings::Key::RetryCount).range, config.global.retryCount);
    row("Log size limit", SettingTable::of(GlobalSettings::Key::LogSize).range,
        config.global.logSize);
    row("Debug log size limit", SettingTable::of(GlobalSettings::Key::DbgLogSize).range,
        config.global.dbgLogSize);
    row("Polling interval", TaskFileTable::of(TaskFileModel::Key::PollInterval).range,
        tasks.pollInterval);
    row("Logging severity", TaskFileTable::of(TaskFileModel::Key::LogSeverity).range,
        tasks.logSeverity);
    row("Maximum log file size", TaskFileTable::of(TaskFileModel::Key::LogSize).range,
        tasks.maxLogSize);
}

void TestValueDialogs::refusalNamesNewDocumentsValue() {
    QFETCH(const NumberRange*, range);
    QFETCH(QString, value);
    CNumber d;
    d.range = range;
    const Run run = drive(d, typeAndOk(QStringLiteral("-1")));
    QCOMPARE(run.messages.size(), std::size_t(1));
    QVERIFY2(run.messages[0].text.endsWith(QStringLiteral(" Default:") + value),
             qPrintable(run.messages[0].text));
}

void TestValueDialogs::numberNotAnInteger_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks only") << QStringLiteral("   ");
    QTest::newRow("letters") << QStringLiteral("abc");
    QTest::newRow("digits then letters") << QStringLiteral("12abc");
    QTest::newRow("letters then digits") << QStringLiteral("x12");
    QTest::newRow("inner blank") << QStringLiteral("1 2");
    QTest::newRow("decimal point") << QStringLiteral("1.5");
    QTest::newRow("hex") << QStringLiteral("0x10");
    QTest::newRow("sign only") << QStringLiteral("-");
    QTest::newRow("two signs") << QStringLiteral("+-5");
    QTest::newRow("sign after blank") << QStringLiteral("- 5");
    QTest::newRow("just above 32 bits") << QStringLiteral("2147483648");
    QTest::newRow("just below 32 bits") << QStringLiteral("-2147483649");
    QTest::newRow("beyond 64 bits") << QStringLiteral("99999999999999999999999");
    QTest::newRow("full-width digits") << QStringLiteral(u"\uFF11\uFF12");
    QTest::newRow("superscript two") << QStringLiteral(u"\u00B2");
}

void TestValueDialogs::numberNotAnInteger() {
    QFETCH(QString, typed);
    // With a range or without one, only the integer check can refuse.
    for (const NumberRange* range : {&SettingTable::of(GlobalSettings::Key::MaxThreads).range,
                                     static_cast<const NumberRange*>(nullptr)}) {
        CNumber d;
        d.caption = "Max. threads";
        d.range = range;
        d.value = 42;
        const Run run = drive(d, typeAndOk(typed));
        QCOMPARE(run.accepted, 0);
        QCOMPARE(run.messages.size(), std::size_t(1));
        QCOMPARE(run.messages[0].text, QStringLiteral("Please enter an integer."));
        QCOMPARE(run.messages[0].caption, QStringLiteral("Pallworth"));
        QVERIFY(run.messages[0].icon == ModalSeam::Icon::Warning);
        QCOMPARE(d.value, 42);
        QCOMPARE(d.focusWidget(), editOf(d));
        QCOMPARE(editOf(d)->text(), typed);
    }
}

void TestValueDialogs::numberWholeNumbersAccepted_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected");
    QTest::newRow("plain") << QStringLiteral("17") << 17;
    QTest::newRow("plus sign") << QStringLiteral("+17") << 17;
    QTest::newRow("minus sign") << QStringLiteral("-17") << -17;
    QTest::newRow("surrounding blanks") << QStringLiteral("  17  ") << 17;
    QTest::newRow("tab before") << QStringLiteral("\t17") << 17;
    QTest::newRow("leading zeros") << QStringLiteral("007") << 7;
    QTest::newRow("minus zero") << QStringLiteral("-0") << 0;
    QTest::newRow("32-bit maximum") << QStringLiteral("2147483647") << 2147483647;
    QTest::newRow("32-bit minimum") << QStringLiteral("-2147483648") << -2147483647 - 1;
}

void TestValueDialogs::numberWholeNumbersAccepted() {
    QFETCH(QString, typed);
    QFETCH(int, expected);
    CNumber d;
    d.caption = "Not a setting with a range";
    d.value = 42;
    const Run run = drive(d, typeAndOk(typed));
    QCOMPARE(run.code, int(QDialog::Accepted));
    QVERIFY(run.messages.empty());
    QCOMPARE(d.value, expected);
}

void TestValueDialogs::numberRangeComesFromTheCaller_data() {
    QTest::addColumn<QString>("caption");
    QTest::newRow("a range's row") << QStringLiteral("Max. threads");
    QTest::newRow("lower case") << QStringLiteral("max. threads");
    QTest::newRow("another text") << QStringLiteral("Something else");
    QTest::newRow("empty") << QString();
}

// The caption is only shown: the range is the one the caller gives, or none.
void TestValueDialogs::numberRangeComesFromTheCaller() {
    QFETCH(QString, caption);
    CNumber free;
    free.caption = caption.toStdString();
    const Run run = drive(free, typeAndOk(QStringLiteral("500")));
    QCOMPARE(run.code, int(QDialog::Accepted));
    QVERIFY(run.messages.empty());
    QCOMPARE(free.value, 500);

    CNumber ranged;
    ranged.caption = caption.toStdString();
    ranged.range = &SettingTable::of(GlobalSettings::Key::MaxThreads).range;
    const Run refused = drive(ranged, typeAndOk(QStringLiteral("500")));
    QCOMPARE(refused.accepted, 0);
    QCOMPARE(refused.messages.size(), std::size_t(1));
    QCOMPARE(refused.messages[0].text, QStringLiteral("Invalid interval! (1-100) Default:12"));
}

void TestValueDialogs::numberRefusalKeepsDialogOpen() {
    CNumber d;
    d.caption = "Failed job retry interval";
    d.range = &SettingTable::of(GlobalSettings::Key::RetryInterval).range;
    d.value = 533;
    const Run run = drive(d, [](QDialog& dialog) {
        editOf(dialog)->setText(QStringLiteral("30"));
        dialog.accept();
        editOf(dialog)->setText(QStringLiteral("ten"));
        dialog.accept();
        editOf(dialog)->setText(QStringLiteral("600"));
        dialog.accept();
    });
    QCOMPARE(run.code, int(QDialog::Accepted));
    QCOMPARE(run.accepted, 1);
    QCOMPARE(run.messages.size(), std::size_t(2));
    QCOMPARE(run.messages[0].text, QStringLiteral("Invalid interval! (60-14400) Default:300"));
    QCOMPARE(run.messages[1].text, QStringLiteral("Please enter an integer."));
    QCOMPARE(d.value, 600);
}

void TestValueDialogs::numberFocusReturnsToEditBox() {
    std::vector<ModalSeam::Message> messages;
    ModalSeam::Hooks hooks;
    hooks.message = [&](const ModalSeam::Message& m) {
        messages.push_back(m);
        return QMessageBox::Ok;
    };
    ModalSeam::Scope seam(std::move(hooks));
    CNumber d;
    d.caption = "Max. threads";
    d.value = 12;
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    auto* ok = d.findChild<QPushButton*>(QStringLiteral("1"));
    editOf(d)->setText(QStringLiteral("many"));
    ok->setFocus();
    QCOMPARE(QApplication::focusWidget(), ok);
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(messages.size(), std::size_t(1));
    QCOMPARE(messages[0].text, QStringLiteral("Please enter an integer."));
    QVERIFY(d.isVisible());
    QCOMPARE(QApplication::focusWidget(), editOf(d));
    QCOMPARE(editOf(d)->selectedText(), QStringLiteral("many"));
    d.reject();
}

void TestValueDialogs::numberShowsValue() {
    CNumber d;
    d.caption = "Polling interval";
    d.value = -300;
    const Run run = drive(d, [](QDialog& dialog) {
        QCOMPARE(editOf(dialog)->text(), QStringLiteral("-300"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Polling interval"));
        dialog.reject();
    });
    QCOMPARE(run.code, int(QDialog::Rejected));
}

void TestValueDialogs::choiceLists_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("1 yes/no") << 1 << QStringList{"YES", "NO"};
    QTest::newRow("2 namespace") << 2 << QStringList{"DOS", "LONG"};
    QTest::newRow("3 sync mode") << 3 << QStringList{"OVERWRITE", "REPLACE"};
    QTest::newRow("4 server/thread") << 4 << QStringList{"SERVER", "THREAD"};
    QTest::newRow("5 protocol") << 5 << QStringList{"(default)", "TCP", "UDP", "IPX"};
    QTest::newRow("0") << 0 << QStringList{};
    QTest::newRow("6") << 6 << QStringList{};
    QTest::newRow("-1") << -1 << QStringList{};
}

void TestValueDialogs::choiceLists() {
    QFETCH(int, kind);
    QFETCH(QStringList, items);
    CChoice d;
    d.kind = ChoiceKind(kind);
    d.result = "stale";
    QStringList shown;
    const Run run = drive(d, [&](QDialog& dialog) {
        shown = itemsOf(comboOf(dialog));
        dialog.accept();
    });
    QCOMPARE(shown, items);
    QCOMPARE(run.code, int(QDialog::Accepted));
    QCOMPARE(d.result, std::string());
    QVERIFY(run.messages.empty());
}

void TestValueDialogs::choicePreselection_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("current");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("result");
    QTest::newRow("YES") << 1 << QStringLiteral("YES") << 0 << QStringLiteral("YES");
    QTest::newRow("NO") << 1 << QStringLiteral("NO") << 1 << QStringLiteral("NO");
    // A value that is no item is shown as stored after the items; OK is then
    // refused and the result left alone.
    QTest::newRow("yes lower case") << 1 << QStringLiteral("yes") << 2 << QStringLiteral("stale");
    QTest::newRow("YES with blank") << 1 << QStringLiteral("YES ") << 2 << QStringLiteral("stale");
    QTest::newRow("empty current") << 1 << QString() << -1 << QString();
    QTest::newRow("LONG") << 2 << QStringLiteral("LONG") << 1 << QStringLiteral("LONG");
    QTest::newRow("REPLACE") << 3 << QStringLiteral("REPLACE") << 1 << QStringLiteral("REPLACE");
    QTest::newRow("THREAD") << 4 << QStringLiteral("THREAD") << 1 << QStringLiteral("THREAD");
    QTest::newRow("(default)") << 5 << QStringLiteral("(default)") << 0
                               << QStringLiteral("(default)");
    QTest::newRow("UDP") << 5 << QStringLiteral("UDP") << 2 << QStringLiteral("UDP");
    QTest::newRow("keyword of another kind")
        << 2 << QStringLiteral("YES") << 2 << QStringLiteral("stale");
    QTest::newRow("unknown kind") << 9 << QStringLiteral("YES") << 0 << QStringLiteral("stale");
}

void TestValueDialogs::choicePreselection() {
    QFETCH(int, kind);
    QFETCH(QString, current);
    QFETCH(int, index);
    QFETCH(QString, result);
    CChoice d;
    d.kind = ChoiceKind(kind);
    d.current = current.toStdString();
    d.result = "stale";
    int shownIndex = -2;
    const Run run = drive(d, [&](QDialog& dialog) {
        shownIndex = comboOf(dialog)->currentIndex();
        dialog.accept();
    });
    QCOMPARE(shownIndex, index);
    if (result == QLatin1String("stale"))
        QVERIFY(refusedWith(run, QStringLiteral("Please choose one of the listed values."),
                            QStringLiteral("Pallworth")));
    else
        QCOMPARE(run.code, int(QDialog::Accepted));
    QCOMPARE(d.result, result.toStdString());
    QCOMPARE(d.current, current.toStdString());
}

void TestValueDialogs::choicePickIpx() {
    CChoice d;
    d.caption = "Transport protocol";
    d.kind = ChoiceProtocol;
    d.current = "(default)";
    const Run run = drive(d, [](QDialog& dialog) {
        QComboBox* combo = comboOf(dialog);
        QCOMPARE(combo->currentText(), QStringLiteral("(default)"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Transport protocol"));
        combo->setCurrentIndex(combo->findText(QStringLiteral("IPX")));
        dialog.accept();
    });
    QCOMPARE(run.code, int(QDialog::Accepted));
    QCOMPARE(d.result, std::string("IPX"));
}

void TestValueDialogs::choiceReopenedDoesNotRepeatItems() {
    CChoice d;
    d.kind = ChoiceYesNo;
    d.current = "NO";
    d.exchangeIn();
    d.current = "yes";
    d.exchangeIn();
    QCOMPARE(itemsOf(comboOf(d)), (QStringList{"YES", "NO", "yes (in the file, not a choice)"}));
    QCOMPARE(comboOf(d)->currentIndex(), 2);
}

void TestValueDialogs::textKeptAsTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks around") << QStringLiteral("  FS1  ");
    QTest::newRow("only blanks") << QStringLiteral("   ");
    QTest::newRow("inner blanks") << QStringLiteral("Backup  of  SYS");
    QTest::newRow("tab") << QStringLiteral("\tname");
    QTest::newRow("quotes and semicolon") << QStringLiteral("say \"hi\"; now");
}

void TestValueDialogs::textKeptAsTyped() {
    QFETCH(QString, typed);
    CText d;
    d.caption = "New Package";
    d.text = "old";
    const Run run = drive(d, typeAndOk(typed));
    QCOMPARE(run.code, int(QDialog::Accepted));
    QCOMPARE(d.text, typed.toStdString());

    // Shown as it stands, and given back unchanged when untouched.
    CText again;
    again.text = typed.toStdString();
    drive(again, [&](QDialog& dialog) {
        QCOMPARE(editOf(dialog)->text(), typed);
        dialog.accept();
    });
    QCOMPARE(again.text, typed.toStdString());
}

void TestValueDialogs::textWindows1252RoundTrip() {
    CText d;
    d.caption = "Gr\xFC\xDF";
    d.text = "M\xFCller \x80 5 \x8A\x9F\xA0\xFF";
    QString shown;
    QString title;
    drive(d, [&](QDialog& dialog) {
        shown = editOf(dialog)->text();
        title = dialog.windowTitle();
        dialog.accept();
    });
    QCOMPARE(shown, QStringLiteral(u"M\u00FCller \u20AC 5 \u0160\u0178\u00A0\u00FF"));
    QCOMPARE(title, QStringLiteral(u"Gr\u00FC\u00DF"));
    QCOMPARE(d.text, std::string("M\xFCller \x80 5 \x8A\x9F\xA0\xFF"));

    // Typed Unicode arrives as Windows-1252 bytes.
    CText typed;
    drive(typed, typeAndOk(QStringLiteral(u"Gr\u00FC\u00DF \u20AC\u2122")));
    QCOMPARE(typed.text, std::string("Gr\xFC\xDF \x80\x99"));

    // Every byte but NUL survives, the five the code page leaves undefined
    // and the control characters included.
    std::string all;
    for (int b = 0x01; b <= 0xFF; ++b)
        all += static_cast<char>(b);
    CText whole;
    whole.text = all;
    drive(whole, [](QDialog& dialog) { dialog.accept(); });
    QCOMPARE(whole.text, all);
}

void TestValueDialogs::textCharacterOutsideCodePage() {
    CText d;
    drive(d, typeAndOk(QStringLiteral(u"\u03A9 ohm")));
    QCOMPARE(d.text, std::string("? ohm"));
}

void TestValueDialogs::captionCutTo199Characters() {
    std::string longCaption;
    for (int i = 0; i < 250; ++i)
        longCaption += static_cast<char>('a' + i % 26);
    const QString expected = QString::fromLatin1(longCaption.substr(0, 199));

    CText text;
    CNumber number;
    CChoice choice;
    for (ValueDialog* d : {static_cast<ValueDialog*>(&text), static_cast<ValueDialog*>(&number),
                           static_cast<ValueDialog*>(&choice)}) {
        d->caption = longCaption;
        QString title;
        drive(*d, [&](QDialog& dialog) {
            title = dialog.windowTitle();
            dialog.reject();
        });
        QCOMPARE(title.size(), 199);
        QCOMPARE(title, expected);
        QCOMPARE(d->captionText().size(), std::size_t(199));
    }

    CText exact;
    exact.caption = longCaption.substr(0, 199);
    exact.exchangeIn();
    QCOMPARE(exact.windowTitle(), expected);
}

void TestValueDialogs::cancelLeavesMembersUnchanged() {
    CChoice choice;
    choice.kind = ChoiceYesNo;
    choice.current = "YES";
    choice.result = "before";
    Run run = drive(choice, [](QDialog& dialog) {
        comboOf(dialog)->setCurrentIndex(1);
        dialog.reject();
    });
    QCOMPARE(run.code, int(QDialog::Rejected));
    QCOMPARE(choice.result, std::string("before"));
    QCOMPARE(choice.current, std::string("YES"));

    CNumber number;
    number.caption = "Max. threads";
    number.value = 12;
    run = drive(number, [](QDialog& dialog) {
        editOf(dialog)->setText(QStringLiteral("50"));
        dialog.reject();
    });
    QCOMPARE(run.code, int(QDialog::Rejected));
    QCOMPARE(number.value, 12);

    CText text;
    text.text = "kept";
    run = drive(text, [](QDialog& dialog) {
        editOf(dialog)->setText(QStringLiteral("changed"));
        dialog.reject();
    });
    QCOMPARE(run.code, int(QDialog::Rejected));
    QCOMPARE(text.text, std::string("kept"));
    QVERIFY(run.messages.empty());
}

void TestValueDialogs::shownDialogExchangesAndOkButtonAccepts() {
    CText d;
    d.caption = "Message";
    d.text = "hello";
    QSignalSpy accepted(&d, &QDialog::accepted);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QCOMPARE(d.windowTitle(), QStringLiteral("Message"));
    QCOMPARE(editOf(d)->text(), QStringLiteral("hello"));
    editOf(d)->setText(QStringLiteral("bye "));
    QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("1")), Qt::LeftButton);
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(d.text, std::string("bye "));
    QVERIFY(!d.isVisible());

    // Enter in the edit box presses the default button.
    CNumber n;
    n.caption = "Logging severity";
    n.value = 0;
    n.show();
    n.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&n));
    QCOMPARE(editOf(n)->text(), QStringLiteral("0"));
    editOf(n)->setText(QStringLiteral("1"));
    editOf(n)->setFocus();
    QTest::keyClick(editOf(n), Qt::Key_Return);
    QCOMPARE(n.result(), int(QDialog::Accepted));
    QCOMPARE(n.value, 1);
}

void TestValueDialogs::captionsShowWhole_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("caption"); // empty: the dialog's own
    const auto row = [](const char* name, const char* dialog, const char* caption) {
        QTest::newRow(name) << QString::fromLatin1(dialog) << QString::fromLatin1(caption);
    };
    row("log events, own caption", "CLogEvents", "");
    row("log events", "CLogEvents", "Log event types");
    row("long number caption", "CNumber", "Number of times a failed job can be retried");
    row("short caption", "CText", "Username");
}

void TestValueDialogs::captionsShowWhole() {
    QFETCH(QString, dialog);
    QFETCH(QString, caption);
    std::unique_ptr<ValueDialog> d;
    if (dialog == QLatin1String("CLogEvents"))
        d = std::make_unique<CLogEvents>();
    else if (dialog == QLatin1String("CNumber"))
        d = std::make_unique<CNumber>();
    else
        d = std::make_unique<CText>();
    d->caption = caption.toStdString();
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.get()));
    const QString shown = d->windowTitle();
    QVERIFY(caption.isEmpty() || shown == caption);
    QFont bold = d->font();
    bold.setBold(true);
    // The caption in a bold title font, an icon and three buttons of 24
    // pixels beside it, and the title bar's edges.
    QVERIFY2(d->width() >= QFontMetrics(bold).horizontalAdvance(shown) + 4 * 24 + 16,
             qPrintable(QStringLiteral("%1 px for \"%2\"").arg(d->width()).arg(shown)));
    d->reject();
}

QTEST_MAIN(TestValueDialogs)
#include "tst_valuedialogs.moc"

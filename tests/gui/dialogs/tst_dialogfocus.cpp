#include "TestSupport.h"

#include "dialogs/CChoice.h"
#include "dialogs/CDays.h"
#include "dialogs/CJob.h"
#include "dialogs/CNumber.h"
#include "dialogs/CPassword.h"
#include "dialogs/CPath.h"
#include "dialogs/CRunSchedule.h"
#include "dialogs/CTargetServer.h"
#include "dialogs/CText.h"
#include "dialogs/CTimeRestriction.h"
#include "dialogs/ScheduleChoice.h"
#include "framework/AnsiQt.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

namespace {

// One dialog kind: how it is opened, the control that must have the focus,
// what the user types ('\t' is Tab) and the value read back after Enter.
struct Case {
    const char* name;
    std::function<std::unique_ptr<ValueDialog>()> open;
    int focused;
    QString typed;
    std::function<QString(ValueDialog&)> result;
    QString expected;
};

template <typename D> D& as(ValueDialog& d) {
    return static_cast<D&>(d);
}

QString ansi(const std::string& text) {
    return AnsiQt::toQString(text);
}

QString localTime(int hour, int minute) {
    return QLocale().toString(QTime(hour, minute), QLocale::ShortFormat);
}

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"text",
         [] {
             auto d = std::make_unique<CText>();
             d->text = "old";
             return d;
         },
         CText::kEditId, QStringLiteral("new"),
         [](ValueDialog& d) { return ansi(as<CText>(d).text); }, QStringLiteral("new")},
        {"number",
         [] {
             auto d = std::make_unique<CNumber>();
             d->caption = "Max. threads";
             d->value = 12;
             return d;
         },
         CNumber::kEditId, QStringLiteral("50"),
         [](ValueDialog& d) { return QString::number(as<CNumber>(d).value); },
         QStringLiteral("50")},
        {"path",
         [] {
             auto d = std::make_unique<CPath>();
             d->path = "SYS:\\old";
             return d;
         },
         CPath::kPathId, QStringLiteral("VOL:\\new"),
         [](ValueDialog& d) { return ansi(as<CPath>(d).path); }, QStringLiteral("VOL:\\new")},
        {"choice",
         [] {
             auto d = std::make_unique<CChoice>();
             d->kind = ChoiceYesNo;
             d->current = "YES";
             return d;
         },
         CChoice::kComboId, QStringLiteral("N"),
         [](ValueDialog& d) { return ansi(as<CChoice>(d).result); }, QStringLiteral("NO")},
        {"password",
         [] {
             auto d = std::make_unique<CPassword>();
             d->newPassword = d->retyped = "old";
             return d;
         },
         CPassword::kNewPasswordId, QStringLiteral("new\tnew"),
         [](ValueDialog& d) { return ansi(as<CPassword>(d).newPassword); }, QStringLiteral("new")},
        {"job",
         [] {
             auto d = std::make_unique<CJob>();
             d->sourcePath = "SYS:\\a";
             d->targetPath = "SYS:\\b";
             d->copyMode = "ALL";
             return d;
         },
         CJob::kSourceId, QStringLiteral("VOL:\\c\tVOL:\\d"),
         [](ValueDialog& d) { return ansi(as<CJob>(d).sourcePath + ' ' + as<CJob>(d).targetPath); },
         QStringLiteral("VOL:\\c VOL:\\d")},
        {"target server",
         [] {
             auto d = std::make_unique<CTargetServer>();
             d->server = "OLD";
             d->volume = "SYS";
             d->startNew();
             return d;
         },
         CTargetServer::kServerId, QStringLiteral("new"),
         [](ValueDialog& d) { return ansi(as<CTargetServer>(d).server); }, QStringLiteral("NEW")},
        {"run schedule",
         [] {
             auto d = std::make_unique<CRunSchedule>();
             d->loadFrom("23:45");
             return d;
         },
         ScheduleChoice::kTimeId, QString(),
         [](ValueDialog& d) { return ansi(as<CRunSchedule>(d).word()); }, QStringLiteral("23:45")},
        {"time restriction",
         [] {
             auto d = std::make_unique<CTimeRestriction>();
             d->enabled = 1;
             d->notBefore = QTime(8, 0);
             d->notAfter = QTime(17, 30);
             return d;
         },
         CTimeRestriction::kNotBeforeId, localTime(9, 15),
         [](ValueDialog& d) {
             return as<CTimeRestriction>(d).notBefore.toString(QStringLiteral("HH:mm"));
         },
         QStringLiteral("09:15")},
        {"days", [] { return std::make_unique<CDays>(); }, CDays::kDayIds[0], QStringLiteral(" "),
         [](ValueDialog& d) { return ansi(as<CDays>(d).dayList()); }, QStringLiteral("SUN ")},
    };
    return all;
}

// Keys go where the focus is, as they do for the user.
void typeAtFocus(const QString& typed) {
    for (const QChar c : typed) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus != nullptr);
        if (c == u'\t')
            QTest::keyClick(focus, Qt::Key_Tab);
        else
            QTest::keyClicks(focus, QString(c));
    }
}

} // namespace

class TestDialogFocus : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opensOnTheValue_data();
    void opensOnTheValue();
    void keepsTheSizeTheUserSet_data();
    void keepsTheSizeTheUserSet();

private:
    QTemporaryDir settings_;
};

void TestDialogFocus::initTestCase() {
    // The sizes a test sets are kept in a folder of its own.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings_.path()));
}

void TestDialogFocus::opensOnTheValue_data() {
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < cases().size(); ++i)
        QTest::newRow(cases()[i].name) << int(i);
}

void TestDialogFocus::opensOnTheValue() {
    QFETCH(int, index);
    const Case& c = cases()[std::size_t(index)];
    std::unique_ptr<ValueDialog> dialog = c.open();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));

    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus != nullptr);
    QCOMPARE(focus->property("resourceId").toInt(), c.focused);
    if (auto* edit = qobject_cast<QLineEdit*>(focus))
        QCOMPARE(edit->selectedText(), edit->text());

    typeAtFocus(c.typed);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(c.result(*dialog), c.expected);
}

void TestDialogFocus::keepsTheSizeTheUserSet_data() {
    QTest::addColumn<int>("index");
    QTest::newRow("text") << 0;
    QTest::newRow("path") << 2;
}

void TestDialogFocus::keepsTheSizeTheUserSet() {
    QFETCH(int, index);
    const Case& c = cases()[std::size_t(index)];
    const QSize opened = [&] {
        std::unique_ptr<ValueDialog> first = c.open();
        first->show();
        const QSize size = first->size();
        first->resize(size + QSize(120, 40));
        first->reject();
        return size;
    }();
    std::unique_ptr<ValueDialog> again = c.open();
    again->show();
    QCOMPARE(again->size(), opened + QSize(120, 40));
    // Another kind keeps its own size.
    std::unique_ptr<ValueDialog> other = cases()[std::size_t(index) + 1].open();
    other->show();
    QVERIFY(other->size() != again->size());
}

QTEST_MAIN(TestDialogFocus)
#include "tst_dialogfocus.moc"

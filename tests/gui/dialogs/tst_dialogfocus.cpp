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

// One dialog kind: how it is filled, the control that must have the focus,
// what the user types ('\t' is Tab) and the value read back after Enter.
struct Case {
    const char* name;
    std::function<std::unique_ptr<ValueDialog>()> open;
    int focused;
    QString typed;
    std::function<QString(ValueDialog&)> result;
    QString expected;
};

template <typename D>
Case make(const char* name, std::function<void(D&)> fill, int focused, const QString& typed,
          std::function<std::string(D&)> result, const QString& expected) {
    return {name,
            [fill] {
                auto d = std::make_unique<D>();
                fill(*d);
                return d;
            },
            focused,
            typed,
            [result](ValueDialog& d) { return AnsiQt::toQString(result(static_cast<D&>(d))); },
            expected};
}

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        make<CText>(
            "text", [](CText& d) { d.text = "old"; }, CText::kEditId, QStringLiteral("new"),
            [](CText& d) { return d.text; }, QStringLiteral("new")),
        make<CPath>(
            "path", [](CPath& d) { d.path = "SYS:\\old"; }, CPath::kPathId,
            QStringLiteral("VOL:\\new"), [](CPath& d) { return d.path; },
            QStringLiteral("VOL:\\new")),
        make<CNumber>(
            "number",
            [](CNumber& d) {
                d.caption = "Max. threads";
                d.value = 12;
            },
            CNumber::kEditId, QStringLiteral("50"),
            [](CNumber& d) { return std::to_string(d.value); }, QStringLiteral("50")),
        make<CChoice>(
            "choice",
            [](CChoice& d) {
                d.kind = ChoiceYesNo;
                d.current = "YES";
            },
            CChoice::kComboId, QStringLiteral("N"), [](CChoice& d) { return d.result; },
            QStringLiteral("NO")),
        make<CPassword>(
            "password", [](CPassword& d) { d.newPassword = d.retyped = "old"; },
            CPassword::kNewPasswordId, QStringLiteral("new\tnew"),
            [](CPassword& d) { return d.newPassword; }, QStringLiteral("new")),
        make<CJob>(
            "job",
            [](CJob& d) {
                d.sourcePath = "SYS:\\a";
                d.copyMode = "ALL";
            },
            CJob::kSourceId, QStringLiteral("VOL:\\c\tVOL:\\d"),
            [](CJob& d) { return d.sourcePath + ' ' + d.targetPath; },
            QStringLiteral("VOL:\\c VOL:\\d")),
        make<CTargetServer>(
            "target server",
            [](CTargetServer& d) {
                d.startNew();
                d.volume = "SYS";
            },
            CTargetServer::kServerId, QStringLiteral("new"),
            [](CTargetServer& d) { return d.server; }, QStringLiteral("NEW")),
        make<CRunSchedule>(
            "run schedule", [](CRunSchedule& d) { d.loadFrom("23:45"); }, ScheduleChoice::kTimeId,
            QString(), [](CRunSchedule& d) { return d.word(); }, QStringLiteral("23:45")),
        make<CTimeRestriction>(
            "time restriction",
            [](CTimeRestriction& d) {
                d.enabled = 1;
                d.notAfter = QTime(17, 30);
            },
            CTimeRestriction::kNotBeforeId, QLocale().toString(QTime(9, 15), QLocale::ShortFormat),
            [](CTimeRestriction& d) {
                return d.notBefore.toString(QStringLiteral("HH:mm")).toStdString();
            },
            QStringLiteral("09:15")),
        make<CDays>(
            "days", [](CDays&) {}, CDays::kDayIds[0], QStringLiteral(" "),
            [](CDays& d) { return d.dayList(); }, QStringLiteral("SUN ")),
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
    if (auto* edit = qobject_cast<QLineEdit*>(focus)) {
        QCOMPARE(edit->selectedText(), edit->text());
        // A path box holds a typical path in view.
        if (!edit->placeholderText().isEmpty())
            QVERIFY(edit->fontMetrics().horizontalAdvance(
                        QStringLiteral("DATA:\\PROJECTS\\2024\\REPORTS\\MONTHLY")) < edit->width());
    }

    typeAtFocus(c.typed);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(c.result(*dialog), c.expected);
}

void TestDialogFocus::keepsTheSizeTheUserSet_data() {
    QTest::addColumn<int>("index");
    QTest::newRow("text") << 0;
    QTest::newRow("path") << 1;
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

#include "TestSupport.h"

#include "dialogs/CChoice.h"
#include "dialogs/CDays.h"
#include "dialogs/CDestPackages.h"
#include "dialogs/CJob.h"
#include "dialogs/CLogEvents.h"
#include "dialogs/CNcf.h"
#include "dialogs/CNumber.h"
#include "dialogs/COpenFiles.h"
#include "dialogs/CPassword.h"
#include "dialogs/CPath.h"
#include "dialogs/CRunSchedule.h"
#include "dialogs/CTargetServer.h"
#include "dialogs/CText.h"
#include "dialogs/CTimeRestriction.h"
#include "dialogs/ScheduleChoice.h"
#include "framework/AnsiQt.h"
#include "taskwindow/CTaskEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
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
            CJob::kSourceId, QStringLiteral("VOL:\\c\t\tVOL:\\d"),
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

// One dialog as it opens, and the controls Tab visits, as they are read.
struct Order {
    const char* name;
    std::function<std::unique_ptr<QDialog>()> open;
    QList<int> ids;
};

template <typename D> Order order(const char* name, std::function<void(D&)> fill, QList<int> ids) {
    return {name,
            [fill] {
                auto d = std::make_unique<D>();
                fill(*d);
                return std::unique_ptr<QDialog>(std::move(d));
            },
            std::move(ids)};
}

const std::vector<Order>& orders() {
    constexpr int ok = ValueDialog::kOkId;
    constexpr int cancel = ValueDialog::kCancelId;
    static const std::vector<Order> all = {
        order<CText>("text", [](CText&) {}, {CText::kEditId, ok, cancel}),
        order<CPath>("path", [](CPath&) {}, {CPath::kPathId, CPath::kBrowseId, ok, cancel}),
        order<CChoice>("choice", [](CChoice& d) { d.kind = ChoiceYesNo; },
                       {CChoice::kComboId, ok, cancel}),
        order<CPassword>("password", [](CPassword&) {},
                         {CPassword::kNewPasswordId, CPassword::kRetypedId, ok, cancel}),
        order<CJob>("directories", [](CJob& d) { d.caption = "Directories"; },
                    {CJob::kSourceId, CJob::kSourceBrowseId, CJob::kTargetId, CJob::kTargetBrowseId,
                     CJob::kCopyModeId, CJob::kPropagateId, ok, cancel}),
        order<CNcf>("command files", [](CNcf&) {},
                    {CNcf::kSourceId, CNcf::kSourceBrowseId, CNcf::kTargetId, CNcf::kTargetBrowseId,
                     ok, cancel}),
        order<CTaskEdit>("task", [](CTaskEdit&) {},
                         {CTaskEdit::kSourceId, CTaskEdit::kSourceBrowseId, CTaskEdit::kTargetId,
                          CTaskEdit::kTargetBrowseId, CTaskEdit::kOverwriteNewerId,
                          CTaskEdit::kOverwriteReadonlyId, CTaskEdit::kRemoveStaleId, ok, cancel}),
        // Of the schedule's choices only the chosen one, then what it governs.
        order<CTargetServer>("target server, daily",
                             [](CTargetServer& d) {
                                 d.startNew();
                                 d.scheduleMode = 1;
                             },
                             {CTargetServer::kServerId, CTargetServer::kVolumeId,
                              CTargetServer::kProtocolId, CTargetServer::kBandwidthId,
                              CTargetServer::kSendMessageId, ScheduleChoice::kDailyId,
                              ScheduleChoice::kTimeId, ok, cancel}),
        // A stored schedule none of the choices stands for: the group is one
        // stop, its first choice; the arrow keys go through the others.
        order<CTargetServer>("target server, no schedule chosen", [](CTargetServer&) {},
                             {CTargetServer::kServerId, CTargetServer::kVolumeId,
                              CTargetServer::kProtocolId, CTargetServer::kBandwidthId,
                              CTargetServer::kSendMessageId, ScheduleChoice::kPackageDefaultId,
                              ScheduleChoice::kHoursId, ok, cancel}),
        order<CRunSchedule>("run schedule, every", [](CRunSchedule& d) { d.loadFrom("4"); },
                            {ScheduleChoice::kEveryId, ScheduleChoice::kHoursId, ok, cancel}),
        order<CTimeRestriction>("time restriction", [](CTimeRestriction& d) { d.enabled = 1; },
                                {CTimeRestriction::kEnabledId, CTimeRestriction::kNotBeforeId,
                                 CTimeRestriction::kNotAfterId, ok, cancel}),
        order<CDays>("days", [](CDays&) {},
                     {CDays::kDayIds[0], CDays::kDayIds[1], CDays::kDayIds[2], CDays::kDayIds[3],
                      CDays::kDayIds[4], CDays::kDayIds[5], CDays::kDayIds[6], ok, cancel}),
        order<CLogEvents>("log events", [](CLogEvents&) {},
                          {CLogEvents::kCopiedId, CLogEvents::kIdenticalId, CLogEvents::kSkippedId,
                           CLogEvents::kDeletedId, ok, cancel}),
        order<CDestPackages>("destination packages", [](CDestPackages&) {},
                             {CDestPackages::kListId, ok, cancel}),
        // The delay box shows only for a delayed method.
        order<COpenFiles>("open files, delayed",
                          [](COpenFiles& d) {
                              d.method = "ALERT";
                              d.delay = 60;
                          },
                          {COpenFiles::kMethodId, COpenFiles::kDelayId, ok, cancel}),
        order<COpenFiles>("open files, at once", [](COpenFiles& d) { d.method = "SKIP"; },
                          {COpenFiles::kMethodId, ok, cancel}),
    };
    return all;
}

// The control of the dialog's own that holds the focus.
QWidget* focusedControl() {
    QWidget* w = QApplication::focusWidget();
    while (w != nullptr && !w->property("resourceId").isValid())
        w = w->parentWidget();
    return w;
}

// The controls visited, from the focused one on, by Tab (or Shift+Tab) until
// the focus comes back; a control that takes a Tab itself (the sections of a
// time) counts once.
QList<QWidget*> tabRound(Qt::KeyboardModifiers modifiers) {
    QList<QWidget*> visited{focusedControl()};
    for (int presses = 0; presses < 40; ++presses) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
        QWidget* now = focusedControl();
        if (now == visited.first())
            break;
        if (now != visited.last())
            visited << now;
    }
    return visited;
}

QRect placeIn(const QWidget& dialog, const QWidget& w) {
    return QRect(w.mapTo(&dialog, QPoint(0, 0)), w.size());
}

// Whether `b` is read after `a`: below it, or beside it to the right.
bool readsAfter(const QWidget& dialog, const QWidget& a, const QWidget& b) {
    const QRect ra = placeIn(dialog, a);
    const QRect rb = placeIn(dialog, b);
    const bool sameRow = rb.center().y() >= ra.top() && rb.center().y() <= ra.bottom();
    return sameRow ? rb.left() >= ra.right() : rb.center().y() > ra.bottom();
}

// One row per entry of a table, named after it, carrying its index.
template <typename Entry> void addRowsOf(const std::vector<Entry>& table) {
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < table.size(); ++i)
        QTest::newRow(table[i].name) << int(i);
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
    void tabsInReadingOrder_data();
    void tabsInReadingOrder();

private:
    QTemporaryDir settings_;
};

void TestDialogFocus::initTestCase() {
    // The sizes a test sets are kept in a folder of its own.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings_.path()));
}

void TestDialogFocus::opensOnTheValue_data() {
    addRowsOf(cases());
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

void TestDialogFocus::tabsInReadingOrder_data() {
    addRowsOf(orders());
}

void TestDialogFocus::tabsInReadingOrder() {
    QFETCH(int, index);
    const Order& o = orders()[std::size_t(index)];
    std::unique_ptr<QDialog> dialog = o.open();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));

    QList<QWidget*> forward = tabRound(Qt::NoModifier);
    // From the first control, wherever the dialog put the focus.
    const auto* first = dialog->findChild<QWidget*>(QString::number(o.ids.first()));
    QVERIFY(forward.contains(first));
    while (forward.first() != first)
        forward.append(forward.takeFirst());
    QList<int> ids;
    for (const QWidget* w : forward)
        ids << w->property("resourceId").toInt();
    QCOMPARE(ids, o.ids);
    // The boxes and choices as they are read; OK and Cancel come last.
    for (qsizetype i = 1; i + 2 < forward.size(); ++i)
        QVERIFY2(readsAfter(*dialog, *forward[i - 1], *forward[i]),
                 qPrintable(forward[i]->objectName()));

    QList<QWidget*> backward = tabRound(Qt::ShiftModifier);
    QCOMPARE(backward.size(), forward.size());
    while (backward.last() != first)
        backward.append(backward.takeFirst());
    std::reverse(backward.begin(), backward.end());
    QCOMPARE(backward, forward);
}

QTEST_MAIN(TestDialogFocus)
#include "tst_dialogfocus.moc"

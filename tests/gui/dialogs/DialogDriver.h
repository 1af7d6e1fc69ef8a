#pragma once

#include "framework/ModalSeam.h"

#include <QAbstractButton>
#include <QDialog>
#include <QSignalSpy>
#include <QString>
#include <QTest>
#include <functional>
#include <initializer_list>
#include <span>
#include <vector>

namespace dialogtest {

// One modal run through the seam: the seam fills the controls (the dialog is
// never shown), the test works them, and message boxes are recorded.
struct Run {
    int code = -1;
    int accepted = 0;
    std::vector<ModalSeam::Message> messages;
};

// `nested` answers the dialogs the driven one opens in turn (a folder
// browser, say); it is not called for the driven dialog itself.
inline Run drive(QDialog& dialog, const std::function<void(QDialog&)>& work,
                 const std::function<int(QDialog&)>& nested = {}) {
    Run run;
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    ModalSeam::Hooks hooks;
    hooks.dialog = [&](QDialog& d) {
        if (&d != &dialog)
            return nested ? nested(d) : int(QDialog::Rejected);
        work(d);
        return d.result();
    };
    hooks.message = [&](const ModalSeam::Message& m) {
        run.messages.push_back(m);
        return QMessageBox::Ok;
    };
    ModalSeam::Scope seam(std::move(hooks));
    run.code = ModalSeam::runModal(dialog);
    run.accepted = static_cast<int>(accepted.count());
    return run;
}

inline void pressOk(QDialog& d) {
    d.accept();
}

// The window caption a dialog shows once opened.
inline QString captionOf(QDialog& d) {
    QString title;
    drive(d, [&](QDialog& dialog) {
        title = dialog.windowTitle();
        dialog.reject();
    });
    return title;
}

// The control that carries a resource id; null when there is none.
template <typename Widget = QWidget> Widget* control(const QDialog& d, int id) {
    return d.findChild<Widget*>(QString::number(id));
}

// One '1' or '0' per control: enabled, shown or checked.
inline QString enabledOf(const QDialog& d, std::initializer_list<int> ids) {
    QString flags;
    for (const int id : ids)
        flags += control(d, id)->isEnabled() ? u'1' : u'0';
    return flags;
}
inline QString shownOf(const QDialog& d, std::initializer_list<int> ids) {
    QString flags;
    for (const int id : ids)
        flags += control(d, id)->isHidden() ? u'0' : u'1';
    return flags;
}
inline QString checkedOf(const QDialog& d, std::span<const int> ids) {
    QString flags;
    for (const int id : ids)
        flags += control<QAbstractButton>(d, id)->isChecked() ? u'1' : u'0';
    return flags;
}
inline QString checkedOf(const QDialog& d, std::initializer_list<int> ids) {
    return checkedOf(d, std::span<const int>(ids.begin(), ids.size()));
}
inline void setChecked(const QDialog& d, std::span<const int> ids, const QString& flags) {
    qsizetype i = 0;
    for (const int id : ids)
        control<QAbstractButton>(d, id)->setChecked(flags[i++] == u'1');
}

// A refused OK: the dialog stayed open and showed exactly one message.
inline bool refusedWith(const Run& run, const QString& text, const QString& caption) {
    [&] {
        QCOMPARE(run.accepted, 0);
        QCOMPARE(run.messages.size(), std::size_t(1));
        QCOMPARE(run.messages[0].text, text);
        QCOMPARE(run.messages[0].caption, caption);
        QVERIFY(run.messages[0].icon == ModalSeam::Icon::Warning);
    }();
    return !QTest::currentTestFailed();
}

} // namespace dialogtest

#include "CTimeRestriction.h"

#include "config/GlobalSettings.h"
#include "config/ScheduleText.h"
#include "framework/AnsiQt.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFormLayout>
#include <QLineEdit>
#include <QLocale>

namespace {

constexpr std::string_view kDisabled = "DISABLED";

// Some locales separate the time from its AM/PM marker with a no-break space
// that nobody types.
QString plainBlanks(QString text) {
    text.replace(QChar(0x202F), u' ');
    text.replace(QChar(0x00A0), u' ');
    return text;
}

QTime storedTime(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return QTime(0, 0);
    int hour = 0;
    int minute = 0;
    ScheduleText::splitTime(text, hour, minute);
    return QTime(hour, minute);
}

std::string storedText(const QTime& time) {
    return time.isValid() ? ScheduleText::timeText(time.hour(), time.minute()) : "00:00";
}

} // namespace

CTimeRestriction::CTimeRestriction(QWidget* parent)
    : FieldDialog(kTemplateId, "Time restriction", 204, 82, parent),
      enabled_(new QCheckBox(QStringLiteral("Enabled"))), notBefore_(new QLineEdit),
      notAfter_(new QLineEdit) {
    setResourceId(*enabled_, kEnabledId);
    setResourceId(*notBefore_, kNotBeforeId);
    setResourceId(*notAfter_, kNotAfterId);
    connect(enabled_, &QCheckBox::toggled, this, &CTimeRestriction::enableTimes);

    auto* panel = new QWidget(this);
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("Time restriction:"), enabled_);
    form->addRow(QStringLiteral("Do not start before:"), notBefore_);
    form->addRow(QStringLiteral("Do not start after:"), notAfter_);
    setValueControl(panel);
}

void CTimeRestriction::loadFrom(const GlobalSettings& global) {
    enabled = global.jobWindow != kDisabled ? 1 : 0;
    loadedEnabled_ = enabled;
    notBefore = storedTime(global.startJob);
    notAfter = storedTime(global.endJob);
    const auto load = [](Stored& stored, const std::string& text, const QTime& time) {
        stored.text = text;
        // Read as 00:00 or as no time, a text that is not a time is shown
        // as it stands.
        const auto colon = text.find(':');
        const bool isTime = colon != std::string::npos && colon > 0 && time.isValid();
        stored.shown = isTime ? timeText(time) : AnsiQt::toQString(text);
    };
    load(before_, global.startJob, notBefore);
    load(after_, global.endJob, notAfter);
    window_ = global.jobWindow;
}

std::string CTimeRestriction::textOf(const Stored& stored, const QTime& time) {
    return stored.kept ? *stored.text : storedText(time);
}

void CTimeRestriction::applyTo(GlobalSettings& global) const {
    global.startJob = textOf(before_, notBefore);
    global.endJob = textOf(after_, notAfter);
    const bool same = before_.kept && after_.kept && enabled == loadedEnabled_;
    global.jobWindow = same && window_ ? *window_ : enabled != 0 ? "ENABLE" : kDisabled;
}

QString CTimeRestriction::timeText(const QTime& time) {
    return time.isValid() ? QLocale().toString(time, QLocale::ShortFormat) : QString();
}

QTime CTimeRestriction::readTime(const QString& typed) {
    const QLocale locale;
    const QString text = plainBlanks(typed.trimmed());
    for (const QString& format :
         {locale.timeFormat(QLocale::ShortFormat), locale.timeFormat(QLocale::LongFormat),
          QStringLiteral("H:mm"), QStringLiteral("H:mm:ss")}) {
        const QTime time = locale.toTime(text, plainBlanks(format));
        if (time.isValid())
            return time;
    }
    for (const QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QDateTime when = locale.toDateTime(text, plainBlanks(locale.dateTimeFormat(type)));
        if (when.isValid())
            return when.time();
    }
    return {};
}

void CTimeRestriction::exchangeFieldsIn() {
    enabled_->setChecked(enabled != 0);
    notBefore_->setText(before_.text ? before_.shown : timeText(notBefore));
    notAfter_->setText(after_.text ? after_.shown : timeText(notAfter));
    enableTimes(enabled_->isChecked());
}

void CTimeRestriction::accept() {
    const bool on = enabled_->isChecked();
    QTime after = notAfter;
    QTime before = notBefore;
    if (!readBox(notAfter_, after_, after, on) || !readBox(notBefore_, before_, before, on))
        return;
    enabled = on ? 1 : 0;
    notAfter = after;
    notBefore = before;
    QDialog::accept();
}

bool CTimeRestriction::readBox(QLineEdit* box, Stored& stored, QTime& time, bool on) {
    // A stored time shown as it stands is kept while the box is untouched;
    // one that is no time only while the restriction is off, as the boxes
    // are then closed to typing.
    const bool untouched = stored.text && box->text() == stored.shown;
    const QTime typed = readTime(box->text());
    stored.kept = untouched && (typed.isValid() || !on);
    if (stored.kept)
        return true;
    if (!typed.isValid()) {
        refuse("Please enter a date and/or time.", box);
        return false;
    }
    time = typed;
    return true;
}

void CTimeRestriction::enableTimes(bool on) {
    notBefore_->setEnabled(on);
    notAfter_->setEnabled(on);
}

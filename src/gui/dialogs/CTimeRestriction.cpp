#include "CTimeRestriction.h"

#include "config/GlobalSettings.h"
#include "config/ScheduleText.h"

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
    notBefore = storedTime(global.startJob);
    notAfter = storedTime(global.endJob);
}

void CTimeRestriction::applyTo(GlobalSettings& global) const {
    global.startJob = storedText(notBefore);
    global.endJob = storedText(notAfter);
    global.jobWindow = enabled != 0 ? "ENABLE" : kDisabled;
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
    notBefore_->setText(timeText(notBefore));
    notAfter_->setText(timeText(notAfter));
    enableTimes(enabled_->isChecked());
}

void CTimeRestriction::accept() {
    const bool on = enabled_->isChecked();
    const QTime after = readTime(notAfter_->text());
    if (!after.isValid()) {
        refuse("Please enter a date and/or time.", notAfter_);
        return;
    }
    const QTime before = readTime(notBefore_->text());
    if (!before.isValid()) {
        refuse("Please enter a date and/or time.", notBefore_);
        return;
    }
    enabled = on ? 1 : 0;
    notAfter = after;
    notBefore = before;
    QDialog::accept();
}

void CTimeRestriction::enableTimes(bool on) {
    notBefore_->setEnabled(on);
    notAfter_->setEnabled(on);
}

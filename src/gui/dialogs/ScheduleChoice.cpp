#include "ScheduleChoice.h"

#include "ValueDialog.h"
#include "config/ScheduleText.h"
#include "framework/AnsiQt.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QTimeEdit>

namespace {

QRadioButton* addRadio(QGridLayout& grid, QButtonGroup& group, const QString& text, int resourceId,
                       int mode) {
    auto* radio = new QRadioButton(text);
    ValueDialog::setResourceId(*radio, resourceId);
    group.addButton(radio, mode);
    grid.addWidget(radio, grid.rowCount(), 0);
    return radio;
}

bool isPackageDefault(const ScheduleChoice::Modes& modes, int mode) {
    return modes.packageDefault >= 0 && mode == modes.packageDefault;
}

} // namespace

ScheduleChoice::ScheduleChoice(Modes modes, QWidget* parent)
    : QWidget(parent), modes_(modes), buttons_(new QButtonGroup(this)), time_(new QTimeEdit),
      hours_(new QComboBox), hoursLabel_(new QLabel(QStringLiteral("hours"))),
      unlisted_(new QLabel) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    if (modes.packageDefault >= 0)
        addRadio(*grid, *buttons_, QStringLiteral("(package default)"), kPackageDefaultId,
                 modes.packageDefault);
    addRadio(*grid, *buttons_, QStringLiteral("run daily at"), kDailyId, modes.daily);
    grid->addWidget(time_, grid->rowCount() - 1, 1);
    addRadio(*grid, *buttons_, QStringLiteral("run every"), kEveryId, modes.every);
    grid->addWidget(hours_, grid->rowCount() - 1, 1);
    grid->addWidget(hoursLabel_, grid->rowCount() - 1, 2);
    grid->addWidget(unlisted_, grid->rowCount(), 0, 1, 3);
    unlisted_->setObjectName(QStringLiteral("unlisted"));
    unlisted_->setWordWrap(true);
    unlisted_->hide();

    ValueDialog::setResourceId(*time_, kTimeId);
    time_->setDisplayFormat(QStringLiteral("HH:mm"));
    time_->setAlignment(Qt::AlignRight);
    ValueDialog::setResourceId(*hours_, kHoursId);
    hours_->setEditable(false);
    for (const int hours : ScheduleText::kHourChoices)
        hours_->addItem(QString::number(hours));
    ValueDialog::setResourceId(*hoursLabel_, kHoursLabelId);

    connect(buttons_, &QButtonGroup::idToggled, this, [this](int mode, bool checked) {
        if (checked)
            enableFor(mode);
    });
}

void ScheduleChoice::showValues(int mode, const QTime& time, int everyIndex) {
    // An exclusive group cannot uncheck its checked button.
    buttons_->setExclusive(false);
    for (QAbstractButton* button : buttons_->buttons())
        button->setChecked(buttons_->id(button) == mode);
    buttons_->setExclusive(true);
    time_->setTime(time.isValid() ? time : QTime(0, 0));
    hours_->setCurrentIndex(everyIndex >= 0 && everyIndex < hours_->count() ? everyIndex : -1);
    enableFor(mode);
}

void ScheduleChoice::showUnlisted(const std::optional<std::string>& stored) {
    if (stored)
        unlisted_->setText(
            stored->empty()
                ? QStringLiteral("The file gives no schedule here; choose one.")
                : QStringLiteral("The file holds \"%1\", which is none of the choices here.")
                      .arg(AnsiQt::toQString(*stored)));
    unlisted_->setVisible(stored.has_value());
}

int ScheduleChoice::mode() const {
    return buttons_->checkedId();
}

QTime ScheduleChoice::time() const {
    return time_->time();
}

int ScheduleChoice::everyIndex() const {
    return hours_->currentIndex();
}

void ScheduleChoice::enableFor(int mode) {
    const bool daily = mode == modes_.daily;
    const bool every = !daily && !isPackageDefault(modes_, mode);
    time_->setEnabled(daily);
    hours_->setEnabled(every);
    hoursLabel_->setEnabled(every);
}

bool ScheduleChoice::readWord(const Modes& modes, std::string_view word, int& mode, QTime& time,
                              int& everyIndex) {
    int readMode = modes.every;
    QTime readTime = time;
    int readIndex = everyIndex;
    if (word.empty() && modes.packageDefault >= 0) {
        readMode = modes.packageDefault;
    } else if (ScheduleText::isDaily(word)) {
        int hour = 0;
        int minute = 0;
        ScheduleText::splitTime(word, hour, minute);
        readMode = modes.daily;
        readTime = QTime(hour, minute);
    } else {
        readIndex = ScheduleText::hourChoiceIndex(word);
    }
    // Shown as the nearest choice, OK would store a schedule the user never
    // saw: 25:99 as 00:00, every 5 hours as every hour.
    const bool shown =
        readMode == modes.daily
            ? readTime.isValid()
            : readMode != modes.every || ScheduleText::hourChoiceWord(readIndex) == word;
    if (!shown) {
        mode = -1;
        everyIndex = -1;
        return false;
    }
    mode = readMode;
    time = readTime;
    everyIndex = readIndex;
    return true;
}

std::string_view ScheduleChoice::problem(const Modes& modes, int mode, int everyIndex) {
    if (mode < 0)
        return "Please choose when to run.";
    if (mode == modes.every && everyIndex < 0)
        return "Please choose every how many hours to run.";
    return {};
}

QWidget* ScheduleChoice::problemControl() const {
    return mode() < 0 ? buttons_->buttons().value(0) : static_cast<QWidget*>(hours_);
}

std::string ScheduleChoice::word(const Modes& modes, int mode, const QTime& time, int everyIndex) {
    if (isPackageDefault(modes, mode))
        return {};
    if (mode == modes.daily)
        return time.isValid() ? ScheduleText::timeText(time.hour(), time.minute()) : "00:00";
    return ScheduleText::hourChoiceWord(everyIndex);
}

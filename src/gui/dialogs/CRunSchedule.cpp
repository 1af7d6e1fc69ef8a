#include "CRunSchedule.h"

CRunSchedule::CRunSchedule(QWidget* parent)
    : FieldDialog(kTemplateId, "Dialog", 147, 74, parent),
      schedule_(new ScheduleChoice(kModes, this)) {
    setValueControl(schedule_);
}

void CRunSchedule::loadFrom(std::string_view scheduleWhen) {
    if (ScheduleChoice::readWord(kModes, scheduleWhen, mode, startTime, everyIndex))
        unlisted_.reset();
    else
        unlisted_ = std::string(scheduleWhen);
    kept_.load(scheduleWhen, {mode, startTime, everyIndex});
}

std::string CRunSchedule::word() const {
    return kept_.orRebuilt({mode, startTime, everyIndex},
                           ScheduleChoice::word(kModes, mode, startTime, everyIndex));
}

void CRunSchedule::exchangeFieldsIn() {
    schedule_->showValues(mode, startTime, everyIndex);
    schedule_->showUnlisted(unlisted_);
}

void CRunSchedule::accept() {
    const std::string_view problem =
        ScheduleChoice::problem(kModes, schedule_->mode(), schedule_->everyIndex());
    if (!problem.empty()) {
        refuse(problem, schedule_->problemControl());
        return;
    }
    startTime = schedule_->time();
    everyIndex = schedule_->everyIndex();
    mode = schedule_->mode();
    QDialog::accept();
}

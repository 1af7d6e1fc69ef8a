#include "CRunSchedule.h"

CRunSchedule::CRunSchedule(QWidget* parent)
    : FieldDialog(kTemplateId, "Dialog", 147, 74, parent),
      schedule_(new ScheduleChoice(kModes, this)) {
    setValueControl(schedule_);
}

void CRunSchedule::loadFrom(std::string_view scheduleWhen) {
    ScheduleChoice::readWord(kModes, scheduleWhen, mode, startTime, everyIndex);
}

std::string CRunSchedule::word() const {
    return ScheduleChoice::word(kModes, mode, startTime, everyIndex);
}

void CRunSchedule::exchangeFieldsIn() {
    schedule_->showValues(mode, startTime, everyIndex);
}

void CRunSchedule::accept() {
    startTime = schedule_->time();
    everyIndex = schedule_->everyIndex();
    mode = schedule_->mode();
    QDialog::accept();
}

#include "CDays.h"

#include "config/ScheduleText.h"

#include <QCheckBox>
#include <QHBoxLayout>

namespace {

constexpr std::array<const char*, 7> kLabels = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

} // namespace

CDays::CDays(QWidget* parent) : FieldDialog(kTemplateId, "Days to run", 264, 47, parent) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < kDayIds.size(); ++i) {
        // A tick reads at a glance where a pressed button's shade does not.
        auto* box = new QCheckBox(QString::fromLatin1(kLabels[i]), row);
        setResourceId(*box, kDayIds[i]);
        layout->addWidget(box);
        boxes_.append(box);
    }
    setValueControl(row);
}

void CDays::loadFrom(std::string_view scheduleDays) {
    for (std::size_t i = 0; i < days.size(); ++i)
        days[i] = ScheduleText::hasDay(scheduleDays, ScheduleText::kDays[i]) ? 1 : 0;
    stored_.load(scheduleDays, days);
}

std::string CDays::dayList() const {
    std::array<bool, 7> selected{};
    for (std::size_t i = 0; i < days.size(); ++i)
        selected[i] = days[i] != 0;
    return stored_.orRebuilt(days, ScheduleText::dayList(selected));
}

void CDays::exchangeFieldsIn() {
    for (std::size_t i = 0; i < days.size(); ++i)
        boxes_[static_cast<qsizetype>(i)]->setChecked(days[i] != 0);
}

void CDays::accept() {
    for (std::size_t i = 0; i < days.size(); ++i)
        days[i] = boxes_[static_cast<qsizetype>(i)]->isChecked() ? 1 : 0;
    QDialog::accept();
}

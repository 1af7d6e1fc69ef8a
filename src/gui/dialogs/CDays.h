#pragma once

#include "FieldDialog.h"
#include "KeptText.h"

#include <QList>
#include <array>
#include <string>
#include <string_view>

class QCheckBox;

// Ticks the days of the week a package runs on; any combination is accepted.
class CDays : public FieldDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 149;
    // Sun to Sat, in ScheduleText::kDays order.
    static constexpr std::array<int, 7> kDayIds = {1030, 1021, 1025, 1026, 1027, 1028, 1029};

    explicit CDays(QWidget* parent = nullptr);

    // 0 or 1 per day, Sunday first as in ScheduleText::kDays.
    std::array<int, 7> days{};

    // The members from a day list: a day is ticked when its word occurs in it.
    void loadFrom(std::string_view scheduleDays);
    // The new day list: "SUN " to "SAT " of the ticked days in week order;
    // the loaded text while the same days are ticked.
    std::string dayList() const;

    void accept() override;

protected:
    void exchangeFieldsIn() override;

private:
    QList<QCheckBox*> boxes_;
    KeptText<std::array<int, 7>> stored_;
};

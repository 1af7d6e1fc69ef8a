#pragma once

#include "FieldDialog.h"
#include "KeptText.h"
#include "ScheduleChoice.h"

#include <QTime>
#include <optional>
#include <string>
#include <string_view>

// Edits a package's schedule: once a day at a time, or every N hours. A
// stored word the controls cannot show is shown as text with no mode
// checked; OK refuses until a mode, and for "run every" its hours, is chosen.
class CRunSchedule : public FieldDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 156;
    // mode: 0 daily at startTime, 1 every N hours (any other value too).
    static constexpr ScheduleChoice::Modes kModes{-1, 0, 1};

    explicit CRunSchedule(QWidget* parent = nullptr);

    QTime startTime = QTime::currentTime(); // hour and minute are used
    int everyIndex = -1;                    // into ScheduleText::kHourChoices; -1 none
    int mode = -1;

    // The members from a package's scheduleWhen; a word without a colon
    // runs every N hours.
    void loadFrom(std::string_view scheduleWhen);
    // The new scheduleWhen: "HH:MM" for daily, else the hours choice; the
    // loaded word as it stands (7:05 say) while the schedule is unchanged.
    std::string word() const;

    void accept() override;

protected:
    void exchangeFieldsIn() override;

private:
    ScheduleChoice* schedule_;
    std::optional<std::string> unlisted_;
    KeptText<ScheduleChoice::Members> kept_;
};

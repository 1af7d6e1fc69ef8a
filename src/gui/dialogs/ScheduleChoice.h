#pragma once

#include <QTime>
#include <QWidget>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

class QButtonGroup;
class QComboBox;
class QLabel;
class QTimeEdit;

// The schedule controls of the target server and package schedule dialogs:
// "run daily at" with a time picker, "run every" with the hours list and its
// "hours" label, and, where offered, "(package default)". Each radio button
// stands for one schedule mode number of its dialog.
class ScheduleChoice : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPackageDefaultId = 1047;
    static constexpr int kDailyId = 1043;
    static constexpr int kEveryId = 1044;
    static constexpr int kTimeId = 1042;
    static constexpr int kHoursId = 1045;
    static constexpr int kHoursLabelId = 1038;

    // The mode numbers of a dialog; packageDefault is -1 where that choice is
    // not offered. A mode that is none of them counts as "run every".
    struct Modes {
        int packageDefault;
        int daily;
        int every;
    };

    ScheduleChoice(Modes modes, QWidget* parent);

    // Members to controls: the button of the mode (none for any other value),
    // the time (00:00 when invalid), the hours item (none when out of range),
    // then the enabling of the mode.
    void showValues(int mode, const QTime& time, int everyIndex);
    // A stored word the controls cannot show, on a line of its own; nothing
    // hides the line.
    void showUnlisted(const std::optional<std::string>& stored);
    // The mode of the checked button, -1 when none is.
    int mode() const;
    QTime time() const;
    // The chosen hours item, -1 when none is.
    int everyIndex() const;

    // The package default enables none of the three controls, daily only the
    // time picker, any other mode only the hours list and its label.
    void enableFor(int mode);

    // A stored schedule word into the members: empty is the package default
    // where offered, a word with a colon runs daily at its hour and minute,
    // any other runs every N hours with N's hours choice. A word the controls
    // cannot show (25:99, 5, abc) checks no mode and chooses no hours, and
    // the result is false. Members the word does not set are left alone.
    static bool readWord(const Modes& modes, std::string_view word, int& mode, QTime& time,
                         int& everyIndex);
    // The schedule word of the members: empty for the package default,
    // "HH:MM" for daily (00:00 for an invalid time), else the hours choice,
    // where no choice (-1) gives the first one, "1".
    static std::string word(const Modes& modes, int mode, const QTime& time, int everyIndex);
    // The members a dialog compares to tell whether the schedule changed.
    using Members = std::tuple<int, QTime, int>;
    // Why OK cannot take the members: no mode, or "run every" without its
    // hours; empty when it can.
    static std::string_view problem(const Modes& modes, int mode, int everyIndex);
    // The control to put right for problem().
    QWidget* problemControl() const;

private:
    Modes modes_;
    QButtonGroup* buttons_;
    QTimeEdit* time_;
    QComboBox* hours_;
    QLabel* hoursLabel_;
    QLabel* unlisted_;
};

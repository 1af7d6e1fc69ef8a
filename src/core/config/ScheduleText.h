#pragma once

#include <array>
#include <string>
#include <string_view>

// The textual forms of schedule words, day lists and the daily time window,
// shared by the list, the dialogs and the file format.
class ScheduleText {
public:
    static constexpr std::array<std::string_view, 7> kDays = {"SUN", "MON", "TUE", "WED",
                                                              "THU", "FRI", "SAT"};
    static constexpr std::array<int, 7> kHourChoices = {1, 2, 3, 4, 6, 8, 12};

    // A word with a colon runs daily at that time; any other runs every N hours.
    static bool isDaily(std::string_view word);
    // "daily at 08:30", "every hour", "every 4 hours".
    static std::string display(std::string_view word);
    // The word a target runs on: its own, else its package's.
    static std::string_view effectiveTargetWord(std::string_view targetSchedule,
                                                std::string_view packageWhen);

    // The hour choice an editor shows for a stored word; anything unknown
    // (1 included) is the first choice.
    static int hourChoiceIndex(std::string_view word);
    static std::string hourChoiceWord(int index);

    // Whether a day word occurs in a day list, in any order or separation.
    static bool hasDay(std::string_view dayList, std::string_view day);
    // The list rebuilt in week order, each selected day followed by a blank.
    static std::string dayList(const std::array<bool, 7>& selected);

    // "HH:MM" from an hour and minute; the stored HH:MM split into them
    // (missing or non-numeric parts read as 0).
    static std::string timeText(int hour, int minute);
    // The longest interval a schedule word may give, in hours.
    static constexpr int kMostHours = 9999;

    // HH:MM with hour 00-23 and minute 00-59, two digits each.
    static bool isTime(std::string_view text);
    // A time as minutes of the day; -1 when the text is no time.
    static int dailyMinute(std::string_view text);
    // Digits only, 1 to kMostHours; 0 for anything else.
    static int everyHours(std::string_view word);
    // A word the engine runs by and the week places: a time or an interval.
    static bool isScheduleWord(std::string_view word);
    static void splitTime(std::string_view text, int& hour, int& minute);

    // A STARTJOB or ENDJOB time as the file gets it: a window that is off
    // goes out as midnight.
    static std::string_view jobTimeInFile(std::string_view jobWindow, std::string_view time);
    // The jobWindow a reader derives from the two times of the file.
    static std::string jobWindowFromFile(std::string_view startJob, std::string_view endJob);
    // The row text right after the window was edited.
    static std::string jobWindowDisplay(bool enabled, std::string_view startJob,
                                        std::string_view endJob);
};

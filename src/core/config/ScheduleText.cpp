#include "ScheduleText.h"

#include "text/TextUtil.h"

#include <cstdio>

bool ScheduleText::isDaily(std::string_view word) {
    return word.find(':') != std::string_view::npos;
}

std::string ScheduleText::display(std::string_view word) {
    if (isDaily(word))
        return "daily at " + std::string(word);
    if (word == "1")
        return "every hour";
    return "every " + std::string(word) + " hours";
}

std::string_view ScheduleText::effectiveTargetWord(std::string_view targetSchedule,
                                                   std::string_view packageWhen) {
    return targetSchedule.empty() ? packageWhen : targetSchedule;
}

int ScheduleText::hourChoiceIndex(std::string_view word) {
    for (std::size_t i = 1; i < kHourChoices.size(); ++i)
        if (word == std::to_string(kHourChoices[i]))
            return static_cast<int>(i);
    return 0;
}

std::string ScheduleText::hourChoiceWord(int index) {
    if (index < 0 || index >= static_cast<int>(kHourChoices.size()))
        index = 0;
    return std::to_string(kHourChoices[static_cast<std::size_t>(index)]);
}

bool ScheduleText::hasDay(std::string_view dayList, std::string_view day) {
    const std::string padded = " " + std::string(dayList);
    return padded.find(day) != std::string::npos;
}

std::string ScheduleText::dayList(const std::array<bool, 7>& selected) {
    std::string list;
    for (std::size_t i = 0; i < kDays.size(); ++i) {
        if (selected[i]) {
            list += kDays[i];
            list += ' ';
        }
    }
    return list;
}

std::string ScheduleText::timeText(int hour, int minute) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d", hour, minute);
    return buffer;
}

void ScheduleText::splitTime(std::string_view text, int& hour, int& minute) {
    const auto colon = text.find(':');
    hour = TextUtil::leadingInt(text.substr(0, colon));
    minute = colon == std::string_view::npos ? 0 : TextUtil::leadingInt(text.substr(colon + 1));
}

std::string_view ScheduleText::jobTimeInFile(std::string_view jobWindow, std::string_view time) {
    if (jobWindow != "DISABLED" || time.find("00:00") != std::string_view::npos)
        return time;
    return "00:00";
}

std::string ScheduleText::jobWindowFromFile(std::string_view startJob, std::string_view endJob) {
    if (startJob.find("00:00") != std::string_view::npos &&
        endJob.find("00:00") != std::string_view::npos)
        return "DISABLED";
    return std::string(startJob) + "-" + std::string(endJob);
}

std::string ScheduleText::jobWindowDisplay(bool enabled, std::string_view startJob,
                                           std::string_view endJob) {
    if (!enabled)
        return "DISABLED";
    return std::string(startJob) + "-" + std::string(endJob);
}

bool ScheduleText::isTime(std::string_view text) {
    return dailyMinute(text) >= 0;
}

int ScheduleText::dailyMinute(std::string_view text) {
    const auto digit = [&](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; };
    if (text.size() != 5 || text[2] != ':' || !digit(0) || !digit(1) || !digit(3) || !digit(4))
        return -1;
    int hour = 0;
    int minute = 0;
    splitTime(text, hour, minute);
    return hour <= 23 && minute <= 59 ? hour * 60 + minute : -1;
}

int ScheduleText::everyHours(std::string_view word) {
    // No sign and no more digits than the longest interval has.
    if (word.empty() || word.size() > 4 ||
        word.find_first_not_of("0123456789") != std::string_view::npos)
        return 0;
    return TextUtil::leadingInt(word);
}

bool ScheduleText::isScheduleWord(std::string_view word) {
    return dailyMinute(word) >= 0 || everyHours(word) > 0;
}

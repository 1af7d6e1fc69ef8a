#include "WeekSchedule.h"

#include "ScheduleText.h"
#include "text/TextUtil.h"

#include <algorithm>

bool WeekSchedule::Window::contains(int minute) const {
    if (startMinute == endMinute)
        return true;
    // "Do not start after" the end: a start at the end itself is inside.
    if (startMinute < endMinute)
        return minute >= startMinute && minute <= endMinute;
    return minute >= startMinute || minute <= endMinute;
}

WeekSchedule::Timing WeekSchedule::timing(std::string_view word) const {
    Timing t;
    t.word = std::string(word);
    t.dailyMinute = ScheduleText::dailyMinute(word);
    t.everyHours = ScheduleText::everyHours(word);
    t.outsideWindow = t.daily() && window && !window->contains(t.dailyMinute);
    return t;
}

void WeekSchedule::count(const Package& package, const Timing& t) {
    if (!t.daily())
        return;
    for (int day = 0; day < 7; ++day)
        if (package.days[static_cast<std::size_t>(day)])
            ++startsPerHour[static_cast<std::size_t>(day * 24 + t.dailyMinute / 60)];
}

WeekSchedule WeekSchedule::compute(const ConfigModel& model) {
    WeekSchedule week;
    const GlobalSettings& g = model.global;
    week.threads = TextUtil::leadingInt(g.maxThreads);
    const int start = ScheduleText::dailyMinute(g.startJob);
    const int end = ScheduleText::dailyMinute(g.endJob);
    if (g.jobWindow != "DISABLED" && start >= 0 && end >= 0)
        week.window = Window{g.startJob, g.endJob, start, end};

    week.packages.reserve(static_cast<std::size_t>(model.packages.count()));
    for (const PackageDesc& p : model.packages) {
        Package& package = week.packages.emplace_back();
        package.id = p.id;
        package.name = p.name;
        for (std::size_t day = 0; day < 7; ++day)
            package.days[day] = ScheduleText::hasDay(p.scheduleDays, ScheduleText::kDays[day]);
        package.timing = week.timing(p.scheduleWhen);
        week.count(package, package.timing);
        for (int i = 1; i <= p.targets.count(); ++i) {
            const TargetServer& t = p.targets.at(i);
            if (t.schedule().empty())
                continue;
            package.targets.push_back({i, std::string(t.server()), week.timing(t.schedule())});
            week.count(package, package.targets.back().timing);
        }
    }
    return week;
}

std::vector<WeekSchedule::HourStarts> WeekSchedule::busiest(std::size_t limit) const {
    std::vector<HourStarts> hours;
    for (int h = 0; h < kHoursInWeek; ++h)
        if (const int starts = startsPerHour[static_cast<std::size_t>(h)]; starts > 0)
            hours.push_back({h / 24, h % 24, starts});
    std::stable_sort(hours.begin(), hours.end(),
                     [](const HourStarts& a, const HourStarts& b) { return a.starts > b.starts; });
    if (hours.size() > limit)
        hours.resize(limit);
    return hours;
}

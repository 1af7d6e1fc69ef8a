#pragma once

#include "ConfigModel.h"
#include "text/RecordId.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// When every package of a configuration runs in the week Sunday to Saturday:
// the daily runs placed by day and hour, the "every N hours" repetitions by
// their interval (the file does not say at which hour they start), the daily
// time window and how many daily runs start in each hour of the week.
class WeekSchedule {
public:
    static constexpr int kHoursInWeek = 7 * 24;

    // One schedule word as the week sees it: a daily minute, an interval,
    // or neither (a word that cannot be placed).
    struct Timing {
        std::string word;
        int dailyMinute = -1;
        int everyHours = 0;
        // A daily run that starts outside an enabled window.
        bool outsideWindow = false;

        bool daily() const { return dailyMinute >= 0; }
        bool placed() const { return daily() || everyHours > 0; }
    };
    // A target with a schedule word of its own; it runs on its package's days.
    struct Target {
        int index = 0;
        std::string server;
        Timing timing;
    };
    struct Package {
        RecordId id = 0;
        std::string name;
        std::array<bool, 7> days{};
        Timing timing;
        std::vector<Target> targets;
    };
    // The enabled daily window in minutes of the day; it crosses midnight
    // when the end comes before the start.
    struct Window {
        std::string start;
        std::string end;
        int startMinute = 0;
        int endMinute = 0;

        bool contains(int minute) const;
    };
    struct HourStarts {
        int day = 0;
        int hour = 0;
        int starts = 0;
    };

    static WeekSchedule compute(const ConfigModel& model);

    // The hours with the most daily starts, most first (earlier in the week
    // first on a tie), at most `limit`; hours with no start are left out.
    std::vector<HourStarts> busiest(std::size_t limit = 10) const;

    int threads = 0;
    // Set when the window is enabled and both its times can be placed.
    std::optional<Window> window;
    std::vector<Package> packages;
    // Daily starts per hour of the week, Sunday 00:00 first.
    std::array<int, kHoursInWeek> startsPerHour{};

private:
    Timing timing(std::string_view word) const;
    void count(const Package& package, const Timing& timing);
};

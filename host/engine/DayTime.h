#pragma once

// A time of day in whole minutes since midnight, normally 0 to 1439. The value is kept as given:
// readers take hours as (minutes / 60) mod 24, so 1500 reads as 01:00.
struct DayTime {
    int minutes = 12 * 60;

    DayTime() = default;
    explicit DayTime(int minutes) : minutes(minutes) {}

    int getHours() const { return ((minutes / 60) % 24 + 24) % 24; }
    int getMinutesOfHour() const { return (minutes % 60 + 60) % 60; }
    bool operator==(const DayTime& o) const { return minutes == o.minutes; }
    bool operator!=(const DayTime& o) const { return minutes != o.minutes; }
};

#pragma once
// CTime (seconds since 1970, shown in local time) and CTimeSpan.
#include <ctime>

#include "platform/afx/byte_string.h"

class CTimeSpan {
public:
    CTimeSpan(std::time_t seconds = 0) : seconds_(seconds) {}
    CTimeSpan(long days, int hours, int minutes, int seconds)
        : seconds_(((std::time_t(days) * 24 + hours) * 60 + minutes) * 60 + seconds) {}
    std::time_t GetTotalSeconds() const { return seconds_; }
    long GetDays() const { return long(seconds_ / 86400); }
    int GetHours() const { return int(seconds_ / 3600 % 24); }
    int GetMinutes() const { return int(seconds_ / 60 % 60); }
    int GetSeconds() const { return int(seconds_ % 60); }
    auto operator<=>(const CTimeSpan&) const = default;

private:
    std::time_t seconds_;
};

class CTime {
public:
    CTime(std::time_t seconds = 0) : seconds_(seconds) {}
    // Local time; out-of-range fields are normalised as mktime does.
    CTime(int year, int month, int day, int hour, int minute, int second);
    static CTime GetCurrentTime();

    std::time_t GetTime() const { return seconds_; }
    int GetYear() const { return local().tm_year + 1900; }
    int GetMonth() const { return local().tm_mon + 1; }
    int GetDay() const { return local().tm_mday; }
    int GetHour() const { return local().tm_hour; }
    int GetMinute() const { return local().tm_min; }
    int GetSecond() const { return local().tm_sec; }
    int GetDayOfWeek() const { return local().tm_wday + 1; }  // 1 = Sunday
    // strftime conversions in local time; an empty result for an empty format.
    CString Format(const char* format) const;

    CTimeSpan operator-(CTime other) const { return CTimeSpan(seconds_ - other.seconds_); }
    CTime operator+(CTimeSpan span) const { return CTime(seconds_ + span.GetTotalSeconds()); }
    CTime operator-(CTimeSpan span) const { return CTime(seconds_ - span.GetTotalSeconds()); }
    auto operator<=>(const CTime&) const = default;

private:
    std::tm local() const;
    std::time_t seconds_;
};

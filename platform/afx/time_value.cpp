#include "platform/afx/time_value.h"

CTime::CTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    seconds_ = std::mktime(&fields);
}

CTime CTime::GetCurrentTime() { return CTime(std::time(nullptr)); }

std::tm CTime::local() const {
    std::tm fields{};
    localtime_r(&seconds_, &fields);
    return fields;
}

CString CTime::Format(const char* format) const {
    if (!format || !*format) return {};
    const std::tm fields = local();
    char text[512];
    const size_t length = std::strftime(text, sizeof text, format, &fields);
    return CString(text, int(length));
}

#include "common/text/DateTime.h"

#include <langinfo.h>
#include <locale.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace trelvix {

namespace {

constexpr int kSecondsPerDay = 86400;
// Days from 1 January 1970 back to day 0 of the OLE date, 30 December 1899.
constexpr long long kOleEpochFromUnix = -25569;

// Days since 1 January 1970 of a proleptic Gregorian date (after H. Hinnant).
long long DaysFromCivil(long long y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

struct DatePictures {
    Gbk date, monthDay, time, hourMinute, minuteSecond;
};

const DatePictures& PicturesOfStyle(int style) {
    static const std::array<DatePictures, 4> kStyles = {{
        {"yyyy年MM月dd日 ", "MM月dd日", "hh时mm分ss秒", "hh时mm分", "mm分ss秒"},
        {"yyyy-MM-dd ", "MM-dd", "hh:mm:ss", "hh:mm", "mm:ss"},
        {"yyyy/MM/dd ", "MM/dd", "hh/mm/ss", "hh/mm", "mm/ss"},
        {"yyyyMMdd", "MMdd", "hhmmss", "hhmm", "mmss"},
    }};
    return kStyles[static_cast<std::size_t>(style >= 0 && style <= 3 ? style : 0)];
}

void AppendNumber(Gbk& out, int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    out += buffer;
}

struct PictureToken {
    std::string_view name;
    int CivilTime::*field;
    int width;
    bool twelveHour;
};

constexpr std::array<PictureToken, 3> kDateTokens = {{
    {"yyyy", &CivilTime::year, 4, false},
    {"MM", &CivilTime::month, 2, false},
    {"dd", &CivilTime::day, 2, false},
}};

constexpr std::array<PictureToken, 4> kTimeTokens = {{
    {"HH", &CivilTime::hour, 2, false},
    {"hh", &CivilTime::hour, 2, true},
    {"mm", &CivilTime::minute, 2, false},
    {"ss", &CivilTime::second, 2, false},
}};

// Walks the picture a character at a time, so the second byte of a character such as
// 月 is never read as a letter of a token.
template <std::size_t N>
Gbk ApplyPicture(std::string_view picture, const CivilTime& time, const std::array<PictureToken, N>& tokens) {
    Gbk out;
    for (std::size_t i = 0; i < picture.size();) {
        const PictureToken* token = nullptr;
        for (const PictureToken& t : tokens) {
            if (picture.substr(i, t.name.size()) == t.name) {
                token = &t;
                break;
            }
        }
        if (token) {
            int value = time.*(token->field);
            if (token->twelveHour) value = value % 12 == 0 ? 12 : value % 12;
            AppendNumber(out, value, token->width);
            i += token->name.size();
        } else {
            const std::size_t length = CharLength(picture, i);
            out.append(picture.substr(i, length));
            i += length;
        }
    }
    return out;
}

}  // namespace

OleDate SystemClock::Now() const {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    const CivilTime civil{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                          local.tm_hour,        local.tm_min,     local.tm_sec};
    const OleDate whole = CivilToOleDate(civil).value_or(0.0);
    const double fraction = static_cast<double>(now.tv_nsec) / 1e9 / kSecondsPerDay;
    return whole < 0 ? whole - fraction : whole + fraction;
}

std::optional<CivilTime> OleDateToCivil(OleDate date) {
    // 1 January 100 and the last second of 31 December 9999.
    if (!std::isfinite(date) || date <= -657435.0 || date >= 2958466.0) return std::nullopt;
    double wholeDays = std::trunc(date);
    long long seconds = std::llround(std::fabs(date - wholeDays) * kSecondsPerDay);
    long long days = static_cast<long long>(wholeDays);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        ++days;
    }
    CivilTime out;
    CivilFromDays(days + kOleEpochFromUnix, out.year, out.month, out.day);
    if (out.year < 100 || out.year > 9999) return std::nullopt;
    out.hour = static_cast<int>(seconds / 3600);
    out.minute = static_cast<int>(seconds / 60 % 60);
    out.second = static_cast<int>(seconds % 60);
    return out;
}

std::optional<OleDate> CivilToOleDate(const CivilTime& t) {
    if (t.year < 100 || t.year > 9999 || t.month < 1 || t.month > 12 || t.day < 1 ||
        t.day > DaysInMonth(t.year, t.month) || t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 ||
        t.second < 0 || t.second > 59) {
        return std::nullopt;
    }
    const long long days = DaysFromCivil(t.year, t.month, t.day) - kOleEpochFromUnix;
    const double fraction = (t.hour * 3600.0 + t.minute * 60.0 + t.second) / kSecondsPerDay;
    // Before day 0 the fraction still counts forward from the start of the day.
    return days < 0 ? static_cast<double>(days) - fraction : static_cast<double>(days) + fraction;
}

Gbk FormatDateTime(OleDate date, int style, int part) {
    return FormatDateTime(date, style, part, IsLocale24Hour() == 1);
}

Gbk FormatDateTime(OleDate date, int style, int part, bool use24Hour) {
    const DatePictures& p = PicturesOfStyle(style);
    Gbk datePicture;
    Gbk timePicture;
    switch (part) {
        case 1: datePicture = p.date.substr(0, p.date.find_last_not_of(' ') + 1); break;
        case 2: datePicture = p.monthDay; break;
        case 3: timePicture = p.time; break;
        case 4: timePicture = p.hourMinute; break;
        case 5: timePicture = p.minuteSecond; break;
        default:
            datePicture = p.date;
            timePicture = p.time;
            break;
    }
    if (use24Hour) timePicture = ReplaceAll(timePicture, "hh", "HH");
    return LocaleDateTimeText(date, datePicture, timePicture);
}

int IsLocale24Hour() {
    // The user's own locale, whatever the program set for itself.
    locale_t locale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    const char* format = locale ? nl_langinfo_l(T_FMT, locale) : nl_langinfo(T_FMT);
    const std::string_view f = format ? format : "";
    const bool is24 = f.find("%H") != f.npos || f.find("%T") != f.npos || f.find("%R") != f.npos ||
                      f.find("%k") != f.npos;
    if (locale) freelocale(locale);
    return is24 ? 1 : 0;
}

Gbk LocaleDateTimeText(OleDate date, std::string_view datePicture, std::string_view timePicture) {
    const std::optional<CivilTime> time = OleDateToCivil(date);
    if (!time) return {};
    Gbk out;
    if (datePicture.size() >= 3) out += ApplyPicture(datePicture, *time, kDateTokens);
    if (timePicture.size() >= 3) out += ApplyPicture(timePicture, *time, kTimeTokens);
    return out;
}

}  // namespace trelvix

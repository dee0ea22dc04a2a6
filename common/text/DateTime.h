#pragma once
// Dates as the OLE automation date (days since 30 December 1899, local time) and the
// date texts of the generated scripts and status lines.
#include <optional>
#include <string_view>

#include "common/text/Gbk.h"

namespace trelvix {

using OleDate = double;

struct CivilTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual OleDate Now() const = 0;
};

// Local time of this machine.
class SystemClock final : public Clock {
public:
    OleDate Now() const override;
};

// A clock that stands still, for tests.
class FixedClock final : public Clock {
public:
    explicit FixedClock(OleDate now) : now_(now) {}
    OleDate Now() const override { return now_; }
    void Set(OleDate now) { now_ = now; }

private:
    OleDate now_;
};

// Rounded to the nearest second; nothing outside the years 100 to 9999 or for a value
// that is not a number. Negative dates count their fraction forward from their day
// (-1.25 is 29 December 1899, 06:00), as OLE dates do.
std::optional<CivilTime> OleDateToCivil(OleDate date);
// Nothing for a date that does not exist or lies outside the years 100 to 9999.
std::optional<OleDate> CivilToOleDate(const CivilTime& time);

// Style 0 Chinese date words, 1 dashes, 2 slashes, 3 digits only (other values: 0);
// part 1 date, 2 month-day, 3 time, 4 hour-minute, 5 minute-second, other: date and
// time. 24-hour when the locale says so, else 12-hour without a day-half marker.
Gbk FormatDateTime(OleDate date, int style = 0, int part = 0);
// The same with the clock form given, so both forms can be checked on any machine.
Gbk FormatDateTime(OleDate date, int style, int part, bool use24Hour);

// 1 when the locale writes times on a 24-hour clock (the C locale does), else 0.
int IsLocale24Hour();

// Pictures of yyyy, MM, dd, hh (12-hour, 12 for 0 and 12), HH, mm, ss; every other
// byte, two-byte characters whole, is written as it stands. A picture shorter than 3
// bytes gives no part. An unconvertible date gives the empty text.
Gbk LocaleDateTimeText(OleDate date, std::string_view datePicture, std::string_view timePicture);

}  // namespace trelvix

#include <gtest/gtest.h>

#include <locale.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <tuple>

#include "common/text/DateTime.h"
#include "tests/support/TestSupport.h"

using namespace trelvix;
using trelvix::test::G;
using trelvix::test::Visible;

namespace {

OleDate At(int year, int month, int day, int hour, int minute, int second) {
    return CivilToOleDate({year, month, day, hour, minute, second}).value();
}

TEST(OleDates, SerialsAndTheirCalendarDates) {
    EXPECT_DOUBLE_EQ(At(1899, 12, 30, 0, 0, 0), 0.0);
    EXPECT_DOUBLE_EQ(At(1900, 1, 1, 0, 0, 0), 2.0);
    EXPECT_DOUBLE_EQ(At(2017, 8, 8, 12, 0, 0), 42955.5);
    EXPECT_DOUBLE_EQ(At(1899, 12, 29, 6, 0, 0), -1.25);
    EXPECT_DOUBLE_EQ(At(100, 1, 1, 0, 0, 0), -657434.0);
    EXPECT_DOUBLE_EQ(At(9999, 12, 31, 0, 0, 0), 2958465.0);

    const auto back = OleDateToCivil(-1.25).value();
    EXPECT_EQ(std::make_tuple(back.year, back.month, back.day, back.hour), std::make_tuple(1899, 12, 29, 6));
    // Nearly midnight rounds to the next day.
    const auto rounded = OleDateToCivil(42955.0 - 0.1 / 86400).value();
    EXPECT_EQ(rounded.day, 8);
    EXPECT_EQ(rounded.hour, 0);
    const OleDate leap = At(2016, 2, 29, 23, 59, 59);
    const auto there = OleDateToCivil(leap).value();
    EXPECT_EQ(std::make_tuple(there.year, there.month, there.day, there.hour, there.minute, there.second),
              std::make_tuple(2016, 2, 29, 23, 59, 59));

    EXPECT_FALSE(CivilToOleDate({2017, 2, 29, 0, 0, 0}));
    EXPECT_FALSE(CivilToOleDate({2017, 13, 1, 0, 0, 0}));
    EXPECT_FALSE(CivilToOleDate({2017, 1, 1, 24, 0, 0}));
    EXPECT_FALSE(CivilToOleDate({99, 1, 1, 0, 0, 0}));
    EXPECT_FALSE(OleDateToCivil(std::nan("")));
    EXPECT_FALSE(OleDateToCivil(3e6));
    EXPECT_FALSE(OleDateToCivil(-7e5));
}

struct FormatCase {
    int style, part;
    bool use24Hour;
    const char* utf8;
};

TEST(FormatDateTime, StylesAndPartsAtTwoInTheAfternoon) {
    const OleDate date = At(2017, 8, 8, 14, 5, 9);
    const FormatCase cases[] = {
        {0, 0, true, "2017年08月08日 14时05分09秒"},
        {0, 1, true, "2017年08月08日"},
        {0, 2, true, "08月08日"},
        {0, 3, true, "14时05分09秒"},
        {0, 4, true, "14时05分"},
        {0, 5, true, "05分09秒"},
        {1, 0, true, "2017-08-08 14:05:09"},
        {1, 1, true, "2017-08-08"},
        {1, 2, true, "08-08"},
        {1, 3, true, "14:05:09"},
        {1, 4, true, "14:05"},
        {1, 5, true, "05:09"},
        {2, 0, true, "2017/08/08 14/05/09"},
        {2, 1, true, "2017/08/08"},
        {2, 2, true, "08/08"},
        {2, 3, true, "14/05/09"},
        {2, 4, true, "14/05"},
        {2, 5, true, "05/09"},
        {3, 0, true, "20170808140509"},
        {3, 1, true, "20170808"},
        {3, 2, true, "0808"},
        {3, 3, true, "140509"},
        {3, 4, true, "1405"},
        {3, 5, true, "0509"},
        {7, 0, true, "2017年08月08日 14时05分09秒"},
        {-1, 1, true, "2017年08月08日"},
        {1, 9, true, "2017-08-08 14:05:09"},
        {1, -1, true, "2017-08-08 14:05:09"},
        // Twelve-hour pictures carry no day-half marker.
        {0, 0, false, "2017年08月08日 02时05分09秒"},
        {1, 0, false, "2017-08-08 02:05:09"},
        {2, 4, false, "02/05"},
        {3, 0, false, "20170808020509"},
        {1, 5, false, "05:09"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDateTime(date, c.style, c.part, c.use24Hour), G(c.utf8))
            << "style " << c.style << " part " << c.part << (c.use24Hour ? " 24h" : " 12h");
    }
}

TEST(FormatDateTime, HalfPastMidnight) {
    const OleDate date = At(2017, 8, 8, 0, 30, 0);
    const FormatCase cases[] = {
        {1, 0, true, "2017-08-08 00:30:00"},
        {1, 0, false, "2017-08-08 12:30:00"},
        {0, 3, true, "00时30分00秒"},
        {0, 3, false, "12时30分00秒"},
        {3, 0, true, "20170808003000"},
        {3, 4, false, "1230"},
        {2, 5, false, "30/00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDateTime(date, c.style, c.part, c.use24Hour), G(c.utf8))
            << "style " << c.style << " part " << c.part << (c.use24Hour ? " 24h" : " 12h");
    }
}

TEST(LocaleDateTimeText, PicturesAndLiterals) {
    const OleDate noon = At(2017, 8, 8, 12, 0, 7);
    const OleDate afternoon = At(2017, 8, 8, 13, 4, 0);
    EXPECT_EQ(LocaleDateTimeText(noon, "yyyy-MM-dd ", "hh:mm:ss"), "2017-08-08 12:00:07");
    EXPECT_EQ(LocaleDateTimeText(afternoon, "", "hh:mm"), "01:04");
    EXPECT_EQ(LocaleDateTimeText(afternoon, "", "HH:mm"), "13:04");
    // Pictures shorter than three bytes give nothing.
    EXPECT_EQ(LocaleDateTimeText(afternoon, "MM", "hh:mm"), "01:04");
    EXPECT_EQ(LocaleDateTimeText(afternoon, "yyyy", "ss"), "2017");
    EXPECT_EQ(LocaleDateTimeText(afternoon, "", ""), "");
    // 81 4D ends in the letter M; it is a character, not half of "MM".
    EXPECT_EQ(LocaleDateTimeText(afternoon, "\x81\x4DMdd", ""), "\x81\x4DM08");
    EXPECT_EQ(LocaleDateTimeText(afternoon, G("dd日"), ""), G("08日"));
    EXPECT_EQ(LocaleDateTimeText(std::nan(""), "yyyy", "hh:mm"), "");
    EXPECT_EQ(LocaleDateTimeText(5e6, "yyyy", "hh:mm"), "");
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(IsLocale24Hour, TheCLocaleIs24Hour) {
    ScopedEnv all("LC_ALL", "C");
    EXPECT_EQ(IsLocale24Hour(), 1);
}

TEST(IsLocale24Hour, AnAmericanLocaleIs12Hour) {
    locale_t us = newlocale(LC_TIME_MASK, "en_US.UTF-8", static_cast<locale_t>(0));
    if (!us) GTEST_SKIP() << "no 12-hour locale installed";
    freelocale(us);
    ScopedEnv all("LC_ALL", "en_US.UTF-8");
    EXPECT_EQ(IsLocale24Hour(), 0);
}

TEST(Clocks, SystemAndFixed) {
    const OleDate now = SystemClock().Now();
    EXPECT_GT(now, At(2020, 1, 1, 0, 0, 0));
    EXPECT_LT(now, At(9999, 1, 1, 0, 0, 0));
    FixedClock fixed(42955.5);
    EXPECT_DOUBLE_EQ(fixed.Now(), 42955.5);
    fixed.Set(1.0);
    EXPECT_EQ(FormatDateTime(fixed.Now(), 3, 1), "18991231");
}

}  // namespace

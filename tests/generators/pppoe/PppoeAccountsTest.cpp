#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/platform/Random.h"
#include "generators/pppoe/PppoeAccounts.h"
#include "generators/pppoe/RandomText.h"

namespace trelvix::pppoe {
namespace {

using test::G;
using test::Visible;

// The draws that make these characters with the digit or letter routines:
// a digit is its value, a letter its place in the alphabet ("a" and "A" 0).
std::vector<std::uint32_t> Draws(std::string_view text) {
    std::vector<std::uint32_t> out;
    for (char c : text) {
        if (c >= '0' && c <= '9') out.push_back(static_cast<std::uint32_t>(c - '0'));
        else if (c >= 'a' && c <= 'z') out.push_back(static_cast<std::uint32_t>(c - 'a'));
        else out.push_back(static_cast<std::uint32_t>(c - 'A'));
    }
    return out;
}

// The same for the mixed routine: each character is preceded by its class
// draw (0 digit, 1 upper case, 2 lower case, as 1 + draw mod 3 picks them).
std::vector<std::uint32_t> MixedDraws(std::string_view text) {
    std::vector<std::uint32_t> out;
    for (char c : text) {
        out.push_back(c >= '0' && c <= '9' ? 0u : c >= 'A' && c <= 'Z' ? 1u : 2u);
        out.push_back(Draws(std::string_view(&c, 1))[0]);
    }
    return out;
}

std::vector<std::uint32_t> Joined(std::initializer_list<std::vector<std::uint32_t>> parts) {
    std::vector<std::uint32_t> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

std::string Line(const std::string& name, const std::string& password) {
    return "/ppp secret add name=\"" + name + "\" password=\"" + password + "\" service=pppoe profile=pppoe_profile";
}

// An exclamation box that then puts the focus on `field` of the fields refused.
ScriptError Refused(const char* message, FieldRef field) {
    return {G(message), 48, std::nullopt, field, FocusMove::AfterBox, ""};
}

// ---------------------------------------------------------------- random routines

TEST(RandomText, EachRoutineMakesItsKindOfText) {
    struct Case {
        const char* what;
        std::vector<std::uint32_t> draws;
        Gbk (*make)(RandomSource&);
        std::string expected;
    };
    const Case cases[] = {
        {"digits", Draws("0959"), [](RandomSource& r) { return RandomDigits(r, 4); }, "0959"},
        {"lower case", Draws("azqm"), [](RandomSource& r) { return RandomLetters(r, 4, 0); }, "azqm"},
        {"upper case", Draws("azqm"), [](RandomSource& r) { return RandomLetters(r, 4, 1); }, "AZQM"},
        {"alternating, lower first", Draws("abcdef"), [](RandomSource& r) { return RandomLetters(r, 6, 2); }, "aBcDeF"},
        {"no item chosen alternates too", Draws("xyz"), [](RandomSource& r) { return RandomLetters(r, 3, -1); }, "xYz"},
        {"mixed: a class, then a character of it", MixedDraws("a1Z0zA"),
         [](RandomSource& r) { return RandomMixedText(r, 6); }, "a1Z0zA"},
        {"a draw in the uneven tail is drawn again",
         {0xFFFFFFFFu, 7},
         [](RandomSource& r) { return RandomDigits(r, 1); },
         "7"},
        {"no length", Draws("1"),
         [](RandomSource& r) { return RandomDigits(r, 0) + RandomLetters(r, -2, 0) + RandomMixedText(r, -1); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FixedRandom random(c.draws);
        EXPECT_EQ(c.make(random), c.expected);
    }
    FixedRandom large({0x7FFFFFF0u});
    EXPECT_EQ(RandomInt(large, 5, 0), 5 + 0x7FFFFFF0) << "a hi of 0 stands for 2147483647";
}

// ---------------------------------------------------------------- one secret

TEST(PppoeSecret, WritesOneSecret) {
    PppoeSecretFields f;
    EXPECT_EQ(BuildPppoeSecret(f),
              "/ppp secret add name=\"VEMTU\" password=\"change-me-now\" service=pppoe profile=pppoe_profile");
    f.bindMac = true;
    EXPECT_EQ(BuildPppoeSecret(f),
              "/ppp secret add name=\"VEMTU\" password=\"change-me-now\" service=pppoe "
              "caller-id=00:00:00:00:00:00 profile=pppoe_profile");
    f.bindMac = false;
    f.mac = "AA:BB:CC:DD:EE:FF";
    f.name = G("用户") + "\x9C\x5C";  // 淺: its second byte is a backslash
    f.password = "pa$$\"1?\\";
    f.profile = "plan b";
    EXPECT_EQ(Visible(BuildPppoeSecret(f)), Visible("/ppp secret add name=\"" + G("用户") +
                                                    "\x9C\x5C\x5C\" password=\"pa\\$\\$\\\"1\\?\\\\\" "
                                                    "service=pppoe profile=\"plan b\""));
}

// ---------------------------------------------------------------- batches

Outcome Batch(const PppoeAccountsFields& f, std::vector<std::uint32_t> draws) {
    FixedRandom random(std::move(draws));
    return BuildPppoeAccounts(f, random);
}

TEST(PppoeAccounts, DefaultsGiveSixSecretsOfDigits) {
    const Outcome out = Batch(PppoeAccountsFields{},
                              Joined({Draws("20170308"), Draws("123456"), Draws("20170309"), Draws("654321"),
                                      Draws("00000000"), Draws("000000"), Draws("99999999"), Draws("999999"),
                                      Draws("31415926"), Draws("535897"), Draws("27182818"), Draws("284590")}));
    ASSERT_TRUE(out.script);
    EXPECT_EQ(Visible(*out.script),
              Visible(Line("VEMTU20170308@vemtu", "123456") + "\r\n" + Line("VEMTU20170309@vemtu", "654321") + "\r\n" +
                      Line("VEMTU00000000@vemtu", "000000") + "\r\n" + Line("VEMTU99999999@vemtu", "999999") + "\r\n" +
                      Line("VEMTU31415926@vemtu", "535897") + "\r\n" + Line("VEMTU27182818@vemtu", "284590")));
}

TEST(PppoeAccounts, ShapesOfNamesAndPasswords) {
    struct Case {
        const char* what;
        void (*edit)(PppoeAccountsFields&);
        std::vector<std::uint32_t> draws;
        std::string expected;
    };
    const Case cases[] = {
        {"lower-case names, alternating passwords",
         [](PppoeAccountsFields& f) {
             f.count = "2";
             f.account = {"3", false, true, 0};
             f.password = {"6", false, true, 2};
         },
         Joined({Draws("abc"), Draws("abcdef"), Draws("xyz"), Draws("uvwxyz")}),
         Line("VEMTUabc@vemtu", "aBcDeF") + "\r\n" + Line("VEMTUxyz@vemtu", "uVwXyZ")},
        {"upper-case names",
         [](PppoeAccountsFields& f) {
             f.count = "1";
             f.account = {"4", false, true, 1};
         },
         Joined({Draws("qrst"), Draws("123456")}), Line("VEMTUQRST@vemtu", "123456")},
        {"both classes mix them and ignore the case list",
         [](PppoeAccountsFields& f) {
             f.count = "1";
             f.account = {"4", true, true, 1};
             f.password = {"3", true, true, 0};
         },
         Joined({MixedDraws("a1B9"), MixedDraws("Z0z")}), Line("VEMTUa1B9@vemtu", "Z0z")},
        {"no prefix, no suffix",
         [](PppoeAccountsFields& f) {
             f.count = "1";
             f.usePrefix = false;
             f.useSuffix = false;
         },
         Joined({Draws("12345678"), Draws("123456")}), Line("12345678", "123456")},
        {"other prefix, suffix and profile; the boxes' text is used only when checked",
         [](PppoeAccountsFields& f) {
             f.count = "1";
             f.prefix = "cafe-";
             f.useSuffix = false;
             f.profile = "10M";
             f.account.length = "2";
             f.password.length = "3";
         },
         Joined({Draws("07"), Draws("070")}),
         "/ppp secret add name=\"cafe-07\" password=\"070\" service=pppoe profile=10M"},
        {"typed text that RouterOS would read differently is escaped; a profile with a blank is quoted",
         [](PppoeAccountsFields& f) {
             f.count = "1";
             f.prefix = "$u\"";
             f.suffix = G("@网") + "\x9C\x5C" + "?";
             f.profile = "plan b";
             f.account.length = "1";
             f.password.length = "1";
         },
         Joined({Draws("5"), Draws("6")}),
         "/ppp secret add name=\"\\$u\\\"5@" + G("网") +
             "\x9C\x5C\x5C\\?\" password=\"6\" service=pppoe "
             "profile=\"plan b\""},
        {"a random length of 0 leaves prefix and suffix",
         [](PppoeAccountsFields& f) {
             f.count = "1";
             f.account.length = "0";
         },
         Draws("123456"), Line("VEMTU@vemtu", "123456")},
        {"a negative account length counts as 0",
         [](PppoeAccountsFields& f) {
             f.count = "1";
             f.account.length = "-4";
             f.password.length = "1";
         },
         Draws("7"), Line("VEMTU@vemtu", "7")},
        {"a name drawn again is redrawn, and the password follows the new name",
         [](PppoeAccountsFields& f) {
             f.count = "3";
             f.account.length = "2";
             f.password.length = "2";
         },
         Joined({Draws("11"), Draws("01"), Draws("11"), Draws("11"), Draws("22"), Draws("02"), Draws("11"), Draws("22"),
                 Draws("33"), Draws("03")}),
         Line("VEMTU11@vemtu", "01") + "\r\n" + Line("VEMTU22@vemtu", "02") + "\r\n" + Line("VEMTU33@vemtu", "03")},
        {"exactly as many names as there are",
         [](PppoeAccountsFields& f) {
             f.count = "26";
             f.account = {"1", false, true, 0};
             f.password.length = "1";
         },
         [] {
             std::vector<std::uint32_t> d;
             for (std::uint32_t i = 0; i < 26; ++i) d.insert(d.end(), {25 - i, i % 10});
             return d;
         }(),
         [] {
             std::string s;
             for (int i = 0; i < 26; ++i)
                 s += (i ? "\r\n" : "") +
                      Line("VEMTU" + std::string(1, static_cast<char>('z' - i)) + "@vemtu", std::to_string(i % 10));
             return s;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PppoeAccountsFields f;
        c.edit(f);
        const Outcome out = Batch(f, c.draws);
        ASSERT_TRUE(out.script) << (out.error ? Visible(out.error->message) : "nothing");
        EXPECT_EQ(Visible(*out.script), Visible(c.expected));
    }
}

TEST(PppoeAccounts, ACountWithoutANumberGivesTheEmptyScript) {
    for (const char* count : {"0", "", "abc", "-3", " "}) {
        SCOPED_TRACE(count);
        PppoeAccountsFields f;
        f.count = count;
        const Outcome out = Batch(f, {});
        ASSERT_TRUE(out.script);
        EXPECT_EQ(*out.script, "");
    }
}

TEST(PppoeAccounts, RefusesWhatItCannotOrShouldNotBuild) {
    using F = PppoeAccountsFields;
    struct Case {
        const char* what;
        void (*edit)(F&);
        const char* message;
        FieldRef (*field)(const F&);  // the field the focus goes to
    };
    const auto count = [](const F& f) { return FieldOf(f.count); };
    const auto nameLength = [](const F& f) { return FieldOf(f.account.length); };
    const auto nameDigits = [](const F& f) { return FieldOf(f.account.digits); };
    const char* const tooMany = "每次最多生成10000个帐号!";
    const char* const nameClasses = "请选择帐号中随机添加数字或字母!";
    const char* const shortPassword = "密码长度至少为1位!";
    const auto passwordLength = [](const F& f) { return FieldOf(f.password.length); };
    const Case cases[] = {
        {"a count above 10000", [](F& f) { f.count = "10001"; }, tooMany, count},
        {"a count past the 64-bit range", [](F& f) { f.count = "99999999999999999999999"; }, tooMany, count},
        {"a count above 10000 comes first",
         [](F& f) {
             f.count = "10001";
             f.account.length = "65";
         },
         tooMany, count},
        {"an account length above 64", [](F& f) { f.account.length = "65"; }, "帐号长度最多为64位!", nameLength},
        {"a password length above 64", [](F& f) { f.password.length = "65"; }, "密码长度最多为64位!",
         [](const F& f) { return FieldOf(f.password.length); }},
        {"a password length of 0", [](F& f) { f.password.length = "0"; }, shortPassword, passwordLength},
        {"an empty password length", [](F& f) { f.password.length = ""; }, shortPassword, passwordLength},
        {"a negative password length", [](F& f) { f.password.length = "-6"; }, shortPassword, passwordLength},
        {"a password length without a number", [](F& f) { f.password.length = "x"; }, shortPassword, passwordLength},
        {"names of neither digits nor letters", [](F& f) { f.account.digits = false; }, nameClasses, nameDigits},
        {"names of neither, even with no count",
         [](F& f) {
             f.account.digits = false;
             f.count = "";
         },
         nameClasses, nameDigits},
        {"passwords of neither digits nor letters", [](F& f) { f.password.digits = false; },
         "请选择密码中随机添加数字或字母!", [](const F& f) { return FieldOf(f.password.digits); }},
        {"more names than one digit can make",
         [](F& f) {
             f.account.length = "1";
             f.count = "11";
         },
         "帐号的随机部分只有10种组合,生成不了11个不同的帐号,请加大帐号长度或减少帐号数量!", nameLength},
        {"more names than one letter can make",
         [](F& f) {
             f.account = {"1", false, true, 2};
             f.count = "27";
         },
         "帐号的随机部分只有26种组合,生成不了27个不同的帐号,请加大帐号长度或减少帐号数量!", nameLength},
        {"more names than one mixed character can make",
         [](F& f) {
             f.account = {"1", true, true, 0};
             f.count = "63";
         },
         "帐号的随机部分只有62种组合,生成不了63个不同的帐号,请加大帐号长度或减少帐号数量!", nameLength},
        {"a random length of 0 makes one name only",
         [](F& f) {
             f.account.length = "0";
             f.count = "2";
         },
         "帐号的随机部分只有1种组合,生成不了2个不同的帐号,请加大帐号长度或减少帐号数量!", nameLength},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        F f;
        c.edit(f);
        const Outcome out = Batch(f, {});
        EXPECT_FALSE(out.script);
        ASSERT_TRUE(out.error);
        EXPECT_EQ(Visible(out.error->message), Visible(G(c.message)));
        EXPECT_EQ(*out.error, Refused(c.message, c.field(f)));
    }
}

TEST(PppoeAccounts, TheLimitsThemselvesAreAllowed) {
    PppoeAccountsFields f;
    f.count = "10000";
    f.account.length = "4";  // exactly 10000 names: every one of them is needed
    f.password = {"64", true, true, 0};
    SeededRandom random(2017);
    const Outcome out = BuildPppoeAccounts(f, random);
    ASSERT_TRUE(out.script);
    std::set<std::string> names;
    std::size_t lines = 0;
    for (const Gbk& line : Split(*out.script, "\r\n")) {
        ++lines;
        const std::size_t open = line.find('"'), close = line.find('"', open + 1);
        names.insert(line.substr(open + 1, close - open - 1));
        const std::size_t pw = line.find("password=\"") + 10;
        EXPECT_EQ(line.find('"', pw) - pw, 64u);
    }
    EXPECT_EQ(lines, 10000u);
    EXPECT_EQ(names.size(), 10000u);
    EXPECT_NE(out.script->substr(out.script->size() - 2), "\r\n");
}

TEST(PppoeAccounts, ASourceThatOnlyRepeatsItselfIsAFault) {
    PppoeAccountsFields f;
    f.count = "2";
    FixedRandom stuck({4});
    EXPECT_THROW(BuildPppoeAccounts(f, stuck), std::runtime_error);
}

}  // namespace
}  // namespace trelvix::pppoe

// The lexical check that the whole-program tests apply to every script: what
// it lets through and what it catches, each with the reason it gives.
#include <gtest/gtest.h>

#include "RouterOsLexis.h"
#include "TestSupport.h"

namespace trelvix::test {
namespace {

struct LexisCase {
    const char* what;
    std::string script;
    const char* fault;  // part of the reason; nullptr when the script reads cleanly
};

const std::string kQian = "\x9C\x5C";  // 淺: its second byte is a backslash

const LexisCase kLexisCases[] = {
    {"plain commands", "/ip address\r\nadd address=192.168.1.1/24 interface=ether1\r\n/ip dns set servers=1.1.1.1",
     nullptr},
    {"byte escapes and quoted typed values",
     "/user add name=\"adm\" password=\"pa\\$\\$\\\"1\\?\" comment=\"\\B2\\E2\\CA\\D4\"", nullptr},
    {"an escaped second byte", "/ppp secret add name=\"" + kQian + "\\\" password=\"1\"", nullptr},
    {"every named escape", "/log info \"\\\"\\\\\\n\\r\\t\\$\\?\\_\\a\\b\\f\\v\"", nullptr},
    {"declared variables in and out of strings", ":local a 5\r\n:global b\r\n:put \"v=$a\"; :put $b", nullptr},
    {"loop variables",
     ":for i from=1 to=9 do={/ip firewall address-list add list=x address=(\"10.0.0.\" . $i)}\r\n"
     ":foreach r in=[/ip route find] do={:put $r}",
     nullptr},
    {"an inner script escapes its own variables",
     "/system scheduler add name=s on-event=\":local x 1\\r\\n:put \\$x\" interval=1d", nullptr},
    {"comment lines may hold anything", "# ? $x \" \\ [\r\n  # \xD6\xD0\r\n/ip dns set servers=1.1.1.1", nullptr},
    {"a backslash continues a line", "/ip address add \\\r\n    address=1.2.3.4/24", nullptr},
    {"a backslash continues a value", "/system scheduler add policy=\\\r\n    ftp,reboot,read start-time=startup",
     nullptr},
    {"a backslash continues a string", "/ip address add comment=\"ab\\\r\n    cd\" address=1.2.3.4", nullptr},
    {"commands split by semicolons", "/ip address add address=1.1.1.1; add address=2.2.2.2", nullptr},
    {"add without arguments, and set with a positional one", "/ip dns static add\r\n/user set 0 name=x", nullptr},
    {"add inside brackets and braces",
     ":if ([:len [/ip pool find name=p]] = 0) do={/ip pool add name=p ranges=10.0.0.2-10.0.0.9}", nullptr},
    {"an empty script", "", nullptr},

    {"a string that never closes", "/ip address add comment=\"abc", "string never closed"},
    {"a string that runs into the next line", "/ip address add comment=\"a\r\nb\"", "before its line ends"},
    {"an unescaped second byte before the closing quote", "/ppp secret add name=\"" + kQian + "\" password=\"1\"",
     "string never closed"},
    {"an unescaped second byte inside a string", "/ppp secret add name=\"" + kQian + "x\"",
     "escape RouterOS does not know"},
    {"an unknown escape", "/ip address add comment=\"a\\qb\"", "escape RouterOS does not know: \\q"},
    {"lower-case hex digits", "/ip address add comment=\"\\d6\\d0\"", "escape RouterOS does not know: \\d"},
    {"a bare ? in a string", "/ip address add comment=\"what?\"", "bare ? in a string"},
    {"a bare ? outside strings", "/ip address print ?", "bare ? outside a string"},
    {"$ naming nothing", "/user add name=\"a\" password=\"pa$$\"", "names no variable"},
    {"$ naming nothing outside a string", ":put $", "names no variable"},
    {"an undeclared variable", ":put $nobody", "$nobody names a variable the script never declares"},
    {"an undeclared variable inside a string", "/ip address add comment=\"cost $x\"", "$x names a variable"},
    {"a backslash in the middle of a line", "/ip address add address=1.1.1.1 \\ interface=e",
     "backslash outside a string"},
    {"a backslash at the very end", "/ip address add address=1.1.1.1 \\", "backslash outside a string"},
    {"a second byte outside strings", "/queue simple add name=" + kQian + " target=1.1.1.1",
     "backslash outside a string"},
    {"a Chinese word among the arguments", "/queue simple add " + kQian + " target=1.1.1.1", "bare word after add"},
    {"a blank inside a bare value", "/queue simple add name=a b target=1.1.1.1", "bare word after add: b"},
    {"a quoted positional argument", "/ip pool add \"p\"", "bare word after add"},
    {"a bare word inside a block", ":foreach i in=[/ip route find] do={/ip route add gateway=1.1.1.1 main}",
     "bare word after add: main}"},
    {"a brace never closed", ":if (1=1) do={:put 1", "\"{\" never closed"},
    {"a bracket closing nothing", ":put [/ip route find]]", "\"]\" closes nothing"},
    {"brackets crossed", ":put ([:len \"a\")]", "\")\" closes nothing"},
};

TEST(RouterOsLexis, CasesReadAsTheRouterReadsThem) {
    for (const LexisCase& c : kLexisCases) {
        SCOPED_TRACE(c.what);
        const auto fault = CheckRouterOsLexis(c.script);
        if (!c.fault) {
            EXPECT_FALSE(fault) << Describe(*fault, c.script);
            continue;
        }
        ASSERT_TRUE(fault) << Visible(c.script);
        EXPECT_NE(fault->reason.find(c.fault), std::string::npos) << fault->reason;
    }
}

TEST(RouterOsLexis, FaultsNameTheirLine) {
    const std::string script = "/ip address\r\nadd address=1.1.1.1\r\nadd comment=\"a\\qb\"";
    const auto fault = CheckRouterOsLexis(script);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->line, 3);
    EXPECT_EQ(fault->offset, script.find("\\q"));
    EXPECT_NE(Describe(*fault, script).find("add comment=\"a\\qb\""), std::string::npos) << Describe(*fault, script);
}

TEST(RouterOsLexis, TextsWithoutCommandsAreNoScripts) {
    EXPECT_TRUE(LooksLikeScript("/system reboot"));
    EXPECT_TRUE(LooksLikeScript("# backup\r\n  :global a"));
    EXPECT_FALSE(LooksLikeScript("E4:8D:8C:12:34:56\r\nE4:8D:8C:AB:CD:EF"));
    EXPECT_FALSE(LooksLikeScript(""));
}

TEST(RouterOsLexis, ScriptBoxTextIsGbkWithCrLf) {
    struct Case {
        std::string text;
        const char* fault;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", nullptr},
        {G("中文\r\n") + kQian, nullptr},
        {"a\nb", "LF without CR"},
        {"a\rb", "CR without LF"},
        {"a\r", "CR without LF"},
        {std::string("a\0b", 3), "NUL"},
        {"\x81", "not a GBK character"},
        {"\x81\x30", "not a GBK character"},
        {"\xD6\x7F", "not a GBK character"},
        {"\xFF\xA1", "not a GBK character"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Visible(c.text));
        const auto fault = CheckGbkCrLf(c.text);
        if (!c.fault) {
            EXPECT_FALSE(fault) << fault->reason;
            continue;
        }
        ASSERT_TRUE(fault);
        EXPECT_NE(fault->reason.find(c.fault), std::string::npos) << fault->reason;
    }
}

}  // namespace
}  // namespace trelvix::test

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/regex/RegexObject.h"
#include "common/text/Gbk.h"
#include "tools/l7/L7Catalogue.h"

namespace trelvix {
namespace {

// clang-format off
const std::vector<std::string> kNames = {
    "edonkey", "goboogy", "soribada", "rdp", "gnutella", "cvs", "nbns", "shoutcast", "quake-halflife", "poco",
    "ciscovpn", "x11", "xboxlive", "applejuice", "zmaap", "rlogin", "sip", "pop3", "smb", "quake1", "lpd", "mute",
    "ssh", "jabber", "bittorrent", "ncp", "tls", "directconnect", "netbios", "tftp", "subspace", "hotline",
    "doom3", "ftp", "kugoo", "tsp", "battlefield1942", "ssdp", "imap", "ares", "fasttrack", "qq", "100bao",
    "aim", "msn-filetransfer", "yahoo", "validcertssl", "ntp", "gnucleuslan", "vnc", "bgp", "tesla", "openft",
    "h323", "finger", "ident", "gkrellm", "hddtemp", "socks", "biff", "dhcp", "smtp", "ipp", "msnmessenger",
    "irc", "gopher", "telnet", "snmp", "nntp", "aimwebcontent", "rtsp", "skypeout", "skypetoskype",
    "counterstrike-source", "halflife2-deathmatch", "freenet", "battlefield2", "napster", "soulseek", "ssl",
    "citrix", "whois", "dayofdefeat-source", "teamspeak", "worldofwarcraft", "ventrilo", "http-rtsp",
    "thecircle", "uucp", "pcanywhere", "subversion", "imesh", "cimd", "mohaa", "stun", "tor", "radmin",
    "chikka", "replaytv-ivs", "armagetron", "pag", "pic", "vie", "File", "flv", "Tudou1", "Youku", "PPS", "Ku6",
    "Qiyi", "QQsp", "QQMusic", "WebTV", "QQLive", "PPLive", "DNS", "live365", "xunlei", "Jpg", "http", "Tudou2",
    "Sina", "163sp1", "163sp2", "vod_f4v", "vod_flv", "vod_mp3"};
// clang-format on

struct ParsedCatalogue : ::testing::Test {
    RegexObject list;
    std::vector<L7ProtocolRow> rows;
    void SetUp() override {
        ParseL7Catalogue(list, L7CatalogueText());
        rows = L7ProtocolRows(list);
    }
};

TEST_F(ParsedCatalogue, Has127RowsNumberedInCatalogueOrder) {
    ASSERT_EQ(rows.size(), kNames.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].number, std::to_string(i + 1));
        EXPECT_EQ(rows[i].name, kNames[i]) << "row " << i + 1;
    }
}

TEST_F(ParsedCatalogue, TheStoredScriptIsTheHeaderAndOneAddLinePerRow) {
    const std::string_view text = L7CatalogueText();
    const std::vector<Gbk> lines = Split(text, "\r\n");
    ASSERT_EQ(lines.size(), 128u);
    EXPECT_EQ(lines[0], "/ip firewall layer7-protocol");
    EXPECT_NE(text.substr(text.size() - 1), "\n");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        // Each line is read whole: nothing of it is left after the closing quote.
        EXPECT_EQ(list.MatchText(static_cast<long long>(i)), lines[i]) << "line " << i + 1;
        EXPECT_EQ(lines[i].find('\n'), Gbk::npos);
    }
}

TEST_F(ParsedCatalogue, GivesNameAndRegexpAsWritten) {
    ASSERT_EQ(rows.size(), 127u);
    EXPECT_EQ(rows[22].name, "ssh");
    EXPECT_EQ(rows[22].regexp, R"(^ssh-[12]\\.[0-9])");
    EXPECT_EQ(rows[41].name, "qq");
    EXPECT_EQ(rows[41].regexp, R"(^.\?\02.+\03\$)");
}

// A RouterOS-escaped quote inside a regexp does not end it: the three patterns that
// hold one come out whole, and the rows after them are their own.
TEST_F(ParsedCatalogue, EscapedQuotesStayInsideTheirRegexp) {
    ASSERT_EQ(rows.size(), 127u);
    struct Case {
        std::size_t row;
        const char* name;
        const char* regexp;
    };
    const Case cases[] = {
        {24, "jabber", R"(<stream:stream[\09-\0D ][ -~]*[\09-\0D ]xmlns=['\"]jabber)"},
        {26, "ncp", R"(^dmdt.{12}(\"\"|\11\11|uu|ww)|^tncp.{4}33)"},
        {78, "napster",
         R"(^.\?.\?\02.[ -~]+ [ -~]+ [0-9]+ \"[ -~]+\" [0-9]|^.\?.\?\C8.filename contains \"|^(get|send)[\0D\0A])"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rows[c.row - 1].name, c.name);
        EXPECT_EQ(rows[c.row - 1].regexp, c.regexp);
        EXPECT_EQ(list.MatchText(static_cast<long long>(c.row)),
                  std::string("add name=") + c.name + " regexp=\"" + c.regexp + "\"");
        EXPECT_EQ(rows[c.row].name, kNames[c.row]);
    }
}

TEST_F(ParsedCatalogue, CheckedRowsBecomeTheirWholeLinesAfterTheHeader) {
    const long long sshAndQq[] = {23, 42};
    EXPECT_BYTES(BuildSelectedL7(list, sshAndQq),
                 "/ip firewall layer7-protocol\r\n"
                 "add name=ssh regexp=\"^ssh-[12]\\\\.[0-9]\"\r\n"
                 "add name=qq regexp=\"^.\\?\\02.+\\03\\$\"\r\n");
}

// The regexp as RouterOS stores it from the quoted string: \\ \" \$ \? give the
// character, \HH (upper-case hex) the byte.
std::string RouterOsUnquoted(std::string_view quoted) {
    auto hex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
    std::string out;
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        if (quoted[i] != '\\' || i + 1 == quoted.size()) {
            out += quoted[i];
        } else if (i + 2 < quoted.size() && hex(quoted[i + 1]) && hex(quoted[i + 2])) {
            out += static_cast<char>(std::stoi(std::string(quoted.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += quoted[++i];
        }
    }
    return out;
}

// What the stored patterns find in the first bytes of real connections, compared
// without regard to case as the router does (patterns with bytes above 7F are left
// to the router: this engine reads such bytes as GBK characters).
TEST_F(ParsedCatalogue, PatternsFindTheirProtocolsFirstBytes) {
    struct Case {
        const char* name;
        std::string payload;
        bool found;
    };
    using namespace std::string_literals;
    const Case cases[] = {
        // clang-format off
        {"ssh", "SSH-2.0-OpenSSH_9.6\r\n", true},
        {"ssh", "GET / HTTP/1.1\r\n", false},
        {"http", "GET /index.html HTTP/1.1\r\nHost: example.com\r\n", true},
        {"http", "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n", true},
        {"bittorrent", "\x13" "BitTorrent protocol\0\0\0\0"s, true},
        {"jabber", "<?xml version='1.0'?><stream:stream to='example.com' xmlns='jabber:client' "
                   "xmlns:stream='http://etherx.jabber.org/streams'>", true},
        {"jabber", "<stream:stream to=\"example.com\" xmlns=\"jabber:client\">", true},
        {"ncp", "DmdT\0\0\0\x17\0\0\0\x01\0\0\0\0\x22\x22\x01"s, true},
        {"ncp", "tNcP\0\0\0\x10\x33\x33"s, true},
        {"qq", "\x02\x35\x55\x00\x22\x12\x34\x00\x00\x27\x10\x03"s, true},
        {"qq", "\x02\x35\x55\x00\x22\x12\x34"s, false},
        {"DNS", "\x12\x34\x01\0\0\x01\0\0\0\0\0\0\x07" "example\x03" "com\0\0\x01\0\x01"s, true},
        // clang-format on
        {"vnc", "RFB 003.008\n", true},
        {"rlogin", "\0alice\0alice\0xterm/38400\0"s, true},
        {"socks", "\x05\x01\0\x05\0\x05\x01\0\x01\x0a\0\0\x01\0\x50"s, true},
        {"tls", "\x16\x03\x01\x02\0\x01\0\x01\x7c\x03\x03"s, true},
        {"smtp", "220 mail.example.com ESMTP Postfix\r\n", true},
        {"sip", "INVITE sip:bob@example.com SIP/2.0\r\nVia: SIP/2.0/UDP pc33.example.com\r\n", true},
        {"ftp", "220 ProFTPD Server (ftp.example.com)\r\n", true},
        {"pop3", "+OK POP3 server ready\r\n", true},
        {"stun", "\0\x01\0\0\x21\x12\xa4\x42"s, false},  // a byte above 7F: left to the router
        {"Youku", "GET /a/b.flv?start=0 HTTP/1.1\r\nHost: k.youku.com\r\n", true},
        {"File", "GET /setup.exe HTTP/1.1\r\nHost: example.com\r\n", true},
        {"Jpg", "GET /photos/a.jpg HTTP/1.1\r\n", true},
        {"Jpg", "GET /photos/a.jpg?w=200 HTTP/1.1\r\n", true},
        {"Jpg", "GET /photos/a.jpgx HTTP/1.1\r\n", false},
        {"pic", "GET /logo.PNG HTTP/1.0\r\n", true},
        {"vod_mp3", "GET /music/song.mp3 HTTP/1.1\r\n", true},
        {"pag", "GET /news/index.html HTTP/1.1\r\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [&c](const L7ProtocolRow& r) { return r.name == c.name; });
        ASSERT_NE(row, rows.end());
        const std::string pattern = RouterOsUnquoted(row->regexp);
        if (std::any_of(pattern.begin(), pattern.end(), [](char ch) { return static_cast<unsigned char>(ch) > 0x7F; }))
            continue;
        RegexObject run;
        ASSERT_TRUE(run.Create(pattern, c.payload, /*caseSensitive=*/false, /*multiline=*/false));
        EXPECT_EQ(run.MatchCount() > 0, c.found) << test::Visible(pattern);
    }
}

}  // namespace
}  // namespace trelvix

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/text/Gbk.h"
#include "tools/l7/L7Catalogue.h"

namespace trelvix {
namespace {

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
        {26, "ncp",
         R"(^dmdt...\?.\?.\?.\?.\?.\?(\"\")|^dmdt...\?.\?.\?.\?.\?.\?(\11\11|uu|ww)|^tncp...\?.\?.\?.\?.\?.\?33)"},
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

}  // namespace
}  // namespace trelvix

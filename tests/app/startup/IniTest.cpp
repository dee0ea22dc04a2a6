#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "TestSupport.h"
#include "common/platform/AtomicFile.h"
#include "common/platform/Ini.h"

namespace trelvix::test {
namespace {

namespace fs = std::filesystem;

TEST(Ini, ReadsNamesWithoutAsciiCaseAndCleansValues) {
    // \x81\x5A and \x81\x7A are two characters whose second bytes are "Z" and "z";
    // \x81\x5D ends in the byte of "]".
    const IniText ini(
        "top=before any section\r\n"
        "[Log]\r\n"
        "  Hide =  1  \r\n"
        "quoted = \"a b\" \r\n"
        "half=\"x\n"
        "inner=\"a\"b\"\n"
        "empty=\"\"\r\n"
        "; hide=2\r\n"
        "\x81\x5A=upper\r\n"
        "[\x81\x5D]\r\n"
        "k=v\r\n"
        "[other]\r\n"
        "hide=3");
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"log", "HIDE", "1"},
        {"LOG", "hide", "1"},
        {"log", "quoted", "a b"},
        {"log", "half", "\"x"},
        {"log", "inner", "a\"b"},
        {"log", "empty", ""},
        {"log", "\x81\x5A", "upper"},
        {"log", "\x81\x7A", std::nullopt},
        {"\x81\x5D", "k", "v"},
        {"other", "hide", "3"},
        {"log", "missing", std::nullopt},
        {"nosuch", "hide", std::nullopt},
        {"", "top", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Visible(c.section) + " " + Visible(c.key));
        EXPECT_EQ(ini.value(c.section, c.key), c.value);
    }
}

TEST(Ini, SetChangesOneLineOrAddsWhatIsMissing) {
    const std::string original = "; " + G("设置") + "\n[log]\r\nlanguage=0\r\nHIDE = 1 \r\n\r\n[tail]\nx=1";
    struct Case {
        const char* what;
        const char* section;
        const char* key;
        std::string expected;
    };
    const Case cases[] = {
        {"in place, other bytes kept", "LOG", "hide",
         "; " + G("设置") + "\n[log]\r\nlanguage=0\r\nHIDE =9\r\n\r\n[tail]\nx=1"},
        {"new key after the section's last line", "log", "new",
         "; " + G("设置") + "\n[log]\r\nlanguage=0\r\nHIDE = 1 \r\nnew=9\n\r\n[tail]\nx=1"},
        {"new key in the last section, which had no line end", "tail", "y",
         "; " + G("设置") + "\n[log]\r\nlanguage=0\r\nHIDE = 1 \r\n\r\n[tail]\nx=1\ny=9\n"},
        {"new section at the end", "more", "z",
         "; " + G("设置") + "\n[log]\r\nlanguage=0\r\nHIDE = 1 \r\n\r\n[tail]\nx=1\n[more]\nz=9\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        IniText ini(original);
        EXPECT_TRUE(ini.set(c.section, c.key, "9"));
        EXPECT_EQ(Visible(ini.bytes()), Visible(c.expected));
    }

    IniText fresh;
    EXPECT_TRUE(fresh.set("log", "hide", "1"));
    EXPECT_EQ(fresh.bytes(), "[log]\r\nhide=1\r\n");
}

TEST(Ini, SetRefusesWhatWouldNotReadBack) {
    const std::pair<const char*, const char*> names[] = {{"log", ""}, {"log", "a=b"}, {"l]g", "k"}, {"log", "a\nb"}};
    for (const auto& [section, key] : names) {
        IniText ini("[log]\r\nk=1\r\n");
        EXPECT_FALSE(ini.set(section, key, "1"));
        EXPECT_EQ(ini.bytes(), "[log]\r\nk=1\r\n");
    }
    IniText ini("[log]\r\nk=1\r\n");
    EXPECT_FALSE(ini.set("log", "k", "1\r\nhide=0"));
    EXPECT_EQ(ini.bytes(), "[log]\r\nk=1\r\n");
}

TEST(Ini, FilesAreCreatedUpdatedAndNeverClobbered) {
    TempHome home;
    const fs::path file = home.root() / "config.ini";
    EXPECT_EQ(ReadIniValue(file, "log", "hide"), std::nullopt);
    EXPECT_TRUE(WriteIniValue(file, "log", "hide", "1"));
    EXPECT_EQ(test::ReadBytes(file), "[log]\r\nhide=1\r\n");
    EXPECT_TRUE(WriteIniValue(file, "log", "language", "1"));
    EXPECT_EQ(ReadIniValue(file, "log", "language"), "1");
    EXPECT_EQ(test::ReadBytes(file), "[log]\r\nhide=1\r\nlanguage=1\r\n");

    // The file keeps its permissions across a rewrite.
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_TRUE(WriteIniValue(file, "log", "hide", "0"));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A settings "file" that cannot be read is left alone.
    const fs::path folder = home.root() / "folder.ini";
    fs::create_directories(folder);
    EXPECT_EQ(ReadIniValue(folder, "log", "hide"), std::nullopt);
    EXPECT_FALSE(WriteIniValue(folder, "log", "hide", "1"));
    EXPECT_TRUE(fs::is_directory(folder));
    // No temporary file is left behind by any of the writes.
    for (const auto& entry : fs::directory_iterator(home.root()))
        EXPECT_TRUE(entry.path().filename().string().find(".~") == std::string::npos) << entry.path();
}

// All values read at once are the ones `value` finds one by one: the first
// section of a name, the first key of a name in it.
TEST(Ini, EntriesAreWhatValueFinds) {
    const IniText ini("k=0\r\n[A]\r\nx= \"1\" \r\nX=2\r\n[b]\r\n[a]\r\nz=4\r\n[B]\r\ny=3\r\n");
    const std::vector<IniText::Entry> entries = ini.entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].section, "A");
    EXPECT_EQ(entries[0].key, "x");
    EXPECT_EQ(entries[0].value, "1");
    EXPECT_EQ(ini.value("a", "X"), std::optional<Gbk>("1"));
    EXPECT_EQ(ini.value("a", "z"), std::nullopt);
    EXPECT_EQ(ini.value("b", "y"), std::nullopt);
}

}  // namespace
}  // namespace trelvix::test

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "TestSupport.h"
#include "common/platform/AtomicFile.h"
#include "common/platform/Paths.h"
#include "generators/pppoe/AccountLog.h"

namespace trelvix::pppoe {
namespace {

namespace fs = std::filesystem;
using test::G;

OleDate At(int year, int month, int day, int hour, int minute, int second) {
    return CivilToOleDate({year, month, day, hour, minute, second}).value();
}

const std::string kScript =
    "/ppp secret add name=\"VEMTU1@vemtu\" password=\"1\" service=pppoe profile=p\r\n"
    "/ppp secret add name=\"VEMTU2@vemtu\" password=\"2\" service=pppoe profile=p";

fs::path LogFile(const fs::path& base, const char* utf8Name) { return base / "Log" / fs::path(utf8Name); }

TEST(AccountLog, FileNameIsTheDateAndTheTwentyFourHourTime) {
    EXPECT_EQ(AccountLogFileName(At(2017, 3, 8, 23, 59, 59)), G("PPPOE自动生成账号和密码-20170308235959.txt"));
    EXPECT_EQ(AccountLogFileName(At(2017, 3, 8, 13, 5, 9)), G("PPPOE自动生成账号和密码-20170308130509.txt"));
    EXPECT_EQ(AccountLogFileName(At(2017, 3, 8, 0, 0, 1)), G("PPPOE自动生成账号和密码-20170308000001.txt"));
    EXPECT_EQ(AccountLogFileName(At(2017, 3, 8, 13, 5, 9), 2), G("PPPOE自动生成账号和密码-20170308130509-2.txt"));
}

class AccountLogSave : public testing::Test {
protected:
    test::TempHome home_;
    fs::path program_ = home_.root() / "program";
    fs::path settings_ = home_.root() / "config" / "vemtu";
    OleDate now_ = At(2017, 3, 8, 13, 5, 9);
};

TEST_F(AccountLogSave, WritesTheScriptBesideTheProgramAndNeverReplacesALog) {
    fs::create_directories(program_);
    const AccountLogSaved first = SaveAccountLog(kScript, now_, {program_, settings_});
    const fs::path name = LogFile(program_, "PPPOE自动生成账号和密码-20170308130509.txt");
    ASSERT_TRUE(first.file) << first.error;
    EXPECT_EQ(*first.file, name);
    EXPECT_EQ(test::ReadBytes(name), kScript);

    const AccountLogSaved second = SaveAccountLog("second", now_, {program_, settings_});
    const AccountLogSaved third = SaveAccountLog("", now_, {program_, settings_});
    ASSERT_TRUE(second.file && third.file);
    EXPECT_EQ(*second.file, LogFile(program_, "PPPOE自动生成账号和密码-20170308130509-2.txt"));
    EXPECT_EQ(*third.file, LogFile(program_, "PPPOE自动生成账号和密码-20170308130509-3.txt"));
    EXPECT_EQ(test::ReadBytes(name), kScript);
    EXPECT_EQ(test::ReadBytes(*second.file), "second");
    EXPECT_EQ(test::ReadBytes(*third.file), "");
    EXPECT_FALSE(fs::exists(settings_));
}

TEST_F(AccountLogSave, FallsBackToTheSettingsFolder) {
    // A file where the folder should be cannot be written, whatever the rights.
    struct Case {
        const char* what;
        void (*spoil)(const fs::path& program);
        bool known;
    };
    const Case cases[] = {
        {"the program's folder is not a folder", [](const fs::path& p) { std::ofstream(p.string()) << "x"; }, true},
        {"its Log is a file",
         [](const fs::path& p) {
             fs::create_directories(p);
             std::ofstream((p / "Log").string()) << "x";
         },
         true},
        {"the program's folder is not known", [](const fs::path&) {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempHome home;
        const fs::path program = home.root() / "program";
        const fs::path settings = home.root() / "config" / "vemtu";
        c.spoil(program);
        const AccountLogSaved saved = SaveAccountLog(kScript, now_, {c.known ? program : fs::path(), settings});
        ASSERT_TRUE(saved.file) << saved.error;
        EXPECT_EQ(*saved.file, LogFile(settings, "PPPOE自动生成账号和密码-20170308130509.txt"));
        EXPECT_EQ(test::ReadBytes(*saved.file), kScript);
    }
}

TEST_F(AccountLogSave, SaysSoWhenNeitherFolderTakesIt) {
    std::ofstream(program_.string()) << "x";
    fs::create_directories(settings_.parent_path());
    std::ofstream(settings_.string()) << "x";
    const AccountLogSaved saved = SaveAccountLog(kScript, now_, {program_, settings_});
    EXPECT_FALSE(saved.file);
    EXPECT_FALSE(saved.error.empty());
}

// The log holds every password of the batch: only this user may read it,
// whatever the umask, also in a Log folder an earlier version made open.
TEST_F(AccountLogSave, TheLogAndItsFolderAreTheUsersAlone) {
    const fs::perms ownerOnly = fs::perms::owner_read | fs::perms::owner_write;
    for (const bool folderExisted : {false, true}) {
        SCOPED_TRACE(folderExisted ? "an open Log folder" : "no Log folder");
        test::TempHome home;
        const fs::path program = home.root() / "program";
        fs::create_directories(program);
        if (folderExisted) {
            fs::create_directories(program / "Log");
            fs::permissions(program / "Log", fs::perms::all);
        }
        const mode_t before = umask(0);
        const AccountLogSaved saved = SaveAccountLog(kScript, now_, {program, settings_});
        umask(before);
        ASSERT_TRUE(saved.file) << saved.error;
        EXPECT_EQ(fs::status(program / "Log").permissions() & fs::perms::mask, fs::perms::owner_all);
        EXPECT_EQ(fs::status(*saved.file).permissions() & fs::perms::mask, ownerOnly);
    }
}

// In an installed program's folder other users could read the passwords.
TEST(AccountLog, AProgramFolderOfAnotherUserIsPassedOver) {
    test::TempHome home;
    const fs::path program = home.root() / "program";
    fs::create_directories(program);
    if (geteuid() != 0 || chown(program.c_str(), 65534, 65534) != 0) GTEST_SKIP() << "needs root";
    SetProgramDirectory(program);
    const AccountLogFolders folders = DefaultAccountLogFolders();
    SetProgramDirectory({});
    EXPECT_TRUE(folders.first.empty());
    EXPECT_EQ(folders.second, home.root() / "config" / "vemtu");
}

TEST(AccountLog, DefaultFoldersAreTheProgramsThenTheSettings) {
    test::TempHome home;
    const AccountLogFolders folders = DefaultAccountLogFolders();
    EXPECT_EQ(folders.first, ProgramDirectory());
    EXPECT_EQ(folders.second, home.root() / "config" / "vemtu");
}

}  // namespace
}  // namespace trelvix::pppoe

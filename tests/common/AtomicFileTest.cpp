// Whole-file reads and writes: what the program reads by itself is a regular
// file of a bounded size, what it writes never lands where a link points
// unless the rules allow it, and what a killed save left behind goes.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/platform/AtomicFile.h"

namespace trelvix {
namespace {

namespace fs = std::filesystem;
using Result = FileBytes::Result;

fs::perms Mode(const fs::path& p) { return fs::symlink_status(p).permissions() & fs::perms::mask; }

void Write(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// The id of a process that has ended: no writer of that id is alive.
pid_t EndedProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

TEST(ReadRegularFile, ReadsOnlyRegularFilesWithinTheLimit) {
    test::TempHome home;
    const fs::path dir = home.root();
    Write(dir / "file", "12345");
    Write(dir / "big", std::string(6, 'x'));
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero");
    fs::create_symlink(dir / "file", dir / "link");
    fs::create_symlink(dir / "nowhere", dir / "dangling");
    fs::create_directory(dir / "folder");
    struct Case {
        const char* name;
        Links links;
        Result result;
    };
    const Case cases[] = {
        {"file", Links::FollowOwnFile, Result::Read},   {"big", Links::Follow, Result::TooLarge},
        {"pipe", Links::Follow, Result::Unreadable},  // would wait for a writer for ever
        {"zero", Links::Follow, Result::Unreadable},  // would never end
        {"folder", Links::Follow, Result::Unreadable},  {"dangling", Links::Follow, Result::Unreadable},
        {"missing", Links::Follow, Result::Unreadable}, {"link", Links::Follow, Result::Read},
        {"link", Links::FollowOwnFile, Result::Read},   {"link", Links::NotFollowed, Result::Unreadable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(static_cast<int>(c.links)));
        const FileBytes read = ReadRegularFile(dir / c.name, 5, c.links);
        EXPECT_EQ(read.result, c.result);
        EXPECT_EQ(read.bytes, c.result == Result::Read ? "12345" : "");
    }
}

TEST(ReadRegularFile, ALinkToAnotherUsersFileIsFollowedOnlyWhenAskedTo) {
    test::TempHome home;
    Write(home.root() / "theirs", "x");
    if (geteuid() != 0 || chown((home.root() / "theirs").c_str(), 65534, 65534) != 0) GTEST_SKIP() << "needs root";
    fs::create_symlink(home.root() / "theirs", home.root() / "link");
    EXPECT_EQ(ReadRegularFile(home.root() / "link", 10, Links::Follow).result, Result::Read);
    EXPECT_EQ(ReadRegularFile(home.root() / "link", 10, Links::FollowOwnFile).result, Result::Unreadable);
}

// The program's work files: a link in their place is replaced, and the file
// it pointed to keeps every byte.
TEST(WriteFileAtomically, WorkFilesReplaceALinkInsteadOfWritingThroughIt) {
    test::TempHome home;
    const fs::path other = home.root() / "other.txt";
    const std::string otherBytes = std::string("line one\nline\0two\xFF\n", 20);
    Write(other, otherBytes);
    const fs::path work = home.root() / "work.txt";
    fs::create_symlink(other, work);
    ASSERT_TRUE(WriteFileAtomically(work, "box\r\n", nullptr, {Links::NotFollowed, false}));
    EXPECT_FALSE(fs::is_symlink(work));
    EXPECT_EQ(test::ReadBytes(work), "box\r\n");
    EXPECT_EQ(test::ReadBytes(other), otherBytes);
}

// Settings and saved scripts may live elsewhere through a link, but only in
// a regular file of this user; anything else is refused with a reason.
TEST(WriteFileAtomically, UserFilesFollowALinkOnlyToARegularFileOfTheirOwn) {
    struct Case {
        const char* what;
        std::function<bool(const fs::path& target)> make;  // false: cannot here
        bool written;
    };
    const Case cases[] = {
        {"a file of the user",
         [](const fs::path& t) {
             Write(t, "old");
             return true;
         },
         true},
        {"nothing", [](const fs::path&) { return true; }, false},
        {"a folder", [](const fs::path& t) { return fs::create_directory(t); }, false},
        {"a pipe", [](const fs::path& t) { return mkfifo(t.c_str(), 0600) == 0; }, false},
        {"a file of another user",
         [](const fs::path& t) {
             Write(t, "old");
             return geteuid() == 0 && chown(t.c_str(), 65534, 65534) == 0;
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempHome home;
        const fs::path target = home.root() / "target";
        const fs::path link = home.root() / "config.ini";
        if (!c.make(target)) {
            std::printf("skipped (needs root): %s\n", c.what);
            continue;
        }
        fs::create_symlink(target, link);
        std::string error;
        EXPECT_EQ(WriteFileAtomically(link, "new", &error), c.written);
        EXPECT_TRUE(fs::is_symlink(link));
        if (c.written) {
            EXPECT_EQ(test::ReadBytes(target), "new");
        } else {
            EXPECT_FALSE(error.empty());
            std::error_code ec;
            EXPECT_TRUE(!fs::is_regular_file(target, ec) || test::ReadBytes(target) == "old");
        }
    }
}

TEST(WriteFileAtomically, OwnerOnlyFilesAreTheUsersAloneWhateverTheUmask) {
    test::TempHome home;
    const mode_t before = umask(0);
    const fs::path fresh = home.root() / "fresh";
    const fs::path old = home.root() / "old";
    Write(old, "old");
    fs::permissions(old, fs::perms::all);
    EXPECT_TRUE(WriteFileAtomically(fresh, "secret", nullptr, {Links::NotFollowed, true}));
    EXPECT_TRUE(WriteFileAtomically(old, "secret", nullptr, {Links::NotFollowed, true}));
    EXPECT_TRUE(WriteFileAtomically(home.root() / "plain", "not secret"));
    umask(before);
    EXPECT_EQ(Mode(fresh), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Mode(old), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Mode(home.root() / "plain"),
              fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec));
}

TEST(RemoveAbandonedSaves, RemovesOnlyWhatAnEndedWriterLeft) {
    test::TempHome home;
    const fs::path dir = home.root();
    const std::string gone = std::to_string(EndedProcess());
    const std::string alive = std::to_string(getppid());
    const std::vector<std::string> abandoned = {"config.ini.~" + gone + "-0", "config.ini.~" + gone + "-17"};
    const std::vector<std::string> kept = {"a.txt.~" + alive + "-0", "config.ini", "config.ini.~x-0",
                                           "config.ini.~" + gone, "notes.~" + gone + "-1a"};
    for (const std::string& name : abandoned) Write(dir / name, "x");
    for (const std::string& name : kept) Write(dir / name, "x");
    fs::create_directory(dir / ("folder.~" + gone + "-0"));
    fs::create_directory(dir / "inner");
    Write(dir / "inner" / ("config.ini.~" + gone + "-0"), "x");

    EXPECT_EQ(RemoveAbandonedSaves(dir), 2);
    for (const std::string& name : abandoned) EXPECT_FALSE(fs::exists(dir / name)) << name;
    for (const std::string& name : kept) EXPECT_TRUE(fs::exists(dir / name)) << name;
    EXPECT_TRUE(fs::is_directory(dir / ("folder.~" + gone + "-0")));
    EXPECT_TRUE(fs::exists(dir / "inner" / ("config.ini.~" + gone + "-0")));
    EXPECT_EQ(RemoveAbandonedSaves(dir / "missing"), 0);
}

}  // namespace
}  // namespace trelvix

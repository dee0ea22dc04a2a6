// Dropped files: the receiver on a window of its own (registration, the
// order and shape of the callbacks, and nothing after unregistering), then
// the main window's drop targets where a case file cannot reach: the size
// limit, a file name that GBK cannot spell, and the shut-down.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "app/FileDrop.h"
#include "common/platform/DroppedFile.h"
#include "common/platform/Paths.h"
#include "ui/Layout.h"

namespace trelvix::test {
namespace {

namespace fs = std::filesystem;

// ---------------------------------------------------------------- receiver

struct Receiver : ::testing::Test {
    ui::HeadlessUi ui;
    ui::HeadlessWindow& w = static_cast<ui::HeadlessWindow&>(ui.createWindow(
        ui::ParseLayout(
            R"({"name": "w", "controls": [{"kind": "code", "name": "code"}, {"kind": "report", "name": "r", "columns": ["a"]}]})"),
        nullptr, {}));
    FileDropReceiver receiver;
    std::vector<DroppedFile> calls;
    DropCallback record = [this](const DroppedFile& f) { calls.push_back(f); };
};

TEST_F(Receiver, CallsOncePerFileInDropOrderSkippingEmptyNames) {
    EXPECT_TRUE(receiver.Register(w, "code", record));
    EXPECT_FALSE(receiver.Register(w, "code", record));  // registered already: still one call per file
    w.dropFiles("code", {"/tmp/a.rsc", "", "/tmp/dir.d/README"});
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].count, 3);
    EXPECT_EQ(calls[0].index, 1);
    EXPECT_EQ(calls[0].path, fs::path("/tmp/a.rsc"));
    EXPECT_EQ(calls[0].extension, "rsc");
    EXPECT_EQ(calls[1].count, 3);
    EXPECT_EQ(calls[1].index, 3);
    EXPECT_EQ(calls[1].extension, "d/README");  // after the last "." of the whole path
    calls.clear();
    w.dropFiles("r", {"/tmp/a.rsc"});  // not registered: drops are not accepted
    EXPECT_TRUE(calls.empty());
    w.dropFiles("code", {"/tmp/no-dot"});
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].extension, "/tmp/no-dot");
}

TEST_F(Receiver, NothingReachesACallbackAfterUnregistering) {
    EXPECT_FALSE(receiver.Unregister(w, "code"));
    ASSERT_TRUE(receiver.Register(w, "code", record));
    EXPECT_TRUE(receiver.Unregister(w, "code"));
    EXPECT_FALSE(receiver.Unregister(w, "code"));
    w.dropFiles("code", {"/tmp/a.rsc"});
    // A drop the desktop delivers late, after the control stopped accepting files.
    w.fire("code", ui::Event::FilesDropped, ui::EventArgs::Files({"/tmp/a.rsc"}));
    EXPECT_TRUE(calls.empty());

    // Registered again: the new callback, once per file, and not the old one.
    int newer = 0;
    ASSERT_TRUE(receiver.Register(w, "code", [&newer](const DroppedFile&) { ++newer; }));
    w.dropFiles("code", {"/tmp/a.rsc", "/tmp/b.rsc"});
    EXPECT_EQ(newer, 2);
    EXPECT_TRUE(calls.empty());
}

TEST_F(Receiver, AnUnregisteringCallbackEndsTheRestOfItsDrop) {
    FileDropReceiver copy = receiver;  // shares the registrations
    ASSERT_TRUE(receiver.Register(w, "code", [&](const DroppedFile& f) {
        calls.push_back(f);
        EXPECT_TRUE(copy.Unregister(w, "code"));
    }));
    w.dropFiles("code", {"/tmp/a.rsc", "/tmp/b.rsc"});
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(Receiver, AGoneReceiverCallsNothing) {
    {
        FileDropReceiver shortLived;
        ASSERT_TRUE(shortLived.Register(w, "r", record));
    }
    w.dropFiles("r", {"/tmp/a.txt"});
    EXPECT_TRUE(calls.empty());
}

TEST(ReadDroppedFile, OnlyARegularFileIsRead) {
    // A pipe would block the window until some writer opened it.
    TempHome home;
    const fs::path pipe = home.root() / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(ReadDroppedFile(pipe, 4096).result, DroppedFileText::Result::Unreadable);
    EXPECT_EQ(ReadDroppedFile("/dev/zero", 4096).result, DroppedFileText::Result::Unreadable);
    EXPECT_EQ(ReadDroppedFile(home.root(), 4096).result, DroppedFileText::Result::Unreadable);
}

TEST(ReadDroppedFile, ReadsUpToItsLimitAndRefusesLargerOrMissingFiles) {
    TempHome home;
    const fs::path file = home.root() / "source.txt";
    std::ofstream(file, std::ios::binary) << "0123456789";
    const DroppedFileText whole = ReadDroppedFile(file, 10);
    EXPECT_EQ(whole.result, DroppedFileText::Result::Read);
    EXPECT_EQ(whole.text, "0123456789");
    EXPECT_EQ(ReadDroppedFile(file, 9).result, DroppedFileText::Result::TooLarge);
    EXPECT_EQ(ReadDroppedFile(home.root() / "none.txt", 10).result, DroppedFileText::Result::Unreadable);
}

// ---------------------------------------------------------------- the main window's targets

struct MainWindowDrops : ::testing::Test {
    MainWindowDrops() {
        p.app.parts.registerDropTargets = RegisterDropTargets;
        p.app.parts.unregisterDropTargets = UnregisterDropTargets;
        p.start();
        p.ui.messages.clear();
    }
    fs::path write(const fs::path& name, const std::string& bytes) const {
        const fs::path file = p.home.root() / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    Program p;
    const std::string code = G("编辑框_代码");
};

TEST_F(MainWindowDrops, FilesUpToEightMebibytesOpenLargerOnesAreRefused) {
    ui::HeadlessWindow& w = p.main();
    const fs::path limit = write("limit.rsc", std::string(kDroppedFileLimit, 'a'));
    const fs::path big = write("big.rsc", std::string(kDroppedFileLimit + 1, 'b'));
    w.dropFiles(code, {limit});
    EXPECT_TRUE(p.ui.messages.empty());
    EXPECT_EQ(w.text(code).size(), kDroppedFileLimit);

    w.dropFiles(code, {big});
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0].text, G("文件太大:") + GbkFromPath(big));
    EXPECT_EQ(p.ui.messages[0].flags, 48);
    EXPECT_EQ(p.ui.messages[0].title, ui::DefaultMessageTitle());
    EXPECT_EQ(w.text(code).size(), kDroppedFileLimit);  // unchanged

    const std::string list = G("超级列表框_1a");
    w.dropFiles(list, {big});
    EXPECT_EQ(p.ui.messages.size(), 2u);
    EXPECT_EQ(w.rowCount(list), 0);
}

// A file of many short lines is small in bytes, yet a list of its rows would
// take the pages minutes to turn into a script.
TEST_F(MainWindowDrops, ARowFileOfMoreThanAThousandLinesIsRefusedAndTheListKept) {
    ui::HeadlessWindow& w = p.main();
    const std::string list = G("超级列表框_18");
    std::string lines;
    for (int i = 0; i < 1000; ++i) lines += "u#p#" + std::to_string(i) + "\r\n";
    w.dropFiles(list, {write("thousand.txt", lines)});
    EXPECT_TRUE(p.ui.messages.empty());
    ASSERT_EQ(w.rowCount(list), 1000);

    for (const std::string& more : {lines + "u#p#1000", lines + "u#p#1000\r\n", lines + "\r\n"}) {
        p.ui.messages.clear();
        w.dropFiles(list, {write("more.txt", more)});
        ASSERT_EQ(p.ui.messages.size(), 1u);
        EXPECT_EQ(p.ui.messages[0].text, G("文件超过1000行,列表每次最多导入1000行!"));
        EXPECT_EQ(p.ui.messages[0].flags, 48);
        EXPECT_EQ(w.rowCount(list), 1000);
        EXPECT_EQ(w.row(list, 999)[2], Gbk("999"));
    }
}

TEST_F(MainWindowDrops, AFileIsOpenedByTheNameTheDesktopGave) {
    // Hangul is not in GBK: a name narrowed to GBK and back would name "??.txt".
    ui::HeadlessWindow& w = p.main();
    const fs::path accounts = write("한글.txt", "u1#p1\r\nu2#p2\r\n");
    const fs::path script = write("스크립트.rsc", "/ip route print");
    const std::string list = G("超级列表框_1a");
    w.dropFiles(list, {accounts});
    w.dropFiles(code, {script});
    EXPECT_TRUE(p.ui.messages.empty());
    ASSERT_EQ(w.rowCount(list), 2);
    EXPECT_EQ(w.row(list, 1), (std::vector<ui::GbkText>{Gbk("u2"), Gbk("p2")}));
    EXPECT_EQ(w.text(code), Gbk("/ip route print"));
}

TEST_F(MainWindowDrops, TheShutDownTakesTheTargetsBack) {
    ui::HeadlessWindow& w = p.main();
    const fs::path accounts = write("a.txt", "u1#p1\r\n");
    const std::string list = G("超级列表框_1a");
    const Gbk before = w.text(code);
    UnregisterDropTargets(p.app);
    w.dropFiles(list, {accounts});
    w.dropFiles(code, {accounts});
    EXPECT_EQ(w.rowCount(list), 0);
    EXPECT_EQ(w.text(code), before);
    RegisterDropTargets(p.app);  // and the start-up can give them again
    w.dropFiles(list, {accounts});
    EXPECT_EQ(w.rowCount(list), 1);
}

}  // namespace
}  // namespace trelvix::test

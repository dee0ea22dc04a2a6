// The language button: it asks, writes the other language into the settings
// and ends the program; cancelled or unsaved, the program keeps running.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "ProgramFixture.h"
#include "TestSupport.h"
#include "common/platform/Ini.h"

namespace trelvix::test {
namespace {

namespace fs = std::filesystem;

struct SwitchCase {
    const char* language;  // in the settings at start
    int answer;
    const char* question;
    const char* written;  // "language" afterwards
    const char* notice;   // "" when none follows
};

const SwitchCase kCases[] = {
    {"0", ui::mb::IdCancel, "確認將Trelvix切換為繁體界面?您的windows系統必須是繁體中文系統才能正常使用!請務必須知!",
     "0", ""},
    {"0", ui::mb::IdOk, "確認將Trelvix切換為繁體界面?您的windows系統必須是繁體中文系統才能正常使用!請務必須知!", "1",
     "已切換為繁體界面,請重新啟動軟件!"},
    {"1", ui::mb::IdCancel, "確認將Trelvix切換為簡體界面?您的windows系統必須是簡體中文系統才能正常使用!請務必須知!",
     "1", ""},
    {"1", ui::mb::IdOk, "確認將Trelvix切換為簡體界面?您的windows系統必須是簡體中文系統才能正常使用!請務必須知!", "0",
     "已切換為簡體界面,請重新啟動軟件!"},
};

TEST(SwitchLanguage, AsksThenWritesTheOtherLanguageAndEnds) {
    for (const SwitchCase& c : kCases) {
        SCOPED_TRACE(std::string("language ") + c.language + ", answer " + std::to_string(c.answer));
        Program p;
        p.writeConfig(std::string("[log]\r\nlanguage=") + c.language + "\r\n");
        ui::HeadlessWindow& w = p.start();
        p.ui.messageAnswers.push_back(c.answer);
        w.click(G("按钮_语言"));

        const bool confirmed = c.answer == ui::mb::IdOk;
        ASSERT_EQ(p.ui.messages.size(), confirmed ? 2u : 1u);
        EXPECT_EQ(p.ui.messages[0].text, G(c.question));
        EXPECT_EQ(p.ui.messages[0].flags, 33);
        EXPECT_EQ(p.ui.messages[0].title, G("信息："));
        EXPECT_EQ(ReadIniValue(p.configIni(), "log", "language"), std::optional<Gbk>(c.written));
        EXPECT_EQ(p.app.ending, confirmed);
        EXPECT_EQ(p.ui.quitRequested, confirmed);
        if (confirmed) {
            EXPECT_EQ(p.ui.messages[1].text, G(c.notice));
            EXPECT_EQ(p.ui.messages[1].flags, 64);
            EXPECT_EQ(p.ui.exitCode, 0);
        } else {
            EXPECT_TRUE(w.shown());
        }
    }
}

TEST(SwitchLanguage, ASettingsFileThatCannotBeWrittenIsToldAndTheProgramRuns) {
    Program p;
    ui::HeadlessWindow& w = p.start();
    fs::remove(p.configIni());
    fs::create_directories(p.configIni());  // a folder where the file should be
    w.click(G("按钮_语言"));

    ASSERT_EQ(p.ui.messages.size(), 2u);
    EXPECT_EQ(p.ui.messages[1].text, G("保存失败:") + p.configIni().string());
    EXPECT_EQ(p.ui.messages[1].flags, 16);
    EXPECT_FALSE(p.app.ending);
    EXPECT_FALSE(p.ui.quitRequested);
    EXPECT_TRUE(w.shown());
}

}  // namespace
}  // namespace trelvix::test

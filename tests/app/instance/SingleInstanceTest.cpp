#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <memory>
#include <optional>

#include "ForwardingUi.h"
#include "ManualSteadyClock.h"
#include "TestSupport.h"
#include "app/App.h"
#include "app/Program.h"
#include "app/SingleInstance.h"
#include "common/platform/InstanceLock.h"
#include "ui/Layout.h"
#include "ui/WindowFront.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

using test::G;

// Long enough for a live copy to answer on any machine: only a listener that
// never answers (a failed test) costs it.
constexpr auto kAnswerBound = std::chrono::minutes(2);

struct Copy {
    ui::HeadlessUi ui;
    FixedClock clock{0};
    FixedRandom random{{1}};
    App app{ui, clock, random, random};

    ui::HeadlessWindow& openMain() {
        auto& w = static_cast<ui::HeadlessWindow&>(ui.createWindow(ui::ParseLayout(R"({"name":"main"})"), nullptr, {}));
        app.main = &w;
        return w;
    }
    ~Copy() { app.main = nullptr; }
};

TEST(SingleInstance, SecondCopyTellsTheUserAsksTheFirstAndEnds) {
    test::TempHome home;
    Copy first, second;
    ASSERT_TRUE(EnsureSingleInstance(first.app));
    ui::HeadlessWindow& window = first.openMain();
    window.show();
    window.setMinimized(true);

    EXPECT_FALSE(EnsureSingleInstance(second.app));
    ASSERT_EQ(second.ui.messages.size(), 1u);
    EXPECT_EQ(second.ui.messages[0].text, G("已有一个Trelvix启动着!"));
    EXPECT_EQ(second.ui.messages[0].title, G("友情提醒:"));
    EXPECT_EQ(second.ui.messages[0].flags, 64);

    // The request reached the first copy as work for its UI thread.
    EXPECT_EQ(first.ui.runPosted(), 1);
    EXPECT_EQ(window.raisedCount(), 1);
    EXPECT_FALSE(window.minimized());
    EXPECT_FALSE(window.topmost());
}

// Without a lock a later copy would run unseen beside this one: this copy
// runs, but says so.
TEST(SingleInstance, ACopyWithoutTheLockSaysSo) {
    test::TempHome home;
    const std::filesystem::path folder = home.root() / "runtime" / "vemtu";
    std::filesystem::create_directories(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::all);
    Copy first;
    EXPECT_TRUE(EnsureSingleInstance(first.app));
    ASSERT_EQ(first.ui.messages.size(), 1u);
    EXPECT_NE(first.ui.messages[0].text.bytes().find(G("本次启动不检查是否重复运行")), std::string::npos);
    EXPECT_EQ(first.ui.messages[0].flags, 48);

    // With the folder private again, a first copy takes the lock in silence.
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    Copy next;
    EXPECT_TRUE(EnsureSingleInstance(next.app));
    EXPECT_TRUE(next.ui.messages.empty());
}

// A first copy that takes the request and never answers (busy, or stopped
// in a debugger) holds a later start 3 seconds, and no longer.
TEST(SingleInstance, ASecondCopyWaitsThreeSecondsForTheFirstCopysAnswer) {
    using namespace std::chrono_literals;
    test::TempHome home;
    std::promise<void> asked, release;
    std::shared_future<void> released = release.get_future().share();
    auto first = InstanceLock::TryAcquire("ROS", [&] {
        asked.set_value();
        released.wait();
    });
    ASSERT_NE(first, nullptr);
    struct Release {
        std::promise<void>& release;
        ~Release() { release.set_value(); }
    } answerNever{release};

    Copy second;
    test::ManualSteadyClock clock;
    auto starting = clock.run([&] {
        return EnsureSingleInstance(second.app, "ROS", true, "已有一个Trelvix启动着!", 64, true, clock.reader());
    });
    asked.get_future().wait();
    clock.moveTo(2999ms);
    EXPECT_TRUE(clock.readsAgain(2)) << "gave up before 3 seconds";
    clock.moveTo(3000ms);
    EXPECT_FALSE(clock.readsAgain(3)) << "still waiting after 3 seconds";
    EXPECT_FALSE(starting.get());
    EXPECT_EQ(second.ui.messages.size(), 1u);
}

TEST(SingleInstance, AHiddenFirstCopyIsNotBroughtForward) {
    test::TempHome home;
    Copy first, second;
    ASSERT_TRUE(EnsureSingleInstance(first.app));
    ui::HeadlessWindow& window = first.openMain();  // never shown: it sits in the tray

    EXPECT_FALSE(EnsureSingleInstance(second.app));
    first.ui.runPosted();
    EXPECT_FALSE(window.shown());
    EXPECT_EQ(window.raisedCount(), 0);
}

TEST(SingleInstance, TheDefaultNameIsTheProgramPath) {
    const Gbk name = DefaultInstanceName();
    EXPECT_EQ(name.find('\\'), Gbk::npos);
    EXPECT_NE(name.find("instance_test"), Gbk::npos) << name;
    test::TempHome home;
    Copy first, second;
    ASSERT_TRUE(EnsureSingleInstance(first.app, "", false, "", 0, false));
    EXPECT_FALSE(EnsureSingleInstance(second.app, "", false, "", 0, false));
    EXPECT_TRUE(second.ui.messages.empty());
    EXPECT_TRUE(EnsureSingleInstance(second.app, "other", true, "", 64, false));
}

// The program as main runs it, over the headless realisation. A later copy
// that asks while the first copy's Ui goes must find nobody listening: the
// listener would post its request to a Ui that is being freed.
TEST(SingleInstance, TheListenerStopsBeforeTheUiGoes) {
    test::TempHome home;
    struct Seen {
        std::optional<bool> answeredWhileRunning, answeredWhileUiGoes, lockFreeWhileUiGoes;
    } seen;
    class WatchingUi final : public test::ForwardingUi {
    public:
        explicit WatchingUi(Seen& seen) : ForwardingUi(std::make_unique<ui::HeadlessUi>()), seen_(seen) {}
        ~WatchingUi() override {
            seen_.answeredWhileUiGoes = AskRunningCopyToActivate("ROS", kAnswerBound);
            seen_.lockFreeWhileUiGoes = InstanceLock::TryAcquire("ROS", {}) != nullptr;
        }
        int run() override {
            seen_.answeredWhileRunning = AskRunningCopyToActivate("ROS", kAnswerBound);
            return ForwardingUi::run();
        }

    private:
        Seen& seen_;
    };
    EXPECT_EQ(RunProgram(std::make_unique<WatchingUi>(seen)), 0);
    EXPECT_EQ(seen.answeredWhileRunning, true);
    EXPECT_EQ(seen.answeredWhileUiGoes, false);
    // A copy started while this one ends starts as a first copy of its own.
    EXPECT_EQ(seen.lockFreeWhileUiGoes, true);
}

}  // namespace
}  // namespace trelvix

// A page's field table over a small window: what it reads, and how an error
// that names a field reaches that field's control.
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

#include "TestSupport.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "generators/PageFields.h"
#include "ui/headless/HeadlessUi.h"

namespace trelvix {
namespace {

struct Part {
    Gbk rate = "0";
};

struct Fields {
    Gbk name = "default";
    Gbk notOnThePage = "kept";
    bool on = false;
    Part up;
    std::array<bool, 2> days{true, true};
};

const PageFields<Fields> kPage = {
    Field("name", &Fields::name),    Field("on", &Fields::on),        Field("rate", &Fields::up, &Part::rate),
    Field("day0", &Fields::days, 0), Field("day1", &Fields::days, 1),
};

class PageFieldsTest : public ::testing::Test {
protected:
    ui::HeadlessUi ui;
    ui::HeadlessWindow& w =
        static_cast<ui::HeadlessWindow&>(ui.createWindow(ui::ParseLayout(R"({"name": "w", "controls": [
        {"kind": "edit", "name": "name", "text": "typed"}, {"kind": "check", "name": "on", "checked": true},
        {"kind": "combo", "name": "rate", "text": "2M"}, {"kind": "check", "name": "day0"},
        {"kind": "check", "name": "day1", "checked": true}, {"kind": "button", "name": "go"}, {"kind": "button", "name": "stray"}]})"),
                                                         nullptr, {}));
    FixedClock clock{0};
    SeededRandom random{1};
    std::vector<Gbk> scripts;
    PageContext page{ui, w, clock, random, random, [this](const Gbk& s) { scripts.push_back(s); }, {}};
};

TEST_F(PageFieldsTest, ReadsEveryRowOverTheDefaults) {
    const Fields f = kPage.Read(w);
    EXPECT_EQ(f.name, "typed");
    EXPECT_EQ(f.notOnThePage, "kept");
    EXPECT_TRUE(f.on);
    EXPECT_EQ(f.up.rate, "2M");
    EXPECT_EQ(f.days, (std::array<bool, 2>{false, true}));
    EXPECT_EQ(kPage.Control(&Fields::up, &Part::rate), "rate");
    EXPECT_EQ(kPage.ControlOf(f, FieldOf(f.days[1])), "day1");
    EXPECT_EQ(kPage.ControlOf(f, FieldOf(f.notOnThePage)), "");
    EXPECT_THROW(kPage.Control(&Fields::notOnThePage), std::logic_error);
}

TEST_F(PageFieldsTest, AnErrorMovesTheFocusToItsFieldsControl) {
    const auto refuse = [](FieldRef (*field)(const Fields&)) {
        return [field](const Fields& f) {
            return Outcome::Error(ScriptError{"no", 16, std::nullopt, field(f), FocusMove::AfterBox, ""});
        };
    };
    OnGenerate(page, "go", kPage, refuse([](const Fields& f) { return FieldOf(f.up.rate); }));
    w.focusTo("go");
    w.click("go");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].focusAtShow, "go");
    EXPECT_EQ(w.focus(), "rate");
    EXPECT_TRUE(scripts.empty());

    // A field the page does not read is a fault of the program, not a quiet no-op.
    OnGenerate(page, "stray", kPage, refuse([](const Fields& f) { return FieldOf(f.notOnThePage); }));
    EXPECT_THROW(w.click("stray"), std::logic_error);
}

}  // namespace
}  // namespace trelvix

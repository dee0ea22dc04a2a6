// The desktop services every driver shares, and the driver that acts on the
// headless window models.
#include <utility>

#include "Driver.h"

namespace trelvix::cases {

RecordingUi::RecordingUi(ui::Ui& inner, std::function<std::string()> activeWindow)
    : ForwardingUi(inner), activeWindow_(std::move(activeWindow)) {}

ui::Window& RecordingUi::createWindow(const ui::WindowSpec& layout, ui::Window* owner,
                                      const std::function<void(ui::Window&)>& onCreated) {
    windowsMade.push_back(layout.name);
    active = layout.name;
    return ForwardingUi::createWindow(layout, owner, onCreated);
}

int RecordingUi::messageBox(const ui::MessageBoxCall& call) {
    ui::ShownMessage shown;
    static_cast<ui::MessageBoxCall&>(shown) = call;
    const std::string where = !call.owner.empty() ? call.owner : activeWindow_ ? activeWindow_() : active;
    if (ui::Window* w = findWindow(where)) shown.focusAtShow = w->focus();
    int answer;
    if (!records.messageAnswers.empty()) {
        answer = records.messageAnswers.front();
        records.messageAnswers.pop_front();
    } else {
        answer = (call.flags & 0x0F) == ui::mb::YesNo ? ui::mb::IdYes : ui::mb::IdOk;
    }
    shown.answer = answer;
    records.messages.push_back(std::move(shown));
    return answer;
}

std::optional<std::filesystem::path> RecordingUi::showFileDialog(const ui::FileDialogRequest&) {
    if (records.dialogAnswers.empty()) return std::nullopt;
    auto answer = records.dialogAnswers.front();
    records.dialogAnswers.pop_front();
    return answer;
}

bool RecordingUi::setClipboardText(const ui::GbkText& text) {
    records.clipboard = text;
    return true;
}

void RecordingUi::post(std::function<void()> work) {
    ForwardingUi::post([open = open_, work = std::move(work)] {
        if (*open) work();
    });
}

void RecordingUi::quit(int exitCode) {
    records.quitRequested = true;
    records.exitCode = exitCode;
}

namespace {

class HeadlessDriver final : public Driver {
public:
    HeadlessDriver() : recording_(*headless_, [this] { return headless_->activeWindow; }) {}

    RecordingUi& ui() override { return recording_; }
    ui::Window* window(const std::string& name) override { return headless_->window(name); }

    std::string unusable(ui::Window& w, const std::string& control) override {
        if (!w.visible(control)) return "hidden";
        return w.enabled(control) ? "" : "disabled";
    }

    void click(ui::Window& w, const std::string& control) override { model(w).click(control); }
    void type(ui::Window& w, const std::string& control, const Gbk& text) override { model(w).type(control, text); }
    void choose(ui::Window& w, const std::string& control, int index) override { model(w).choose(control, index); }
    void checkRow(ui::Window& w, const std::string& control, int row, bool on) override {
        w.setRowChecked(control, row, on);
        model(w).fire(control, ui::Event::RowChecked, ui::EventArgs::Index(row));
    }
    void change(ui::Window& w, const std::string& control) override {
        w.kind(control);
        model(w).fire(control, ui::Event::Change);
    }
    void focusTo(ui::Window& w, const std::string& control) override { model(w).focusTo(control); }
    void blur(ui::Window& w, const std::string& control) override {
        w.kind(control);
        model(w).fire(control, ui::Event::LostFocus);
    }
    void keyDown(ui::Window& w, const std::string& control, int key, int modifiers) override {
        w.kind(control);
        model(w).keyDown(control, key, modifiers);
    }
    void dropFiles(ui::Window& w, const std::string& control,
                   const std::vector<std::filesystem::path>& files) override {
        model(w).dropFiles(control, files);
    }
    void closeBox(ui::Window& w) override { w.close(true); }

    void runPending() override { headless_->runPosted(); }
    // The realisation's own end destroys its windows, as the end of the process would.
    void closeAll() override {
        recording_.stopPosting();
        headless_.reset();
    }

private:
    static ui::HeadlessWindow& model(ui::Window& w) { return static_cast<ui::HeadlessWindow&>(w); }

    std::unique_ptr<ui::HeadlessUi> headless_ = std::make_unique<ui::HeadlessUi>();
    RecordingUi recording_;
};

}  // namespace

std::unique_ptr<Driver> MakeHeadlessDriver() { return std::make_unique<HeadlessDriver>(); }

}  // namespace trelvix::cases

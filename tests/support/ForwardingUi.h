#pragma once
// A realisation that hands every call to another one. Tests derive from it
// to answer or watch a few calls and leave the rest to the realisation inside.
#include <memory>
#include <utility>

#include "ui/Ui.h"

namespace trelvix::test {

class ForwardingUi : public ui::Ui {
public:
    explicit ForwardingUi(ui::Ui& inner) : inner_(&inner) {}
    // Owns `inner`: it goes after this object's own destructor has run.
    explicit ForwardingUi(std::unique_ptr<ui::Ui> inner) : owned_(std::move(inner)), inner_(owned_.get()) {}

    ui::Window& createWindow(const ui::WindowSpec& layout, ui::Window* owner,
                             const std::function<void(ui::Window&)>& onCreated) override {
        return inner_->createWindow(layout, owner, onCreated);
    }
    ui::Window* findWindow(const std::string& name) override { return inner_->findWindow(name); }
    void destroyWindow(ui::Window& window) override { inner_->destroyWindow(window); }
    int messageBox(const ui::MessageBoxCall& call) override { return inner_->messageBox(call); }
    bool setClipboardText(const ui::GbkText& text) override { return inner_->setClipboardText(text); }
    std::optional<ui::GbkText> clipboardText() override { return inner_->clipboardText(); }
    void openUrl(const ui::GbkText& url) override { inner_->openUrl(url); }
    std::optional<ui::FontChoice> chooseFont(const ui::FontChoice& initial) override {
        return inner_->chooseFont(initial);
    }
    void post(std::function<void()> work) override { inner_->post(std::move(work)); }
    void stopPosting() override { inner_->stopPosting(); }
    bool trayAvailable() const override { return inner_->trayAvailable(); }
    void quit(int exitCode) override { inner_->quit(exitCode); }
    int run() override { return inner_->run(); }

    ui::Ui& inner() { return *inner_; }

protected:
    // The inner realisation applies the same folder rule to the same choices.
    std::optional<std::filesystem::path> showFileDialog(const ui::FileDialogRequest& request) override {
        return inner_->fileDialog(request);
    }

private:
    std::unique_ptr<ui::Ui> owned_;
    ui::Ui* inner_;
};

}  // namespace trelvix::test

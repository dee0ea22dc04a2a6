#pragma once
// The real desktop services of a GUI test, except that message boxes are
// recorded and answered OK, and nothing opens a dialog or a browser.
#include <filesystem>
#include <optional>
#include <vector>

#include "ForwardingUi.h"

namespace trelvix::test {

class AnsweringUi final : public ForwardingUi {
public:
    using ForwardingUi::ForwardingUi;
    int messageBox(const ui::MessageBoxCall& call) override {
        messages.push_back(call);
        return ui::mb::IdOk;
    }
    void openUrl(const ui::GbkText&) override {}
    std::optional<ui::FontChoice> chooseFont(const ui::FontChoice&) override { return std::nullopt; }

    std::vector<ui::MessageBoxCall> messages;

protected:
    std::optional<std::filesystem::path> showFileDialog(const ui::FileDialogRequest&) override { return std::nullopt; }
};

}  // namespace trelvix::test

// The desktop program as the tests of the whole program start it: the same
// program over the wx realisation, with two settings the installed program
// does not have. TRELVIX_TEST_SINK names a file: message boxes are written
// there (one line each) and answered with their first button instead of
// being shown, and windows brought to the front say so there.
// TRELVIX_EXIT_AFTER_MS ends the event loop after that many milliseconds.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "ForwardingUi.h"
#include "app/Program.h"
#include "common/text/CodePage.h"
#include "ui/wx/WxWindow.h"

namespace {

using namespace trelvix;

void AppendLine(const std::string& file, const std::string& utf8Line) {
    if (std::FILE* f = std::fopen(file.c_str(), "a")) {
        std::fprintf(f, "%s\n", utf8Line.c_str());
        std::fclose(f);
    }
}

class SinkUi final : public test::ForwardingUi {
public:
    SinkUi(std::unique_ptr<ui::Ui> inner, std::string sink) : ForwardingUi(std::move(inner)), sink_(std::move(sink)) {}

    int messageBox(const ui::MessageBoxCall& call) override {
        AppendLine(sink_, "message\t" + std::to_string(call.flags) + "\t" + GbkToUtf8(call.title) + "\t" +
                              GbkToUtf8(call.text));
        return (call.flags & 0x0F) == ui::mb::YesNo ? ui::mb::IdYes : ui::mb::IdOk;
    }

private:
    std::string sink_;
};

}  // namespace

int main(int argc, char** argv) {
    std::unique_ptr<ui::WxUi> wx = ui::WxUi::Create(argc, argv);
    if (!wx) {
        std::fprintf(stderr, "trelvix_under_test: no display\n");
        return 1;
    }
    if (const char* ms = std::getenv("TRELVIX_EXIT_AFTER_MS")) wx->quitAfter(std::atoi(ms));
    const char* sink = std::getenv("TRELVIX_TEST_SINK");
    if (!sink || !*sink) return RunProgram(std::move(wx));
    wx->onRaised = [file = std::string(sink)](const std::string& window) {
        AppendLine(file, "raise\t" + GbkToUtf8(window));
    };
    return RunProgram(std::make_unique<SinkUi>(std::move(wx), sink));
}

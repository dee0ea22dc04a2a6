// The desktop program: the wx realisation and the program's own start-up.
#include <cstdio>
#include <memory>

#include "app/Program.h"
#include "ui/wx/WxUi.h"

int main(int argc, char** argv) {
    std::unique_ptr<trelvix::ui::Ui> ui = trelvix::ui::CreateWxUi(argc, argv);
    if (!ui) {
        std::fprintf(stderr, "trelvix: cannot open a display to show windows on\n");
        return 1;
    }
    return trelvix::RunProgram(std::move(ui));
}

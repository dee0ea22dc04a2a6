#pragma once
// The wxWidgets realisation of the window interface, for the desktop program.
// This header needs no toolkit headers; ui/wx/WxWindow.h has the classes.
#include <memory>

#include "ui/Ui.h"

namespace trelvix::ui {

// Starts the toolkit (it does not take over main) and returns the realisation;
// null when there is no display to show windows on. Once per process.
std::unique_ptr<Ui> CreateWxUi(int& argc, char** argv);

}  // namespace trelvix::ui

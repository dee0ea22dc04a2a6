#pragma once
// The whole program over a realisation of the window interface: the real
// clock and random sources, the start-up, the event loop and the end.
#include <memory>

#include "ui/Ui.h"

namespace trelvix {

// Runs the program over `ui` and returns its exit code. The Ui goes before
// the App, so windows still open run their destroy handlers while the App
// lives; the shut-down steps have stopped whatever could call into the Ui
// from another thread by then.
int RunProgram(std::unique_ptr<ui::Ui> ui);

}  // namespace trelvix

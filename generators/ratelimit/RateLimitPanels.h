#pragma once
// The rate-limit pages' own behaviour: the foldable burst and time groups
// and the case mending of the rate combos.
#include <string>

#include "ui/Window.h"

namespace trelvix::ratelimit {

// Page 1: the burst group opens to 103 pixels when its check box is checked and
// folds to a 4-pixel rule otherwise; the time check box and group follow it.
void ToggleBurstPanel(ui::Window& window);
// Page 1: the time group opens to 77 pixels or folds to 4 with its check box.
void ToggleTimePanel(ui::Window& window);

// A combo's content with every "m" made "M" ("10mb" becomes "10Mb").
void NormalizeRateCombo(ui::Window& window, const std::string& combo);

}  // namespace trelvix::ratelimit

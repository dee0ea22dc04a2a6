#pragma once
// The rate-limit pages' own behaviour: the foldable burst and time groups,
// the case mending of the rate combos and the refill of the group lists.
#include <string>

#include "ui/Window.h"

namespace trelvix::ratelimit {

// Page 1: the burst group opens to 103 pixels when its check box is checked and
// folds to a 4-pixel rule otherwise; the time check box and group follow it.
void ToggleBurstPanel(ui::Window& window);
// Page 1: the time group opens to 77 pixels or folds to 4 with its check box.
void ToggleTimePanel(ui::Window& window);
// Page 3: the burst group opens or folds; the tip group follows it.
void ToggleGroupBurstPanel(ui::Window& window);

// A combo's content with every "m" made "M" ("10mb" becomes "10Mb").
void NormalizeRateCombo(ui::Window& window, const std::string& combo);

// Page 3: the lists of the per-group fields, refilled for the chosen group count.
void ApplyGroupCount(ui::Window& window);
// The twelve rates each repeated `groups` times as items, content "0" repeated.
void FillRateCombo(ui::Window& window, const std::string& combo, int groups);
// The priorities 1 to 8 each repeated as items, content "8" repeated.
void FillPriorityCombo(ui::Window& window, const std::string& combo, int groups);
// The burst time "3" repeated.
void FillRepeatedValue(ui::Window& window, const std::string& box, int groups);

}  // namespace trelvix::ratelimit

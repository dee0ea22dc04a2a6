#pragma once
// What the rate-limit pages do to their own controls: groups that fold under
// a check box, the case mending of the rate combos and the refill of the
// per-group lists. The pages (RateLimitSection.cpp) say which controls.
#include <string>

#include "ui/Window.h"

namespace trelvix::ratelimit {

// A foldable group opens to `openHeight` or folds to a 4-pixel rule. Folded,
// its controls are hidden as well, so nothing of it shows through or takes
// clicks under the controls moved up. Returns the group's bottom edge.
int SetGroupOpen(ui::Window& window, const std::string& group, bool open, int openHeight);

// Moves a control to a new top edge, keeping the rest of its place.
void MoveTop(ui::Window& window, const std::string& control, int top);

// A combo's content with every "m" made "M" ("10mb" becomes "10Mb").
void NormalizeRateCombo(ui::Window& window, const std::string& combo);

// The twelve rates each repeated `groups` times as items, content "0" repeated.
void FillRateCombo(ui::Window& window, const std::string& combo, int groups);
// The priorities 1 to 8 each repeated as items, content "8" repeated.
void FillPriorityCombo(ui::Window& window, const std::string& combo, int groups);
// The burst time "3" repeated.
void FillRepeatedValue(ui::Window& window, const std::string& box, int groups);

}  // namespace trelvix::ratelimit

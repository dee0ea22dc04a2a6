#pragma once
// The window layouts are measured in Windows metrics (9-point text, 21-pixel
// tabs, 24-pixel boxes); where the desktop's theme pads its controls more
// generously, contents would be cut off. Called once, after the toolkit started.
namespace trelvix::ui {

void UseCompactMetrics();

}  // namespace trelvix::ui

#pragma once
// A window's traditional-Chinese pack made from its layout: every edit box,
// label, button, radio button, check box, group box and tree item, hidden ones
// and those on other tab pages included, with its layout text in Big5
// traditional characters. The build runs this over the windows that have a
// pack; the program embeds the result.
#include <functional>
#include <string>
#include <vector>

#include "common/text/Gbk.h"
#include "ui/Layout.h"

namespace trelvix {

// Simplified GBK in, traditional Big5 out.
using ToTraditionalBig5Fn = std::function<std::string(const Gbk&)>;

struct PackEntry {
    std::string section;  // GBK
    std::string key;      // GBK
    std::string value;    // Big5
    std::string control;  // the control the entry comes from
};

// The entries in the order they are written. Throws std::runtime_error for a
// control the INI text cannot hold (a name with "=" or a line break, a caption
// with a line break where the pack keeps none).
std::vector<PackEntry> LanguagePackEntries(const ui::WindowSpec& window, const ToTraditionalBig5Fn& convert);

// The pack's INI text: "[section]" and "key=value" lines, each ending with CR LF.
std::string LanguagePackText(const std::vector<PackEntry>& entries);

}  // namespace trelvix

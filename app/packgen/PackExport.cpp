#include "app/packgen/PackExport.h"

#include <stdexcept>

#include "app/LanguagePackKinds.h"
#include "common/text/CodePage.h"

namespace trelvix {
namespace {

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// Windows' profile reader takes these names apart; such a control could never
// find its entry again.
void CheckKey(const std::string& key, const std::string& control) {
    if (key.empty() || HasLineBreak(key) || key.find('=') != std::string::npos || key.front() == '[' ||
        key.front() == ';')
        throw std::runtime_error("control " + GbkToUtf8(control) + ": its name cannot be a pack key");
}

void Add(std::vector<PackEntry>& out, const std::string& section, const std::string& key, Gbk text,
         bool keepsLineBreaks, const ToTraditionalBig5Fn& convert, const std::string& control) {
    CheckKey(key, control);
    if (keepsLineBreaks) text = ReplaceAll(text, "\r\n", kPackLineBreak);
    if (HasLineBreak(text))
        throw std::runtime_error("control " + GbkToUtf8(control) + ": a line break the pack cannot hold in its text");
    std::string value = convert(text);
    if (HasLineBreak(value))
        throw std::runtime_error("control " + GbkToUtf8(control) + ": the converted text breaks the line");
    out.push_back({section, key, std::move(value), control});
}

}  // namespace

std::vector<PackEntry> LanguagePackEntries(const ui::WindowSpec& window, const ToTraditionalBig5Fn& convert) {
    std::vector<PackEntry> out;
    for (PackSection section : kPackSections) {
        ui::ForEachControl(window.controls, [&](const ui::ControlSpec& c, const ui::ControlSpec*) {
            if (PackSectionOf(c.kind) != section) return;
            if (section == PackSection::TreeItems) {
                CheckKey(c.name, c.name);
                for (std::size_t i = 0; i < c.treeItems.size(); ++i)
                    Add(out, c.name, TreeItemKey(i), c.treeItems[i].text, false, convert, c.name);
                return;
            }
            if (section == PackSection::Labels && IsVersionLabel(c.name)) return;
            Add(out, PackSectionName(section), c.name, c.text, PackKeepsLineBreaks(section), convert, c.name);
        });
    }
    return out;
}

std::string LanguagePackText(const std::vector<PackEntry>& entries) {
    std::string text;
    const std::string* section = nullptr;
    for (const PackEntry& e : entries) {
        if (!section || *section != e.section) {
            text += "[" + e.section + "]\r\n";
            section = &e.section;
        }
        text += e.key + "=" + e.value + "\r\n";
    }
    return text;
}

}  // namespace trelvix

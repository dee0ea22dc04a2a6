#include "PageButtons.h"

namespace trelvix::test {
namespace {

using ui::ControlSpec;
using ui::Kind;

bool IsTabs(const ControlSpec& c) { return c.kind == Kind::Tab || c.kind == Kind::PageControl; }

const ControlSpec* Find(const std::vector<ControlSpec>& controls, const std::string& name) {
    for (const ControlSpec& c : controls) {
        if (c.name == name) return &c;
        if (const ControlSpec* inner = Find(c.children, name)) return inner;
    }
    return nullptr;
}

// A control and what it holds; `shown` says whether everything around it is.
void Collect(const ControlSpec& c, const std::vector<TabStep>& path, bool shown, SectionPage& page) {
    shown = shown && c.visible;
    if (IsTabs(c)) {
        for (std::size_t i = 0; i < c.children.size(); ++i) {
            std::vector<TabStep> inner = path;
            inner.push_back({c.name, static_cast<int>(i)});
            Collect(c.children[i], inner, shown, page);
        }
        return;
    }
    const bool usable = shown && c.enabled;
    switch (c.kind) {
        case Kind::Button:
            if (usable) page.buttons.push_back({c.name, path});
            break;
        case Kind::Radio:
            if (usable && !c.checked) page.radios.push_back({c.name, path});
            break;
        case Kind::Edit:
            if (usable && !c.readOnly) page.textFields.push_back(c.name);
            break;
        case Kind::Combo:
            if (usable && c.editable) page.textFields.push_back(c.name);
            break;
        case Kind::ReportList:
        case Kind::ListBox: page.rowLists.push_back(c.name); break;
        default: break;
    }
    for (const ControlSpec& child : c.children) Collect(child, path, shown, page);
}

}  // namespace

std::vector<SectionPage> SectionPages(const ui::WindowSpec& main, const std::string& sectionsTab) {
    std::vector<SectionPage> pages;
    const ControlSpec* sections = Find(main.controls, sectionsTab);
    if (!sections) return pages;
    for (std::size_t s = 0; s < sections->children.size(); ++s) {
        const ControlSpec& section = sections->children[s];
        const std::vector<TabStep> sectionPath = {{sectionsTab, static_cast<int>(s)}};
        for (const ControlSpec& child : section.children) {
            if (!IsTabs(child)) continue;
            for (std::size_t p = 0; p < child.children.size(); ++p) {
                SectionPage page;
                page.caption = section.text + "/" + child.children[p].text;
                page.path = sectionPath;
                page.path.push_back({child.name, static_cast<int>(p)});
                Collect(child.children[p], page.path, true, page);
                pages.push_back(std::move(page));
            }
        }
    }
    return pages;
}

SectionPage WindowPage(const ui::WindowSpec& window) {
    SectionPage page;
    page.caption = window.name;
    for (const ControlSpec& c : window.controls) Collect(c, {}, true, page);
    return page;
}

void ShowPath(ui::Window& w, const std::vector<TabStep>& path) {
    for (const TabStep& step : path) w.setCurrentItem(step.tab, step.page);
}

}  // namespace trelvix::test

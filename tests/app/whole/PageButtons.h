#pragma once
// The pages of the main window's sections as its layout holds them: for each
// page, how to show it and the buttons, typing fields and row lists a user
// finds on it. Read from the layout, so pages added later are covered too.
#include <string>
#include <vector>

#include "common/text/Gbk.h"
#include "ui/Layout.h"
#include "ui/Window.h"

namespace trelvix::test {

// One tab to choose on the way to a page.
struct TabStep {
    std::string tab;
    int page = 0;
};

struct PageButton {
    std::string name;
    std::vector<TabStep> path;  // shows the page the button is on
};

struct SectionPage {
    Gbk caption;                          // section and page captions, "安装/VLAN多线PPPoE拨号"
    std::vector<TabStep> path;            // shows the page
    std::vector<PageButton> buttons;      // shown and enabled by the layout, in layout order
    std::vector<std::string> textFields;  // edit boxes and editable combo boxes a user can type in
    std::vector<std::string> rowLists;    // report lists and list boxes
    std::vector<PageButton> radios;       // shown, enabled and not chosen by the layout
};

// Every page of every section of `sectionsTab`: the pages of each section's
// own tab control.
std::vector<SectionPage> SectionPages(const ui::WindowSpec& main, const std::string& sectionsTab);

// A window outside the sections (a tool window) as one page: every button,
// typing field, list and radio of its layout, each with the tabs that show it.
SectionPage WindowPage(const ui::WindowSpec& window);

// Shows the page (or a button's page) on a live window.
void ShowPath(ui::Window& w, const std::vector<TabStep>& path);

}  // namespace trelvix::test

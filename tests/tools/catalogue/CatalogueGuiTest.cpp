// The catalogue window on real controls, over the sample catalogue the build
// makes: the loader fills the native tree, and choosing a product shows its
// drawn picture and a technical-data grid whose second row is shaded.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include <wx/grid.h>
#include <wx/treectrl.h>
#include <wx/generic/statbmpg.h>

#include "DesktopTest.h"
#include "TestSupport.h"
#include "ToolWindowTest.h"
#include "common/platform/Random.h"
#include "common/text/DateTime.h"
#include "tools/ToolWindows.h"
#include "tools/catalogue/CatalogueLoader.h"
#include "ui/wx/WxWindow.h"

namespace trelvix {
namespace {

using test::G;

// The native tree item whose text is `utf8`, searched depth first.
wxTreeItemId FindItem(wxTreeCtrl* tree, const wxTreeItemId& under, const wxString& text) {
    wxTreeItemIdValue cookie;
    for (wxTreeItemId child = tree->GetFirstChild(under, cookie); child.IsOk();
         child = tree->GetNextChild(under, cookie)) {
        if (tree->GetItemText(child) == text) return child;
        if (const wxTreeItemId found = FindItem(tree, child, text); found.IsOk()) return found;
    }
    return {};
}

class CatalogueOnTheDesktop : public test::DesktopTest {};

TEST_F(CatalogueOnTheDesktop, TheSampleLoadsAndAProductShowsItsPictureAndShadedRows) {
    test::TempHome home;
    const std::filesystem::path data = home.root() / "data";
    std::filesystem::create_directories(data);
    for (const char* file : {"Menu.edb", "data.edb"})
        std::filesystem::copy_file(std::filesystem::path(TRELVIX_SAMPLE_CATALOGUE) / file, data / file);
    ui::WxUi* wx = wx_;
    test::ToolHost host(*wx);
    ToolContext& tools = host.tools;
    tools.services = [] { return ServiceAddresses{}; };  // no rate page: the rate below stands
    tools.catalogueFolder = [data] { return data; };
    UsdCnyRate = 7;

    ShowToolWindow(tools, ToolIndex::HardwareCatalogue);
    ui::WxWindow* w = wx->window("HardwareCatalogueWindow");
    ASSERT_NE(w, nullptr);
    while (!w->enabled(G("树型框"))) wx->runPending(20);
    ASSERT_TRUE(w->enabled(G("树型框")));

    auto* tree = static_cast<wxTreeCtrl*>(w->native(G("树型框")));
    EXPECT_EQ(tree->GetCount(), 21u);
    const wxTreeItemId root = FindItem(tree, tree->GetRootItem(), "RouterBOARD");
    ASSERT_TRUE(root.IsOk());
    EXPECT_TRUE(tree->IsBold(root));
    EXPECT_TRUE(tree->IsExpanded(root));

    const wxTreeItemId hex = FindItem(tree, tree->GetRootItem(), "hEX");
    ASSERT_TRUE(hex.IsOk());
    tree->SelectItem(hex);  // as a click does
    wx->runPending(20);
    EXPECT_EQ(w->text(G("标签_name")).bytes(), "hEX");
    EXPECT_EQ(w->text(G("标签_价格美")).bytes(), "$59.95");
    EXPECT_EQ(w->text(G("标签_价格人")).bytes(), G("￥419.65"));
    auto* picture = static_cast<wxGenericStaticBitmap*>(w->native(G("图片框_图片")));
    EXPECT_EQ(picture->GetBitmap().GetWidth(), 240);
    auto* grid = static_cast<wxGrid*>(w->native(G("高级表格")));
    ASSERT_GE(grid->GetNumberRows(), 2);
    EXPECT_EQ(grid->GetCellValue(0, 0), wxString::FromUTF8("型号"));
    EXPECT_EQ(grid->GetCellBackgroundColour(1, 1), wxColour(230, 230, 230));
    EXPECT_NE(grid->GetCellBackgroundColour(0, 1), wxColour(230, 230, 230));

    EXPECT_FALSE(w->close());  // hidden, not gone
    EXPECT_EQ(wx->window("HardwareCatalogueWindow"), w);
    CloseToolWindows(tools);  // with its loader, while the tool context is there
    UsdCnyRate = 0;
}

}  // namespace
}  // namespace trelvix

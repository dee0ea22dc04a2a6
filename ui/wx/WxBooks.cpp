// Tab books and page controls, whose pages other than the shown one get
// their natives only when first needed.
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/simplebook.h>

#include "ui/wx/WxNatives.h"
#include "ui/wx/WxText.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::ui {

namespace {

// A tab page. The toolkit's notebook hands the focus to every page it shows,
// the first one already as it is added; a page shown from code must leave the
// focus where the user put it, so such a showing holds the page's focus back.
class TabPage final : public wxPanel {
public:
    explicit TabPage(wxBookCtrlBase* book) : wxPanel(book, wxID_ANY) {}
    void SetFocus() override {
        if (!holdFocus_) wxPanel::SetFocus();
    }

    struct Hold {
        explicit Hold(wxWindow* page) : page(dynamic_cast<TabPage*>(page)) {
            if (this->page) this->page->holdFocus_ = true;
        }
        ~Hold() {
            if (page) page->holdFocus_ = false;
        }
        TabPage* page;
    };

private:
    bool holdFocus_ = false;
};

void AddPageFromCode(wxBookCtrlBase& book, TabPage* page, const wxString& caption) {
    TabPage::Hold hold(page);
    book.AddPage(page, caption);
}

}  // namespace

// Only a focus that would go out of sight with the page it is on moves, to
// the page shown instead, as the toolkit would move it.
void ShowPageFromCode(wxBookCtrlBase& book, int index) {
    wxWindow* const focused = wxWindow::FindFocus();
    wxWindow* const leaving = book.GetCurrentPage();
    wxWindow* const shown = book.GetPage(static_cast<size_t>(index));
    const bool focusLeaves = focused && leaving && leaving != shown && leaving->IsDescendant(focused);
    {
        TabPage::Hold hold(shown);
        book.ChangeSelection(static_cast<size_t>(index));
    }
    if (focusLeaves && shown) shown->SetFocus();
}

wxWindow* WxWindow::makeBook(WxControl& c, wxWindow* parent) {
    wxBookCtrlBase* book = nullptr;
    if (c.spec.kind == Kind::PageControl) book = new wxSimplebook(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect));
    else book = new wxNotebook(parent, wxID_ANY, PointOf(c.rect), SizeOf(c.rect));
    const std::string name = c.spec.name;
    // A page's controls are made before the page shows the first time.
    bind(book, wxEVT_BOOKCTRL_PAGE_CHANGING, [this, name, book](wxBookCtrlEvent& e) {
        e.Skip();
        if (OwnEvent(e, book)) buildPageAt(name, e.GetSelection());
    });
    bind(book, wxEVT_BOOKCTRL_PAGE_CHANGED, [this, name, book](wxBookCtrlEvent& e) {
        if (!OwnEvent(e, book)) return;
        e.Skip();
        if (quiet_) return;
        at(name).current = e.GetSelection();
        deliver(name, Event::TabChanged, EventArgs::Index(e.GetSelection()), true);
    });
    bindFocusAndKeys(book, name);
    return book;
}

void WxWindow::addPages(WxControl& c, const ControlSpec& s, Build build) {
    const bool joining = build != Build::Natives;
    auto* book = dynamic_cast<wxBookCtrlBase*>(c.native);
    const int shown = c.current < 0 ? 0 : c.current;
    for (std::size_t i = 0; i < s.children.size(); ++i) {
        const ControlSpec& page = s.children[i];
        WxControl& p = joining ? join(page, s.name) : controls_.at(page.name);
        auto* panel = book ? new TabPage(book) : nullptr;
        if (book) AddPageFromCode(*book, panel, ToWx(page.text));
        p.pending = build == Build::Later;
        p.native = panel;
        if (panel) registerNative(panel, page.name);
        if (book && static_cast<int>(i) != shown) {
            // Shown later, if ever: its controls join now and get natives then.
            if (joining) addControls(page.children, page.name, nullptr, Build::Later);
            deferred_[page.name] = page.children;
        } else {
            addControls(page.children, page.name, panel, build);
        }
    }
    if (book && c.current >= 0 && c.current < static_cast<int>(book->GetPageCount()))
        ShowPageFromCode(*book, c.current);
}

void WxWindow::materialise(const std::string& control) {
    // A page inside a waiting page waits in turn once its book is made.
    while (known(control).pending) {
        std::string outermost;
        for (std::string name = known(control).parent; !name.empty(); name = known(name).parent)
            if (deferred_.count(name)) outermost = name;
        if (outermost.empty()) return;
        buildPage(outermost);
    }
}

void WxWindow::buildPage(const std::string& page) {
    auto it = deferred_.find(page);
    if (it == deferred_.end() || !frame_) return;
    const std::vector<ControlSpec> specs = std::move(it->second);
    deferred_.erase(it);
    materialise(page);  // its own book first, when that waits too
    Quiet q(*this);
    addControls(specs, page, known(page).native, Build::Natives);
}

void WxWindow::buildPageAt(const std::string& book, int index) {
    if (deferred_.empty()) return;
    const std::vector<std::string> pages = ChildrenOf(order_, controls_, book);
    if (index >= 0 && index < static_cast<int>(pages.size())) buildPage(pages[index]);
}

}  // namespace trelvix::ui

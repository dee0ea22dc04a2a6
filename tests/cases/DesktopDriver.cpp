// The driver that acts on the toolkit's native controls: a click is the
// native's own command event, typing changes the native's value and lets its
// text event arrive, a choice selects in the native and sends its selection
// event. Pending toolkit events and posted work run between steps, never
// inside a handler.
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include <wx/app.h>
#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/dnd.h>
#include <wx/hyperlink.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/scrolbar.h>
#include <wx/stc/stc.h>
#include <wx/textctrl.h>
#include <wx/treectrl.h>

#include "Driver.h"
#include "ui/wx/WxMapping.h"
#include "ui/wx/WxText.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::cases {

namespace {

using ui::Kind;

// Rounds of pending events one settling runs at most: posted work that posts
// again settles in a few; a worker that keeps posting must not hold the step.
constexpr int kSettleRounds = 50;
// How long a focus change may take to arrive from the display before the
// step goes on without it (and fails by what it then reads): far past what
// any display takes, so no verdict depends on the machine's speed.
constexpr auto kFocusBound = std::chrono::seconds(30);

template <class T>
T& Native(ui::WxWindow& w, const std::string& control) {
    auto* native = dynamic_cast<T*>(w.native(control));
    if (!native) throw std::logic_error(control + " has no native control of the kind its layout names");
    return *native;
}

void Send(wxWindow& target, wxEvent& event) {
    event.SetEventObject(&target);
    target.ProcessWindowEvent(event);
}

void SendCommand(wxWindow& target, wxEventType type, int value, const wxString& text = {}) {
    wxCommandEvent event(type, target.GetId());
    event.SetInt(value);
    event.SetString(text);
    Send(target, event);
}

void SendListEvent(wxListCtrl& list, wxEventType type, int row) {
    wxListEvent event(type, list.GetId());
    event.m_itemIndex = row;
    event.m_item.SetId(row);
    Send(list, event);
}

// The toolkit's key code for a Windows virtual-key code: the lowest code the
// toolkit maps to it (a letter's capital, the main block's arrows).
int WxKeyCode(int windowsKey) {
    for (int code = 1; code < WXK_SPECIAL20 + 1; ++code)
        if (ui::WindowsKeyCode(code) == windowsKey) return code;
    throw std::runtime_error("no key of the toolkit has the code " + std::to_string(windowsKey));
}

std::string Unsupported(const char* step, Kind kind) {
    return std::string("the desktop has no way to ") + step + " a " + std::string(ui::KindName(kind));
}

class DesktopDriver final : public Driver {
public:
    explicit DesktopDriver(ui::WxUi& wx) : wx_(wx), recording_(wx) {
        // A handler's fault fails the step that set it off; the program goes on.
        wx_.onFault = [this](const std::string& what) {
            if (fault_.empty()) fault_ = what;
        };
        wx_.onRaised = [this](const std::string& name) { recording_.active = name; };
    }
    ~DesktopDriver() override {
        try {
            closeAll();
        } catch (const std::exception&) {
            // Told by closeAll to the runner already, when it asked.
        }
        wx_.onFault = nullptr;
        wx_.onRaised = nullptr;
    }

    RecordingUi& ui() override { return recording_; }
    ui::Window* window(const std::string& name) override { return wx_.window(name); }

    // What the screen shows: a control on a page not in front, or in a
    // greyed-out group, is out of reach although its own state says otherwise.
    std::string unusable(ui::Window& w, const std::string& control) override {
        wxWindow* native = desk(w).native(control);
        if (!native) return w.visible(control) ? (w.enabled(control) ? "" : "disabled") : "hidden";
        if (!native->IsShownOnScreen()) return "hidden";
        return native->IsEnabled() ? "" : "disabled";
    }

    void click(ui::Window& w, const std::string& control) override {
        ui::WxWindow& x = desk(w);
        const Kind kind = w.kind(control);
        switch (kind) {
            case Kind::Button: SendCommand(Native<wxButton>(x, control), wxEVT_BUTTON, 0); break;
            case Kind::CheckBox: {
                auto& box = Native<wxCheckBox>(x, control);
                box.SetValue(!box.GetValue());
                SendCommand(box, wxEVT_CHECKBOX, box.GetValue() ? 1 : 0);
                break;
            }
            case Kind::Radio: {
                auto& radio = Native<wxRadioButton>(x, control);
                radio.SetValue(true);
                SendCommand(radio, wxEVT_RADIOBUTTON, 1);
                break;
            }
            case Kind::MenuItem: {
                wxCommandEvent choice(wxEVT_MENU, x.menuItemId(control));
                Send(*x.frame(), choice);
                break;
            }
            case Kind::Hyperlink: {
                auto& link = Native<wxHyperlinkCtrl>(x, control);
                wxHyperlinkEvent follow(&link, link.GetId(), link.GetURL());
                Send(link, follow);
                break;
            }
            case Kind::Label:
            case Kind::Picture:
            case Kind::Shape:
            case Kind::Window:
            case Kind::GroupBox: {
                wxWindow* native = x.native(control);
                if (!native) throw std::logic_error(control + " has no native control");
                for (wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
                    wxMouseEvent press(type);
                    press.SetPosition(wxPoint(1, 1));
                    Send(*native, press);
                }
                break;
            }
            default: throw std::runtime_error(Unsupported("click", kind));
        }
    }

    void type(ui::Window& w, const std::string& control, const Gbk& text) override {
        ui::WxWindow& x = desk(w);
        const Kind kind = w.kind(control);
        switch (kind) {
            case Kind::Edit: {
                auto& edit = Native<wxTextCtrl>(x, control);
                if (ui::FromWx(edit.GetValue()) != text) edit.SetValue(ui::ToWx(text));
                edit.SetInsertionPointEnd();
                break;
            }
            case Kind::CodeBox: {
                auto& code = Native<wxStyledTextCtrl>(x, control);
                if (ui::FromWx(code.GetText()) == text) break;
                const bool readOnly = code.GetReadOnly();
                code.SetReadOnly(false);
                code.SetText(ui::ToWx(text));
                code.SetReadOnly(readOnly);
                code.GotoPos(code.GetLength());
                break;
            }
            case Kind::Combo:
                // The toolkit's editable combo box is a kind of its drop-down list: asked first.
                if (auto* combo = dynamic_cast<wxComboBox*>(x.native(control))) {
                    if (ui::FromWx(combo->GetValue()) != text) combo->SetValue(ui::ToWx(text));
                } else {
                    auto& list = Native<wxChoice>(x, control);
                    const int at = list.FindString(ui::ToWx(text), true);
                    if (at == wxNOT_FOUND) break;  // a drop-down list holds only its items
                    list.SetSelection(at);
                    SendCommand(list, wxEVT_CHOICE, at, list.GetString(at));
                }
                break;
            case Kind::IpAddress: {
                // The fields take their parts quietly; the last one's text event tells the change.
                std::vector<wxTextCtrl*> fields;
                for (wxWindow* child : x.native(control)->GetChildren())
                    if (auto* field = dynamic_cast<wxTextCtrl*>(child)) fields.push_back(field);
                const std::vector<Gbk> parts = Split(text, ".");
                for (std::size_t i = 0; i < fields.size(); ++i)
                    fields[i]->ChangeValue(i < parts.size() ? ui::ToWx(Trim(parts[i])) : wxString());
                if (!fields.empty()) SendCommand(*fields.back(), wxEVT_TEXT, 0, fields.back()->GetValue());
                break;
            }
            default: throw std::runtime_error(Unsupported("type into", kind));
        }
    }

    void choose(ui::Window& w, const std::string& control, int index) override {
        ui::WxWindow& x = desk(w);
        const Kind kind = w.kind(control);
        switch (kind) {
            case Kind::Combo:
                if (auto* combo = dynamic_cast<wxComboBox*>(x.native(control))) {
                    combo->SetSelection(index);
                    SendCommand(*combo, wxEVT_COMBOBOX, index, combo->GetString(index));
                } else {
                    auto& list = Native<wxChoice>(x, control);
                    list.SetSelection(index);
                    SendCommand(list, wxEVT_CHOICE, index, list.GetString(index));
                }
                break;
            case Kind::ListBox: {
                auto& list = Native<wxListBox>(x, control);
                list.SetSelection(index);
                SendCommand(list, wxEVT_LISTBOX, index, list.GetString(index));
                break;
            }
            case Kind::Tab:
            case Kind::PageControl: {
                // The book tells its own page change, as a click on a tab does.
                auto& book = Native<wxBookCtrlBase>(x, control);
                if (book.GetSelection() != index) book.SetSelection(index);
                break;
            }
            case Kind::Tree: {
                w.setCurrentItem(control, index);
                auto& tree = Native<wxTreeCtrl>(x, control);
                wxTreeEvent changed(wxEVT_TREE_SEL_CHANGED, &tree, tree.GetSelection());
                Send(tree, changed);
                break;
            }
            case Kind::ReportList:
                w.setCurrentItem(control, index);
                SendListEvent(Native<wxListCtrl>(x, control), wxEVT_LIST_ITEM_SELECTED, index);
                break;
            case Kind::HScroll: {
                auto& bar = Native<wxScrollBar>(x, control);
                // The interface counts from the bar's minimum, the native from 0.
                const int minimum = w.currentItem(control) - bar.GetThumbPosition();
                bar.SetThumbPosition(index - minimum);
                wxScrollEvent moved(wxEVT_SCROLL_THUMBRELEASE, bar.GetId(), bar.GetThumbPosition(), wxHORIZONTAL);
                Send(bar, moved);
                break;
            }
            default: throw std::runtime_error(Unsupported("choose in", kind));
        }
    }

    void checkRow(ui::Window& w, const std::string& control, int row, bool on) override {
        w.setRowChecked(control, row, on);
        SendListEvent(Native<wxListCtrl>(desk(w), control), on ? wxEVT_LIST_ITEM_CHECKED : wxEVT_LIST_ITEM_UNCHECKED,
                      row);
    }

    void change(ui::Window& w, const std::string& control) override {
        ui::WxWindow& x = desk(w);
        switch (w.kind(control)) {
            case Kind::Edit:
            case Kind::Combo: SendCommand(*x.native(control), wxEVT_TEXT, 0); break;
            case Kind::CodeBox: {
                auto& code = Native<wxStyledTextCtrl>(x, control);
                wxStyledTextEvent changed(wxEVT_STC_CHANGE, code.GetId());
                Send(code, changed);
                break;
            }
            default: x.fire(control, ui::Event::Change); break;
        }
    }

    void focusTo(ui::Window& w, const std::string& control) override {
        ui::WxWindow& x = desk(w);
        bringToFront(x);
        w.setFocus(control);
        waitForFocus(x, control, true);
    }

    void blur(ui::Window& w, const std::string& control) override {
        ui::WxWindow& x = desk(w);
        wxWindow* native = x.native(control);
        if (!native) throw std::logic_error(control + " has no native control");
        if (w.focus() == control) {
            // The focus goes to the window itself, which is no control.
            x.frame()->SetFocus();
            waitForFocus(x, control, false);
            if (w.focus() != control) return;
        }
        wxFocusEvent lost(wxEVT_KILL_FOCUS, native->GetId());
        Send(*native, lost);
    }

    void keyDown(ui::Window& w, const std::string& control, int key, int modifiers) override {
        wxWindow* native = desk(w).native(control);
        if (!native) throw std::logic_error(control + " has no native control");
        wxKeyEvent press(wxEVT_KEY_DOWN);
        press.m_keyCode = WxKeyCode(key);
        press.SetShiftDown(modifiers & ui::mod::Shift);
        press.SetControlDown(modifiers & ui::mod::Ctrl);
        press.SetAltDown(modifiers & ui::mod::Alt);
        Send(*native, press);
    }

    void dropFiles(ui::Window& w, const std::string& control,
                   const std::vector<std::filesystem::path>& files) override {
        wxWindow* native = desk(w).native(control);
        auto* target = native ? dynamic_cast<wxFileDropTarget*>(native->GetDropTarget()) : nullptr;
        if (!target) return;  // the control takes no files
        wxArrayString names;
        for (const std::filesystem::path& f : files) names.push_back(wxString(f.native().c_str(), *wxConvFileName));
        target->OnDropFiles(0, 0, names);
    }

    void closeBox(ui::Window& w) override { desk(w).frame()->Close(false); }

    void runPending() override {
        settle();
        if (fault_.empty()) return;
        const std::string fault = std::move(fault_);
        fault_.clear();
        throw std::runtime_error(fault);
    }

    void closeAll() override {
        if (closed_) return;
        closed_ = true;
        recording_.stopPosting();
        for (auto name = recording_.windowsMade.rbegin(); name != recording_.windowsMade.rend(); ++name)
            if (ui::WxWindow* w = wx_.window(*name)) wx_.destroyWindow(*w);
        runPending();
    }

private:
    static ui::WxWindow& desk(ui::Window& w) { return static_cast<ui::WxWindow&>(w); }

    void settle() {
        for (int round = 0; round < kSettleRounds; ++round) {
            wx_.runPending();
            if (!wxTheApp->HasPendingEvents()) break;
        }
    }

    // Keys and focus reach only the window the display gives them to.
    void bringToFront(ui::WxWindow& x) {
        wxWindow* focused = wxWindow::FindFocus();
        if (focused && wxGetTopLevelParent(focused) == x.frame() && focused->HasFocus()) return;
        x.frame()->Raise();
    }

    // Until the display has moved the focus onto the control (or off it),
    // and the toolkit has told what it lost.
    void waitForFocus(ui::WxWindow& x, const std::string& control, bool onto) {
        const auto deadline = std::chrono::steady_clock::now() + kFocusBound;
        for (;;) {
            settle();
            wxWindow* focused = wxWindow::FindFocus();
            const bool there = focused && focused->HasFocus() && x.focus() == control;
            if (there == onto || std::chrono::steady_clock::now() >= deadline) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        settle();
    }

    ui::WxUi& wx_;
    RecordingUi recording_;
    std::string fault_;
    bool closed_ = false;
};

}  // namespace

std::unique_ptr<Driver> MakeDesktopDriver(ui::WxUi& wx) { return std::make_unique<DesktopDriver>(wx); }

}  // namespace trelvix::cases

#include "ui/wx/WxUi.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/fontdlg.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/taskbar.h>
#include <wx/utils.h>

#include "common/platform/DesktopLanguage.h"
#include "common/platform/OpenUrl.h"
#include "ui/wx/WxMapping.h"
#include "ui/wx/WxText.h"
#include "ui/wx/WxTheme.h"
#include "ui/wx/WxWindow.h"

namespace trelvix::ui {

namespace {

// The application object the toolkit needs; the program keeps its own main.
class Application final : public wxApp {
public:
    // The command line belongs to the program, not to the toolkit's parser.
    bool OnInit() override { return true; }
};

bool gStarted = false;

// A failed toolkit check is a fault of ours: say so on the terminal rather
// than in a box that would stop the program (or a test) until someone answers.
void PrintAssert(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg) {
    std::fprintf(stderr, "wx assertion failed: %s(%d) in %s: %s %s\n", static_cast<const char*>(file.utf8_str()), line,
                 static_cast<const char*>(func.utf8_str()), static_cast<const char*>(cond.utf8_str()),
                 static_cast<const char*>(msg.utf8_str()));
}

// The desktop's own labels follow its language; the interface is Chinese
// whatever that is. Labels a box does not show are not used.
void LabelMessageButtons(wxMessageDialog& box) {
    box.SetYesNoCancelLabels(wxString::FromUTF8("是"), wxString::FromUTF8("否"), wxString::FromUTF8("取消"));
    box.SetOKCancelLabels(wxString::FromUTF8("确定"), wxString::FromUTF8("取消"));
}

}  // namespace

std::unique_ptr<Ui> CreateWxUi(int& argc, char** argv) { return WxUi::Create(argc, argv); }

std::unique_ptr<WxUi> WxUi::Create(int& argc, char** argv) {
    // The toolkit keeps native resources across a clean-up: it starts once per process.
    if (gStarted) throw std::logic_error("the wx realisation starts once per process");
#ifdef __WXGTK__
    // Nothing here draws with OpenGL, yet GTK probes it when the display opens
    // and so loads the system's GL driver: over 50 MB resident under a
    // software renderer. Left to the user when the variable is set.
    setenv("GDK_GL", "disable", 0);
#endif
    UseDesktopLanguageForToolkitTexts();
    wxApp::SetInstance(new Application);
    if (!wxEntryStart(argc, argv)) return nullptr;
    if (!wxTheApp->CallOnInit()) {
        wxEntryCleanup();
        return nullptr;
    }
    gStarted = true;
    return std::unique_ptr<WxUi>(new WxUi);
}

WxUi::WxUi() {
    wxInitAllImageHandlers();
    UseCompactMetrics();
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxSetAssertHandler(PrintAssert);
    quitTimer_ = std::make_unique<wxTimer>();
    quitTimer_->Bind(wxEVT_TIMER, [this](wxTimerEvent&) { quit(0); });
}

WxUi::~WxUi() {
    stopPosting();
    quitTimer_->Stop();
    // Destroy handlers run at the end, as they would when the process ends.
    destroyAllWindows();
    runPending();
    quitTimer_.reset();
    wxTheApp->DeletePendingEvents();
    wxEntryCleanup();
    windows_.clear();
    graveyard_.clear();
}

void WxUi::destroyAllWindows() {
    // A window owned by another goes before its owner.
    while (!windows_.empty()) {
        WxWindow* leaf = windows_.begin()->second.get();
        for (bool found = true; found;) {
            found = false;
            for (auto& [name, w] : windows_)
                if (w->ownerName() == leaf->name()) {
                    leaf = w.get();
                    found = true;
                    break;
                }
        }
        destroyWindow(*leaf);
    }
}

// ---------------------------------------------------------------- windows

Window& WxUi::createWindow(const WindowSpec& layout, Window* owner, const std::function<void(Window&)>& onCreated) {
    if (windows_.count(layout.name)) throw std::runtime_error("window already exists: " + layout.name);
    auto w = std::make_unique<WxWindow>(*this, layout, dynamic_cast<WxWindow*>(owner));
    WxWindow& ref = *w;
    windows_.emplace(layout.name, std::move(w));
    if (onCreated) onCreated(ref);
    return ref;
}

Window* WxUi::findWindow(const std::string& name) { return window(name); }

WxWindow* WxUi::window(const std::string& name) {
    auto it = windows_.find(name);
    return it == windows_.end() ? nullptr : it->second.get();
}

void WxUi::destroyWindow(Window& window) {
    auto it = windows_.find(window.name());
    if (it == windows_.end() || it->second.get() != &window) return;
    // Owned windows go first: their owner would take them along.
    std::vector<std::string> owned;
    for (auto& [name, w] : windows_)
        if (w->ownerName() == window.name()) owned.push_back(name);
    for (const std::string& name : owned)
        if (WxWindow* w = this->window(name)) destroyWindow(*w);
    WxWindow& target = static_cast<WxWindow&>(window);
    target.destroyNow();
    forget(target);
}

void WxUi::forget(WxWindow& window) {
    auto it = windows_.find(window.name());
    if (it == windows_.end() || it->second.get() != &window) return;
    // Kept until the toolkit has deleted the frame: the caller may still be in a handler of it.
    graveyard_.push_back(std::move(it->second));
    windows_.erase(it);
}

void WxUi::releaseGoneWindows() {
    if (dispatchDepth_ == 0) std::erase_if(graveyard_, [](const std::unique_ptr<WxWindow>& w) { return w->gone(); });
}

void WxUi::releaseGoneWindowsLater() {
    // Not from inside the frame's own destruction.
    wxTheApp->CallAfter([this, gate = gate_] {
        {
            std::lock_guard lock(gate->mutex);
            if (!gate->open) return;
        }
        releaseGoneWindows();
    });
}

wxWindow* WxUi::dialogParent(const std::string& owner) {
    if (WxWindow* w = window(owner); w && w->frame() && w->frame()->IsShown()) return w->frame();
    wxWindow* active = wxGetActiveWindow();
    return active ? wxGetTopLevelParent(active) : nullptr;
}

// ---------------------------------------------------------------- desktop services

std::unique_ptr<wxMessageDialog> WxUi::messageDialog(const MessageBoxCall& call) {
    auto box = std::make_unique<wxMessageDialog>(dialogParent(call.owner), ToWx(call.text), ToWx(call.title),
                                                 MessageBoxStyle(call.flags));
    LabelMessageButtons(*box);
    return box;
}

int WxUi::messageBox(const MessageBoxCall& call) {
    return MessageBoxAnswer(messageDialog(call)->ShowModal(), call.flags);
}

std::optional<std::filesystem::path> WxUi::showFileDialog(const FileDialogRequest& request) {
    const long style = request.save ? (wxFD_SAVE | wxFD_OVERWRITE_PROMPT) : (wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    const wxString dir(request.initialDir.native().c_str(), *wxConvFileName);
    const wxString filter = request.filter.empty() ? wxString(wxFileSelectorDefaultWildcardStr) : ToWx(request.filter);
    wxFileDialog dialog(dialogParent(""), request.save ? wxString::FromUTF8("另存为") : wxString::FromUTF8("打开"), dir,
                        ToWx(request.fileName), filter, style);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return std::filesystem::path(std::string(dialog.GetPath().mb_str(*wxConvFileName)));
}

bool WxUi::setClipboardText(const GbkText& text) {
    wxClipboardLocker lock;
    if (!lock) return false;
    if (!wxTheClipboard->SetData(new wxTextDataObject(ToWx(text)))) return false;
    // Keep the text for other programs after this one ends, where the desktop can.
    wxTheClipboard->Flush();
    return true;
}

std::optional<GbkText> WxUi::clipboardText() {
    wxClipboardLocker lock;
    if (!lock || !wxTheClipboard->IsSupported(wxDF_UNICODETEXT)) return std::nullopt;
    wxTextDataObject data;
    if (!wxTheClipboard->GetData(data)) return std::nullopt;
    return FromWx(data.GetText());
}

void WxUi::openUrl(const GbkText& url) { OpenUrl(url); }

std::optional<FontChoice> WxUi::chooseFont(const FontChoice& initial) {
    wxFontData data;
    data.SetInitialFont(
        wxFont(wxFontInfo(initial.points).FaceName(ToWx(initial.face)).Bold(initial.bold).Italic(initial.italic)));
    wxFontDialog dialog(dialogParent(""), data);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    const wxFont font = dialog.GetFontData().GetChosenFont();
    if (!font.IsOk()) return std::nullopt;
    FontChoice chosen;
    chosen.face = FromWx(font.GetFaceName());
    chosen.points = font.GetPointSize();
    chosen.bold = font.GetWeight() >= wxFONTWEIGHT_BOLD;
    chosen.italic = font.GetStyle() == wxFONTSTYLE_ITALIC;
    return chosen;
}

void WxUi::post(std::function<void()> work) {
    std::shared_ptr<PostGate> gate = gate_;
    std::lock_guard lock(gate->mutex);
    if (!gate->open) return;
    // Queued under the lock: once the gate closes, nothing reaches the toolkit.
    wxTheApp->CallAfter([this, gate, work = std::move(work)] {
        {
            std::lock_guard inner(gate->mutex);
            if (!gate->open) return;
        }
        dispatch(work, true);
    });
}

void WxUi::stopPosting() {
    std::lock_guard lock(gate_->mutex);
    gate_->open = false;
}

bool WxUi::trayAvailable() const { return wxTaskBarIcon::IsAvailable(); }

void WxUi::quit(int exitCode) {
    exitCode_ = exitCode;
    quitRequested_ = true;
    if (running_) wxTheApp->ExitMainLoop();
}

int WxUi::run() {
    if (!quitRequested_) {
        running_ = true;
        wxTheApp->MainLoop();
        running_ = false;
    }
    quitRequested_ = false;
    return exitCode_;
}

void WxUi::quitAfter(int milliseconds) { quitTimer_->StartOnce(std::max(1, milliseconds)); }

// ---------------------------------------------------------------- handlers and faults

void WxUi::dispatch(const std::function<void()>& work, bool fromToolkit) {
    if (faulted_) return;
    if (!fromToolkit && dispatchDepth_ > 0) {
        work();
        return;
    }
    const int saved = dispatchDepth_;
    dispatchDepth_ = 1;
    std::string fault;
    try {
        work();
    } catch (const std::exception& e) {
        fault = e.what();
        if (fault.empty()) fault = "?";
    } catch (...) {
        fault = "?";
    }
    dispatchDepth_ = saved;
    releaseGoneWindows();
    if (fault.empty()) return;
    if (onFault) {
        onFault(fault);
        return;
    }
    faulted_ = true;
    stopPosting();
    wxMessageDialog box(nullptr, wxString::FromUTF8("运行时出错!\n") + ToWx(fault), wxString::FromUTF8("错误"),
                        wxOK | wxICON_ERROR | wxCENTRE);
    LabelMessageButtons(box);
    box.ShowModal();
    quit(1);
}

void WxUi::runPending(int milliseconds) {
    const wxLongLong end = wxGetLocalTimeMillis() + milliseconds;
    do {
        wxTheApp->Yield(true);
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
        if (milliseconds > 0) wxMilliSleep(5);
    } while (wxGetLocalTimeMillis() < end);
    releaseGoneWindows();
}

}  // namespace trelvix::ui

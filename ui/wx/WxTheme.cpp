#include "ui/wx/WxTheme.h"

#include <wx/defs.h>

#ifdef __WXGTK3__
#include <dlfcn.h>

#include <cstring>
#endif

namespace trelvix::ui {

#ifdef __WXGTK3__
namespace {

// Tighter padding for the widgets the layouts use; sizes themselves stay the
// layout's. The theme's colours and shapes are left alone.
constexpr char kCompactCss[] = R"(
button { min-height: 0; min-width: 0; padding: 1px 6px; }
entry { min-height: 0; padding: 0 4px; }
combobox button, combobox entry { min-height: 0; padding-top: 0; padding-bottom: 0; }
combobox arrow { min-height: 8px; min-width: 8px; }
notebook > header > tabs > tab { min-height: 0; min-width: 0; padding: 2px 8px; }
notebook > header.top > tabs > tab { padding-top: 2px; padding-bottom: 2px; }
checkbutton, radiobutton { min-height: 0; padding: 0; }
check, radio { min-height: 12px; min-width: 12px; margin: 0 4px 0 0; }
scrollbar slider { min-height: 6px; min-width: 6px; }
frame > label { padding: 0; }
)";

}  // namespace

void UseCompactMetrics() {
    // The style provider lives in the toolkit already loaded; looked up by
    // name so the build needs no toolkit headers of its own.
    using NewProvider = void* (*)();
    using LoadData = int (*)(void*, const char*, long, void**);
    using DefaultScreen = void* (*)();
    using AddProvider = void (*)(void*, void*, unsigned);
    auto newProvider = reinterpret_cast<NewProvider>(dlsym(RTLD_DEFAULT, "gtk_css_provider_new"));
    auto loadData = reinterpret_cast<LoadData>(dlsym(RTLD_DEFAULT, "gtk_css_provider_load_from_data"));
    auto defaultScreen = reinterpret_cast<DefaultScreen>(dlsym(RTLD_DEFAULT, "gdk_screen_get_default"));
    auto addProvider = reinterpret_cast<AddProvider>(dlsym(RTLD_DEFAULT, "gtk_style_context_add_provider_for_screen"));
    if (!newProvider || !loadData || !defaultScreen || !addProvider) return;
    void* screen = defaultScreen();
    void* provider = newProvider();
    if (!screen || !provider) return;
    if (!loadData(provider, kCompactCss, static_cast<long>(std::strlen(kCompactCss)), nullptr)) return;
    constexpr unsigned kApplicationPriority = 600;
    addProvider(screen, provider, kApplicationPriority);
}
#else
void UseCompactMetrics() {}
#endif

}  // namespace trelvix::ui

#pragma once
// The result of a generator: a script for the script box, an error for a
// message box, or nothing at all (an empty list produces nothing, silently).
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/text/Gbk.h"
#include "generators/PageContext.h"

namespace trelvix {

enum class FocusMove { None, BeforeBox, AfterBox };

// A field of the snapshot a generator was given, named by its address. A
// generator names the field it refuses; the page's field table knows which
// control that field was read from, so generators never name controls.
struct FieldRef {
    const void* address = nullptr;
    explicit operator bool() const { return address != nullptr; }
    bool operator==(const FieldRef&) const = default;
};

template <class T>
FieldRef FieldOf(const T& field) {
    return FieldRef{&field};
}

// The main window's name, as the message boxes that it owns name it.
const std::string& MainWindowName();

struct ScriptError {
    Gbk message;
    int flags = 64;
    std::optional<Gbk> title;  // none: the default title "信息："
    FieldRef focus;            // the field whose control gets the focus; none for no move
    FocusMove when = FocusMove::None;
    std::string owner;  // owner window's name, "" for none
    bool operator==(const ScriptError&) const = default;
};

// An error box with the error icon, owned by the main window.
ScriptError MainWindowError(Gbk message, Gbk title, FieldRef focus = {}, FocusMove when = FocusMove::None);

struct Outcome {
    std::optional<Gbk> script;
    std::optional<ScriptError> error;

    static Outcome Script(Gbk text) { return Outcome{std::move(text), std::nullopt}; }
    static Outcome Error(ScriptError e) { return Outcome{std::nullopt, std::move(e)}; }
    static Outcome Nothing() { return Outcome{}; }
};

// The control a field was read from; "" when the page does not read that field.
using ControlOfField = std::function<std::string(FieldRef)>;

// Hands a generator's result to the page: the script to the script box, or
// the error's box with the focus moved where the page moves it. An error that
// names a field the page cannot place is a programming error (logic_error).
void Deliver(PageContext& page, const Outcome& outcome, const ControlOfField& controlOf = {});

// Runs `action` when the control is clicked.
void OnClick(PageContext& page, const std::string& control, std::function<void()> action);

// Binds a button that shows one stored RouterOS text, unchanged.
void BindFixedScript(PageContext& page, const std::string& button, Gbk script);

// A label or link that opens a page of the maker's site on `event`; shown
// disabled, and opening nothing, when the build names no site (url empty).
void BindMakerPageLink(PageContext& page, const std::string& control, ui::Event event, const std::string& url);

}  // namespace trelvix

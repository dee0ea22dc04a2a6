#pragma once
// The result of a generator: a script for the script box, an error for a
// message box, or nothing at all (an empty list produces nothing, silently).
#include <optional>
#include <string>
#include <string_view>

#include "common/text/Gbk.h"
#include "generators/PageContext.h"

namespace trelvix {

enum class FocusMove { None, BeforeBox, AfterBox };

struct ScriptError {
    Gbk message;
    int flags = 64;
    std::optional<Gbk> title;  // none: the default title "信息："
    std::string focus;         // control to focus, "" for none
    FocusMove when = FocusMove::None;
    std::string owner;         // owner window's name, "" for none
    bool operator==(const ScriptError&) const = default;
};

struct Outcome {
    std::optional<Gbk> script;
    std::optional<ScriptError> error;

    static Outcome Script(Gbk text) { return Outcome{std::move(text), std::nullopt}; }
    static Outcome Error(ScriptError e) { return Outcome{std::nullopt, std::move(e)}; }
    static Outcome Nothing() { return Outcome{}; }
};

// Hands a generator's result to the page: the script to the script box, or
// the error's box with the focus moved where the page moves it.
void Deliver(PageContext& page, const Outcome& outcome);

// Binds a button that shows one stored RouterOS text, unchanged.
void BindFixedScript(PageContext& page, const std::string& button, Gbk script);

}  // namespace trelvix

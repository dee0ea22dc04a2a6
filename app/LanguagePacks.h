#pragma once
// The traditional-Chinese interface: the built-in packs (one per window that
// has one, made from the layouts at build time), the language step a window
// runs while it is created, and the main window's switch between the two
// interfaces. Packs hold Big5 texts; windows show them decoded, so every
// control reads back as GBK (GBK holds every Big5 character).
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "common/platform/Ini.h"
#include "common/text/Gbk.h"
#include "ui/Window.h"

namespace trelvix {

struct App;

// The built-in pack by its file name ("language1.ini" the main window,
// 2 route table, 3 subnet calculator, 4 script editor, 5 IPv6 tunnel).
std::optional<std::string_view> BuiltInLanguagePack(std::string_view name);

Gbk Big5ToGbk(std::string_view big5);

// Applies a pack section by section: edit boxes and labels take a value only
// when it is not empty (the version label never), buttons, radio buttons,
// check boxes, group boxes and tree items take theirs even when it is empty
// or missing.
void ApplyLanguagePack(ui::Window& window, const IniText& pack);
// The same from a pack file; a file that cannot be read, is no regular file
// or is far larger than any pack (the built-in ones are a few dozen KB)
// holds no entries.
inline constexpr std::uintmax_t kLanguageFileLimit = 1u << 20;
void ApplyLanguageFile(ui::Window& window, const std::filesystem::path& file);

// Whether the settings file asks for the traditional interface ([log]
// language is exactly "1"); a missing or unreadable file does not.
bool TraditionalInterfaceChosen(const std::filesystem::path& settingsFile);

// A window's language step: the built-in pack `name` applied from memory
// (through `apply`, which tests may watch) when the settings ask for the
// traditional interface; otherwise nothing.
using ApplyPackFn = std::function<void(ui::Window&, std::string_view)>;
void ApplyBuiltInLanguagePack(ui::Window& window, const std::filesystem::path& settingsFile, std::string_view name,
                              const ApplyPackFn& apply);

// The language button 按钮_语言: asks, writes the other language into the
// settings and ends the program; the new language shows from the next start.
void SwitchLanguage(App& app);

}  // namespace trelvix

#pragma once
#include <optional>
#include <string_view>

namespace trelvix {

// A file built into the program, by its path from the source root
// ("data/..." or "ui/layouts/..."); nothing when there is no such file.
std::optional<std::string_view> EmbeddedFile(std::string_view path);

// A built-in text the program cannot do without (a stored RouterOS script):
// its absence is a build fault, so it throws std::logic_error.
std::string_view StoredText(std::string_view path);

}  // namespace trelvix

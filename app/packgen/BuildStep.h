#pragma once
// What the two build-step programs share: they run before the program's files
// are embedded, and read the layouts from the source tree.
#include <filesystem>
#include <optional>
#include <string>

namespace trelvix::packgen {

// The whole file as bytes; nothing when it cannot be opened.
std::optional<std::string> ReadFile(const std::filesystem::path& file);

}  // namespace trelvix::packgen

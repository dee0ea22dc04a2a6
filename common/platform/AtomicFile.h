#pragma once
// Whole-file reads and writes. A write never leaves a half-written target:
// the bytes go to a temporary file beside it, which is then renamed over it,
// so a failure keeps the old file whole.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace trelvix {

// The file's bytes; nothing when it cannot be opened or read (a folder, no rights).
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file);

// Replaces `file` with `bytes`. An existing file keeps its permissions; a new one
// gets the usual ones (the process's umask). False, with the reason in `error`
// when given, when anything failed; the old file is then unchanged.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::string* error = nullptr);

}  // namespace trelvix

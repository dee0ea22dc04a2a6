#pragma once
// Where the program keeps its files on this platform. Each answer comes from
// one small function over the operating system, so another platform swaps the
// implementation and nothing else.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/text/Gbk.h"

namespace trelvix {

// The settings folder: $XDG_CONFIG_HOME/vemtu, or ~/.config/vemtu when that
// variable is unset, empty or not absolute. Not created here.
std::filesystem::path SettingsDirectory();
// "config.ini" inside the settings folder.
std::filesystem::path SettingsFilePath();
// The per-user temporary folder, kept between runs: $XDG_CACHE_HOME/vemtu/
// (default ~/.cache/vemtu/), always with a trailing separator.
std::filesystem::path TemporaryDirectory();
// The per-user folder for what lives only while the program runs (the
// single-instance lock and socket): $XDG_RUNTIME_DIR/vemtu when that variable
// holds an absolute path, otherwise "runtime" inside the temporary folder (a
// folder of its own: the temporary folder itself is made with the umask's
// mode, which others may enter). No trailing separator. Not created here.
std::filesystem::path RuntimeDirectory();
// The folder of the running executable; empty when the system does not say.
std::filesystem::path ProgramDirectory();
// Makes ProgramDirectory answer `directory` instead (empty: the executable's
// folder again), so tests keep what the program writes beside itself inside
// a temporary folder.
void SetProgramDirectory(std::filesystem::path directory);

// A GBK file or folder name as a path of this system, and back (this system
// names files in UTF-8).
std::filesystem::path PathFromGbk(std::string_view gbk);
Gbk GbkFromPath(const std::filesystem::path& path);

// Whether what is at `path` (a link is followed) belongs to another user;
// false when nothing is there.
bool OwnedByAnotherUser(const std::filesystem::path& path);
// Makes `folder` (its parents with the usual rights) a folder only this user
// may enter: created so when missing, closed to others when it is a folder of
// this user already. False, with the reason in `error`, when it is a link, no
// folder, or another user's.
bool MakePrivateFolder(const std::filesystem::path& folder, std::string* error = nullptr);

// --- the operating-system calls behind the answers above
// An environment variable; nothing when it is unset.
std::optional<std::string> EnvironmentValue(const char* name);
// The user's home folder: $HOME, else the account's entry.
std::filesystem::path HomeDirectory();
// The running executable's full path; empty when unknown.
std::filesystem::path ExecutablePath();

}  // namespace trelvix

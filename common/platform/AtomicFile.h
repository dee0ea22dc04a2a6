#pragma once
// Whole-file reads and writes. A read takes only a regular file of a bounded
// size, so a pipe, a device or a runaway file never holds or ends the program.
// A write never leaves a half-written target: the bytes go to a temporary
// file beside it, which is then renamed over it, so a failure keeps the old
// file whole.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace trelvix {

// What a symbolic link at the path stands for.
enum class Links {
    // The file it points to (what the user chose to read).
    Follow,
    // The file it points to, when that is a regular file of this user: the
    // user's own settings or scripts kept elsewhere.
    FollowOwnFile,
    // Nothing of ours: a read finds no file, a write replaces the link. For
    // the program's own work files, which nobody else should redirect.
    NotFollowed,
};

struct FileBytes {
    enum class Result { Read, TooLarge, Unreadable };
    Result result = Result::Unreadable;
    std::string bytes;  // only when Read
};

// The bytes of a regular file of at most `limit` bytes. A folder, a pipe, a
// device, a link the rule refuses, or a file that cannot be opened is
// Unreadable; the read stops soon after `limit` bytes, so a file that grows
// while it is read cannot make it unbounded.
FileBytes ReadRegularFile(const std::filesystem::path& file, std::uintmax_t limit, Links links = Links::FollowOwnFile);
// The same, as the bytes or nothing.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file, std::uintmax_t limit,
                                         Links links = Links::FollowOwnFile);

struct WriteRules {
    Links links = Links::FollowOwnFile;
    // Secrets: the file is readable and writable by this user only, whatever
    // the umask or the old file's permissions.
    bool ownerOnly = false;
};

// Replaces `file` with `bytes`. An existing file keeps its permissions; a new one
// gets the usual ones (the process's umask), unless the rules say owner only.
// False, with the reason in `error` when given, when anything failed (a link
// the rules do not follow counts as a failure); the old file is then unchanged.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes, std::string* error = nullptr,
                         WriteRules rules = {});

// Removes from `folder` what saves of this program that never finished left
// behind ("config.ini.~1234-0": the target's name, the writer's process id
// and a serial), when the writer is gone and the file is this user's. Only
// the folder itself is looked at. How many were removed.
int RemoveAbandonedSaves(const std::filesystem::path& folder);

}  // namespace trelvix

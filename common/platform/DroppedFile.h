#pragma once
// Reading a file the user gave a box or a list (dropped on it, or chosen in a
// dialog): its text is its bytes up to the first zero byte, taken as GBK as
// they stand (no byte-order mark, no UTF-8 or UTF-16 decoding). A file that
// cannot be read, a folder, or one larger than the caller's limit gives no
// text, so that a mis-aimed file never replaces what the user had with nothing.
#include <cstdint>
#include <filesystem>

#include "common/platform/AtomicFile.h"
#include "common/text/Gbk.h"

namespace trelvix {

struct DroppedFileText {
    enum class Result { Read, TooLarge, Unreadable };
    Result result = Result::Unreadable;
    Gbk text;  // only when Read
};

// Anything but a regular file (or a link to one that `links` follows) is
// unreadable. The read stops soon after `limit` bytes, so a file that grows
// while it is read cannot make it unbounded.
DroppedFileText ReadDroppedFile(const std::filesystem::path& file, std::uintmax_t limit, Links links = Links::Follow);

}  // namespace trelvix

#pragma once
// Reading a file the user gave a box or a list (dropped on it, or chosen in a
// dialog): its text is its bytes up to the first zero byte, taken as GBK. A
// file that cannot be read, a folder, or one larger than the caller's limit
// gives no text, so that a mis-aimed file never replaces what the user had
// with nothing.
//
// Today's editors save UTF-8: read as GBK, its Chinese turns into other
// characters, and a save writes the damage back. So where the caller asks,
// bytes that are well-formed UTF-8 and not all ASCII are read as UTF-8
// (a leading byte-order mark dropped) and converted; anything else is GBK.
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "common/platform/AtomicFile.h"
#include "common/text/Gbk.h"

namespace trelvix {

struct DroppedFileText {
    enum class Result { Read, TooLarge, Unreadable };
    Result result = Result::Unreadable;
    Gbk text;  // only when Read
    bool fromUtf8 = false;
    std::size_t lostCharacters = 0;  // of a UTF-8 file, the characters GBK lacks: each reads "?"
};

enum class TextBytes {
    Gbk,        // files the program wrote itself
    GbkOrUtf8,  // files a user gives it
};

// Anything but a regular file (or a link to one that `links` follows) is
// unreadable. The read stops soon after `limit` bytes, so a file that grows
// while it is read cannot make it unbounded.
DroppedFileText ReadDroppedFile(const std::filesystem::path& file, std::uintmax_t limit,
                                TextBytes bytes = TextBytes::Gbk, Links links = Links::Follow);

// What a box says when a file's characters could not all be kept: empty when
// every one was.
Gbk LostCharactersNotice(const DroppedFileText& read);

}  // namespace trelvix

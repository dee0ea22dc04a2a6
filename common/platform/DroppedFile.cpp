#include "common/platform/DroppedFile.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <system_error>

namespace trelvix {

DroppedFileText ReadDroppedFile(const std::filesystem::path& file, std::uintmax_t limit) {
    using Result = DroppedFileText::Result;
    std::error_code error;
    // Only a file: a folder has no text, and opening a pipe or a terminal would
    // wait for a writer that may never come.
    if (!std::filesystem::is_regular_file(file, error)) return {Result::Unreadable, {}};
    // The size, where the file system knows it, refuses a large file before reading any of it.
    if (const std::uintmax_t size = std::filesystem::file_size(file, error); !error && size > limit)
        return {Result::TooLarge, {}};
    std::ifstream in(file, std::ios::binary);
    if (!in) return {Result::Unreadable, {}};
    std::string bytes;
    constexpr std::size_t kChunk = 64 * 1024;
    char chunk[kChunk];
    while (in && bytes.size() <= limit) {
        in.read(chunk, static_cast<std::streamsize>(kChunk));
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return {Result::Unreadable, {}};
    if (bytes.size() > limit) return {Result::TooLarge, {}};
    bytes.resize(std::min(bytes.size(), bytes.find('\0')));
    return {Result::Read, Gbk(std::move(bytes))};
}

}  // namespace trelvix

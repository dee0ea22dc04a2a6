#include "common/platform/DroppedFile.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "common/text/CodePage.h"

namespace trelvix {

DroppedFileText ReadDroppedFile(const std::filesystem::path& file, std::uintmax_t limit, TextBytes textBytes) {
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
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
    if (textBytes == TextBytes::Gbk || ascii || !IsUtf8(bytes)) return {Result::Read, Gbk(std::move(bytes)), false, 0};
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const std::string_view utf8 = std::string_view(bytes).substr(bytes.starts_with(kByteOrderMark) ? 3 : 0);
    DroppedFileText read{Result::Read, {}, true, 0};
    read.text = Utf8ToGbk(utf8, read.lostCharacters);
    return read;
}

Gbk LostCharactersNotice(const DroppedFileText& read) {
    if (read.lostCharacters == 0) return {};
    return "文件中有" + std::to_string(read.lostCharacters) + "个字符在GBK中没有,已显示为\"?\",保存时将会丢失!";
}

}  // namespace trelvix

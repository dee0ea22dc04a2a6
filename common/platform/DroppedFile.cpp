#include "common/platform/DroppedFile.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "common/text/CodePage.h"

namespace trelvix {

DroppedFileText ReadDroppedFile(const std::filesystem::path& file, std::uintmax_t limit, TextBytes textBytes,
                                Links links) {
    using Result = DroppedFileText::Result;
    FileBytes read = ReadRegularFile(file, limit, links);
    switch (read.result) {
        case FileBytes::Result::TooLarge: return {Result::TooLarge, {}};
        case FileBytes::Result::Unreadable: return {Result::Unreadable, {}};
        case FileBytes::Result::Read: break;
    }
    std::string& bytes = read.bytes;
    bytes.resize(std::min(bytes.size(), bytes.find('\0')));
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
    if (textBytes == TextBytes::Gbk || ascii || !IsUtf8(bytes)) return {Result::Read, Gbk(std::move(bytes)), false, 0};
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const std::string_view utf8 = std::string_view(bytes).substr(bytes.starts_with(kByteOrderMark) ? 3 : 0);
    DroppedFileText text{Result::Read, {}, true, 0};
    text.text = Utf8ToGbk(utf8, text.lostCharacters);
    return text;
}

Gbk LostCharactersNotice(const DroppedFileText& read) {
    if (read.lostCharacters == 0) return {};
    return "文件中有" + std::to_string(read.lostCharacters) + "个字符在GBK中没有,已显示为\"?\",保存时将会丢失!";
}

}  // namespace trelvix

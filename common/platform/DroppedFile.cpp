#include "common/platform/DroppedFile.h"

#include <algorithm>
#include <string>

namespace trelvix {

DroppedFileText ReadDroppedFile(const std::filesystem::path& file, std::uintmax_t limit, Links links) {
    using Result = DroppedFileText::Result;
    FileBytes read = ReadRegularFile(file, limit, links);
    switch (read.result) {
        case FileBytes::Result::TooLarge: return {Result::TooLarge, {}};
        case FileBytes::Result::Unreadable: return {Result::Unreadable, {}};
        case FileBytes::Result::Read: break;
    }
    std::string& bytes = read.bytes;
    bytes.resize(std::min(bytes.size(), bytes.find('\0')));
    return {Result::Read, Gbk(std::move(bytes))};
}

}  // namespace trelvix

#pragma once
#include <cstddef>

// The table the build writes for the embedded files (cmake/EmbedFiles.cmake).
namespace trelvix::embedded {
struct Entry {
    const char* path;
    const unsigned char* bytes;
    const std::size_t* size;
};
extern const Entry kEntries[];
}  // namespace trelvix::embedded

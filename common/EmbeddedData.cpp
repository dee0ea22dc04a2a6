#include "EmbeddedData.h"

#include "EmbeddedIndex.h"

namespace trelvix {

std::optional<std::string_view> EmbeddedFile(std::string_view path) {
    for (const embedded::Entry* e = embedded::kEntries; e->path; ++e) {
        if (path == e->path) return std::string_view(reinterpret_cast<const char*>(e->bytes), *e->size);
    }
    return std::nullopt;
}

}  // namespace trelvix

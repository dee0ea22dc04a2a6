#include "EmbeddedData.h"

#include <stdexcept>
#include <string>

#include "EmbeddedIndex.h"

namespace trelvix {

std::optional<std::string_view> EmbeddedFile(std::string_view path) {
    for (const embedded::Entry* e = embedded::kEntries; e->path; ++e) {
        if (path == e->path) return std::string_view(reinterpret_cast<const char*>(e->bytes), *e->size);
    }
    return std::nullopt;
}

std::string_view StoredText(std::string_view path) {
    const std::optional<std::string_view> text = EmbeddedFile(path);
    if (!text) throw std::logic_error("built-in text missing: " + std::string(path));
    return *text;
}

}  // namespace trelvix

#include "generators/Placeholders.h"

namespace trelvix {

Gbk FillPlaceholders(std::string_view pattern, std::initializer_list<Placeholder> values) {
    Gbk out;
    out.reserve(pattern.size() + 64);
    for (std::size_t i = 0; i < pattern.size();) {
        const Placeholder* hit = nullptr;
        if (pattern[i] == '{') {
            for (const Placeholder& p : values)
                if (pattern.substr(i, p.first.size()) == p.first) {
                    hit = &p;
                    break;
                }
        }
        if (hit) {
            out += hit->second;
            i += hit->first.size();
            continue;
        }
        const std::size_t length = CharLength(pattern, i);
        out.append(pattern.substr(i, length));
        i += length;
    }
    return out;
}

}  // namespace trelvix

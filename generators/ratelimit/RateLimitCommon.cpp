#include "generators/ratelimit/RateLimitCommon.h"

#include "ui/Ui.h"

namespace trelvix::ratelimit {

const std::string& MainWindowName() {
    static const std::string name = "主窗口";
    return name;
}

ScriptError MainWindowError(Gbk message, Gbk title, FieldRef focus, FocusMove when) {
    return ScriptError{std::move(message), ui::mb::IconError, std::move(title), focus, when,
                       MainWindowName()};
}

Gbk Repeated(std::string_view value, int count) {
    Gbk out;
    if (count < 1) return out;
    out.reserve((value.size() + 1) * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (i > 0) out += '/';
        out += value;
    }
    return out;
}

Gbk FillPlaceholders(std::string_view pattern, std::initializer_list<Placeholder> values) {
    Gbk out;
    out.reserve(pattern.size() + 64);
    for (std::size_t i = 0; i < pattern.size();) {
        const Placeholder* hit = nullptr;
        if (pattern[i] == '{') {
            for (const Placeholder& p : values)
                if (pattern.substr(i, p.first.size()) == p.first) { hit = &p; break; }
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

}  // namespace trelvix::ratelimit

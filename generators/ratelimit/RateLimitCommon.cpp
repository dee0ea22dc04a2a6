#include "generators/ratelimit/RateLimitCommon.h"

namespace trelvix::ratelimit {

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

}  // namespace trelvix::ratelimit

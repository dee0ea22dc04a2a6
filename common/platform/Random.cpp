#include "common/platform/Random.h"

#include <sys/random.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace trelvix {

int RandomSource::UniformInt(int lo, int hi) {
    if (hi <= lo) return lo;
    const std::uint64_t span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo) + 1;
    constexpr std::uint64_t kRange = std::uint64_t{1} << 32;
    if (span == kRange) return static_cast<int>(static_cast<std::int64_t>(lo) + Next());
    // Draws at or above the last whole multiple of span would favour the low values.
    const std::uint64_t limit = kRange - kRange % span;
    std::uint64_t draw = Next();
    // A fixed test sequence may never fall below the limit; give up on strictness then.
    for (int tries = 0; draw >= limit && tries < 64; ++tries) draw = Next();
    return static_cast<int>(static_cast<std::int64_t>(lo) + static_cast<std::int64_t>(draw % span));
}

SeededRandom::SeededRandom() : engine_(std::random_device{}()) {}

SeededRandom::SeededRandom(std::uint32_t seed) : engine_(seed) {}

std::uint32_t SeededRandom::Next() { return static_cast<std::uint32_t>(engine_()); }

std::uint32_t SecureRandom::Next() {
    std::uint32_t value = 0;
    auto* out = reinterpret_cast<unsigned char*>(&value);
    std::size_t filled = 0;
    while (filled < sizeof value) {
        const ssize_t n = getrandom(out + filled, sizeof value - filled, 0);
        if (n > 0) {
            filled += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EINTR) {
            // Never fall back to a weaker source for passwords.
            throw std::runtime_error("the system's random source is not available");
        }
    }
    return value;
}

std::uint32_t FixedRandom::Next() {
    if (values_.empty()) return 0;
    const std::uint32_t value = values_[next_];
    next_ = (next_ + 1) % values_.size();
    return value;
}

}  // namespace trelvix

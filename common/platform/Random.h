#pragma once
// Sources of random numbers, injected so tests can fix them.
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace trelvix {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // 32 uniformly random bits.
    virtual std::uint32_t Next() = 0;
    // Uniform in [lo, hi] without modulo bias; lo when hi < lo.
    int UniformInt(int lo, int hi);
};

// Pseudo-random, seeded from std::random_device: MAC addresses and the like.
class SeededRandom final : public RandomSource {
public:
    SeededRandom();
    explicit SeededRandom(std::uint32_t seed);
    std::uint32_t Next() override;

private:
    std::mt19937 engine_;
};

// The operating system's cryptographic source: passwords and account names.
class SecureRandom final : public RandomSource {
public:
    std::uint32_t Next() override;
};

// Returns the given values in turn, from the first again after the last (0 when none).
class FixedRandom final : public RandomSource {
public:
    explicit FixedRandom(std::vector<std::uint32_t> values) : values_(std::move(values)) {}
    std::uint32_t Next() override;

private:
    std::vector<std::uint32_t> values_;
    std::size_t next_ = 0;
};

}  // namespace trelvix

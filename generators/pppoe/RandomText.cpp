#include "generators/pppoe/RandomText.h"

#include <limits>

#include "common/platform/Random.h"

namespace trelvix::pppoe {
namespace {

char RandomChar(RandomSource& random, char first, char last) {
    return static_cast<char>(RandomInt(random, first, last));
}

}  // namespace

int RandomInt(RandomSource& random, int lo, int hi) {
    if (hi == 0) hi = std::numeric_limits<int>::max();
    return random.UniformInt(lo, hi);
}

Gbk RandomMixedText(RandomSource& random, int n) {
    Gbk out;
    for (int i = 0; i < n; ++i) {
        switch (RandomInt(random, 1, 3)) {
            case 1: out += RandomChar(random, '0', '9'); break;
            case 2: out += RandomChar(random, 'A', 'Z'); break;
            default: out += RandomChar(random, 'a', 'z'); break;
        }
    }
    return out;
}

Gbk RandomDigits(RandomSource& random, int n) {
    Gbk out;
    for (int i = 0; i < n; ++i) out += RandomChar(random, '0', '9');
    return out;
}

Gbk RandomLetters(RandomSource& random, int n, int letterCase) {
    Gbk out;
    for (int k = 1; k <= n; ++k) {
        const bool upper = letterCase == 1 || (letterCase != 0 && k % 2 == 0);
        out += upper ? RandomChar(random, 'A', 'Z') : RandomChar(random, 'a', 'z');
    }
    return out;
}

}  // namespace trelvix::pppoe

#pragma once
// Random parts of the batch accounts: digits, letters of one case or
// alternating, or a mix. Drawn from the given source, which for passwords
// and account names is the system's cryptographic one.
#include "common/text/Gbk.h"

namespace trelvix {
class RandomSource;
}

namespace trelvix::pppoe {

// Uniform in [lo, hi] without modulo bias; a hi of 0 stands for 2147483647.
int RandomInt(RandomSource& random, int lo, int hi);

// n characters, each first a class (digit, upper- or lower-case letter, one
// in three each) and then a character of that class. n <= 0: empty.
Gbk RandomMixedText(RandomSource& random, int n);

// n decimal digits. n <= 0: empty.
Gbk RandomDigits(RandomSource& random, int n);

// n letters: letterCase 0 lower case, 1 upper case, anything else lower and
// upper in turn, starting with lower. n <= 0: empty.
Gbk RandomLetters(RandomSource& random, int n, int letterCase);

}  // namespace trelvix::pppoe

#pragma once
// Page "添加PPPoE账号(批量)": one PPPoE secret from typed values, or a batch
// of secrets whose names and passwords hold random parts.
#include <cstdint>

#include "common/text/Gbk.h"
#include "generators/Outcome.h"

namespace trelvix {
class RandomSource;
}

namespace trelvix::pppoe {

// The single secret's fields; the initial values are the page's defaults.
struct PppoeSecretFields {
    Gbk name = "VEMTU";
    Gbk password = "change-me-now";
    bool bindMac = false;
    Gbk mac = "00:00:00:00:00:00";
    Gbk profile = "pppoe_profile";
};

// One line without a line end; nothing is checked.
Gbk BuildPppoeSecret(const PppoeSecretFields& fields);

// How the random part of a name or a password is made.
struct RandomPart {
    Gbk length;  // as typed; no number counts as 0
    bool digits = true;
    bool letters = false;
    int letterCase = 0;  // the case list's item: 0 lower, 1 upper, other alternating
};

// The batch's fields; the initial values are the page's defaults.
struct PppoeAccountsFields {
    Gbk count = "6";
    RandomPart account{"8"};
    bool usePrefix = true;
    Gbk prefix = "VEMTU";
    bool useSuffix = true;
    Gbk suffix = "@vemtu";
    RandomPart password{"6"};
    Gbk profile = "pppoe_profile";
};

// Larger batches or lengths are refused rather than built.
inline constexpr std::int64_t kMaxAccountCount = 10000;
inline constexpr std::int64_t kMaxRandomLength = 64;

// The secrets joined by CR LF, no line end after the last, every name
// different. A count of 0 or less gives the empty script. Refused with a
// message: a count or length above the limits, neither digits nor letters
// chosen for the names or for the passwords, or fewer possible names than
// the count asks for.
Outcome BuildPppoeAccounts(const PppoeAccountsFields& fields, RandomSource& random);

}  // namespace trelvix::pppoe

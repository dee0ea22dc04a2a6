#pragma once
// The log of a batch of accounts: the only record of the passwords that
// were generated, so it never replaces an earlier log and a failed save is
// reported.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/text/DateTime.h"
#include "common/text/Gbk.h"

namespace trelvix::pppoe {

// The log's file name for a save at `now`: the date and the 24-hour time as
// 14 digits, and for serial 2 and up a "-" and the serial before ".txt".
Gbk AccountLogFileName(OleDate now, int serial = 1);

// Where logs go, in order: the executable's folder while it can be written
// and is this user's own (in anyone else's folder other users could read the
// passwords), else the settings folder. Each gets a "Log" folder of its own,
// which only this user may enter; every log is readable by this user alone.
struct AccountLogFolders {
    std::filesystem::path first, second;
};
AccountLogFolders DefaultAccountLogFolders();

struct AccountLogSaved {
    std::optional<std::filesystem::path> file;  // nothing when no folder took it
    std::string error;                          // the last reason, when none did
};

// Writes `script` whole into "Log" under the first folder that takes it,
// creating "Log" when missing, under the first name not yet taken.
AccountLogSaved SaveAccountLog(std::string_view script, OleDate now, const AccountLogFolders& folders);

}  // namespace trelvix::pppoe

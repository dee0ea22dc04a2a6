#pragma once
// The System section's scripts: the administrator account, the shutdown and
// reboot schedules, and the page of fixed commands, service switches,
// backups, restores, schedulers, identity and time.
#include <string_view>

#include "common/text/DateTime.h"
#include "common/text/Gbk.h"
#include "generators/Outcome.h"

namespace trelvix {

struct AdminUserFields {
    Gbk name;
    Gbk password;
    Gbk group;  // full, read or write
    Gbk address;
    Gbk prefix;  // prefix length of the allowed address
    Gbk comment;
};

// Refuses an empty name, then an empty password.
Outcome BuildAdminUserScript(const AdminUserFields& fields);

struct ScheduleFields {
    Gbk name;
    Gbk startDate;  // year/month/day as typed
    Gbk startTime;
    Gbk interval;
    Gbk comment;
};

Gbk BuildShutdownSchedule(const ScheduleFields& fields);
Gbk BuildRebootSchedule(const ScheduleFields& fields);

// year/month/day into the scheduler's month-name/day/year; the day and year
// keep their typed form. Anything else falls back to a fixed date.
Gbk ToRouterOsDate(std::string_view typed);

Gbk BuildDisableSsh();
Gbk BuildDisableFtp();
Gbk BuildDisableTelnet();

struct BackupFields {
    Gbk name;                 // the typed backup name (named backups only)
    bool removeSame = false;  // remove an earlier backup of the same name first
    bool encrypt = false;     // 6.X only
};

// Today's date as the dated backups and restores name their file (yyyyMMdd).
Gbk BackupDateName(const Clock& clock);

Gbk BuildDatedBackup5x(const BackupFields& fields, std::string_view today);
Gbk BuildNamedBackup5x(const BackupFields& fields);
Gbk BuildDatedBackup(const BackupFields& fields, std::string_view today);
Gbk BuildNamedBackup(const BackupFields& fields);

Gbk BuildRestoreByDate(std::string_view today);
Gbk BuildRestoreByName(std::string_view typedName);

Gbk BuildDelClosedConnSchedule(std::string_view interval);
Gbk BuildDnsCacheFlushSchedule();
Gbk BuildIdentityScript(std::string_view routerName);
Gbk BuildNtpScript();

}  // namespace trelvix

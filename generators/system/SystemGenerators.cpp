#include "generators/system/SystemGenerators.h"

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "common/EmbeddedData.h"
#include "common/text/DateTime.h"
#include "common/text/RouterOsText.h"

// Values typed inside double quotes go through QuoteTyped: RouterOS expands $
// there and reads \ and ", so a password like pa$$ would otherwise arrive
// changed. Names and comments that may hold Chinese are escaped byte by byte.

namespace trelvix {
namespace {

Gbk ScheduleScript(const ScheduleFields& f, std::string_view command) {
    return "/system scheduler add name=" + Quote(EncodeRouterOsEscapes(f.name)) + " on-event=" + Quote(command) +
           " start-date=" + QuoteTyped(ToRouterOsDate(f.startDate)) + " start-time=" + QuoteTyped(f.startTime) +
           " interval=" + QuoteTyped(f.interval) + CommentFromBox(f.comment) + " disabled=no";
}

// An information box with the default title; the focus stays where it is.
Outcome Refusal(Gbk message) {
    ScriptError error;
    error.message = std::move(message);
    error.flags = 64;
    return Outcome::Error(std::move(error));
}

enum class BackupFormat { V5, V6 };

Gbk BackupScript(std::string_view name, const BackupFields& f, BackupFormat format) {
    Gbk save = "/system backup save ";
    if (format == BackupFormat::V6) save += f.encrypt ? "dont-encrypt=no " : "dont-encrypt=yes ";
    save += "name=" + Quote(name);
    if (!f.removeSame) return save;
    return "/file remove " + Quote(Gbk(name) + ".backup") + "\r\n" + save;
}

Gbk DisableService(std::string_view service) {
    return ReplaceAll(StoredText("data/system/disable-service.rsc"), "{通道}", service);
}

constexpr std::array<const char*, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

Outcome BuildAdminUserScript(const AdminUserFields& f) {
    if (f.name.empty()) return Refusal("请输入要添加的管理员名称!");
    if (f.password.empty()) return Refusal("请输入管理员的密码!");
    return Outcome::Script("/user add name=" + QuoteTyped(f.name) + " password=" + QuoteTyped(f.password) +
                           " group=" + Quote(f.group) + " address=" + QuoteTyped(f.address + "/" + f.prefix) +
                           CommentFromBox(f.comment));
}

Gbk BuildShutdownSchedule(const ScheduleFields& fields) { return ScheduleScript(fields, "/system shutdown"); }

Gbk BuildRebootSchedule(const ScheduleFields& fields) { return ScheduleScript(fields, "/system reboot"); }

// RouterOS refuses a month or day of 0, so values below 1 fall back like
// those above the calendar's range.
Gbk ToRouterOsDate(std::string_view typed) {
    const std::vector<Gbk> parts = Split(typed, "/");
    if (parts.size() != 3) return "Jan/1/2015";
    const std::int64_t year = ToInt64(parts[0]);
    const std::int64_t month = ToInt64(parts[1]);
    const std::int64_t day = ToInt64(parts[2]);
    if (year < 1970 || month < 1 || month > 12 || day < 1 || day > 31) return "Jan/1/1970";
    return Gbk(kMonthNames[static_cast<std::size_t>(month - 1)]) + "/" + parts[2] + "/" + parts[0];
}

Gbk BuildDisableSsh() { return DisableService("ssh"); }
Gbk BuildDisableFtp() { return DisableService("ftp"); }
Gbk BuildDisableTelnet() { return DisableService("telnet"); }

Gbk BackupDateName(const Clock& clock) { return FormatDateTime(clock.Now(), 3, 1); }

Gbk BuildDatedBackup5x(const BackupFields& fields, std::string_view today) {
    return BackupScript(today, fields, BackupFormat::V5);
}

Gbk BuildNamedBackup5x(const BackupFields& fields) {
    return BackupScript(EncodeRouterOsEscapes(fields.name), fields, BackupFormat::V5);
}

Gbk BuildDatedBackup(const BackupFields& fields, std::string_view today) {
    return BackupScript(today, fields, BackupFormat::V6);
}

Gbk BuildNamedBackup(const BackupFields& fields) {
    return BackupScript(EncodeRouterOsEscapes(fields.name), fields, BackupFormat::V6);
}

Gbk BuildRestoreByDate(std::string_view today) { return "/system backup load name=" + Quote(Gbk(today) + ".backup"); }

Gbk BuildRestoreByName(std::string_view typedName) {
    return "/system backup load name=" + Quote(EncodeRouterOsEscapes(typedName) + ".backup");
}

Gbk BuildDelClosedConnSchedule(std::string_view interval) {
    return "/system scheduler add name=" + Quote("del_close") +
           " on-event=" + Quote("/ip firewall connection remove [/ip firewall connection find tcp-state=close]") +
           " start-date=" + Quote("Jan/01/1990") + " start-time=" + Quote("00:00:00") +
           " interval=" + QuoteTyped(interval) + " disabled=no";
}

Gbk BuildDnsCacheFlushSchedule() { return Gbk(StoredText("data/system/dns-cache-flush.rsc")); }

Gbk BuildIdentityScript(std::string_view routerName) {
    return "/system identity set name=" + Quote(EncodeRouterOsEscapes(routerName));
}

Gbk BuildNtpScript() { return Gbk(StoredText("data/system/ntp-sync.rsc")); }

}  // namespace trelvix

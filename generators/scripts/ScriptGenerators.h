#pragma once
// The Scripts section: scripts that run on the router by themselves, mostly
// from its scheduler (online counters, a status log, backups, a health alarm).
#include <string_view>

#include "common/text/Gbk.h"

namespace trelvix {

struct OnlineCounterFields {
    Gbk lanNet;    // the LAN net marked as list lan
    Gbk interval;  // how often the counter logs
};

Gbk BuildOnlineCounterScript(const OnlineCounterFields& fields);
Gbk BuildLanAddressList(std::string_view lanNet);
Gbk BuildOnlineCounterFilter();

enum class RouterOsSeries { V5, V6 };

// One flag per item of the status log, in the order the log writes them.
struct StatusLogFields {
    bool week = true;
    bool clock = true;
    bool version = true;
    bool cpuLoad = true;
    bool freeMemory = true;
    bool pppSecrets = false;
    bool pppoeUsers = false;
    bool pptpUsers = false;
    bool l2tpUsers = false;
    bool onlineUsers = false;
    bool expiredUsers = true;
    bool upSpeed = false;
    bool downSpeed = false;
    bool tcpConnections = false;
    bool udpConnections = false;
    Gbk wanInterface;  // the interface whose traffic the speed items read
};

Gbk BuildStatusLogScript(const StatusLogFields& fields, RouterOsSeries series);

struct ScheduledBackupFields {
    Gbk name;
    Gbk interval;
    Gbk startTime;
    bool encrypt = false;  // 6.X only
};

Gbk BuildScheduledBackupScript(const ScheduledBackupFields& fields, RouterOsSeries series);

struct MailBackupFields {
    Gbk senderPrefix;
    Gbk senderDomain;
    Gbk password;
    Gbk recipientPrefix;
    Gbk recipientDomain;
    Gbk wanInterface;
    bool encrypt = false;      // 6.X only
    bool withHotspot = false;  // also export and mail the hotspot data
};

Gbk BuildMailBackupScript(const MailBackupFields& fields, RouterOsSeries series);

struct HealthAlarmFields {
    Gbk temperature;
    Gbk voltage;
};

Gbk BuildHealthAlarmScript(const HealthAlarmFields& fields);

}  // namespace trelvix

#pragma once
// The installation section's multi-line page: one or more internet lines,
// fixed-IP or PPPoE, as a single-line set-up or balanced by per-connection
// classifier (PCC) or nth-packet (NTH) marks.
#include <vector>

#include "common/text/Gbk.h"
#include "generators/Outcome.h"

namespace trelvix::install {

struct StaticLineRow {
    Gbk address;  // as RouterOS takes it, with or without "/" and a prefix length
    Gbk gateway;
    Gbk interface;   // the WAN interface
    Gbk srcAddress;  // LAN addresses sent over this line when splitting
};

struct PppoeLineRow {
    Gbk user;
    Gbk password;
    Gbk interface;  // the interface the client dials on
    Gbk srcAddress;
};

enum class BalanceMode { SingleLine = 0, Pcc = 1, Nth = 2 };

struct MultiWanFields {
    Gbk lanInterface;
    Gbk lanAddress;  // the router's LAN address
    Gbk dns1, dns2;
    Gbk mss;
    bool staticLines = true;  // else the PPPoE lines are in force
    bool usePeerDns = false;  // read for PPPoE lines only
    bool masquerade = true;
    bool changeMss = true;
    bool setDns = true;
    bool returnPath = false;
    bool split = false;  // src-address clause on the marks
    bool ownMarks = false;
    Gbk connectionMark, routingMark;  // the stems when ownMarks, as typed
    Gbk pccType;
    std::vector<StaticLineRow> staticRows;
    std::vector<PppoeLineRow> pppoeRows;
};

// Refuses empty DNS boxes, an empty list and a balance over fewer than two
// lines, each with an information box without a caption.
Outcome BuildMultiWanScript(const MultiWanFields& fields, BalanceMode mode);

}  // namespace trelvix::install

#pragma once
// The firewall section's port mapping and blocking pages: UPnP, the dst-nat
// rules for a fixed and a dial-up address, the stored script that follows a
// dynamic WAN address, and the rules and address lists that block ports and
// addresses.
#include <vector>

#include "common/text/Gbk.h"
#include "generators/Outcome.h"

namespace trelvix::firewall {

// ---------------------------------------------------------------- port mapping

struct UpnpFields {
    Gbk lan;                   // the internal interface
    std::vector<Gbk> wanList;  // the external interfaces, in list order
};

// Refuses an empty interface list.
Outcome BuildUpnpScript(const UpnpFields& fields);

struct DstNatFields {
    Gbk publicAddress;
    Gbk protocol;
    Gbk publicPort;
    Gbk innerAddress;
    Gbk innerPort;
    Gbk comment;
};

Gbk BuildDstNatScript(const DstNatFields& fields);

struct PppoeDstNatFields {
    Gbk lanNet;
    Gbk lanPrefix;
    Gbk lanGateway;
    Gbk protocol;
    Gbk dstPort;
    Gbk host;
    Gbk hostPort;
    Gbk comment;
};

Gbk BuildPppoeDstNat(const PppoeDstNatFields& fields);

struct DynamicWanFields {
    Gbk interface;  // the dial-up interface whose address the rule follows
    Gbk comment;    // the comment of the dst-nat rule to move
};

// Refuses a blank interface name or a blank comment.
Outcome BuildDynamicWanNatScript(const DynamicWanFields& fields);

// ---------------------------------------------------------------- blocking

struct BlockPortFields {
    Gbk protocol;
    Gbk port;  // one port, a range or a comma list
    Gbk comment;
};

Gbk BuildBlockPortRule(const BlockPortFields& fields);

struct BlockAddressFields {
    Gbk address;
    Gbk prefix;
    Gbk comment;
};

Gbk BuildBlockAddressRule(const BlockAddressFields& fields);

struct BlockToListFields {
    Gbk address;
    Gbk prefix;
    Gbk list;
    Gbk comment;
};

Gbk BuildBlockAddressToList(const BlockToListFields& fields);

// The one rule that drops traffic to the block list.
Gbk BuildListBlockRule();

struct BatchListFields {
    Gbk addresses;  // one address or address/prefix per line, CR LF between
    bool ownName = false;
    Gbk listName;  // used only with ownName
};

// Nothing for an empty box; an empty script when every line is empty.
Outcome BuildBatchAddressList(const BatchListFields& fields);

}  // namespace trelvix::firewall

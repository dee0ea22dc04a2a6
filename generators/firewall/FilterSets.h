#pragma once
// The firewall section's keyword filter and its recommended rule set.
#include "common/text/Gbk.h"
#include "generators/Outcome.h"

namespace trelvix::firewall {

enum class KeywordMode { Allow = 1, Block = 2 };

struct KeywordFields {
    Gbk keywords;  // one keyword per line, CR LF between
    bool bySource = false;
    Gbk sourceNet;
    Gbk sourcePrefix;
};

// Nothing for an empty box. Allow mode ends with the rule that drops every
// other web request.
Outcome BuildKeywordFilter(const KeywordFields& fields, KeywordMode mode);

struct RecommendedFields {
    bool invalidInput = false;
    bool nonLocal = false;
    bool allTcp = false;
    Gbk allTcpLimit;
    bool perHost = true;
    Gbk perHostLimit;
    bool portScan = false;
    bool dosDetect = false;
    bool dosTarpit = false;
    bool invalidForward = false;
    bool nonUnicast = false;
    bool virusJump = false;
    bool virusChain = false;  // written only under the jump
    bool icmpJump = false;
    bool pingReply = false;  // the six ICMP rows are written only under the jump
    bool traceroute = false;
    bool mtuProbe = false;
    bool pingRequest = false;
    bool traceTtl = false;
    bool icmpDrop = false;
};

Gbk BuildRecommendedFirewall(const RecommendedFields& fields);

}  // namespace trelvix::firewall

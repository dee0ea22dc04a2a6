#include "generators/pppoe/PppoeServer.h"

#include "common/text/RouterOsText.h"

// Every value of the page is written bare on the command line, so each goes
// through TypedWord: ordinary names, addresses and rates stay as typed, and
// one with a blank, quote or Chinese character is quoted instead of breaking
// the line. A value made of two boxes (the DNS pair, the rate pair) is one
// word to RouterOS and is quoted as one.

namespace trelvix::pppoe {
namespace {

Gbk DnsServers(const PppoeServerFields& f) {
    if (!f.dns1.empty() && !f.dns2.empty()) return TypedWord(f.dns1 + "," + f.dns2);
    return TypedWord(f.dns1.empty() ? f.dns2 : f.dns1);
}

// "name=value " when the clause is on, else nothing.
Gbk Clause(bool on, const char* name, const Gbk& value) {
    return on ? Gbk(name) + "=" + TypedWord(value) + " " : Gbk();
}

}  // namespace

Gbk BuildPppoeServerScript(const PppoeServerFields& f, ServerVariant variant) {
    const Gbk vj = variant == ServerVariant::Before63 ? " use-vj-compression=" + TypedWord(f.useVjCompression) : Gbk();
    const Gbk profile = TypedWord(f.profile);
    const Gbk poolName = TypedWord(f.poolName);
    return "/ip pool add name=" + poolName + " ranges=" + TypedWord(f.poolRanges) + "\r\n" +
           "/ppp profile add name=" + profile + " local-address=" + TypedWord(f.gateway) +
           " remote-address=" + poolName + " use-ipv6=" + TypedWord(f.useIpv6) + " use-mpls=" + TypedWord(f.useMpls) +
           " use-compression=" + TypedWord(f.useCompression) + vj + " use-encryption=" + TypedWord(f.useEncryption) +
           " only-one=" + TypedWord(f.onlyOne) + " change-tcp-mss=" + TypedWord(f.changeTcpMss) + " " +
           Clause(f.idleTimeout, "idle-timeout", f.idleTime) +
           Clause(f.sessionTimeout, "session-timeout", f.sessionTime) +
           Clause(f.rateLimit, "rate-limit", f.upload + "/" + f.download) + "dns-server=" + DnsServers(f) + "\r\n" +
           "/interface pppoe-server server add service-name=" + TypedWord(f.serviceName) +
           " interface=" + TypedWord(f.interface) + " one-session-per-host=yes disabled=no default-profile=" + profile;
}

}  // namespace trelvix::pppoe

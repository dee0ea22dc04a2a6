#pragma once
// Page "PPPoE服务器设置": an address pool, a PPP profile that hands out its
// addresses and a PPPoE server on one interface, for RouterOS before and
// from 6.3.
#include "common/text/Gbk.h"

namespace trelvix::pppoe {

// The version argument of the two buttons: 6.3 dropped the profile's
// use-vj-compression setting.
enum class ServerVariant { Before63 = 0, From63 = 1 };

// The page's fields; the initial values are the page's defaults. The list
// values are the texts the lists show.
struct PppoeServerFields {
    Gbk interface = "ether2";
    Gbk serviceName = "PPPoE_Server";
    Gbk poolRanges = "10.10.10.2-10.10.10.254";
    Gbk poolName = "pppoe_pool";
    Gbk gateway = "10.10.10.1";
    Gbk profile = "pppoe_profile";
    Gbk dns1 = "114.114.114.114", dns2 = "114.114.115.115";
    bool rateLimit = false;
    Gbk upload = "1M", download = "1M";
    bool idleTimeout = false;
    Gbk idleTime = "00:00:00";
    bool sessionTimeout = false;
    Gbk sessionTime = "00:00:00";
    Gbk useIpv6 = "yes";
    Gbk useMpls = "default";
    Gbk useCompression = "default";
    Gbk useVjCompression = "default";
    Gbk useEncryption = "default";
    Gbk onlyOne = "default";
    Gbk changeTcpMss = "default";
};

// Three lines, the last without a line end. Nothing is checked: an empty
// DNS pair leaves "dns-server=" without a value.
Gbk BuildPppoeServerScript(const PppoeServerFields& fields, ServerVariant variant);

}  // namespace trelvix::pppoe

#pragma once
// Page "DDNS动态域名服务": the update script of one dynamic-DNS provider.
#include <array>

#include "common/text/Gbk.h"

namespace trelvix::ddns {

// In the order of the suffix list's items.
enum class DdnsProvider { F3322 = 0, Oray = 1, Meibu = 2, ChangeIp = 3 };

// The providers' domain suffixes, the items of the suffix list.
extern const std::array<const char*, 4> kDomainSuffixes;

// The sign-up page of a provider; null for the one without a page.
const char* SignupPage(DdnsProvider provider);

struct DdnsFields {
    DdnsProvider provider = DdnsProvider::F3322;
    Gbk account = "username";
    Gbk password = "password";
    Gbk prefix = "username";
    Gbk suffix = ".f3322.net";
    Gbk interface1 = "pppoe-out1";
    Gbk interface2 = "pppoe-out2";
};

// The provider's script, no line end; empty for the provider without one.
// Values inside the template's quotes are escaped as a quoted typed value
// is; the bare interface name is a typed word.
Gbk BuildDdnsScript(const DdnsFields& f);

}  // namespace trelvix::ddns

#include "generators/ddns/Ddns.h"

#include "common/EmbeddedData.h"
#include "common/text/RouterOsText.h"

namespace trelvix::ddns {

const std::array<const char*, 4> kDomainSuffixes = {".f3322.net", ".oicp.net", ".meibu.com", ".changeip.org"};

const char* SignupPage(DdnsProvider provider) {
    switch (provider) {
        case DdnsProvider::F3322: return "http://www.pubyun.com/";
        case DdnsProvider::Oray: return "http://hsk.oray.com/";
        case DdnsProvider::Meibu: return nullptr;
        case DdnsProvider::ChangeIp: return "https://www.changeip.com/";
    }
    return nullptr;
}

Gbk BuildDdnsScript(const DdnsFields& f) {
    if (f.provider == DdnsProvider::Meibu) return {};
    const Gbk account = EscapeTyped(f.account);
    const Gbk password = EscapeTyped(f.password);
    const Gbk host = EscapeTyped(f.prefix + f.suffix);
    BatchReplaceOptions exact;
    exact.caseSensitive = true;
    if (f.provider == DdnsProvider::Oray) {
        const Gbk nic = TypedWord(f.interface1);
        return BatchReplace(StoredText("data/ddns/oray.rsc"),
                            {{"{账号}", account}, {"{密码}", password}, {"{域名}", host}, {"{网卡}", nic}}, exact);
    }
    const Gbk nic1 = EscapeTyped(f.interface1);
    const Gbk nic2 = EscapeTyped(f.interface2);
    return BatchReplace(
        StoredText(f.provider == DdnsProvider::F3322 ? "data/ddns/f3322.rsc" : "data/ddns/changeip.rsc"),
        {{"{账号}", account}, {"{密码}", password}, {"{域名}", host}, {"{网卡1}", nic1}, {"{网卡2}", nic2}}, exact);
}

}  // namespace trelvix::ddns

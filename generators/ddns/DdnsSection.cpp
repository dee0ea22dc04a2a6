// The DDNS section's page: the provider radios with their domain suffixes,
// the update script and the provider's sign-up page.
#include "generators/PageFields.h"
#include "generators/Sections.h"
#include "generators/ddns/Ddns.h"
#include "names/main/ddns.h"

namespace trelvix {
using namespace names::main::ddns;

namespace {

using ddns::DdnsProvider;

struct ProviderRadio {
    const char* radio;
    DdnsProvider provider;
};
// In the order they are asked: a page with none chosen counts as changeip.
constexpr ProviderRadio kProviderRadios[] = {
    {单选框_60f3322, DdnsProvider::F3322},
    {单选框_60花生壳, DdnsProvider::Oray},
    {单选框_60每步, DdnsProvider::Meibu},
    {单选框_60changeip, DdnsProvider::ChangeIp},
};

DdnsProvider ChosenProvider(const ui::Window& w) {
    for (const ProviderRadio& r : kProviderRadios)
        if (w.checked(r.radio)) return r.provider;
    return DdnsProvider::ChangeIp;
}

using Fields = ddns::DdnsFields;
const PageFields<Fields> kPage = {
    Field(编辑框_60用户账号, &Fields::account),    Field(编辑框_60用户密码, &Fields::password),
    Field(编辑框_60域名前缀, &Fields::prefix),     Field(组合框_60域名后缀, &Fields::suffix),
    Field(编辑框_60首选网卡, &Fields::interface1), Field(编辑框_60备用网卡, &Fields::interface2),
};

const std::string kSuffixBox = 组合框_60域名后缀;

}  // namespace

void BindDdnsSection(PageContext& page) {
    for (const ProviderRadio& r : kProviderRadios)
        OnClick(page, r.radio, [&page, provider = r.provider] {
            page.window.setText(kSuffixBox, Gbk(ddns::kDomainSuffixes[static_cast<int>(provider)]));
        });
    OnClick(page, 按钮_60生成, [&page] {
        Fields f = kPage.Read(page.window);
        f.provider = ChosenProvider(page.window);
        if (f.provider == DdnsProvider::Meibu) return;
        page.showScript(ddns::BuildDdnsScript(f));
    });
    OnClick(page, 按钮_60申请域名, [&page] {
        if (const char* url = ddns::SignupPage(ChosenProvider(page.window))) page.ui.openUrl(Gbk(url));
    });
}

}  // namespace trelvix

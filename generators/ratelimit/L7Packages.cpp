#include "generators/ratelimit/L7Packages.h"

#include "common/EmbeddedData.h"
#include "common/text/RouterOsText.h"
#include "generators/ratelimit/RateLimitCommon.h"
#include "names/main/ratelimit.h"

namespace trelvix::ratelimit {
using namespace names::main::ratelimit;

const std::array<StoredScriptButton, 7>& L7StoredScripts() {
    static const std::array<StoredScriptButton, 7> buttons = {{
        {按钮_35生成1, "data/ratelimit/l7-collected-6x.rsc"},
        {按钮_35生成21, "data/ratelimit/l7-package1.rsc"},
        {按钮_35生成22, "data/ratelimit/l7-package2.rsc"},
        {按钮_35生成23, "data/ratelimit/l7-package3.rsc"},
        {按钮_35生成24, "data/ratelimit/l7-package4.rsc"},
        {按钮_35生成25, "data/ratelimit/l7-package5.rsc"},
        {按钮_35生成26, "data/ratelimit/l7-package6.rsc"},
    }};
    return buttons;
}

Gbk BuildL7QosClassic(const L7QosClassicFields& f) {
    const Gbk lan = f.lanRange.empty() ? Gbk("192.168.1.0/24") : TypedWord(f.lanRange);
    return FillPlaceholders(StoredText(kL7ClassicScript), {{"{lanip}", lan}});
}

}  // namespace trelvix::ratelimit

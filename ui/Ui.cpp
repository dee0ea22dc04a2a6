#include "ui/Ui.h"

namespace trelvix::ui {

const Gbk& DefaultMessageTitle() {
    static const Gbk title = "\xD0\xC5\xCF\xA2\xA3\xBA";  // 信息：
    return title;
}

}  // namespace trelvix::ui

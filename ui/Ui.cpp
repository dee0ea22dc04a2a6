#include "ui/Ui.h"

namespace trelvix::ui {

const Gbk& DefaultMessageTitle() {
    static const Gbk title = "信息：";
    return title;
}

}  // namespace trelvix::ui

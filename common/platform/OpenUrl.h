#pragma once
#include "common/text/Gbk.h"

namespace trelvix {

// Opens a web address or a file with the desktop's default program. Returns at once;
// whether it worked is not reported.
void OpenUrl(const Gbk& url);

}  // namespace trelvix

#include "common/platform/DesktopLanguage.h"

#include <clocale>

namespace trelvix {

void UseDesktopLanguageForToolkitTexts() {
#ifdef LC_MESSAGES
    // The message category alone: LC_NUMERIC and LC_CTYPE keep "C". A desktop
    // language without installed locale data leaves the texts as they were.
    std::setlocale(LC_MESSAGES, "");
#endif
    // Elsewhere (Windows) the native dialogs speak the system's language by themselves.
}

}  // namespace trelvix

#pragma once

namespace trelvix {

// The toolkit's own texts (a file dialog's labels and buttons) come from the
// desktop's message catalogues, in the desktop's language. Only that is taken
// from the environment, before the toolkit starts: numbers are written and
// read the C way everywhere, and character classes stay those of plain bytes,
// because GBK text passes through code that must not read it in the
// desktop's code page.
void UseDesktopLanguageForToolkitTexts();

}  // namespace trelvix

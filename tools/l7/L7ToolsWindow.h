#pragma once
// The Layer-7 tools window: the catalogue list and its generator, the QQ rules,
// the regular-expression tester with its help tree, the code box tools, the status
// bar and the catalogue's pop-up menu. The texts come from L7Catalogue.h,
// QqL7Rules.h, RegexHelp.h and RegexTester.h.
#include <filesystem>

#include "tools/ToolContext.h"
#include "ui/Window.h"

namespace trelvix {

// The created event of `L7ToolsWindow`: fills the catalogue and the help tree,
// reads back the tester's work files and binds the handlers. Closing the window
// saves the tester's two texts and hides it; the texts are saved again when the
// window goes at the end of the program.
void OnL7WindowCreated(ToolContext& tools, ui::Window& window);

// The tester's work files in the temporary folder (the current folder when it is
// empty): the source text and the pattern, the boxes' bytes as they stand.
std::filesystem::path L7SourceWorkFile(const std::filesystem::path& tempDirectory);
std::filesystem::path L7PatternWorkFile(const std::filesystem::path& tempDirectory);

}  // namespace trelvix

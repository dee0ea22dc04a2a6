#include "app/packgen/BuildStep.h"

#include <fstream>
#include <sstream>

#include "common/EmbeddedIndex.h"

// The build steps run before the program's files are embedded: they have none.
namespace trelvix::embedded {
const Entry kEntries[] = {{nullptr, nullptr, nullptr}};
}

namespace trelvix::packgen {

std::optional<std::string> ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace trelvix::packgen

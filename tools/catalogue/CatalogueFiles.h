#pragma once
// Where the catalogue's two record databases lie and the password both are
// opened with. The password only marks the files as this program's; it is no
// secret, since every copy of the program holds it.
// Plain ASCII only: read by code of either charset.
#include <filesystem>
#include <string_view>

namespace trelvix {

struct CatalogueFiles {
    std::filesystem::path categories;  // Menu.edb: the category items
    std::filesystem::path products;    // data.edb: the products and their details
};

// The two files inside `dataFolder` (the "data" folder beside the program).
inline CatalogueFiles CatalogueFilesIn(const std::filesystem::path& dataFolder) {
    return {dataFolder / "Menu.edb", dataFolder / "data.edb"};
}

inline constexpr std::string_view kCataloguePassword = "trelvix-routerboard-catalogue";

}  // namespace trelvix

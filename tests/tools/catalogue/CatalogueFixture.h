#pragma once
// Catalogue databases written for one test in a temporary folder, with the
// program's password unless told otherwise.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "common/database/RecordDatabase.h"
#include "tools/catalogue/CatalogueFiles.h"

namespace trelvix::test {

struct CategoryRecord {
    FieldValue parent;  // "父项目"
    std::string type;   // GBK
};

struct ProductRecord {
    FieldValue typeIndex;
    std::string name;
    // Further fields as they are stored ("cost", "state", "info1", "img"...).
    std::vector<std::pair<std::string, FieldValue>> fields;
};

inline CategoryRecord Category(double parent, const std::string& utf8) { return {FieldValue::Number(parent), G(utf8)}; }
inline ProductRecord Product(double typeIndex, const std::string& name,
                             std::vector<std::pair<std::string, FieldValue>> fields = {}) {
    return {FieldValue::Number(typeIndex), name, std::move(fields)};
}
inline std::pair<std::string, FieldValue> Text(const std::string& field, const std::string& utf8) {
    return {field, FieldValue::Text(G(utf8))};
}

class CatalogueFolder {
public:
    std::filesystem::path folder() const { return home_.root() / "data"; }
    CatalogueFiles files() const { return CatalogueFilesIn(folder()); }

    void WriteCategories(const std::vector<CategoryRecord>& records, std::string_view password = kCataloguePassword) {
        std::filesystem::create_directories(folder());
        auto db = RecordDatabase::Create(files().categories, password, "salt");
        ASSERT_TRUE(db);
        for (const CategoryRecord& r : records) {
            ASSERT_TRUE(db->Append());
            ASSERT_TRUE(db->Write(G("父项目"), r.parent));
            ASSERT_TRUE(db->WriteText("type", r.type));
        }
    }

    void WriteProducts(const std::vector<ProductRecord>& records, std::string_view password = kCataloguePassword) {
        std::filesystem::create_directories(folder());
        auto db = RecordDatabase::Create(files().products, password, "pepper");
        ASSERT_TRUE(db);
        for (const ProductRecord& r : records) {
            ASSERT_TRUE(db->Append());
            ASSERT_TRUE(db->Write("typeIndex", r.typeIndex));
            ASSERT_TRUE(db->WriteText("name", r.name));
            for (const auto& [field, value] : r.fields) ASSERT_TRUE(db->Write(field, value));
        }
    }

private:
    TempHome home_;
};

}  // namespace trelvix::test

// Makes the sample RouterBOARD catalogue: reads data/catalogue/source.txt
// (UTF-8) and writes the two record databases the catalogue window reads,
// with GBK texts and a drawn picture for every product.
//
//   trelvix_make_catalogue <source.txt> <folder>   writes <folder>/Menu.edb and data.edb
//   trelvix_make_catalogue --pictures <folder>     writes the window's own pictures
//                                                  (new.png, placeholder.png)
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Pictures.h"
#include "common/database/RecordDatabase.h"
#include "common/platform/AtomicFile.h"
#include "common/platform/Random.h"
#include "common/text/CodePage.h"
#include "tools/catalogue/CatalogueFiles.h"
#include "tools/catalogue/CatalogueModel.h"

namespace fs = std::filesystem;
using namespace trelvix;

namespace {

struct Category {
    std::string caption;  // UTF-8
    std::string parent;   // caption of the parent category, empty at the root
};

struct Product {
    std::string name, category, cost, state = "1", comment, spec;  // UTF-8
    int copper = 0, fibre = 0;
    int line = 0;
};

struct Source {
    std::vector<Category> categories;
    std::vector<Product> products;
};

std::string Trim(std::string s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

[[noreturn]] void Fail(int line, const std::string& what) {
    throw std::runtime_error("source.txt:" + std::to_string(line) + ": " + what);
}

Source ReadSource(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    Source source;
    std::string raw;
    int line = 0;
    while (std::getline(in, raw)) {
        ++line;
        const bool indented = !raw.empty() && (raw[0] == ' ' || raw[0] == '\t');
        const std::string text = Trim(raw);
        if (text.empty() || text[0] == '#') continue;
        const auto colon = text.find(':');
        if (colon == std::string::npos) Fail(line, "a line is \"key: value\"");
        const std::string key = Trim(text.substr(0, colon));
        const std::string value = Trim(text.substr(colon + 1));
        if (!indented) {
            if (key == "category") {
                const auto lt = value.find(" < ");
                source.categories.push_back(lt == std::string::npos
                                                ? Category{value, ""}
                                                : Category{Trim(value.substr(0, lt)), Trim(value.substr(lt + 3))});
            } else if (key == "product") {
                source.products.push_back(Product{});
                source.products.back().name = value;
                source.products.back().line = line;
            } else {
                Fail(line, "unknown entry \"" + key + "\"");
            }
            continue;
        }
        if (source.products.empty()) Fail(line, "a product's line before any product");
        Product& p = source.products.back();
        if (key == "category") p.category = value;
        else if (key == "cost") p.cost = value;
        else if (key == "state") p.state = value;
        else if (key == "comment") p.comment = value;
        else if (key == "spec") {
            const auto eq = value.find(" = ");
            if (eq == std::string::npos) Fail(line, "a spec line is \"key = value\"");
            p.spec += Trim(value.substr(0, eq)) + "#" + Trim(value.substr(eq + 3)) + "##";
        } else if (key == "picture") {
            std::istringstream counts(value);
            if (!(counts >> p.copper >> p.fibre)) Fail(line, "picture: <copper ports> <fibre cages>");
        } else {
            Fail(line, "unknown product line \"" + key + "\"");
        }
    }
    return source;
}

std::string Salt() {
    SecureRandom random;
    std::string salt;
    for (int i = 0; i < 4; ++i) {
        const std::uint32_t bits = random.Next();
        for (int k = 0; k < 4; ++k) salt += static_cast<char>((bits >> (8 * k)) & 0xFF);
    }
    return salt;
}

void Check(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error(what);
}

void WriteCatalogue(const Source& source, const fs::path& folder) {
    fs::create_directories(folder);
    const CatalogueFiles files = CatalogueFilesIn(folder);
    // Build into temporary names, then rename, so a failed run leaves no half catalogue.
    const fs::path menuTemp = files.categories.string() + ".new", dataTemp = files.products.string() + ".new";

    // The tree as the loader will build it: every parent number is the one
    // its item has at the moment the record is added.
    CatalogueTree tree;
    std::map<std::string, int> added;  // category caption -> its place in the adding order
    {
        auto menu = RecordDatabase::Create(menuTemp, kCataloguePassword, Salt());
        Check(menu != nullptr, "cannot write " + menuTemp.string());
        for (const Category& c : source.categories) {
            int parent = -1;
            if (!c.parent.empty()) {
                auto it = added.find(c.parent);
                Check(it != added.end(), "category \"" + c.caption + "\" names an unknown parent");
                parent = tree.CurrentNumber(it->second);
            }
            added[c.caption] = tree.Count();
            tree.Add(Utf8ToGbk(c.caption), parent, true);
            Check(menu->Append() && menu->Write(Utf8ToGbk("父项目"), FieldValue::Number(parent)) &&
                      menu->WriteText("type", Utf8ToGbk(c.caption)),
                  "cannot write " + menuTemp.string());
        }
    }
    std::map<std::string, int> categoryColour;
    for (const Category& c : source.categories)
        categoryColour.emplace(c.caption, static_cast<int>(categoryColour.size()));
    {
        auto data = RecordDatabase::Create(dataTemp, kCataloguePassword, Salt());
        Check(data != nullptr, "cannot write " + dataTemp.string());
        for (const Product& p : source.products) {
            auto it = added.find(p.category);
            if (it == added.end()) Fail(p.line, "product \"" + p.name + "\" names an unknown category");
            const int typeIndex = tree.CurrentNumber(it->second);
            tree.Add(Utf8ToGbk(p.name), typeIndex, false);
            // Stored as the window reads it: a text over 512 bytes goes 500 and the rest.
            const std::string spec = Utf8ToGbk(p.spec);
            const bool split = spec.size() > 512;
            const std::string picture = catalogue::ProductPicture(p.name, categoryColour[p.category], p.copper,
                                                                  p.fibre);
            const std::pair<const char*, FieldValue> fields[] = {
                {"typeIndex", FieldValue::Number(typeIndex)},
                {"name", FieldValue::Text(Utf8ToGbk(p.name))},
                {"comment", FieldValue::Text(Utf8ToGbk(p.comment))},
                {"cost", FieldValue::Text(Utf8ToGbk(p.cost))},
                {"imgurl", FieldValue::Text("")},
                {"url", FieldValue::Text("")},
                {"img", FieldValue::Bytes(picture)},
                {"state", FieldValue::Text(Utf8ToGbk(p.state))},
                {"info1", FieldValue::Text(split ? spec.substr(0, 500) : spec)},
                {"info2", FieldValue::Text(split ? spec.substr(500) : "")},
            };
            Check(data->Append(), "cannot write " + dataTemp.string());
            for (const auto& [name, value] : fields)
                Check(data->Write(name, value), "cannot write " + dataTemp.string());
        }
    }
    fs::rename(menuTemp, files.categories);
    fs::rename(dataTemp, files.products);
}

void WritePicture(const fs::path& file, const std::string& bytes) {
    Check(WriteFileAtomically(file, bytes), "cannot write " + file.string());
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 3 && std::string(argv[1]) == "--pictures") {
            fs::create_directories(argv[2]);
            WritePicture(fs::path(argv[2]) / "new.png", catalogue::NewBadgePicture());
            WritePicture(fs::path(argv[2]) / "placeholder.png", catalogue::PlaceholderPicture());
            return 0;
        }
        if (argc != 3) {
            std::cerr << "usage: trelvix_make_catalogue <source.txt> <folder> | --pictures <folder>\n";
            return 2;
        }
        WriteCatalogue(ReadSource(argv[1]), argv[2]);
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "trelvix_make_catalogue: " << e.what() << "\n";
        return 1;
    }
}

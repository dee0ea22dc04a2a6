// Build step: writes the traditional-Chinese packs from the window layouts.
//   trelvix_make_language_packs <layout folder> <output folder> <pack>=<layout> ...
// e.g. language1.ini=main.json. Texts go GBK -> UTF-8 -> OpenCC "s2tw" ->
// code page 950. Taiwan's character forms are the ones Big5 holds (為, 啟),
// and character-level conversion keeps the wording of the layouts.
#include <opencc.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

#include "app/packgen/BuildStep.h"
#include "app/packgen/PackExport.h"
#include "common/text/CodePage.h"
#include "ui/Layout.h"

namespace fs = std::filesystem;
using trelvix::packgen::ReadFile;

namespace {

class Converter {
public:
    Converter() : cc_(opencc_open("s2tw.json")) {
        if (cc_ == reinterpret_cast<opencc_t>(-1)) throw std::runtime_error(std::string("OpenCC: ") + opencc_error());
    }
    ~Converter() { opencc_close(cc_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::string operator()(const std::string& gbk) const {
        const std::string utf8 = trelvix::GbkToUtf8(gbk);
        char* converted = opencc_convert_utf8(cc_, utf8.data(), utf8.size());
        if (!converted) throw std::runtime_error(std::string("OpenCC: ") + opencc_error());
        const std::string traditional(converted);
        opencc_convert_utf8_free(converted);
        return trelvix::Utf16ToMultiByte(trelvix::MultiByteToUtf16(traditional, 65001), 950);
    }

private:
    opencc_t cc_;
};

long CountQuestionMarks(const std::string& s) { return static_cast<long>(std::count(s.begin(), s.end(), '?')); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: " << argv[0] << " <layout folder> <output folder> <pack>=<layout>...\n";
        return 2;
    }
    const fs::path layouts = argv[1];
    const fs::path out = argv[2];
    try {
        const Converter convert;
        const trelvix::ui::LayoutFiles files = [&layouts](std::string_view name) { return ReadFile(layouts / name); };
        fs::create_directories(out);
        for (int i = 3; i < argc; ++i) {
            const std::string arg = argv[i];
            const std::size_t eq = arg.find('=');
            if (eq == std::string::npos) throw std::runtime_error("not <pack>=<layout>: " + arg);
            const std::string packName = arg.substr(0, eq), layoutName = arg.substr(eq + 1);
            const std::optional<std::string> layout = files(layoutName);
            if (!layout) throw std::runtime_error("no layout " + (layouts / layoutName).string());
            const trelvix::ui::WindowSpec window = trelvix::ui::ParseLayout(*layout, files);
            auto entries = trelvix::LanguagePackEntries(window, [&](const trelvix::Gbk& text) {
                std::string big5 = convert(text);
                // A character Big5 lacks shows as "?" in the traditional interface: say where.
                if (CountQuestionMarks(big5) > CountQuestionMarks(text))
                    std::cerr << packName << ": not all of this text is in Big5: " << trelvix::GbkToUtf8(text) << "\n";
                return big5;
            });
            const std::string text = trelvix::LanguagePackText(entries);
            std::ofstream file(out / packName, std::ios::binary | std::ios::trunc);
            file << text;
            if (!file.flush()) throw std::runtime_error("cannot write " + (out / packName).string());
        }
    } catch (const std::exception& e) {
        std::cerr << argv[0] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}

#include "app/LanguagePacks.h"

#include <unordered_map>
#include <vector>

#include "app/App.h"
#include "app/LanguagePackKinds.h"
#include "app/Startup.h"
#include "common/EmbeddedData.h"
#include "common/platform/Paths.h"
#include "common/text/CodePage.h"
#include "names/main.h"

namespace trelvix {
using namespace names::main;
namespace {

namespace fs = std::filesystem;

// The packs' values were read through a 10,240-byte buffer: a longer one
// ends at its last whole character within 10,239 bytes.
constexpr std::size_t kValueLimit = 10239;

std::string_view CutToValueLimit(std::string_view big5) {
    if (big5.size() <= kValueLimit) return big5;
    std::size_t end = 0;
    while (end < big5.size()) {
        const std::size_t next = end + CharLength(big5, end);
        if (next > kValueLimit) break;
        end = next;
    }
    return big5.substr(0, end);
}

// The pack's values by section and key, found as IniText::value finds them
// (ASCII case folded), read once: a window asks for a thousand of them.
class PackIndex {
public:
    explicit PackIndex(const IniText& pack) {
        for (const IniText::Entry& e : pack.entries())
            values_.emplace(Key(ToLowerAscii(e.section), ToLowerAscii(e.key)), e.value);
    }

    Gbk value(std::string_view section, std::string_view key) const {
        const auto it = values_.find(Key(ToLowerAscii(section), ToLowerAscii(key)));
        return it == values_.end() ? Gbk() : Big5ToGbk(CutToValueLimit(it->second));
    }

private:
    static std::string Key(const std::string& section, const std::string& key) { return section + '\0' + key; }
    std::unordered_map<std::string, Gbk> values_;
};

void ApplySection(ui::Window& window, const PackIndex& pack, PackSection section,
                  const std::vector<std::string>& controls) {
    for (const std::string& control : controls) {
        if (PackSectionOf(window.kind(control)) != section) continue;
        if (section == PackSection::TreeItems) {
            std::vector<ui::TreeItem> items = window.treeItems(control);
            for (std::size_t i = 0; i < items.size(); ++i) {
                items[i].text = pack.value(control, TreeItemKey(i));
                window.setTreeItem(control, static_cast<int>(i), items[i]);
            }
            continue;
        }
        if (section == PackSection::Labels && IsVersionLabel(control)) continue;
        Gbk value = pack.value(PackSectionName(section), control);
        if (PackKeepsLineBreaks(section)) {
            if (value.empty()) continue;
            value = ReplaceAll(value, kPackLineBreak, "\r\n");
        }
        window.setText(control, value);
    }
}

// The switch's texts, shown as the Big5 texts they are, decoded: the caption
// the layout gives the button (切換繁體), the question and the notice.
struct SwitchTexts {
    const char* question;
    const char* notice;
    const char* setting;
};
constexpr const char* kSwitchToTraditionalCaption = "切換繁體";
constexpr SwitchTexts kToTraditional = {
    "確認將Trelvix切換為繁體界面?您的windows系統必須是繁體中文系統才能正常使用!請務必須知!",
    "已切換為繁體界面,請重新啟動軟件!", "1"};
constexpr SwitchTexts kToSimplified = {
    "確認將Trelvix切換為簡體界面?您的windows系統必須是簡體中文系統才能正常使用!請務必須知!",
    "已切換為簡體界面,請重新啟動軟件!", "0"};

}  // namespace

std::optional<std::string_view> BuiltInLanguagePack(std::string_view name) {
    return EmbeddedFile("language/" + std::string(name));
}

Gbk Big5ToGbk(std::string_view big5) { return Utf16ToMultiByte(MultiByteToUtf16(big5, 950), 936); }

void ApplyLanguagePack(ui::Window& window, const IniText& pack) {
    const std::vector<std::string> controls = window.controls();
    const PackIndex index(pack);
    for (PackSection section : kPackSections) ApplySection(window, index, section, controls);
}

void ApplyLanguageFile(ui::Window& window, const fs::path& file) {
    ApplyLanguagePack(window, IniText::Load(file, kLanguageFileLimit).value_or(IniText()));
}

bool TraditionalInterfaceChosen(const fs::path& settingsFile) {
    if (settingsFile.empty()) return false;
    return ReadIniValue(settingsFile, "log", "language") == std::optional<Gbk>("1");
}

void ApplyBuiltInPack(ui::Window& window, std::string_view name) {
    if (const std::optional<std::string_view> pack = BuiltInLanguagePack(name))
        ApplyLanguagePack(window, IniText(*pack));
}

void ApplyBuiltInLanguagePack(ui::Window& window, const fs::path& settingsFile, std::string_view name,
                              const ApplyPackFn& apply) {
    if (TraditionalInterfaceChosen(settingsFile)) apply(window, name);
}

void SwitchLanguage(App& app) {
    const SwitchTexts& texts = app.main->text(按钮_语言).bytes() == kSwitchToTraditionalCaption ? kToTraditional
                                                                                                : kToSimplified;
    if (app.ui.message(Gbk(texts.question), ui::mb::IconQuestion | ui::mb::OkCancel) != ui::mb::IdOk) return;
    // Ending the program after a write that failed would lose the choice silently.
    if (!WriteIniValue(app.ConfigIniPath, "log", "language", texts.setting)) {
        app.ui.message(Gbk("保存失败:") + GbkFromPath(app.ConfigIniPath), ui::mb::IconError);
        return;
    }
    app.ui.message(Gbk(texts.notice), ui::mb::IconInformation);
    ExitProgram(app);
}

}  // namespace trelvix

namespace trelvix {

void App::ApplyToolLanguage(ui::Window& window, std::string_view pack) {
    ApplyBuiltInLanguagePack(window, ConfigIniPath, pack, parts.applyLanguagePack);
}

}  // namespace trelvix

#include "ui/Layout.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>
#include <vector>

#include <nlohmann/json.hpp>

#include "common/EmbeddedData.h"
#include "common/text/CodePage.h"

namespace trelvix::ui {
namespace {

using Json = nlohmann::json;

struct KindEntry {
    Kind kind;
    std::string_view name;
};

constexpr KindEntry kKinds[] = {
    {Kind::Window, "window"},    {Kind::Edit, "edit"},       {Kind::CodeBox, "code"},
    {Kind::Label, "label"},      {Kind::Button, "button"},   {Kind::CheckBox, "check"},
    {Kind::Radio, "radio"},      {Kind::Combo, "combo"},     {Kind::ListBox, "list"},
    {Kind::GroupBox, "group"},   {Kind::Tab, "tab"},         {Kind::PageControl, "pages"},
    {Kind::Page, "page"},        {Kind::Tree, "tree"},       {Kind::ReportList, "report"},
    {Kind::StatusBar, "status"}, {Kind::HScroll, "hscroll"}, {Kind::IpAddress, "ip"},
    {Kind::Grid, "grid"},        {Kind::Picture, "picture"}, {Kind::Shape, "shape"},
    {Kind::Hyperlink, "link"},   {Kind::TrayIcon, "tray"},   {Kind::BalloonTip, "tips"},
    {Kind::Menu, "menu"},        {Kind::MenuItem, "item"},   {Kind::FileDialog, "filedialog"},
};

Kind KindFromName(const std::string& name, const std::string& control) {
    for (const KindEntry& e : kKinds)
        if (e.name == name) return e.kind;
    throw std::runtime_error("control " + control + ": unknown kind \"" + name + "\"");
}

// Layout files are UTF-8; the program's text is GBK. A text GBK cannot hold
// is a fault in the layout, so it is refused rather than turned into "?".
Gbk ToGbk(const std::string& utf8, const std::string& where) {
    Gbk g = Utf8ToGbk(utf8);
    if (GbkToUtf8(g) != utf8) throw std::runtime_error(where + ": text not representable in GBK: " + utf8);
    return g;
}

// A text may be written as one string or as an array of lines (joined by CR LF).
Gbk TextValue(const Json& v, const std::string& where) {
    if (v.is_string()) return ToGbk(v.get<std::string>(), where);
    if (v.is_array()) {
        std::string joined;
        for (std::size_t i = 0; i < v.size(); ++i) {
            if (i) joined += "\r\n";
            joined += v[i].get<std::string>();
        }
        return ToGbk(joined, where);
    }
    throw std::runtime_error(where + ": text must be a string or a list of lines");
}

std::vector<Gbk> TextList(const Json& v, const std::string& where) {
    std::vector<Gbk> out;
    for (const Json& item : v) out.push_back(ToGbk(item.get<std::string>(), where));
    return out;
}

Rect RectValue(const Json& v, const std::string& where) {
    if (!v.is_array() || v.size() != 4) throw std::runtime_error(where + ": rect must be [x, y, w, h]");
    return Rect{v[0].get<int>(), v[1].get<int>(), v[2].get<int>(), v[3].get<int>()};
}

const std::set<std::string> kControlKeys = {"kind",     "name",      "rect",      "text",     "visible",   "enabled",
                                            "readonly", "multiline", "password",  "digits",   "maxlength", "checked",
                                            "editable", "rowchecks", "separator", "group",    "items",     "current",
                                            "min",      "max",       "columns",   "widths",   "rows",      "tree",
                                            "treeitem", "url",       "filter",    "controls", "pages",     "comment"};

// The files being read, outermost first, and where included files come from.
struct Reading {
    const LayoutFiles& files;
    std::vector<std::string> open;
};

ControlSpec ParseControl(const Json& j, const std::string& parentName, int index, Reading& reading);

// "tree": {"tab": "选择夹1"}
std::string MirroredTabName(const Json& tree, const std::string& where) {
    for (auto it = tree.begin(); it != tree.end(); ++it)
        if (it.key() != "tab") throw std::runtime_error(where + ": a mirroring tree names nothing but its \"tab\"");
    if (!tree.contains("tab") || !tree["tab"].is_string())
        throw std::runtime_error(where + ": a mirroring tree names the \"tab\" it mirrors");
    return ToGbk(tree["tab"].get<std::string>(), where);
}

std::vector<TreeItemSpec> MirroredItems(const ControlSpec& tree, const std::vector<ControlSpec>& window) {
    const std::string where = GbkToUtf8(tree.name);
    const ControlSpec* tab = FindControl(window, tree.treeTab);
    if (!tab || (tab->kind != Kind::Tab && tab->kind != Kind::PageControl))
        throw std::runtime_error(where + ": no tab " + GbkToUtf8(tree.treeTab) + " to mirror");
    std::vector<TreeItemSpec> items;
    for (const ControlSpec& section : tab->children) {
        const ControlSpec& subTab = SubTabOf(section);
        // A section without pages would have no item to reach it by.
        if (subTab.children.empty()) throw std::runtime_error(where + ": " + GbkToUtf8(subTab.name) + " has no pages");
        for (std::size_t i = 0; i < subTab.children.size(); ++i)
            items.push_back({subTab.children[i].treeItem, i == 0 ? 0 : 1});
    }
    return items;
}

// The tab a tree mirrors may come after the tree, so trees are filled once
// the whole window is read.
void FillMirroredTrees(std::vector<ControlSpec>& controls, const std::vector<ControlSpec>& window) {
    for (ControlSpec& c : controls) {
        if (!c.treeTab.empty()) c.treeItems = MirroredItems(c, window);
        FillMirroredTrees(c.children, window);
    }
}

Json ParseJson(std::string_view text, const std::string& file) {
    try {
        return Json::parse(text.begin(), text.end());
    } catch (const Json::exception& e) {
        throw std::runtime_error(file + " is not valid JSON: " + e.what());
    }
}

// {"include": "main/system.json"} stands for the one control that file holds,
// read with the same rules as the controls around it.
ControlSpec ParseInclude(const Json& j, const std::string& parentName, int index, Reading& reading) {
    const std::string where = parentName + "#" + std::to_string(index);
    for (auto it = j.begin(); it != j.end(); ++it)
        if (it.key() != "include" && it.key() != "comment")
            throw std::runtime_error(where + ": an include holds nothing but \"include\", not \"" + it.key() + "\"");
    if (!j["include"].is_string()) throw std::runtime_error(where + ": \"include\" names a layout file");
    const std::string file = j["include"].get<std::string>();
    if (std::find(reading.open.begin(), reading.open.end(), file) != reading.open.end())
        throw std::runtime_error(where + ": " + file + " includes itself");
    const std::optional<std::string> text = reading.files ? reading.files(file) : std::nullopt;
    if (!text) throw std::runtime_error(where + ": no layout file " + file);
    const Json included = ParseJson(*text, file);
    if (!included.is_object()) throw std::runtime_error(file + ": an included file holds one control");
    reading.open.push_back(file);
    try {
        ControlSpec c = ParseControl(included, parentName, index, reading);
        reading.open.pop_back();
        return c;
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(file + ": " + e.what());
    }
}

ControlSpec ParseControl(const Json& j, const std::string& parentName, int index, Reading& reading) {
    if (j.is_object() && j.contains("include")) return ParseInclude(j, parentName, index, reading);
    ControlSpec c;
    const std::string fallback = parentName + "#" + std::to_string(index);
    c.name = j.contains("name") ? ToGbk(j["name"].get<std::string>(), fallback) : Gbk();
    const std::string where = c.name.empty() ? fallback : j["name"].get<std::string>();
    for (auto it = j.begin(); it != j.end(); ++it)
        if (!kControlKeys.count(it.key())) throw std::runtime_error(where + ": unknown key \"" + it.key() + "\"");
    c.kind = KindFromName(j.value("kind", std::string("page")), where);
    if (c.name.empty()) c.name = ToGbk(fallback, where);  // unnamed pages, separators
    if (j.contains("rect")) c.rect = RectValue(j["rect"], where);
    if (j.contains("text")) c.text = TextValue(j["text"], where);
    c.visible = j.value("visible", true);
    c.enabled = j.value("enabled", true);
    c.readOnly = j.value("readonly", false);
    c.multiline = j.value("multiline", c.kind == Kind::CodeBox);
    c.password = j.value("password", false);
    c.digitsOnly = j.value("digits", false);
    c.maxLength = j.value("maxlength", 0);
    if (c.maxLength < 0) throw std::runtime_error(where + ": maxlength counts characters, 0 for none");
    c.checked = j.value("checked", false);
    c.editable = j.value("editable", true);
    c.rowChecks = j.value("rowchecks", false);
    c.separator = j.value("separator", false);
    if (j.contains("group")) c.group = ToGbk(j["group"].get<std::string>(), where);
    if (j.contains("items")) c.items = TextList(j["items"], where);
    c.current = j.value("current", -1);
    c.minimum = j.value("min", 0);
    c.maximum = j.value("max", 100);
    if (j.contains("columns")) c.columns = TextList(j["columns"], where);
    if (j.contains("widths")) c.columnWidths = j["widths"].get<std::vector<int>>();
    c.gridRows = j.value("rows", 0);
    if (j.contains("tree")) {
        if (j["tree"].is_object()) c.treeTab = MirroredTabName(j["tree"], where);
        else
            for (const Json& item : j["tree"])
                c.treeItems.push_back({ToGbk(item.at(0).get<std::string>(), where), item.at(1).get<int>()});
    }
    if (c.kind == Kind::Page) {
        if (!j.contains("treeitem")) c.treeItem = c.text;
        else if (j["treeitem"].is_string()) c.treeItem = ToGbk(j["treeitem"].get<std::string>(), where);
        else throw std::runtime_error(where + ": \"treeitem\" is the page's text in a tree");
    } else if (j.contains("treeitem")) {
        throw std::runtime_error(where + ": only a page has a \"treeitem\"");
    }
    if (j.contains("url")) c.url = ToGbk(j["url"].get<std::string>(), where);
    if (j.contains("filter")) c.filter = ToGbk(j["filter"].get<std::string>(), where);
    const char* childKey = j.contains("pages") ? "pages" : "controls";
    if (j.contains(childKey)) {
        int i = 0;
        for (const Json& child : j[childKey]) {
            ControlSpec cs = ParseControl(child, where, i++, reading);
            if (std::string_view(childKey) == "pages") cs.kind = Kind::Page;
            c.children.push_back(std::move(cs));
        }
    }
    return c;
}

}  // namespace

std::string_view KindName(Kind kind) {
    for (const KindEntry& e : kKinds)
        if (e.kind == kind) return e.name;
    return "?";
}

std::optional<std::string> BuiltInLayoutFile(std::string_view fileName) {
    const auto bytes = EmbeddedFile("ui/layouts/" + std::string(fileName));
    if (!bytes) return std::nullopt;
    return std::string(*bytes);
}

WindowSpec ParseLayout(std::string_view text, const LayoutFiles& files) {
    const Json j = ParseJson(text, "layout");
    Reading reading{files, {}};
    WindowSpec w;
    const std::string name = j.at("name").get<std::string>();
    w.name = ToGbk(name, name);
    w.title = j.contains("title") ? TextValue(j["title"], name) : Gbk();
    w.rect = Rect{0, 0, j.value("w", 400), j.value("h", 300)};
    w.resizable = j.value("resizable", false);
    int i = 0;
    for (const Json& c : j.value("controls", Json::array())) w.controls.push_back(ParseControl(c, name, i++, reading));
    FillMirroredTrees(w.controls, w.controls);
    return w;
}

const ControlSpec* FindControl(const std::vector<ControlSpec>& controls, std::string_view name) {
    for (const ControlSpec& c : controls) {
        if (c.name == name) return &c;
        if (const ControlSpec* inside = FindControl(c.children, name)) return inside;
    }
    return nullptr;
}

const ControlSpec& SubTabOf(const ControlSpec& page) {
    for (const ControlSpec& c : page.children)
        if (c.kind == Kind::Tab || c.kind == Kind::PageControl) return c;
    throw std::runtime_error(GbkToUtf8(page.name) + ": the page holds no sub-tab");
}

const WindowSpec& BuiltInLayout(std::string_view fileName) {
    static std::mutex mutex;
    static std::map<std::string, WindowSpec, std::less<>> cache;
    std::lock_guard lock(mutex);
    auto it = cache.find(fileName);
    if (it != cache.end()) return it->second;
    const std::optional<std::string> text = BuiltInLayoutFile(fileName);
    if (!text) throw std::runtime_error("no built-in layout ui/layouts/" + std::string(fileName));
    return cache.emplace(std::string(fileName), ParseLayout(*text)).first->second;
}

}  // namespace trelvix::ui

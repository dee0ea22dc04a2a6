#include "ui/Layout.h"

#include <map>
#include <mutex>
#include <set>
#include <stdexcept>

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
    {Kind::Window, "window"},     {Kind::Edit, "edit"},         {Kind::CodeBox, "code"},
    {Kind::Label, "label"},       {Kind::Button, "button"},     {Kind::CheckBox, "check"},
    {Kind::Radio, "radio"},       {Kind::Combo, "combo"},       {Kind::ListBox, "list"},
    {Kind::GroupBox, "group"},    {Kind::Tab, "tab"},           {Kind::PageControl, "pages"},
    {Kind::Page, "page"},         {Kind::Tree, "tree"},         {Kind::ReportList, "report"},
    {Kind::StatusBar, "status"},  {Kind::HScroll, "hscroll"},   {Kind::IpAddress, "ip"},
    {Kind::Grid, "grid"},         {Kind::Picture, "picture"},   {Kind::Shape, "shape"},
    {Kind::Hyperlink, "link"},    {Kind::TrayIcon, "tray"},     {Kind::BalloonTip, "tips"},
    {Kind::Menu, "menu"},         {Kind::MenuItem, "item"},     {Kind::FileDialog, "filedialog"},
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

const std::set<std::string> kControlKeys = {
    "kind", "name", "rect", "text", "visible", "enabled", "readonly", "multiline", "password",
    "digits", "checked", "editable", "rowchecks", "separator", "group", "items", "current", "min",
    "max", "columns", "widths", "rows", "tree", "url", "filter", "controls", "pages", "comment",
    "big5"};

ControlSpec ParseControl(const Json& j, const std::string& parentName, int index) {
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
    // The language button carries Big5 bytes, shown as they are on a GBK desktop.
    if (j.value("big5", false)) c.text = Utf16ToMultiByte(MultiByteToUtf16(GbkToUtf8(c.text), 65001), 950);
    c.visible = j.value("visible", true);
    c.enabled = j.value("enabled", true);
    c.readOnly = j.value("readonly", false);
    c.multiline = j.value("multiline", c.kind == Kind::CodeBox);
    c.password = j.value("password", false);
    c.digitsOnly = j.value("digits", false);
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
    if (j.contains("tree"))
        for (const Json& item : j["tree"])
            c.treeItems.push_back({ToGbk(item.at(0).get<std::string>(), where), item.at(1).get<int>()});
    if (j.contains("url")) c.url = ToGbk(j["url"].get<std::string>(), where);
    if (j.contains("filter")) c.filter = ToGbk(j["filter"].get<std::string>(), where);
    const char* childKey = j.contains("pages") ? "pages" : "controls";
    if (j.contains(childKey)) {
        int i = 0;
        for (const Json& child : j[childKey]) {
            ControlSpec cs = ParseControl(child, where, i++);
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

WindowSpec ParseLayout(std::string_view text) {
    Json j;
    try {
        j = Json::parse(text.begin(), text.end());
    } catch (const Json::exception& e) {
        throw std::runtime_error(std::string("layout is not valid JSON: ") + e.what());
    }
    WindowSpec w;
    const std::string name = j.at("name").get<std::string>();
    w.name = ToGbk(name, name);
    w.title = j.contains("title") ? TextValue(j["title"], name) : Gbk();
    w.rect = Rect{0, 0, j.value("w", 400), j.value("h", 300)};
    w.resizable = j.value("resizable", false);
    int i = 0;
    for (const Json& c : j.value("controls", Json::array())) w.controls.push_back(ParseControl(c, name, i++));
    return w;
}

const WindowSpec& BuiltInLayout(std::string_view fileName) {
    static std::mutex mutex;
    static std::map<std::string, WindowSpec, std::less<>> cache;
    std::lock_guard lock(mutex);
    auto it = cache.find(fileName);
    if (it != cache.end()) return it->second;
    const std::string path = "ui/layouts/" + std::string(fileName);
    auto bytes = EmbeddedFile(path);
    if (!bytes) throw std::runtime_error("no built-in layout " + path);
    return cache.emplace(std::string(fileName), ParseLayout(*bytes)).first->second;
}

}  // namespace trelvix::ui

#include "common/json/JsonObject.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <variant>

#include <nlohmann/json.hpp>

#include "common/text/CodePage.h"

namespace trelvix {

namespace json_detail {

// Deep enough for any web reply, shallow enough that copying, writing and freeing a
// document by recursion can never exhaust the stack.
constexpr std::size_t kMaxDepth = 512;
// Elements an array may grow by in one write: a far index would otherwise allocate
// a run of empty elements as long as the index.
constexpr std::size_t kMaxGap = 65536;

struct Object;
struct Value;
using Array = std::vector<Value>;

struct Undefined {};  // an array element never written
struct Null {};

struct Value {
    std::variant<Undefined, Null, bool, double, std::string, Array, std::unique_ptr<Object>> data;
};

// Members keep the order they were added in, as a script engine enumerates them;
// the index keeps a lookup by name cheap however many members there are.
struct Object {
    std::vector<std::pair<std::string, Value>> members;
    std::unordered_map<std::string, std::size_t> index;

    Value* find(const std::string& name) {
        const auto it = index.find(name);
        return it == index.end() ? nullptr : &members[it->second].second;
    }

    // A name seen again keeps its place and takes the new value.
    Value& set(std::string name, Value value) {
        const auto [it, added] = index.try_emplace(name, members.size());
        if (!added) return members[it->second].second = std::move(value);
        members.emplace_back(std::move(name), std::move(value));
        return members.back().second;
    }
};

struct Document {
    Value root;
};

namespace {

Value MakeNull() { return Value{Null{}}; }
Value MakeString(std::string text) { return Value{std::move(text)}; }
Value MakeNumber(double number) { return Value{number}; }
Value MakeArray() { return Value{Array{}}; }
Value MakeObject() { return Value{std::make_unique<Object>()}; }

bool IsNullish(const Value* value) {
    return !value || std::holds_alternative<Undefined>(value->data) || std::holds_alternative<Null>(value->data);
}

Array* AsArray(Value* value) { return value ? std::get_if<Array>(&value->data) : nullptr; }
const Array* AsArray(const Value* value) { return value ? std::get_if<Array>(&value->data) : nullptr; }

Object* AsObject(Value* value) {
    auto* object = value ? std::get_if<std::unique_ptr<Object>>(&value->data) : nullptr;
    return object ? object->get() : nullptr;
}
const Object* AsObject(const Value* value) { return AsObject(const_cast<Value*>(value)); }

// ---- Texts

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Paths and names are mostly ASCII, the same in both code pages: no conversion then.
std::string FromGbk(std::string_view gbk) { return IsAscii(gbk) ? std::string(gbk) : GbkToUtf8(gbk); }
Gbk ToGbk(std::string_view utf8) { return IsAscii(utf8) ? Gbk(utf8) : Utf8ToGbk(utf8); }

// A number as the platform's value-to-text conversion writes it: 15 significant
// digits, an exponent "E+NN" / "E-NN" outside the fixed range. Locale-independent.
std::string NumberAsText(double number) {
    if (number == 0) return "0";  // also for -0
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    for (char& c : text) {
        if (c == 'e') c = 'E';
    }
    return text;
}

// A number as a script engine writes it in JSON text and in String(x): the shortest
// digits that read back as the same double, fixed notation from 1e-6 to below 1e21.
void AppendScriptNumber(std::string& out, double number) {
    if (!std::isfinite(number)) {
        out += "null";
        return;
    }
    if (number == 0) {
        out += '0';
        return;
    }
    if (number < 0) {
        out += '-';
        number = -number;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::scientific);
    const std::string_view sci(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, e)) {
        if (c != '.') digits += c;
    }
    int exponent = 0;
    const std::string_view exp = sci.substr(e + 1);
    std::from_chars(exp.data() + (exp[0] == '+' ? 1 : 0), exp.data() + exp.size(), exponent);
    const int k = static_cast<int>(digits.size());
    const int n = exponent + 1;  // the decimal point stands after n digits
    if (k <= n && n <= 21) {
        out += digits;
        out.append(static_cast<std::size_t>(n - k), '0');
    } else if (0 < n && n <= 21) {
        out.append(digits, 0, static_cast<std::size_t>(n));
        out += '.';
        out.append(digits, static_cast<std::size_t>(n));
    } else if (-6 < n && n <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-n), '0');
        out += digits;
    } else {
        out += digits[0];
        if (k > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += n - 1 < 0 ? "e-" : "e+";
        out += std::to_string(std::abs(n - 1));
    }
}

// A text read as a number the way the platform's value conversion reads it: blanks
// around, one sign, decimal digits with an optional fraction and exponent. Anything
// else fails, and a failed conversion gives 0.
double TextAsNumber(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !((text[0] >= '0' && text[0] <= '9') || text[0] == '.')) return 0;
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value)) return 0;
    return negative ? -value : value;
}

void AppendJsonString(std::string& out, std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    for (char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    out += "\\u00";
                    out += kHex[(c >> 4) & 0xF];
                    out += kHex[c & 0xF];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

void AppendJson(std::string& out, const Value& value) {
    struct Writer {
        std::string& out;
        void operator()(const Undefined&) const { out += "null"; }  // an empty element
        void operator()(const Null&) const { out += "null"; }
        void operator()(bool b) const { out += b ? "true" : "false"; }
        void operator()(double number) const { AppendScriptNumber(out, number); }
        void operator()(const std::string& text) const { AppendJsonString(out, text); }
        void operator()(const Array& items) const {
            out += '[';
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (i) out += ',';
                AppendJson(out, items[i]);
            }
            out += ']';
        }
        void operator()(const std::unique_ptr<Object>& object) const {
            out += '{';
            bool first = true;
            for (const auto& [name, member] : object->members) {
                if (!first) out += ',';
                first = false;
                AppendJsonString(out, name);
                out += ':';
                AppendJson(out, member);
            }
            out += '}';
        }
    };
    std::visit(Writer{out}, value.data);
}

// String(x) of a script engine, which is also what an object or array gives when the
// platform converts it to text: "[object Object]", or the elements joined by commas.
void AppendScriptText(std::string& out, const Value& value) {
    struct Writer {
        std::string& out;
        void operator()(const Undefined&) const {}
        void operator()(const Null&) const {}
        void operator()(bool b) const { out += b ? "true" : "false"; }
        void operator()(double number) const { AppendScriptNumber(out, number); }
        void operator()(const std::string& text) const { out += text; }
        void operator()(const Array& items) const {
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (i) out += ',';
                AppendScriptText(out, items[i]);
            }
        }
        void operator()(const std::unique_ptr<Object>&) const { out += "[object Object]"; }
    };
    std::visit(Writer{out}, value.data);
}

// The text result of a read, still UTF-8.
std::string ValueAsText(const Value* value) {
    if (IsNullish(value)) return {};
    if (const bool* b = std::get_if<bool>(&value->data)) return *b ? "-1" : "0";
    if (const double* number = std::get_if<double>(&value->data)) return NumberAsText(*number);
    std::string out;
    AppendScriptText(out, *value);
    return out;
}

double ValueAsNumber(const Value* value) {
    if (IsNullish(value)) return 0;
    if (const bool* b = std::get_if<bool>(&value->data)) return *b ? -1 : 0;
    if (const double* number = std::get_if<double>(&value->data)) return *number;
    return TextAsNumber(ValueAsText(value));
}

// What a part of the document becomes when written as JSON and read again: empty
// elements turn into nulls.
Value CopyAsJson(const Value& value) {
    struct Copier {
        Value operator()(const Undefined&) const { return MakeNull(); }
        Value operator()(const Null&) const { return MakeNull(); }
        Value operator()(bool b) const { return Value{b}; }
        Value operator()(double number) const { return MakeNumber(number); }
        Value operator()(const std::string& text) const { return MakeString(text); }
        Value operator()(const Array& items) const {
            Array copy;
            copy.reserve(items.size());
            for (const Value& item : items) copy.push_back(CopyAsJson(item));
            return Value{std::move(copy)};
        }
        Value operator()(const std::unique_ptr<Object>& object) const {
            Value copy = MakeObject();
            Object& target = *AsObject(&copy);
            target.members.reserve(object->members.size());
            for (const auto& [name, member] : object->members) target.set(name, CopyAsJson(member));
            return copy;
        }
    };
    return std::visit(Copier{}, value.data);
}

// The JSON text of a read, empty when there is nothing at the path.
Gbk JsonTextOf(const Value* value) {
    if (!value || std::holds_alternative<Undefined>(value->data)) return {};
    std::string out;
    AppendJson(out, *value);
    return ToGbk(out);
}

// ---- Strict parsing

struct Parsed {
    Value value;
    std::size_t depth = 0;  // containers nested, 0 for a single plain value
};

class Builder {
public:
    using json = nlohmann::json;

    bool null() { return put(MakeNull()); }
    bool boolean(bool b) { return put(Value{b}); }
    bool number_integer(json::number_integer_t n) { return put(MakeNumber(static_cast<double>(n))); }
    bool number_unsigned(json::number_unsigned_t n) { return put(MakeNumber(static_cast<double>(n))); }
    bool number_float(json::number_float_t n, const json::string_t&) { return std::isfinite(n) && put(MakeNumber(n)); }
    bool string(json::string_t& text) { return put(MakeString(std::move(text))); }
    bool binary(json::binary_t&) { return false; }
    bool start_object(std::size_t) { return open(MakeObject()); }
    bool key(json::string_t& name) {
        key_ = std::move(name);
        return true;
    }
    bool end_object() { return close(); }
    bool start_array(std::size_t) { return open(MakeArray()); }
    bool end_array() { return close(); }
    bool parse_error(std::size_t, const std::string&, const json::exception&) { return false; }

    Parsed take() { return Parsed{std::move(root_), depth_}; }

private:
    Value* put(Value value) {
        if (open_.empty()) {
            root_ = std::move(value);
            return &root_;
        }
        Value* container = open_.back();
        if (Array* items = AsArray(container)) {
            items->push_back(std::move(value));
            return &items->back();
        }
        return &AsObject(container)->set(std::move(key_), std::move(value));
    }
    // A container's place in its parent stays put while it is open: the parent takes
    // no other value until this one is closed.
    bool open(Value container) {
        if (open_.size() >= kMaxDepth) return false;
        open_.push_back(put(std::move(container)));
        depth_ = std::max(depth_, open_.size());
        return true;
    }
    bool close() {
        open_.pop_back();
        return true;
    }

    Value root_;
    std::vector<Value*> open_;
    std::string key_;
    std::size_t depth_ = 0;
};

std::optional<Parsed> ParseJson(std::string_view utf8) {
    Builder builder;
    try {
        if (!nlohmann::json::sax_parse(utf8.begin(), utf8.end(), &builder)) return std::nullopt;
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;
    }
    return builder.take();
}

// ---- Paths

struct Segment {
    std::string name;  // a bracketed index as its decimal text, for objects
    std::optional<long long> index;
};
using Path = std::vector<Segment>;

enum class Join {
    Dot,         // always after a dot: a path beginning with "[" cannot be read
    BracketToo,  // a path beginning with "[" follows the document directly
};

Segment IndexSegment(long long index) { return Segment{std::to_string(index), index}; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// Letters of other scripts (a Chinese member name) are bytes from 0x80 up in UTF-8.
bool IsNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$' ||
           static_cast<unsigned char>(c) >= 0x80;
}
bool IsNamePart(char c) { return IsNameStart(c) || IsDigit(c); }

// Member names and decimal indices; anything else is refused as the script engine
// would refuse a malformed expression.
std::optional<Path> ParsePath(std::string_view gbkPath, Join join) {
    Path path;
    if (gbkPath.empty()) return path;
    const std::string utf8 = FromGbk(gbkPath);
    const std::string text = (join == Join::BracketToo && utf8[0] == '[') ? utf8 : "." + utf8;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && IsBlank(text[i])) ++i;
    };
    while (true) {
        skipBlanks();
        if (i == text.size()) return path;
        if (text[i] == '.') {
            ++i;
            skipBlanks();
            if (i == text.size() || !IsNameStart(text[i])) return std::nullopt;
            const std::size_t start = i;
            while (i < text.size() && IsNamePart(text[i])) ++i;
            path.push_back(Segment{text.substr(start, i - start), std::nullopt});
        } else if (text[i] == '[') {
            ++i;
            skipBlanks();
            const bool negative = i < text.size() && text[i] == '-';
            if (negative) ++i;
            const std::size_t start = i;
            while (i < text.size() && IsDigit(text[i])) ++i;
            const std::size_t digits = i - start;
            // A leading zero would make an octal literal; 16 digits no longer count exactly.
            if (digits == 0 || digits > 15 || (digits > 1 && text[start] == '0')) return std::nullopt;
            skipBlanks();
            if (i == text.size() || text[i] != ']') return std::nullopt;
            ++i;
            long long index = std::stoll(text.substr(start, digits));
            path.push_back(IndexSegment(negative ? -index : index));
        } else {
            return std::nullopt;
        }
    }
}

Value* Child(Value& value, const Segment& segment) {
    if (Object* object = AsObject(&value)) return object->find(segment.name);
    if (Array* items = AsArray(&value)) {
        if (!segment.index || *segment.index < 0 || static_cast<std::size_t>(*segment.index) >= items->size()) {
            return nullptr;
        }
        return &(*items)[static_cast<std::size_t>(*segment.index)];
    }
    return nullptr;  // a member of a string, number or boolean: nothing
}

// The value at the first `count` segments; null when there is none or the way there
// passes through null or a missing member.
Value* Find(Value& root, const Path& path, std::size_t count) {
    Value* current = &root;
    for (std::size_t i = 0; i < count; ++i) {
        if (IsNullish(current)) return nullptr;
        current = Child(*current, path[i]);
    }
    return current;
}

const Value* Find(const Document& document, const std::optional<Path>& path) {
    if (!path) return nullptr;
    return Find(const_cast<Value&>(document.root), *path, path->size());
}

// Where the write landed, or null when nothing changed: the member's owner is null,
// missing, or a plain value, or the write would nest the document too deep.
Value* Assign(Value& root, const std::optional<Path>& path, Value value, std::size_t depth) {
    if (!path || path->size() + depth > kMaxDepth) return nullptr;
    if (path->empty()) {
        root = std::move(value);
        return &root;
    }
    Value* owner = Find(root, *path, path->size() - 1);
    if (IsNullish(owner)) return nullptr;
    const Segment& last = path->back();
    if (Object* object = AsObject(owner)) return &object->set(last.name, std::move(value));
    Array* items = AsArray(owner);
    // Named members of an array are not kept: they are no part of its JSON text.
    if (!items || !last.index || *last.index < 0) return nullptr;
    const auto at = static_cast<std::size_t>(*last.index);
    if (at >= items->size()) {
        if (at - items->size() > kMaxGap) return nullptr;
        items->resize(at + 1);
    }
    return &((*items)[at] = std::move(value));
}

// A value given by the program: a string as it is, or (raw) GBK JSON text.
std::optional<Parsed> GivenValue(std::string_view value, bool raw) {
    if (!raw) return Parsed{MakeString(FromGbk(value)), 0};
    return ParseJson(FromGbk(value));
}

Path WithIndex(Path path, long long index) {
    path.push_back(IndexSegment(index));
    return path;
}

std::optional<Path> WithIndex(const std::optional<Path>& path, long long index) {
    if (!path) return std::nullopt;
    return WithIndex(*path, index);
}

}  // namespace
}  // namespace json_detail

using namespace json_detail;

JsonObject::JsonObject() : document_(std::make_shared<Document>()) { document_->root = MakeObject(); }

JsonObject::JsonObject(std::shared_ptr<Document> document) : document_(std::move(document)) {}
JsonObject::~JsonObject() = default;
JsonObject::JsonObject(JsonObject&&) noexcept = default;
JsonObject& JsonObject::operator=(JsonObject&&) noexcept = default;

JsonObject JsonObject::Copy() const { return JsonObject(document_); }

bool JsonObject::Parse(std::string_view json) {
    document_->root = MakeNull();
    // Web services answer in UTF-8 or in GBK, and say so unreliably: text that holds
    // together as UTF-8 is taken as UTF-8.
    std::optional<Parsed> parsed = IsValidUtf8(json) ? ParseJson(json) : ParseJson(GbkToUtf8(json));
    if (!parsed) return false;
    document_->root = std::move(parsed->value);
    return !IsNullish(&document_->root);
}

Gbk JsonObject::ToText() const {
    std::string out;
    AppendJson(out, document_->root);
    return ToGbk(out);
}

void JsonObject::SetProperty(std::string_view path, std::string_view value, bool asObject) {
    if (asObject) {
        SetJson(path, value.empty() ? std::string_view("{}") : value);
        return;
    }
    Assign(document_->root, ParsePath(path, Join::Dot), MakeString(FromGbk(value)), 0);
}

void JsonObject::SetJson(std::string_view path, std::string_view json) {
    const std::optional<Path> where = ParsePath(path, Join::Dot);
    if (!where) return;
    if (std::optional<Parsed> parsed = GivenValue(json, true)) {
        Assign(document_->root, where, std::move(parsed->value), parsed->depth);
    }
}

void JsonObject::SetNumber(std::string_view path, double number) {
    if (!std::isfinite(number)) return;
    Assign(document_->root, ParsePath(path, Join::Dot), MakeNumber(TextAsNumber(NumberAsText(number))), 0);
}

double JsonObject::GetNumber(std::string_view path) const {
    return ValueAsNumber(Find(*document_, ParsePath(path, Join::Dot)));
}

Gbk JsonObject::GetJson(std::string_view path) const {
    return JsonTextOf(Find(*document_, ParsePath(path, Join::Dot)));
}

Gbk JsonObject::GetText(std::string_view path, bool asJson) const {
    const Value* value = Find(*document_, ParsePath(path, Join::BracketToo));
    return asJson ? JsonTextOf(value) : ToGbk(ValueAsText(value));
}

JsonObject JsonObject::GetObject(std::string_view path) const {
    JsonObject part;
    const Value* value = Find(*document_, ParsePath(path, Join::BracketToo));
    part.document_->root = value ? CopyAsJson(*value) : MakeNull();
    return part;
}

int JsonObject::Count(std::string_view path) const {
    const Value* value = Find(*document_, ParsePath(path, Join::BracketToo));
    if (const Object* object = AsObject(value)) return static_cast<int>(object->members.size());
    if (const Array* items = AsArray(value)) {
        return static_cast<int>(std::count_if(items->begin(), items->end(), [](const Value& item) {
            return !std::holds_alternative<Undefined>(item.data);
        }));
    }
    return 0;
}

void JsonObject::AddArrayItem(std::string_view value, std::string_view path, bool raw) {
    const std::optional<Path> where = ParsePath(path, Join::Dot);
    std::optional<Parsed> item = GivenValue(value, raw);
    if (!where || !item || where->size() + 1 + item->depth > kMaxDepth) return;
    Value* target = Find(document_->root, *where, where->size());
    if (!AsArray(target)) target = Assign(document_->root, where, MakeArray(), 1);
    if (Array* items = AsArray(target)) items->push_back(std::move(item->value));
}

JsonObject JsonObject::GetArrayObject(int index, std::string_view path) const {
    JsonObject part;
    const Value* value = Find(*document_, WithIndex(ParsePath(path, Join::Dot), index));
    part.document_->root = value ? CopyAsJson(*value) : MakeNull();
    return part;
}

Gbk JsonObject::GetArrayItem(int index, std::string_view path, bool asJson) const {
    const Value* value = Find(*document_, WithIndex(ParsePath(path, Join::Dot), index));
    return asJson ? JsonTextOf(value) : ToGbk(ValueAsText(value));
}

void JsonObject::SetArrayItem(int index, std::string_view value, bool raw) {
    if (std::optional<Parsed> item = GivenValue(value, raw)) {
        Assign(document_->root, WithIndex(Path{}, index), std::move(item->value), item->depth);
    }
}

void JsonObject::RemoveArrayItem(int index) {
    Array* items = AsArray(&document_->root);
    if (!items) return;
    const auto size = static_cast<long long>(items->size());
    const long long start = index < 0 ? std::max(size + index, 0LL) : index;
    if (start < size) items->erase(items->begin() + start);
}

void JsonObject::Create(int type) {
    if (type == 0 || type == 4) document_->root = MakeObject();
    else if (type == 5) document_->root = MakeArray();
}

void JsonObject::SetValue(std::string_view value, bool raw) {
    if (std::optional<Parsed> item = GivenValue(value, raw)) {
        Assign(document_->root, Path{}, std::move(item->value), item->depth);
    }
}

bool JsonObject::Has(std::string_view path) const { return !IsNullish(Find(*document_, ParsePath(path, Join::Dot))); }

int JsonObject::MemberNames(std::vector<Gbk>& names, std::string_view path) const {
    names.clear();
    const Value* value = Find(*document_, ParsePath(path, Join::Dot));
    if (const Object* object = AsObject(value)) {
        names.reserve(object->members.size());
        for (const auto& member : object->members) names.push_back(ToGbk(member.first));
    } else if (const Array* items = AsArray(value)) {
        for (std::size_t i = 0; i < items->size(); ++i) {
            if (!std::holds_alternative<Undefined>((*items)[i].data)) names.push_back(std::to_string(i));
        }
    }
    return static_cast<int>(names.size());
}

int JsonObject::TypeOf(std::string_view path) const {
    const Value* value = Find(*document_, ParsePath(path, Join::Dot));
    if (IsNullish(value)) return kNull;
    if (std::holds_alternative<double>(value->data)) return kNumber;
    if (std::holds_alternative<std::string>(value->data)) return kString;
    if (AsArray(value)) return kArray;
    if (AsObject(value)) return kObject;
    return kOther;
}

void JsonObject::Clear() { document_->root = MakeObject(); }

}  // namespace trelvix

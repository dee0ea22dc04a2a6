#pragma once
// One JSON document, read and written by JavaScript member-access paths such as
// "retData.city" or "list[2].ip". Replies of web services land here, so the text is
// parsed as strict JSON and nothing in it is ever run; values set from the program are
// stored as the exact strings given.
//
// Texts in and out are GBK, except the text given to Parse: a reply that is valid UTF-8
// is read as UTF-8, any other as GBK. A character GBK lacks comes back as "?".
//
// Paths: identifiers joined by "." and decimal indices in brackets. A path is joined to
// the document with a dot ("city" reads the document's member city); an empty path is
// the document itself. GetText, GetObject and Count also take a path that begins with
// "[" and join it without the dot ("[0].ip" reads element 0 of an array document);
// every other operation refuses such a path, as it would refuse any path it cannot
// read. A refused path, a read through a missing or null member, or a value that is
// not JSON gives an empty text, 0 or false and changes nothing.
//
// Values read as text: a string as it is, a number in decimal with up to 15
// significant digits, a boolean as "-1" or "0", null and a missing member as "".
//
// Copies made by Copy share one document; the object is for one thread.
#include <memory>
#include <string_view>
#include <vector>

#include "common/text/Gbk.h"

namespace trelvix {

namespace json_detail {
struct Document;
}

class JsonObject {
public:
    // Type codes of TypeOf.
    static constexpr int kNull = 0;  // null, or nothing at the path
    static constexpr int kNumber = 2;
    static constexpr int kObject = 4;
    static constexpr int kArray = 5;
    static constexpr int kString = 6;
    static constexpr int kOther = -1;  // a boolean

    // Holds an empty object.
    JsonObject();
    ~JsonObject();
    JsonObject(JsonObject&&) noexcept;
    JsonObject& operator=(JsonObject&&) noexcept;
    JsonObject(const JsonObject&) = delete;
    JsonObject& operator=(const JsonObject&) = delete;

    // Another handle on the same document: a change through one shows in both.
    JsonObject Copy() const;

    // Replaces the document. False, leaving null, when the text is not one JSON
    // value (trailing text, comments, single quotes, a number too large for a
    // double, nesting deeper than 512 levels); false also for "null".
    bool Parse(std::string_view json);
    // The document as compact JSON text.
    Gbk ToText() const;

    // asObject false: the value as a string; true: the value read as JSON ("{}" when
    // empty).
    void SetProperty(std::string_view path, std::string_view value, bool asObject = false);
    void SetJson(std::string_view path, std::string_view json);
    // Stored as its decimal text reads back: 15 significant digits. Infinity and NaN
    // have no such text and change nothing.
    void SetNumber(std::string_view path, double number);
    double GetNumber(std::string_view path) const;
    Gbk GetJson(std::string_view path) const;
    Gbk GetText(std::string_view path, bool asJson = false) const;
    // A new document holding a copy of that part (null when there is none).
    JsonObject GetObject(std::string_view path) const;
    // Members of an object, elements of an array, 0 for anything else.
    int Count(std::string_view path = {}) const;

    // Appends to the array at the path, which becomes an empty array first when it
    // holds anything else. raw: the value is JSON text rather than a string.
    void AddArrayItem(std::string_view value, std::string_view path = {}, bool raw = false);
    JsonObject GetArrayObject(int index, std::string_view path = {}) const;
    Gbk GetArrayItem(int index, std::string_view path = {}, bool asJson = false) const;
    // On the document itself. An index past the end leaves nulls in between (at most
    // 65,536 of them; a farther index changes nothing).
    void SetArrayItem(int index, std::string_view value, bool raw = false);
    // A negative index counts from the end; past the end nothing is removed.
    void RemoveArrayItem(int index);

    // 0 or 4: an empty object; 5: an empty array; any other type changes nothing.
    void Create(int type);
    void SetValue(std::string_view value, bool raw = false);
    // True when the path holds a value other than null.
    bool Has(std::string_view path) const;
    // The names of an object's members in their order (an array's indices); `names`
    // is replaced. Returns their number.
    int MemberNames(std::vector<Gbk>& names, std::string_view path = {}) const;
    int TypeOf(std::string_view path = {}) const;
    // An empty object again.
    void Clear();

private:
    explicit JsonObject(std::shared_ptr<json_detail::Document> document);

    std::shared_ptr<json_detail::Document> document_;
};

}  // namespace trelvix

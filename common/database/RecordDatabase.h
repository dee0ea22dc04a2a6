#pragma once
// The record database: a file of records in a fixed order, each a set of named
// fields holding text (GBK bytes), a number or bytes, opened with a password.
// A cursor stands on one record at a time; reads and writes apply to it.
//
// The file is an SQLite database. The password is checked against a salted
// SHA-256 hash kept in the file, so a wrong password fails to open it; the
// records themselves are not enciphered. Texts are stored as bytes, never as
// SQLite text, so GBK survives unchanged.
//
// One object may be used from one thread at a time; it may be handed from
// one thread to another (the catalogue loader opens, the window reads).
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/text/Gbk.h"

struct sqlite3;

namespace trelvix {

enum class FieldKind { Missing, Text, Number, Bytes };

struct FieldValue {
    FieldKind kind = FieldKind::Missing;
    std::string bytes;  // a text's GBK bytes, or the bytes of a bytes field
    double number = 0;

    static FieldValue Text(std::string_view text) { return {FieldKind::Text, std::string(text), 0}; }
    static FieldValue Number(double value) { return {FieldKind::Number, {}, value}; }
    static FieldValue Bytes(std::string_view bytes) { return {FieldKind::Bytes, std::string(bytes), 0}; }
};

class RecordDatabase {
public:
    // Opens an existing file; it stands at its first record. Nothing when the
    // file is missing, damaged or not a record database, or the password is wrong.
    static std::unique_ptr<RecordDatabase> Open(const std::filesystem::path& file, std::string_view password);
    // Makes a new empty database in `file` (replacing what was there), locked
    // with `password` and `salt`. Nothing when the file cannot be written.
    static std::unique_ptr<RecordDatabase> Create(const std::filesystem::path& file, std::string_view password,
                                                  std::string_view salt);
    ~RecordDatabase();
    RecordDatabase(const RecordDatabase&) = delete;
    RecordDatabase& operator=(const RecordDatabase&) = delete;

    long long RecordCount() const { return static_cast<long long>(records_.size()); }
    // Past the last record (or no records at all): reads give Missing, writes fail.
    bool AtEnd() const { return current_ >= records_.size(); }
    void First() { current_ = 0; }
    void Skip() {
        if (!AtEnd()) ++current_;
    }

    // The current record's field; Missing when it has none of that name, or
    // past the end.
    FieldValue Read(std::string_view field) const;
    // From the current record forward, the first record for which `condition`
    // holds becomes current: true. False when none does; the cursor then
    // stands past the end.
    bool Find(const std::function<bool(const RecordDatabase&)>& condition);
    // Stores the value in the current record's field. False past the end or
    // when the file cannot be written.
    bool Write(std::string_view field, const FieldValue& value);
    bool WriteText(std::string_view field, std::string_view text) { return Write(field, FieldValue::Text(text)); }
    // A new, empty record after the last one; it becomes current.
    bool Append();

private:
    explicit RecordDatabase(sqlite3* db) : db_(db) {}
    bool LoadRecordOrder();

    sqlite3* db_;
    std::vector<long long> records_;  // row ids in record order
    std::size_t current_ = 0;
};

// The databases a program has open, each named by its path, one of them the
// current one: open, select and close by path.
class RecordDatabases {
public:
    // Opens the file (replacing one already open under that path) and makes it current.
    bool Open(const std::filesystem::path& file, std::string_view password);
    // Makes an open database current; false when none is open under that path.
    bool Select(const std::filesystem::path& file);
    // Closes it; when it was current, none is current any more.
    void Close(const std::filesystem::path& file);
    // The current database, or null.
    RecordDatabase* Current() const { return current_; }
    // Hands an open database over (closing it here), or null.
    std::unique_ptr<RecordDatabase> Release(const std::filesystem::path& file);

private:
    std::map<std::filesystem::path, std::unique_ptr<RecordDatabase>> open_;
    RecordDatabase* current_ = nullptr;
};

}  // namespace trelvix

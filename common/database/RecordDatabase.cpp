#include "common/database/RecordDatabase.h"

#include <sqlite3.h>

#include <system_error>

#include "common/database/Sha256.h"

namespace trelvix {
namespace {

// Marks the file as a record database of this program ("TRDB").
constexpr int kApplicationId = 0x54524442;
constexpr int kFormatVersion = 1;

constexpr const char* kSchema =
    "CREATE TABLE lock(salt BLOB NOT NULL, hash TEXT NOT NULL);"
    "CREATE TABLE record(id INTEGER PRIMARY KEY);"
    "CREATE TABLE field(record INTEGER NOT NULL REFERENCES record(id), name BLOB NOT NULL,"
    " kind INTEGER NOT NULL, value, PRIMARY KEY(record, name));";

// One prepared statement, finalised however the caller leaves.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) stmt_ = nullptr;
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return stmt_ != nullptr; }
    void bindInt(int at, long long value) {
        if (stmt_) sqlite3_bind_int64(stmt_, at, value);
    }
    void bindBlob(int at, std::string_view bytes) {
        // A zero-length blob, not NULL, for empty texts.
        if (stmt_) sqlite3_bind_blob64(stmt_, at, bytes.empty() ? "" : bytes.data(), bytes.size(), SQLITE_TRANSIENT);
    }
    void bindDouble(int at, double value) {
        if (stmt_) sqlite3_bind_double(stmt_, at, value);
    }
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_ERROR; }
    long long intAt(int column) const { return sqlite3_column_int64(stmt_, column); }
    double doubleAt(int column) const { return sqlite3_column_double(stmt_, column); }
    std::string bytesAt(int column) const {
        const void* data = sqlite3_column_blob(stmt_, column);
        const int size = sqlite3_column_bytes(stmt_, column);
        return data ? std::string(static_cast<const char*>(data), static_cast<std::size_t>(size)) : std::string();
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

bool Execute(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

long long PragmaValue(sqlite3* db, const char* sql) {
    Statement s(db, sql);
    return s.step() == SQLITE_ROW ? s.intAt(0) : -1;
}

std::string PasswordHash(std::string_view salt, std::string_view password) {
    return Sha256Hex(std::string(salt) + std::string(password));
}

bool PasswordMatches(sqlite3* db, std::string_view password) {
    Statement s(db, "SELECT salt, hash FROM lock");
    if (s.step() != SQLITE_ROW) return false;
    const std::string salt = s.bytesAt(0);
    const std::string hash = s.bytesAt(1);
    return s.step() == SQLITE_DONE && hash == PasswordHash(salt, password);
}

enum StoredKind { kStoredText = 1, kStoredNumber = 2, kStoredBytes = 3 };

sqlite3* OpenFile(const std::filesystem::path& file, int flags) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.string().c_str(), &db, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, 2000);
    return db;
}

}  // namespace

std::unique_ptr<RecordDatabase> RecordDatabase::Open(const std::filesystem::path& file, std::string_view password) {
    // READWRITE without CREATE: a missing file fails; a write-protected one opens read-only.
    sqlite3* db = OpenFile(file, SQLITE_OPEN_READWRITE);
    if (!db) return nullptr;
    std::unique_ptr<RecordDatabase> opened(new RecordDatabase(db));
    if (PragmaValue(db, "PRAGMA application_id") != kApplicationId ||
        PragmaValue(db, "PRAGMA user_version") != kFormatVersion || !PasswordMatches(db, password) ||
        !opened->LoadRecordOrder())
        return nullptr;
    return opened;
}

std::unique_ptr<RecordDatabase> RecordDatabase::Create(const std::filesystem::path& file, std::string_view password,
                                                       std::string_view salt) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    sqlite3* db = OpenFile(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!db) return nullptr;
    std::unique_ptr<RecordDatabase> made(new RecordDatabase(db));
    const std::string pragmas = "PRAGMA application_id=" + std::to_string(kApplicationId) +
                                ";PRAGMA user_version=" + std::to_string(kFormatVersion) +
                                ";PRAGMA journal_mode=MEMORY;PRAGMA synchronous=OFF;";
    if (!Execute(db, pragmas.c_str()) || !Execute(db, kSchema)) return nullptr;
    Statement lock(db, "INSERT INTO lock(salt, hash) VALUES(?, ?)");
    lock.bindBlob(1, salt);
    lock.bindBlob(2, PasswordHash(salt, password));
    if (lock.step() != SQLITE_DONE) return nullptr;
    return made;
}

RecordDatabase::~RecordDatabase() { sqlite3_close(db_); }

bool RecordDatabase::LoadRecordOrder() {
    Statement s(db_, "SELECT id FROM record ORDER BY id");
    if (!s.ok()) return false;
    int rc;
    while ((rc = s.step()) == SQLITE_ROW) records_.push_back(s.intAt(0));
    current_ = 0;
    return rc == SQLITE_DONE;
}

FieldValue RecordDatabase::Read(std::string_view field) const {
    if (AtEnd()) return {};
    Statement s(db_, "SELECT kind, value FROM field WHERE record = ? AND name = ?");
    s.bindInt(1, records_[current_]);
    s.bindBlob(2, field);
    if (s.step() != SQLITE_ROW) return {};
    switch (s.intAt(0)) {
        case kStoredText: return FieldValue::Text(s.bytesAt(1));
        case kStoredNumber: return FieldValue::Number(s.doubleAt(1));
        case kStoredBytes: return FieldValue::Bytes(s.bytesAt(1));
        default: return {};
    }
}

bool RecordDatabase::Find(const std::function<bool(const RecordDatabase&)>& condition) {
    for (; !AtEnd(); ++current_)
        if (condition(*this)) return true;
    return false;
}

bool RecordDatabase::Write(std::string_view field, const FieldValue& value) {
    if (AtEnd() || value.kind == FieldKind::Missing) return false;
    Statement s(db_, "INSERT OR REPLACE INTO field(record, name, kind, value) VALUES(?, ?, ?, ?)");
    s.bindInt(1, records_[current_]);
    s.bindBlob(2, field);
    switch (value.kind) {
        case FieldKind::Text:
            s.bindInt(3, kStoredText);
            s.bindBlob(4, value.bytes);
            break;
        case FieldKind::Number:
            s.bindInt(3, kStoredNumber);
            s.bindDouble(4, value.number);
            break;
        default:
            s.bindInt(3, kStoredBytes);
            s.bindBlob(4, value.bytes);
            break;
    }
    return s.step() == SQLITE_DONE;
}

bool RecordDatabase::Append() {
    Statement s(db_, "INSERT INTO record DEFAULT VALUES");
    if (s.step() != SQLITE_DONE) return false;
    records_.push_back(sqlite3_last_insert_rowid(db_));
    current_ = records_.size() - 1;
    return true;
}

bool RecordDatabases::Open(const std::filesystem::path& file, std::string_view password) {
    Close(file);
    std::unique_ptr<RecordDatabase> db = RecordDatabase::Open(file, password);
    if (!db) return false;
    current_ = db.get();
    open_[file] = std::move(db);
    return true;
}

bool RecordDatabases::Select(const std::filesystem::path& file) {
    auto it = open_.find(file);
    if (it == open_.end()) return false;
    current_ = it->second.get();
    return true;
}

void RecordDatabases::Close(const std::filesystem::path& file) { Release(file); }

std::unique_ptr<RecordDatabase> RecordDatabases::Release(const std::filesystem::path& file) {
    auto it = open_.find(file);
    if (it == open_.end()) return nullptr;
    std::unique_ptr<RecordDatabase> db = std::move(it->second);
    open_.erase(it);
    if (current_ == db.get()) current_ = nullptr;
    return db;
}

}  // namespace trelvix

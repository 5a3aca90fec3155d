#include "platform/registry_store.h"

#include "platform/ascii_case.h"
#include "platform/error.h"
#include "platform/io_faults.h"
#include "platform/paths.h"

#include <sqlite3.h>

#include <cstring>
#include <memory>

namespace plat::reg {

namespace {

constexpr int kBusyWaitMs = 30000;

// Names and data are blobs: text in the ANSI code page is not UTF-8, and a blob compares bytewise.
constexpr const char* kSchema = R"(
CREATE TABLE IF NOT EXISTS keys(id INTEGER PRIMARY KEY AUTOINCREMENT, parent INTEGER NOT NULL,
                                name BLOB NOT NULL, folded BLOB NOT NULL);
CREATE UNIQUE INDEX IF NOT EXISTS keys_by_name ON keys(parent, folded);
CREATE TABLE IF NOT EXISTS vals(id INTEGER PRIMARY KEY AUTOINCREMENT, key INTEGER NOT NULL,
                                name BLOB NOT NULL, folded BLOB NOT NULL, type INTEGER NOT NULL,
                                data BLOB NOT NULL);
CREATE UNIQUE INDEX IF NOT EXISTS vals_by_name ON vals(key, folded);
INSERT OR IGNORE INTO keys(id, parent, name, folded) VALUES
    (1, 0, CAST('HKEY_LOCAL_MACHINE' AS BLOB), CAST('HKEY_LOCAL_MACHINE' AS BLOB)),
    (2, 0, CAST('HKEY_USERS' AS BLOB), CAST('HKEY_USERS' AS BLOB));
INSERT OR IGNORE INTO keys(parent, name, folded) VALUES
    (1, CAST('HARDWARE' AS BLOB), CAST('HARDWARE' AS BLOB)),
    (1, CAST('SAM' AS BLOB), CAST('SAM' AS BLOB)),
    (1, CAST('SECURITY' AS BLOB), CAST('SECURITY' AS BLOB)),
    (1, CAST('SOFTWARE' AS BLOB), CAST('SOFTWARE' AS BLOB)),
    (1, CAST('SYSTEM' AS BLOB), CAST('SYSTEM' AS BLOB)),
    (2, CAST('.DEFAULT' AS BLOB), CAST('.DEFAULT' AS BLOB));
)";

void Blob(sqlite3_stmt* statement, int index, std::string_view bytes) {
    // A zero-length blob needs a non-null pointer, or it is stored as NULL.
    static const char empty = 0;
    sqlite3_bind_blob(statement, index, bytes.empty() ? &empty : bytes.data(), static_cast<int>(bytes.size()),
                      SQLITE_TRANSIENT);
}

std::string ColumnBytes(sqlite3_stmt* statement, int column) {
    const void* bytes = sqlite3_column_blob(statement, column);
    const int size = sqlite3_column_bytes(statement, column);
    return bytes ? std::string(static_cast<const char*>(bytes), static_cast<std::size_t>(size))
                 : std::string();
}

// A prepared statement in use: reset and unbound when the scope ends, so it can be used again.
class Use {
  public:
    explicit Use(sqlite3_stmt* statement) : s_(statement) {}
    ~Use() {
        if (s_) {
            sqlite3_reset(s_);
            sqlite3_clear_bindings(s_);
        }
    }
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;
    bool ok() const { return s_ != nullptr; }
    sqlite3_stmt* get() const { return s_; }
    Use& Int(int index, std::int64_t value) {
        sqlite3_bind_int64(s_, index, value);
        return *this;
    }
    Use& Bytes(int index, std::string_view bytes) {
        Blob(s_, index, bytes);
        return *this;
    }
    int Step() { return sqlite3_step(s_); }
    std::int64_t Column(int column) const { return sqlite3_column_int64(s_, column); }
    std::string ColumnText(int column) const { return ColumnBytes(s_, column); }

  private:
    sqlite3_stmt* s_;
};

// Calls `row` for every row of the statement: 0, or 1016 when the store fails on the way.
template <typename Row> long EachRow(Use& use, Row&& row) {
    int rc;
    while ((rc = use.Step()) == SQLITE_ROW)
        row();
    return rc == SQLITE_DONE ? kErrorSuccess : kErrorRegistryIoFailed;
}

} // namespace

std::string Folded(std::string_view name) {
    return UpperAscii(name);
}

bool IsKeyName(std::string_view name) {
    return !name.empty() && name.size() <= kMaxKeyNameLength && name.find('\\') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

Store* Store::Current() {
    static std::unique_ptr<Store> store;
    static unsigned openedFor = 0;
    if (!store || openedFor != PrefixGeneration()) {
        store.reset();
        store.reset(Open(PrefixFolder() + "/registry.db"));
        openedFor = PrefixGeneration();
    }
    return store.get();
}

Store* Store::Open(const std::string& hostPath) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(hostPath.c_str(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, kBusyWaitMs);
    // The log makes every commit atomic for readers in other processes; NORMAL keeps a commit
    // through a crash of the process (only a power loss can take back the last ones).
    if (sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr, nullptr, nullptr) !=
            SQLITE_OK ||
        sqlite3_exec(db, (std::string("BEGIN IMMEDIATE;") + kSchema + "COMMIT;").c_str(), nullptr, nullptr,
                     nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    return new Store(db);
}

Store::Store(sqlite3* db) : db_(db) {
    static std::uint64_t opened = 0;
    serial_ = ++opened;
}

Store::~Store() {
    for (auto& entry : statements_)
        sqlite3_finalize(entry.second);
    sqlite3_close(db_);
}

sqlite3_stmt* Store::Prepare(const char* sql) {
    // Statements are string literals: their address names them.
    for (auto& entry : statements_)
        if (entry.first == sql) return entry.second;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) return nullptr;
    statements_.emplace_back(sql, statement);
    return statement;
}

std::uint64_t Store::Version() {
    Use use(Prepare("PRAGMA data_version"));
    const std::uint64_t others =
        (use.ok() && use.Step() == SQLITE_ROW) ? static_cast<std::uint64_t>(use.Column(0)) : 0;
    return (others << 32) ^ ownChanges_;
}

long Store::Begin(bool write) {
    if (sqlite3_exec(db_, write ? "BEGIN IMMEDIATE" : "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
        return kErrorRegistryIoFailed;
    writing_ = write;
    changesAtBegin_ = sqlite3_total_changes64(db_);
    return kErrorSuccess;
}

long Store::End(long code) {
    if (code == kErrorSuccess || !writing_) {
        // A commit that writes to disk may be refused; the transaction is then rolled back, as
        // SQLite does with a commit that fails.
        const bool refused = writing_ && sqlite3_total_changes64(db_) != changesAtBegin_ &&
                             !io::Proceed(io::Step::Transaction);
        if (!refused && sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK) {
            if (writing_ && code == kErrorSuccess) ++ownChanges_;
            return code;
        }
        code = kErrorRegistryIoFailed;
    }
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    return code;
}

long Store::Alive(KeyId key) {
    Use use(Prepare("SELECT 1 FROM keys WHERE id = ?"));
    if (!use.ok()) return kErrorRegistryIoFailed;
    const int rc = use.Int(1, key).Step();
    if (rc == SQLITE_ROW) return kErrorSuccess;
    return rc == SQLITE_DONE ? kErrorKeyDeleted : kErrorRegistryIoFailed;
}

long Store::Find(KeyId from, const std::vector<std::string_view>& path, KeyId* found) {
    if (long code = Alive(from)) return code;
    KeyId at = from;
    for (std::string_view name : path) {
        Use use(Prepare("SELECT id FROM keys WHERE parent = ? AND folded = ?"));
        if (!use.ok()) return kErrorRegistryIoFailed;
        const int rc = use.Int(1, at).Bytes(2, Folded(name)).Step();
        if (rc == SQLITE_DONE) return kErrorFileNotFound;
        if (rc != SQLITE_ROW) return kErrorRegistryIoFailed;
        at = use.Column(0);
    }
    *found = at;
    return kErrorSuccess;
}

long Store::Make(KeyId from, const std::vector<std::string_view>& path, KeyId* found, bool* created) {
    if (long code = Alive(from)) return code;
    KeyId at = from;
    *created = false;
    for (std::string_view name : path) {
        const std::string folded = Folded(name);
        {
            Use use(Prepare("SELECT id FROM keys WHERE parent = ? AND folded = ?"));
            if (!use.ok()) return kErrorRegistryIoFailed;
            const int rc = use.Int(1, at).Bytes(2, folded).Step();
            if (rc == SQLITE_ROW) {
                at = use.Column(0);
                continue;
            }
            if (rc != SQLITE_DONE) return kErrorRegistryIoFailed;
        }
        if (at == kMachineTop || at == kUsersTop) return kErrorAccessDenied;
        Use insert(Prepare("INSERT INTO keys(parent, name, folded) VALUES(?, ?, ?)"));
        if (!insert.ok() || insert.Int(1, at).Bytes(2, name).Bytes(3, folded).Step() != SQLITE_DONE)
            return kErrorRegistryIoFailed;
        at = sqlite3_last_insert_rowid(db_);
        *created = true;
    }
    *found = at;
    return kErrorSuccess;
}

long Store::Describe(KeyId key, KeyId* parent, std::string* name) {
    Use use(Prepare("SELECT parent, name FROM keys WHERE id = ?"));
    if (!use.ok()) return kErrorRegistryIoFailed;
    const int rc = use.Int(1, key).Step();
    if (rc == SQLITE_DONE) return kErrorKeyDeleted;
    if (rc != SQLITE_ROW) return kErrorRegistryIoFailed;
    *parent = use.Column(0);
    *name = use.ColumnText(1);
    return kErrorSuccess;
}

long Store::DeleteKey(KeyId key) {
    {
        Use use(Prepare("SELECT 1 FROM keys WHERE parent = ? LIMIT 1"));
        if (!use.ok()) return kErrorRegistryIoFailed;
        const int rc = use.Int(1, key).Step();
        if (rc == SQLITE_ROW) return kErrorAccessDenied;
        if (rc != SQLITE_DONE) return kErrorRegistryIoFailed;
    }
    Use values(Prepare("DELETE FROM vals WHERE key = ?"));
    if (!values.ok() || values.Int(1, key).Step() != SQLITE_DONE) return kErrorRegistryIoFailed;
    Use keys(Prepare("DELETE FROM keys WHERE id = ?"));
    if (!keys.ok() || keys.Int(1, key).Step() != SQLITE_DONE) return kErrorRegistryIoFailed;
    return kErrorSuccess;
}

long Store::GetValue(KeyId key, std::string_view name, StoredValue* value) {
    Use use(Prepare("SELECT id, name, type, data FROM vals WHERE key = ? AND folded = ?"));
    if (!use.ok()) return kErrorRegistryIoFailed;
    const int rc = use.Int(1, key).Bytes(2, Folded(name)).Step();
    if (rc == SQLITE_DONE) return kErrorFileNotFound;
    if (rc != SQLITE_ROW) return kErrorRegistryIoFailed;
    *value = {use.Column(0), use.ColumnText(1), static_cast<std::uint32_t>(use.Column(2)), use.ColumnText(3)};
    return kErrorSuccess;
}

long Store::SetValue(KeyId key, std::string_view name, std::uint32_t type, std::string_view data) {
    // An existing value keeps its place in the enumeration order and its first spelling.
    Use update(Prepare("UPDATE vals SET type = ?, data = ? WHERE key = ? AND folded = ?"));
    const std::string folded = Folded(name);
    if (!update.ok() || update.Int(1, type).Bytes(2, data).Int(3, key).Bytes(4, folded).Step() != SQLITE_DONE)
        return kErrorRegistryIoFailed;
    if (sqlite3_changes(db_) > 0) return kErrorSuccess;
    Use insert(Prepare("INSERT INTO vals(key, name, folded, type, data) VALUES(?, ?, ?, ?, ?)"));
    if (!insert.ok() ||
        insert.Int(1, key).Bytes(2, name).Bytes(3, folded).Int(4, type).Bytes(5, data).Step() != SQLITE_DONE)
        return kErrorRegistryIoFailed;
    return kErrorSuccess;
}

long Store::DeleteValue(KeyId key, std::string_view name) {
    Use use(Prepare("DELETE FROM vals WHERE key = ? AND folded = ?"));
    if (!use.ok() || use.Int(1, key).Bytes(2, Folded(name)).Step() != SQLITE_DONE)
        return kErrorRegistryIoFailed;
    return sqlite3_changes(db_) > 0 ? kErrorSuccess : kErrorFileNotFound;
}

long Store::ValueById(std::int64_t id, StoredValue* value) {
    Use use(Prepare("SELECT id, name, type, data FROM vals WHERE id = ?"));
    if (!use.ok()) return kErrorRegistryIoFailed;
    const int rc = use.Int(1, id).Step();
    if (rc == SQLITE_DONE) return kErrorFileNotFound;
    if (rc != SQLITE_ROW) return kErrorRegistryIoFailed;
    *value = {use.Column(0), use.ColumnText(1), static_cast<std::uint32_t>(use.Column(2)), use.ColumnText(3)};
    return kErrorSuccess;
}

long Store::SubkeyNames(KeyId key, std::vector<std::string>* names) {
    Use use(Prepare("SELECT name FROM keys WHERE parent = ? ORDER BY folded"));
    if (!use.ok()) return kErrorRegistryIoFailed;
    use.Int(1, key);
    names->clear();
    return EachRow(use, [&] { names->push_back(use.ColumnText(0)); });
}

long Store::ValueIds(KeyId key, std::vector<std::int64_t>* ids) {
    Use use(Prepare("SELECT id FROM vals WHERE key = ? ORDER BY id"));
    if (!use.ok()) return kErrorRegistryIoFailed;
    use.Int(1, key);
    ids->clear();
    return EachRow(use, [&] { ids->push_back(use.Column(0)); });
}

long Store::Counts(KeyId key, KeyCounts* counts) {
    Use keys(Prepare("SELECT count(*), coalesce(max(length(name)), 0) FROM keys WHERE parent = ?"));
    if (!keys.ok() || keys.Int(1, key).Step() != SQLITE_ROW) return kErrorRegistryIoFailed;
    Use values(Prepare("SELECT count(*), coalesce(max(length(name)), 0), coalesce(max(length(data)), 0) "
                       "FROM vals WHERE key = ?"));
    if (!values.ok() || values.Int(1, key).Step() != SQLITE_ROW) return kErrorRegistryIoFailed;
    *counts = {static_cast<std::uint32_t>(keys.Column(0)), static_cast<std::uint32_t>(keys.Column(1)),
               static_cast<std::uint32_t>(values.Column(0)), static_cast<std::uint32_t>(values.Column(1)),
               static_cast<std::uint32_t>(values.Column(2))};
    return kErrorSuccess;
}

long Store::Descendants(KeyId key, std::vector<KeyId>* keys) {
    Use use(Prepare(
        "WITH RECURSIVE below(id) AS (SELECT id FROM keys WHERE parent = ?1 "
        "UNION ALL SELECT keys.id FROM keys JOIN below ON keys.parent = below.id) SELECT id FROM below"));
    if (!use.ok()) return kErrorRegistryIoFailed;
    use.Int(1, key);
    keys->clear();
    return EachRow(use, [&] { keys->push_back(use.Column(0)); });
}

long Store::ReadTree(KeyId key, TreeKey* tree) {
    std::vector<std::int64_t> ids;
    if (long code = ValueIds(key, &ids)) return code;
    for (std::int64_t id : ids) {
        StoredValue value;
        if (long code = ValueById(id, &value)) return code;
        tree->values.push_back({std::move(value.name), value.type, std::move(value.data)});
    }
    std::vector<std::pair<KeyId, std::string>> children;
    {
        Use use(Prepare("SELECT id, name FROM keys WHERE parent = ? ORDER BY folded"));
        if (!use.ok()) return kErrorRegistryIoFailed;
        use.Int(1, key);
        if (long code = EachRow(use, [&] { children.emplace_back(use.Column(0), use.ColumnText(1)); }))
            return code;
    }
    for (auto& [id, name] : children) {
        TreeKey& child = tree->subkeys.emplace_back();
        child.name = std::move(name);
        if (long code = ReadTree(id, &child)) return code;
    }
    return kErrorSuccess;
}

long Store::ReplaceTree(KeyId key, const TreeKey& tree) {
    Use values(Prepare("WITH RECURSIVE below(id) AS (SELECT ?1 UNION ALL SELECT keys.id FROM keys JOIN below "
                       "ON keys.parent = below.id) DELETE FROM vals WHERE key IN below"));
    if (!values.ok() || values.Int(1, key).Step() != SQLITE_DONE) return kErrorRegistryIoFailed;
    Use keys(Prepare("WITH RECURSIVE below(id) AS (SELECT id FROM keys WHERE parent = ?1 UNION ALL "
                     "SELECT keys.id FROM keys JOIN below ON keys.parent = below.id) "
                     "DELETE FROM keys WHERE id IN below"));
    if (!keys.ok() || keys.Int(1, key).Step() != SQLITE_DONE) return kErrorRegistryIoFailed;
    for (const TreeValue& value : tree.values)
        if (long code = SetValue(key, value.name, value.type, value.data)) return code;
    for (const TreeKey& child : tree.subkeys)
        if (long code = InsertTree(key, child)) return code;
    return kErrorSuccess;
}

long Store::InsertTree(KeyId parent, const TreeKey& tree) {
    KeyId id = 0;
    {
        Use insert(Prepare("INSERT INTO keys(parent, name, folded) VALUES(?, ?, ?)"));
        if (!insert.ok() ||
            insert.Int(1, parent).Bytes(2, tree.name).Bytes(3, Folded(tree.name)).Step() != SQLITE_DONE)
            return kErrorRegistryIoFailed;
        id = sqlite3_last_insert_rowid(db_);
    }
    for (const TreeValue& value : tree.values) {
        Use insert(Prepare("INSERT INTO vals(key, name, folded, type, data) VALUES(?, ?, ?, ?, ?)"));
        if (!insert.ok() || insert.Int(1, id)
                                    .Bytes(2, value.name)
                                    .Bytes(3, Folded(value.name))
                                    .Int(4, value.type)
                                    .Bytes(5, value.data)
                                    .Step() != SQLITE_DONE)
            return kErrorRegistryIoFailed;
    }
    for (const TreeKey& child : tree.subkeys)
        if (long code = InsertTree(id, child)) return code;
    return kErrorSuccess;
}

} // namespace plat::reg

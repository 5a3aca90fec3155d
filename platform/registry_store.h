#pragma once
// The registry's store: keys and values in an SQLite database in the prefix ("registry.db", write-
// ahead log), shared by every process on the prefix. Internal to the platform layer; the Win32
// functions of registry.h sit on it. Every operation returns a Win32 result code; every change is
// one transaction, so a crash or kill leaves the store as it was before or after it.
#include "platform/registry_tree.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace plat::reg {

// The two tops that hold the machine's hives; every other key hangs below one of them.
inline constexpr KeyId kMachineTop = 1;
inline constexpr KeyId kUsersTop = 2;

struct StoredValue {
    std::int64_t id = 0;
    std::string name;
    std::uint32_t type = 0;
    std::string data;
};

struct KeyCounts {
    std::uint32_t subKeys = 0, maxSubKeyLength = 0, values = 0, maxValueNameLength = 0, maxValueLength = 0;
};

class Store {
  public:
    // The store of the current prefix, opened (and made) on first use and again after the prefix
    // changes; nullptr when it cannot be opened.
    static Store* Current();
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Changes whenever this or another process has changed the store, for caches of listings.
    std::uint64_t Version();
    // Tells this opening of a store from every other one in the process.
    std::uint64_t Serial() const { return serial_; }

    // Runs `body` (returning a result code) in one transaction, committed when it returns 0. A write
    // transaction holds the store's write lock from its start, waiting for another process's.
    template <typename Body> long Transaction(bool write, Body&& body) {
        long code = Begin(write);
        if (code != 0) return code;
        code = body();
        return End(code);
    }

    // 0 when the key exists, 1018 when it was deleted.
    long Alive(KeyId key);
    // The key at `path` below `from` (path components without '\'): 2 when missing.
    long Find(KeyId from, const std::vector<std::string_view>& path, KeyId* found);
    // The key at `path`, made with every missing key on the way; *created tells whether the last was.
    // A key directly below a top cannot be made (5). Call inside a write transaction.
    long Make(KeyId from, const std::vector<std::string_view>& path, KeyId* found, bool* created);
    // The key's parent and name: 1018 when it was deleted.
    long Describe(KeyId key, KeyId* parent, std::string* name);
    // 5 while the key has subkeys.
    long DeleteKey(KeyId key);

    long GetValue(KeyId key, std::string_view name, StoredValue* value);
    long SetValue(KeyId key, std::string_view name, std::uint32_t type, std::string_view data);
    long DeleteValue(KeyId key, std::string_view name);
    long ValueById(std::int64_t id, StoredValue* value);

    long SubkeyNames(KeyId key, std::vector<std::string>* names);
    long ValueIds(KeyId key, std::vector<std::int64_t>* ids);
    long Counts(KeyId key, KeyCounts* counts);
    // Every key below `key` (not the key itself).
    long Descendants(KeyId key, std::vector<KeyId>* keys);

    // The key with its whole tree, subkeys in enumeration order.
    long ReadTree(KeyId key, TreeKey* tree);
    // Replaces every value and subkey of the key by those of `tree` (its name is not used).
    long ReplaceTree(KeyId key, const TreeKey& tree);

  private:
    explicit Store(sqlite3* db);
    static Store* Open(const std::string& hostPath);
    long Begin(bool write);
    long End(long code);
    sqlite3_stmt* Prepare(const char* sql);
    long InsertTree(KeyId parent, const TreeKey& tree);

    sqlite3* db_;
    std::vector<std::pair<const char*, sqlite3_stmt*>> statements_;
    std::uint64_t serial_;
    std::uint64_t ownChanges_ = 0;
    bool writing_ = false;
    std::int64_t changesAtBegin_ = 0;
};

} // namespace plat::reg

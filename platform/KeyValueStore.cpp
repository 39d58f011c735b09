#include "platform/KeyValueStore.h"

#include <sqlite3.h>

#include <mutex>
#include <unordered_map>

#include "platform/SqliteConnection.h"
#include "platform/SqliteStatement.h"

namespace platform {
namespace {

using Status = KeyValueStore::Status;

// The one place SQLite result codes become store statuses.
Status statusFromSqlite(int rc) {
    switch (rc & 0xff) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW: return Status::success;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return Status::interactionNotAllowed;
    case SQLITE_IOERR:
    case SQLITE_FULL:
    case SQLITE_READONLY: return Status::io;
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH: return Status::notAvailable;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return Status::decode;
    case SQLITE_TOOBIG:
    case SQLITE_RANGE:
    case SQLITE_MISMATCH: return Status::param;
    default: return Status::internal;
    }
}

constexpr const char* schema =
    "CREATE TABLE IF NOT EXISTS items ("
    " domain TEXT NOT NULL, account TEXT NOT NULL, value BLOB NOT NULL,"
    " PRIMARY KEY (domain, account)) WITHOUT ROWID";

} // namespace

struct KeyValueStore::Impl {
    std::filesystem::path file;
    std::string domain;

    std::mutex mutex;
    SqliteConnection db;
    SqliteStatement select;
    SqliteStatement upsert;
    SqliteStatement deleteOne;
    SqliteStatement deleteAll;
    SqliteStatement dataVersion;

    // Reads are served from memory. The cache holds the whole domain and is reloaded whenever
    // another connection has committed (SQLite's data_version says so); our own writes update it
    // only after their commit returned, so it never shows a value that is not on disk.
    std::unordered_map<std::string, std::string> cache;
    bool cacheLoaded = false;
    long long cachedVersion = -1;

    // Opens the file when it exists. A store that was never written has no file and reads as
    // empty (itemNotFound), so opening never creates one: the first save does, with its item.
    Status openExisting() {
        if (db) return Status::success;
        int rc = db.open(file, schema);
        if (rc == SQLITE_NOTFOUND) return Status::itemNotFound;
        return prepare(rc);
    }

    // Opens the file, creating a missing one with `key` = `value` already in it: the item is on
    // disk once the new file is, and skips the journal syncs of a first write into a new file.
    // `created` tells whether the item went in that way.
    Status openForSave(std::string_view key, std::string_view value, bool& created) {
        created = false;
        if (db) return Status::success;
        auto seed = [&](sqlite3* fresh) {
            SqliteStatement insert(fresh, "INSERT INTO items (domain, account, value) VALUES (?1, ?2, ?3)");
            if (!insert) return insert.prepareResult();
            int rc = insert.bind(1, domain);
            if (rc == SQLITE_OK) rc = insert.bind(2, key);
            if (rc == SQLITE_OK) rc = insert.bindBlob(3, value);
            if (rc == SQLITE_OK) rc = insert.step();
            return rc == SQLITE_DONE ? SQLITE_OK : rc;
        };
        return prepare(db.create(file, schema, seed, created));
    }

    // Prepares the statements on a connection just opened with result `rc`.
    Status prepare(int rc) {
        if (rc != SQLITE_OK) {
            db = SqliteConnection();
            return statusFromSqlite(rc);
        }
        select = SqliteStatement(db.get(), "SELECT account, value FROM items WHERE domain = ?1");
        upsert = SqliteStatement(db.get(), "INSERT OR REPLACE INTO items (domain, account, value) VALUES (?1, ?2, ?3)");
        deleteOne = SqliteStatement(db.get(), "DELETE FROM items WHERE domain = ?1 AND account = ?2");
        deleteAll = SqliteStatement(db.get(), "DELETE FROM items WHERE domain = ?1");
        dataVersion = SqliteStatement(db.get(), "PRAGMA data_version");
        for (auto* st : {&select, &upsert, &deleteOne, &deleteAll, &dataVersion}) {
            if (!*st) {
                rc = st->prepareResult();
                db = SqliteConnection();
                return statusFromSqlite(rc);
            }
        }
        cacheLoaded = false;
        return Status::success;
    }

    Status refreshCache() {
        int rc = dataVersion.step();
        long long version = rc == SQLITE_ROW ? dataVersion.columnInt(0) : -1;
        dataVersion.reset();
        if (rc != SQLITE_ROW) return statusFromSqlite(rc);
        if (cacheLoaded && version == cachedVersion) return Status::success;

        std::unordered_map<std::string, std::string> fresh;
        if (int bound = select.bind(1, domain); bound != SQLITE_OK) return statusFromSqlite(bound);
        while ((rc = select.step()) == SQLITE_ROW) fresh.emplace(select.columnText(0), select.columnText(1));
        select.reset();
        if (rc != SQLITE_DONE) return statusFromSqlite(rc);
        cache = std::move(fresh);
        cacheLoaded = true;
        cachedVersion = version;
        return Status::success;
    }

    // Runs one prepared write; returns the status and how many rows it changed. After a failed
    // write the cache is reloaded on the next read rather than trusted.
    std::pair<Status, int> write(SqliteStatement& st) {
        int rc = st.step();
        int changed = sqlite3_changes(db.get());
        st.reset();
        Status status = statusFromSqlite(rc == SQLITE_DONE ? SQLITE_OK : rc);
        if (status != Status::success) cacheLoaded = false;
        return {status, changed};
    }
};

namespace {

// Lets one call give up at once on a lock, then restores the connection's usual wait.
class LockWaitScope {
public:
    LockWaitScope(const SqliteConnection& db, KeyValueStore::IfLocked ifLocked)
        : db_(ifLocked == KeyValueStore::IfLocked::fail ? db.get() : nullptr) {
        if (db_) sqlite3_busy_timeout(db_, 0);
    }
    ~LockWaitScope() {
        if (db_) sqlite3_busy_timeout(db_, SqliteConnection::lockWaitMs);
    }
    LockWaitScope(const LockWaitScope&) = delete;
    LockWaitScope& operator=(const LockWaitScope&) = delete;

private:
    sqlite3* db_;
};

} // namespace

KeyValueStore::KeyValueStore(std::filesystem::path file, std::string domain) : impl_(std::make_unique<Impl>()) {
    impl_->file = std::move(file);
    impl_->domain = std::move(domain);
}

KeyValueStore::~KeyValueStore() = default;

const std::filesystem::path& KeyValueStore::file() const { return impl_->file; }

KeyValueStore::Lookup KeyValueStore::get(std::string_view key, IfLocked ifLocked) {
    std::lock_guard lock(impl_->mutex);
    if (Status s = impl_->openExisting(); s != Status::success) return {s, std::nullopt};
    LockWaitScope wait(impl_->db, ifLocked);
    if (Status s = impl_->refreshCache(); s != Status::success) return {s, std::nullopt};
    auto it = impl_->cache.find(std::string(key));
    if (it == impl_->cache.end()) return {Status::itemNotFound, std::nullopt};
    return {Status::success, it->second};
}

KeyValueStore::Status KeyValueStore::save(std::string_view key, std::string_view value, IfLocked ifLocked) {
    std::lock_guard lock(impl_->mutex);
    bool created = false;
    if (Status s = impl_->openForSave(key, value, created); s != Status::success || created) return s;
    LockWaitScope wait(impl_->db, ifLocked);
    // A save that would change nothing writes nothing, so no commit waits on the disk: the cache,
    // refreshed first when another connection has written, only ever holds what is on disk.
    // Starts save the same documents again and again.
    if (impl_->refreshCache() == Status::success) {
        auto it = impl_->cache.find(std::string(key));
        if (it != impl_->cache.end() && it->second == value) return Status::success;
    }
    auto& st = impl_->upsert;
    if (st.bind(1, impl_->domain) != SQLITE_OK || st.bind(2, key) != SQLITE_OK || st.bindBlob(3, value) != SQLITE_OK) {
        st.reset();
        return Status::param;
    }
    auto [status, changed] = impl_->write(st);
    if (status != Status::success) return status;
    if (impl_->cacheLoaded) impl_->cache.insert_or_assign(std::string(key), std::string(value));
    return Status::success;
}

KeyValueStore::Status KeyValueStore::remove(std::string_view key) {
    std::lock_guard lock(impl_->mutex);
    if (Status s = impl_->openExisting(); s != Status::success) return s;
    auto& st = impl_->deleteOne;
    if (st.bind(1, impl_->domain) != SQLITE_OK || st.bind(2, key) != SQLITE_OK) {
        st.reset();
        return Status::param;
    }
    auto [status, changed] = impl_->write(st);
    if (status != Status::success) return status;
    impl_->cache.erase(std::string(key));
    return changed > 0 ? Status::success : Status::itemNotFound;
}

KeyValueStore::Status KeyValueStore::removeAll() {
    std::lock_guard lock(impl_->mutex);
    if (Status s = impl_->openExisting(); s != Status::success) return s;
    auto& st = impl_->deleteAll;
    if (st.bind(1, impl_->domain) != SQLITE_OK) {
        st.reset();
        return Status::param;
    }
    auto [status, changed] = impl_->write(st);
    if (status != Status::success) return status;
    impl_->cache.clear();
    return changed > 0 ? Status::success : Status::itemNotFound;
}

bool KeyValueStore::checkIntegrity() {
    std::lock_guard lock(impl_->mutex);
    // A store that was never written has no file, and nothing in it can be damaged.
    if (Status s = impl_->openExisting(); s != Status::success) return s == Status::itemNotFound;
    SqliteStatement st(impl_->db.get(), "PRAGMA integrity_check");
    if (!st || st.step() != SQLITE_ROW) return false;
    return st.columnText(0) == "ok";
}

} // namespace platform

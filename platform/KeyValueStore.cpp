#include "platform/KeyValueStore.h"

#include <sqlite3.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <unordered_map>
#include <vector>

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

// Writes waiting to be applied together: per key a value to store or none to remove, after an
// optional removal of the whole domain.
struct Changes {
    bool clear = false;
    std::map<std::string, std::optional<std::string>, std::less<>> items;

    bool hasSaves() const {
        return std::any_of(items.begin(), items.end(), [](const auto& item) { return item.second.has_value(); });
    }
};

struct KeyValueStore::Impl {
    std::filesystem::path file;
    std::string domain;

    // Recursive so the writes inside a transaction can be the store's own calls.
    std::recursive_mutex mutex;
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

    // The writes of the transaction in progress, if one is; only its own thread sees them.
    std::optional<Changes> staged;

    // Opens the file when it exists. A store that was never written has no file and reads as
    // empty (itemNotFound), so opening never creates one: the first save does, with its items.
    Status openExisting() {
        if (db) return Status::success;
        int rc = db.open(file, schema);
        if (rc == SQLITE_NOTFOUND) return Status::itemNotFound;
        return prepare(rc);
    }

    // Creates the missing file with the saves of `changes` already in it: they are on disk once
    // the new file is, which skips the journal syncs of first writes into a new file. `created`
    // tells whether they went in that way (false when another connection created the file first).
    Status create(const Changes& changes, bool& created) {
        auto seed = [&](sqlite3* fresh) {
            SqliteStatement insert(fresh, "INSERT INTO items (domain, account, value) VALUES (?1, ?2, ?3)");
            if (!insert) return insert.prepareResult();
            for (const auto& [key, value] : changes.items) {
                if (!value) continue;
                int rc = insert.bind(1, domain);
                if (rc == SQLITE_OK) rc = insert.bind(2, key);
                if (rc == SQLITE_OK) rc = insert.bindBlob(3, *value);
                if (rc == SQLITE_OK) rc = insert.step();
                insert.reset();
                if (rc != SQLITE_DONE) return rc;
            }
            return SQLITE_OK;
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

    // What the store holds under `key`, the open transaction's writes included.
    Lookup lookup(std::string_view key, IfLocked ifLocked);

    // Applies `changes` in one durable commit, leaving out what the store already holds, so a
    // save of an unchanged value or a removal of a missing item waits on no disk sync. When a
    // write or the commit fails none of the changes is kept.
    Status apply(const Changes& changes, IfLocked ifLocked);

    // Runs one prepared write. After a failed write the cache is reloaded on the next read rather
    // than trusted.
    Status write(SqliteStatement& st) {
        int rc = st.step();
        st.reset();
        Status status = statusFromSqlite(rc == SQLITE_DONE ? SQLITE_OK : rc);
        if (status != Status::success) cacheLoaded = false;
        return status;
    }

    Status bindAndWrite(std::string_view key, const std::optional<std::string>& value) {
        auto& st = value ? upsert : deleteOne;
        if (st.bind(1, domain) != SQLITE_OK || st.bind(2, key) != SQLITE_OK ||
            (value && st.bindBlob(3, *value) != SQLITE_OK)) {
            st.reset();
            return Status::param;
        }
        return write(st);
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

KeyValueStore::Lookup KeyValueStore::Impl::lookup(std::string_view key, IfLocked ifLocked) {
    if (staged) {
        if (auto it = staged->items.find(key); it != staged->items.end()) {
            if (!it->second) return {Status::itemNotFound, std::nullopt};
            return {Status::success, it->second};
        }
        if (staged->clear) return {Status::itemNotFound, std::nullopt};
    }
    if (Status s = openExisting(); s != Status::success) return {s, std::nullopt};
    LockWaitScope wait(db, ifLocked);
    if (Status s = refreshCache(); s != Status::success) return {s, std::nullopt};
    auto it = cache.find(std::string(key));
    if (it == cache.end()) return {Status::itemNotFound, std::nullopt};
    return {Status::success, it->second};
}

KeyValueStore::Status KeyValueStore::Impl::apply(const Changes& changes, IfLocked ifLocked) {
    if (!db) {
        Status opened = openExisting();
        if (opened == Status::itemNotFound) {
            // No file yet: nothing to remove, and the saves go in with the file itself.
            if (!changes.hasSaves()) return Status::success;
            bool created = false;
            opened = create(changes, created);
            if (opened != Status::success || created) return opened;
        }
        if (opened != Status::success) return opened;
    }
    LockWaitScope wait(db, ifLocked);
    // The cache, refreshed first when another connection has written, tells what is already on
    // disk. When it cannot be read every change is written.
    const bool known = refreshCache() == Status::success;
    const bool clear = changes.clear && (!known || !cache.empty());
    std::vector<std::pair<std::string_view, const std::optional<std::string>*>> writes;
    for (const auto& [key, value] : changes.items) {
        auto held = known ? cache.find(key) : cache.end();
        const bool holds = held != cache.end() && !changes.clear;
        const bool unchanged = known && (value ? holds && held->second == *value : !holds);
        if (!unchanged) writes.emplace_back(key, &value);
    }
    if (!clear && writes.empty()) return Status::success;

    // One write commits on its own; several share one transaction, and so one sync.
    const bool together = (clear ? 1u : 0u) + writes.size() > 1;
    Status status = together ? statusFromSqlite(db.exec("BEGIN IMMEDIATE")) : Status::success;
    if (status == Status::success && clear) {
        if (deleteAll.bind(1, domain) == SQLITE_OK) {
            status = write(deleteAll);
        } else {
            deleteAll.reset();
            status = Status::param;
        }
    }
    for (auto it = writes.begin(); status == Status::success && it != writes.end(); ++it) {
        status = bindAndWrite(it->first, *it->second);
    }
    if (status == Status::success && together) status = statusFromSqlite(db.exec("COMMIT"));
    if (status != Status::success) {
        if (!sqlite3_get_autocommit(db.get())) (void)db.exec("ROLLBACK");
        cacheLoaded = false;
        return status;
    }
    if (!known) cacheLoaded = false;
    if (cacheLoaded) {
        if (changes.clear) cache.clear();
        for (const auto& [key, value] : changes.items) {
            if (value) {
                cache.insert_or_assign(key, *value);
            } else {
                cache.erase(key);
            }
        }
    }
    return Status::success;
}

KeyValueStore::KeyValueStore(std::filesystem::path file, std::string domain) : impl_(std::make_unique<Impl>()) {
    impl_->file = std::move(file);
    impl_->domain = std::move(domain);
}

KeyValueStore::~KeyValueStore() = default;

const std::filesystem::path& KeyValueStore::file() const { return impl_->file; }

KeyValueStore::Lookup KeyValueStore::get(std::string_view key, IfLocked ifLocked) {
    std::lock_guard lock(impl_->mutex);
    return impl_->lookup(key, ifLocked);
}

KeyValueStore::Status KeyValueStore::save(std::string_view key, std::string_view value, IfLocked ifLocked) {
    std::lock_guard lock(impl_->mutex);
    if (impl_->staged) {
        impl_->staged->items.insert_or_assign(std::string(key), std::string(value));
        return Status::success;
    }
    Changes changes;
    changes.items.emplace(std::string(key), std::string(value));
    return impl_->apply(changes, ifLocked);
}

KeyValueStore::Status KeyValueStore::remove(std::string_view key) {
    std::lock_guard lock(impl_->mutex);
    const auto found = impl_->lookup(key, IfLocked::wait);
    if (found.status != Status::success) return found.status;
    if (impl_->staged) {
        impl_->staged->items.insert_or_assign(std::string(key), std::nullopt);
        return Status::success;
    }
    Changes changes;
    changes.items.emplace(std::string(key), std::nullopt);
    return impl_->apply(changes, IfLocked::wait);
}

KeyValueStore::Status KeyValueStore::removeAll() {
    std::lock_guard lock(impl_->mutex);
    auto& staged = impl_->staged;
    // Whether the domain holds anything now, the open transaction's writes included.
    bool any = staged && staged->hasSaves();
    if (!any && !(staged && staged->clear)) {
        if (Status s = impl_->openExisting(); s != Status::success) return s;
        if (Status s = impl_->refreshCache(); s != Status::success) return s;
        any = std::any_of(impl_->cache.begin(), impl_->cache.end(),
                          [&](const auto& item) { return !staged || !staged->items.contains(item.first); });
    }
    if (!any) return Status::itemNotFound;
    Changes changes;
    changes.clear = true;
    if (staged) {
        *staged = std::move(changes);
        return Status::success;
    }
    return impl_->apply(changes, IfLocked::wait);
}

KeyValueStore::Status KeyValueStore::inOneTransaction(const std::function<void()>& writes) {
    std::lock_guard lock(impl_->mutex);
    // A transaction inside another one joins it.
    if (impl_->staged) {
        writes();
        return Status::success;
    }
    impl_->staged.emplace();
    try {
        writes();
    } catch (...) {
        impl_->staged.reset();
        throw;
    }
    const Changes changes = std::move(*impl_->staged);
    impl_->staged.reset();
    return impl_->apply(changes, IfLocked::wait);
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

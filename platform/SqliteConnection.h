#pragma once
// Owns one sqlite3 connection: opened with a private 0600 file, WAL journal and fully synchronous
// commits, because a TV is often unplugged without warning and a returned commit must survive it.
//
//   platform::SqliteConnection db;
//   auto seed = [](sqlite3* fresh) { return sqlite3_exec(fresh, "INSERT INTO t VALUES (0)", 0, 0, 0); };
//   bool created = false;
//   int rc = db.create("/tmp/x.sqlite", "CREATE TABLE IF NOT EXISTS t (a)", seed, created);
//   if (rc == SQLITE_OK) rc = db.exec("INSERT INTO t VALUES (1)");

#include <filesystem>
#include <functional>
#include <string>

struct sqlite3;

namespace platform {

class SqliteConnection {
public:
    SqliteConnection() = default;
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;
    SqliteConnection(SqliteConnection&& other) noexcept;
    SqliteConnection& operator=(SqliteConnection&& other) noexcept;

    // How long a statement waits for another connection's lock before answering SQLITE_BUSY.
    static constexpr int lockWaitMs = 5000;

    // Writes into a file being created, before anyone else can see it; returns an SQLite result code.
    using Seed = std::function<int(sqlite3*)>;

    // Opens an existing file and runs `schema` on it (it must be idempotent, "CREATE TABLE IF NOT
    // EXISTS"); a missing file stays missing and the answer is SQLITE_NOTFOUND. Returns an SQLite
    // result code. Like every open, it removes files left by creations whose process died.
    [[nodiscard]] int open(const std::filesystem::path& file, const char* schema);
    // Opens the file, creating a missing one (0600, in a 0700 parent folder made when missing) in one
    // atomic step with `schema` and what `seed` writes: the file appears complete with its first
    // contents, which cost no sync beyond the creation's own. `created` tells whether this call
    // made the file (false when it existed or another connection created it first, so the seed's
    // writes were not made).
    [[nodiscard]] int create(const std::filesystem::path& file, const char* schema, const Seed& seed, bool& created);
    // A private database that lives as long as the connection, for caches and tools.
    [[nodiscard]] int openInMemory();
    [[nodiscard]] int exec(const char* sql);

    sqlite3* get() const { return db_; }
    explicit operator bool() const { return db_ != nullptr; }

private:
    int openFile(const std::filesystem::path& file, const char* schema, const Seed* seed, bool& created);
    void close();
    sqlite3* db_ = nullptr;
};

} // namespace platform

#pragma once
// Owns one sqlite3 connection: opened with a private 0600 file, WAL journal and fully synchronous
// commits, because a TV is often unplugged without warning and a returned commit must survive it.
//
//   platform::SqliteConnection db;
//   if (int rc = db.open("/tmp/x.sqlite", "CREATE TABLE IF NOT EXISTS t (a)"); rc != SQLITE_OK) return rc;
//   db.exec("INSERT INTO t VALUES (1)");

#include <filesystem>
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

    // Creates the parent folder (0700) when missing, and a missing file (0600) with `schema` in one
    // atomic step; runs `schema` (which must be idempotent, "CREATE TABLE IF NOT EXISTS") on an
    // existing file too. Returns an SQLite result code.
    [[nodiscard]] int open(const std::filesystem::path& file, const char* schema);
    // A private database that lives as long as the connection, for caches and tools.
    [[nodiscard]] int openInMemory();
    [[nodiscard]] int exec(const char* sql);
    // The text of the last failure on this connection, for diagnostics.
    std::string lastError() const;

    sqlite3* get() const { return db_; }
    explicit operator bool() const { return db_ != nullptr; }

private:
    void close();
    sqlite3* db_ = nullptr;
};

} // namespace platform

#pragma once
// Owns one sqlite3 connection: opened with a private 0600 file, WAL journal and fully synchronous
// commits, because a TV is often unplugged without warning and a returned commit must survive it.
//
//   platform::SqliteConnection db;
//   if (int rc = db.open("/tmp/x.sqlite"); rc != SQLITE_OK) return rc;
//   db.exec("CREATE TABLE t (a)");

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

    // Creates the parent folder (0700) and the file (0600) when missing. Returns an SQLite result code.
    [[nodiscard]] int open(const std::filesystem::path& file);
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

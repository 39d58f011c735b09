#include "platform/SqliteConnection.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace platform {
namespace {

// SQLite gives its -wal and -shm files the mode of the database file, so creating the file
// ourselves with 0600 keeps every piece of the store private to this user.
bool createPrivateFile(const std::filesystem::path& file) {
    std::error_code ec;
    auto parent = file.parent_path();
    if (!parent.empty() && !std::filesystem::exists(parent, ec)) {
        std::filesystem::create_directories(parent, ec);
        if (ec) return false;
        ::chmod(parent.c_str(), 0700);
    }
    int fd = ::open(file.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

} // namespace

SqliteConnection::~SqliteConnection() { close(); }

SqliteConnection::SqliteConnection(SqliteConnection&& other) noexcept : db_(std::exchange(other.db_, nullptr)) {}

SqliteConnection& SqliteConnection::operator=(SqliteConnection&& other) noexcept {
    if (this != &other) {
        close();
        db_ = std::exchange(other.db_, nullptr);
    }
    return *this;
}

void SqliteConnection::close() {
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
}

int SqliteConnection::open(const std::filesystem::path& file) {
    close();
    if (!createPrivateFile(file)) return SQLITE_CANTOPEN;
    int rc = sqlite3_open_v2(file.c_str(), &db_,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        close();
        return rc;
    }
    sqlite3_busy_timeout(db_, 5000);
    if ((rc = exec("PRAGMA journal_mode=WAL")) != SQLITE_OK || (rc = exec("PRAGMA synchronous=FULL")) != SQLITE_OK) {
        close();
        return rc;
    }
    return SQLITE_OK;
}

int SqliteConnection::openInMemory() {
    close();
    int rc = sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) close();
    return rc;
}

int SqliteConnection::exec(const char* sql) {
    if (!db_) return SQLITE_MISUSE;
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

std::string SqliteConnection::lastError() const { return db_ ? sqlite3_errmsg(db_) : "not open"; }

} // namespace platform

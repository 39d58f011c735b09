#include "platform/SqliteConnection.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <utility>

namespace platform {
namespace {

// Creates the parent folder (0700) when missing.
bool createParent(const std::filesystem::path& file) {
    std::error_code ec;
    auto parent = file.parent_path();
    if (parent.empty() || std::filesystem::exists(parent, ec)) return true;
    std::filesystem::create_directories(parent, ec);
    if (ec) return false;
    ::chmod(parent.c_str(), 0700);
    return true;
}

// SQLite gives its -wal and -shm files the mode of the database file, so creating the file
// ourselves with 0600 keeps every piece of the store private to this user.
bool createPrivateFile(const std::filesystem::path& file) {
    int fd = ::open(file.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

bool syncPath(const std::filesystem::path& path, int flags) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return false;
    bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// Builds a new database with `schema` under a temporary name without waiting on the disk, syncs
// it once and links it into place, so the file either exists complete or not at all. Creating it
// in place would wait on a dozen syncs of SQLite's journals that protect nothing yet. A file
// another connection created meanwhile is kept (link never replaces).
int createDatabase(const std::filesystem::path& file, const char* schema) {
    static std::atomic<unsigned> counter{0};
    auto temp = file;
    temp += ".new-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    if (!createPrivateFile(temp)) return SQLITE_CANTOPEN;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(temp.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, "PRAGMA synchronous=OFF; PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, schema, nullptr, nullptr, nullptr);
    // Closing the only connection moves everything into the main file and removes the log.
    if (int closed = sqlite3_close_v2(db); rc == SQLITE_OK) rc = closed;
    if (rc == SQLITE_OK && !syncPath(temp, O_RDONLY)) rc = SQLITE_IOERR;
    if (rc == SQLITE_OK && ::link(temp.c_str(), file.c_str()) != 0 && errno != EEXIST) rc = SQLITE_CANTOPEN;
    ::unlink(temp.c_str());
    if (rc == SQLITE_OK && !syncPath(file.parent_path().empty() ? "." : file.parent_path(), O_RDONLY | O_DIRECTORY)) {
        rc = SQLITE_IOERR;
    }
    return rc;
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

int SqliteConnection::open(const std::filesystem::path& file, const char* schema) {
    close();
    if (!createParent(file)) return SQLITE_CANTOPEN;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        if (int rc = createDatabase(file, schema); rc != SQLITE_OK) return rc;
    }
    int rc = sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        close();
        return rc;
    }
    sqlite3_busy_timeout(db_, 5000);
    // On a file that already has the log mode and the table these only read.
    if ((rc = exec("PRAGMA journal_mode=WAL")) != SQLITE_OK || (rc = exec("PRAGMA synchronous=FULL")) != SQLITE_OK ||
        (rc = exec(schema)) != SQLITE_OK) {
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

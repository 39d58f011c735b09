#include "platform/SqliteConnection.h"

#include <fcntl.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <optional>
#include <chrono>
#include <string>
#include <string_view>
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

// A new file is built under "<name>.new-<pid>-<n>" (SQLite may keep "-journal", "-wal" and "-shm"
// beside it meanwhile).
constexpr std::string_view buildMarker = ".new-";

// No build takes anywhere near this long, so a build file this old is left over even when its
// process id now belongs to a live process.
constexpr auto staleBuildAge = std::chrono::minutes(10);

// The process id in the name of a file a build of `file` left, when `name` is one.
std::optional<pid_t> buildOwner(std::string_view name, std::string_view fileName) {
    const std::string prefix = std::string(fileName) + std::string(buildMarker);
    if (!name.starts_with(prefix)) return std::nullopt;
    name.remove_prefix(prefix.size());
    for (std::string_view journal : {"-journal", "-wal", "-shm"}) {
        if (name.ends_with(journal)) {
            name.remove_suffix(journal.size());
            break;
        }
    }
    const auto dash = name.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == name.size()) return std::nullopt;
    pid_t pid = 0;
    auto [end, error] = std::from_chars(name.data(), name.data() + dash, pid);
    if (error != std::errc() || end != name.data() + dash || pid <= 0) return std::nullopt;
    const auto counter = name.substr(dash + 1);
    if (counter.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    return pid;
}

bool isStaleBuild(const std::filesystem::directory_entry& entry, pid_t owner) {
    // A process that was killed between building and linking never comes back for its file.
    if (owner != ::getpid() && ::kill(owner, 0) != 0 && errno == ESRCH) return true;
    std::error_code ec;
    const auto modified = entry.last_write_time(ec);
    return !ec && modified < std::filesystem::file_time_type::clock::now() - staleBuildAge;
}

// Removes what builds of `file` left behind when their process died between building and linking;
// builds still running (in this or another live process) are left alone.
void removeStaleBuilds(const std::filesystem::path& file) {
    std::error_code ec;
    const std::string fileName = file.filename().string();
    const auto folder = file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const auto owner = buildOwner(it->path().filename().string(), fileName);
        if (owner && isStaleBuild(*it, *owner)) ::unlink(it->path().c_str());
    }
}

// Builds a new database with `schema`, then `seed` when given, under a temporary name without
// waiting on the disk, syncs it once and links it into place, so the file either exists complete
// (with its first contents) or not at all. Creating it in place would wait on a dozen syncs of
// SQLite's journals that protect nothing yet. A file another connection created meanwhile is kept
// (link never replaces); `linked` tells whether this build became the file.
int createDatabase(const std::filesystem::path& file, const char* schema, const SqliteConnection::Seed& seed,
                   bool& linked) {
    static std::atomic<unsigned> counter{0};
    linked = false;
    auto temp = file;
    temp += std::string(buildMarker) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    if (!createPrivateFile(temp)) return SQLITE_CANTOPEN;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(temp.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, "PRAGMA synchronous=OFF; PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, schema, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) rc = seed(db);
    // Everything moves into the main file, which alone is synced and linked: a write left in the
    // log would be lost with it.
    int logFrames = -1, movedFrames = -2;
    if (rc == SQLITE_OK) rc = sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, &logFrames, &movedFrames);
    if (rc == SQLITE_OK && logFrames != movedFrames) rc = SQLITE_BUSY;
    if (int closed = sqlite3_close_v2(db); rc == SQLITE_OK) rc = closed;
    if (rc == SQLITE_OK && !syncPath(temp, O_RDONLY)) rc = SQLITE_IOERR;
    if (rc == SQLITE_OK) {
        linked = ::link(temp.c_str(), file.c_str()) == 0;
        if (!linked && errno != EEXIST) rc = SQLITE_CANTOPEN;
    }
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
    bool created = false;
    return openFile(file, schema, nullptr, created);
}

int SqliteConnection::create(const std::filesystem::path& file, const char* schema, const Seed& seed, bool& created) {
    return openFile(file, schema, &seed, created);
}

// With no seed a missing file is not created.
int SqliteConnection::openFile(const std::filesystem::path& file, const char* schema, const Seed* seed, bool& created) {
    close();
    created = false;
    std::error_code ec;
    // A path that cannot even be looked at is not missing: opening it reports why.
    const bool missing = !std::filesystem::exists(file, ec) && !ec;
    if (missing && !seed) return SQLITE_NOTFOUND;
    if (!createParent(file)) return SQLITE_CANTOPEN;
    removeStaleBuilds(file);
    if (missing) {
        if (int rc = createDatabase(file, schema, *seed, created); rc != SQLITE_OK) return rc;
    }
    int rc = sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        close();
        return rc;
    }
    sqlite3_busy_timeout(db_, lockWaitMs);
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


} // namespace platform

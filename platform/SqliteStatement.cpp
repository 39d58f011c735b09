#include "platform/SqliteStatement.h"

#include <sqlite3.h>

#include <utility>

namespace platform {

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) {
    prepareResult_ = sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                                        &stmt_, nullptr);
    if (prepareResult_ != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(stmt_); }

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : stmt_(std::exchange(other.stmt_, nullptr)), prepareResult_(other.prepareResult_) {}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        stmt_ = std::exchange(other.stmt_, nullptr);
        prepareResult_ = other.prepareResult_;
    }
    return *this;
}

int SqliteStatement::bind(int index, std::string_view text) {
    return sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

int SqliteStatement::bindBlob(int index, std::string_view bytes) {
    return sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

int SqliteStatement::step() { return sqlite3_step(stmt_); }

void SqliteStatement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::string SqliteStatement::columnText(int column) const {
    auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    int size = sqlite3_column_bytes(stmt_, column);
    return bytes ? std::string(bytes, static_cast<size_t>(size)) : std::string();
}

long long SqliteStatement::columnInt(int column) const { return sqlite3_column_int64(stmt_, column); }

} // namespace platform

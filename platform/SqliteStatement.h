#pragma once
// Owns one prepared sqlite3 statement, reset after each use so it can be stepped again.
//
//   platform::SqliteStatement st(db, "SELECT value FROM items WHERE account = ?1");
//   st.bind(1, "key");
//   if (st.step() == SQLITE_ROW) use(st.columnText(0));
//   st.reset();

#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace platform {

class SqliteStatement {
public:
    SqliteStatement() = default;
    SqliteStatement(sqlite3* db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;

    // The result code of preparing; anything but SQLITE_OK leaves the statement unusable.
    int prepareResult() const { return prepareResult_; }
    explicit operator bool() const { return stmt_ != nullptr; }

    [[nodiscard]] int bind(int index, std::string_view text);
    [[nodiscard]] int bindBlob(int index, std::string_view bytes);
    [[nodiscard]] int step();
    void reset();

    std::string columnText(int column) const;
    long long columnInt(int column) const;

private:
    sqlite3_stmt* stmt_ = nullptr;
    int prepareResult_ = 0;
};

} // namespace platform

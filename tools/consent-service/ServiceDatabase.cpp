#include "tools/consent-service/ServiceDatabase.h"

#include <sqlite3.h>

#include "platform/SqliteStatement.h"

namespace consentservice {

ServiceDatabase::ServiceDatabase(const std::filesystem::path& file) {
    constexpr const char* schema =
        "CREATE TABLE IF NOT EXISTS submissions (id INTEGER PRIMARY KEY, endpoint TEXT NOT NULL,"
        " application_id TEXT NOT NULL, client_session_id TEXT NOT NULL, body BLOB NOT NULL,"
        " received_at INTEGER NOT NULL);"
        "CREATE TABLE IF NOT EXISTS documents (application_id TEXT NOT NULL, client_session_id TEXT NOT NULL,"
        " body BLOB NOT NULL, PRIMARY KEY (application_id, client_session_id))";
    // The service's database exists from its start, empty, so nothing is seeded into it.
    bool created = false;
    const auto nothing = [](sqlite3*) { return SQLITE_OK; };
    int rc = file.empty() ? db_.openInMemory() : db_.create(file, schema, nothing, created);
    if (rc == SQLITE_OK && file.empty()) rc = db_.exec(schema);
    if (rc != SQLITE_OK) db_ = platform::SqliteConnection();
}

void ServiceDatabase::record(const Submission& s) {
    std::lock_guard lock(mutex_);
    if (!db_) return;
    platform::SqliteStatement st(db_.get(),
                                 "INSERT INTO submissions (endpoint, application_id, client_session_id, body, received_at)"
                                 " VALUES (?1, ?2, ?3, ?4, ?5)");
    if (!st) return;
    bool bound = st.bind(1, endpointName(s.endpoint)) == SQLITE_OK && st.bind(2, s.applicationId) == SQLITE_OK &&
                 st.bind(3, s.clientSessionId) == SQLITE_OK && st.bindBlob(4, s.body) == SQLITE_OK &&
                 st.bind(5, std::to_string(s.receivedAtMs)) == SQLITE_OK;
    if (bound) (void)st.step();
}

std::vector<Submission> ServiceDatabase::submissions(std::optional<ServiceEndpoint> endpoint) {
    std::lock_guard lock(mutex_);
    std::vector<Submission> out;
    if (!db_) return out;
    platform::SqliteStatement st(db_.get(),
                                 "SELECT endpoint, application_id, client_session_id, body, received_at FROM submissions"
                                 " WHERE ?1 IS NULL OR endpoint = ?1 ORDER BY id");
    if (!st) return out;
    if (endpoint && st.bind(1, endpointName(*endpoint)) != SQLITE_OK) return out;
    while (st.step() == SQLITE_ROW) {
        Submission s;
        s.endpoint = endpointNamed(st.columnText(0)).value_or(ServiceEndpoint::consent);
        s.applicationId = st.columnText(1);
        s.clientSessionId = st.columnText(2);
        s.body = st.columnText(3);
        s.receivedAtMs = st.columnInt(4);
        out.push_back(std::move(s));
    }
    return out;
}

void ServiceDatabase::clearSubmissions() {
    std::lock_guard lock(mutex_);
    if (db_) (void)db_.exec("DELETE FROM submissions");
}

std::optional<std::string> ServiceDatabase::document(const std::string& applicationId,
                                                     const std::string& clientSessionId) {
    std::lock_guard lock(mutex_);
    if (!db_) return std::nullopt;
    platform::SqliteStatement st(db_.get(),
                                 "SELECT body FROM documents WHERE application_id = ?1 AND client_session_id = ?2");
    if (!st || st.bind(1, applicationId) != SQLITE_OK || st.bind(2, clientSessionId) != SQLITE_OK) return std::nullopt;
    if (st.step() != SQLITE_ROW) return std::nullopt;
    return st.columnText(0);
}

void ServiceDatabase::saveDocument(const std::string& applicationId, const std::string& clientSessionId,
                                   const std::string& json) {
    std::lock_guard lock(mutex_);
    if (!db_) return;
    platform::SqliteStatement st(db_.get(),
                                 "INSERT OR REPLACE INTO documents (application_id, client_session_id, body)"
                                 " VALUES (?1, ?2, ?3)");
    if (!st || st.bind(1, applicationId) != SQLITE_OK || st.bind(2, clientSessionId) != SQLITE_OK ||
        st.bindBlob(3, json) != SQLITE_OK) {
        return;
    }
    (void)st.step();
}

} // namespace consentservice

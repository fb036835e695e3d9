#include "sqlite_statement.h"

#include <sqlite3.h>

namespace hearvex::record {

Statement::Statement(sqlite3* db, const char* sql)
    : m_db(db) {
    if (sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        m_failed = true;
    }
}

Statement::Statement(StatementCache& cache, const char* sql)
    : m_db(cache.db())
    , m_statement(cache.prepared(sql))
    , m_failed(m_statement == nullptr)
    , m_borrowed(true) {}

Statement::~Statement() {
    if (m_borrowed)
        reset();
    else
        sqlite3_finalize(m_statement);
}

sqlite3_stmt* StatementCache::prepared(const char* sql) {
    const auto found = m_statements.find(sql);
    if (found != m_statements.end())
        return found->second;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(statement);
        return nullptr;
    }
    m_statements.emplace(sql, statement);
    return statement;
}

void StatementCache::clear() {
    for (const auto& [sql, statement] : m_statements)
        sqlite3_finalize(statement);
    m_statements.clear();
}

Statement& Statement::bind(int index, std::int64_t value) {
    if (m_statement && sqlite3_bind_int64(m_statement, index, value) != SQLITE_OK)
        m_failed = true;
    return *this;
}

Statement& Statement::bind(int index, double value) {
    if (m_statement && sqlite3_bind_double(m_statement, index, value) != SQLITE_OK)
        m_failed = true;
    return *this;
}

Statement& Statement::bind(int index, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    if (m_statement && sqlite3_bind_text(m_statement, index, utf8.constData(), int(utf8.size()),
                                         SQLITE_TRANSIENT) != SQLITE_OK)
        m_failed = true;
    return *this;
}

Statement& Statement::bindNull(int index) {
    if (m_statement && sqlite3_bind_null(m_statement, index) != SQLITE_OK)
        m_failed = true;
    return *this;
}

bool Statement::next() {
    if (!m_statement || m_failed)
        return false;
    const int status = sqlite3_step(m_statement);
    if (status == SQLITE_ROW)
        return true;
    if (status != SQLITE_DONE)
        m_failed = true;
    return false;
}

bool Statement::run() {
    while (next()) {
    }
    return prepared() && !m_failed;
}

void Statement::reset() {
    if (!m_statement)
        return;
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    m_failed = false;
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(m_statement, column);
}

QString Statement::text(int column) const {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return QString::fromUtf8(bytes, sqlite3_column_bytes(m_statement, column));
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

bool execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

QString errorText(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

} // namespace hearvex::record

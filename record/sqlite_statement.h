// A thin layer over SQLite's C interface: one prepared statement, bound and
// stepped, finalised when it goes out of scope.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace hearvex::record {

// The statements a connection runs again and again (one attempt's write),
// prepared once. Keyed by the address of their text: pass string literals.
class StatementCache {
public:
    explicit StatementCache(sqlite3* db)
        : m_db(db) {}
    ~StatementCache() { clear(); }
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    sqlite3* db() const { return m_db; }
    // Null when the text does not prepare.
    sqlite3_stmt* prepared(const char* sql);
    // Before the connection closes.
    void clear();

private:
    sqlite3* m_db = nullptr;
    std::unordered_map<const char*, sqlite3_stmt*> m_statements;
};

class Statement {
public:
    Statement(sqlite3* db, const char* sql);
    // Borrowed from the cache and reset, not finalised, at the end.
    Statement(StatementCache& cache, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool prepared() const { return m_statement != nullptr; }

    // Parameters count from 1, as in SQL's ?1.
    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, int value) { return bind(index, std::int64_t(value)); }
    Statement& bind(int index, double value);
    Statement& bind(int index, const QString& value);
    Statement& bindNull(int index);

    // The next row: true while there is one. A failure ends the rows and
    // leaves failed() true.
    bool next();
    // Runs a statement that gives no rows; true when it succeeded.
    bool run();
    bool failed() const { return m_failed; }
    void reset();

    std::int64_t integer(int column) const;
    double real(int column) const;
    QString text(int column) const;
    bool isNull(int column) const;

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    bool m_failed = false;
    bool m_borrowed = false;
};

// Runs one or more statements that give no rows; true when all succeeded.
bool execute(sqlite3* db, const char* sql);

// The last error of the connection, for a message.
QString errorText(sqlite3* db);

} // namespace hearvex::record

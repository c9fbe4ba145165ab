#pragma once

// Private to the record store: the SQLite (SQLCipher) side of a database.
// Nothing outside src/store includes this file.

#include "record_store.h"

#include <sqlcipher/sqlite3.h>

#include <QHash>
#include <QVariant>
#include <atomic>
#include <vector>

namespace store {

// Writes committed by any connection of this process; a view compares it to
// know at once that a record it read may have changed.
inline std::atomic<quint64> g_processWrites{0};

// Monotonic nanoseconds, for the short trust given to a record just read.
qint64 monotonicNs();

struct Database::Impl {
    sqlite3 *db = nullptr;
    QString path;
    QString fileName;
    const FileDef *def = nullptr;
    int txDepth = 0;
    bool txRollbackOnly = false;
    quint64 localWrites = 0;
    // Prepared statements, numbered by statementId() so that hot paths do
    // not hash their text on every use.
    QHash<QString, int> statementIds;
    struct Cached {
        QString sql;
        sqlite3_stmt *stmt = nullptr;
        bool inUse = false;
    };
    std::vector<Cached> statements;
    quint64 lastDataVersion = 0;  // the file's data_version when last read
    QHash<QString, bool> checkedTables;

    ~Impl();

    [[noreturn]] void fail(int rc, const QString &what) const;
    int statementId(const QString &sql);
    sqlite3_stmt *acquire(int id);
    void release(int id, sqlite3_stmt *stmt);
    void exec(const QString &sql);

    // Changes whenever this connection or another one wrote to the file.
    quint64 version();
    // The last value version() returned: never newer than the file's.
    quint64 knownVersion() const { return (lastDataVersion << 32) ^ localWrites; }

    void begin();
    void commit();
    void rollback();
};

// One use of a (cached) prepared statement; reset when it goes out of scope.
class Statement {
public:
    Statement(Database::Impl &db, const QString &sql);
    Statement(Database::Impl &db, int id);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bind(int position, const QVariant &value);   // 1-based
    // Steps once: true for a row, false when done. Throws on failure.
    bool step();
    int columnCount() const;
    QVariant column(int i) const;
    int columnType(int i) const;
    QString columnName(int i) const;
    QString columnDeclType(int i) const;

private:
    Database::Impl &m_db;
    int m_id;
    sqlite3_stmt *m_stmt;
};

QString quoteName(const QString &name);

} // namespace store

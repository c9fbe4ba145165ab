#pragma once

// Private to the record store: the SQLite (SQLCipher) side of a database.
// Nothing outside src/store includes this file.

#include "record_store.h"

#include <sqlcipher/sqlite3.h>

#include <QHash>
#include <QVariant>

namespace store {

struct Database::Impl {
    sqlite3 *db = nullptr;
    QString path;
    QString fileName;
    const FileDef *def = nullptr;
    int txDepth = 0;
    bool txRollbackOnly = false;
    quint64 localWrites = 0;
    QHash<QString, sqlite3_stmt *> statements;
    QHash<sqlite3_stmt *, bool> inUse;
    QHash<QString, bool> checkedTables;

    ~Impl();

    [[noreturn]] void fail(int rc, const QString &what) const;
    sqlite3_stmt *acquire(const QString &sql);
    void release(sqlite3_stmt *stmt);
    void exec(const QString &sql);

    // Changes whenever this connection or another one wrote to the file.
    quint64 version();

    void begin();
    void commit();
    void rollback();
};

// One use of a (cached) prepared statement; reset when it goes out of scope.
class Statement {
public:
    Statement(Database::Impl &db, const QString &sql);
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
    sqlite3_stmt *m_stmt;
};

QString quoteName(const QString &name);

} // namespace store

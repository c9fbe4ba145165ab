#include "sqlite_engine.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

namespace store {

namespace {

// How long a writer waits for another workstation before giving up.
constexpr int kBusyWaitMs = 60000;

} // namespace

qint64 monotonicNs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.nsecsElapsed();
}

QString quoteName(const QString &name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

Database::Impl::~Impl()
{
    for (const Cached &c : statements)
        sqlite3_finalize(c.stmt);
    if (db)
        sqlite3_close(db);
}

void Database::Impl::fail(int rc, const QString &what) const
{
    const int primary = rc & 0xff;
    const QString engine = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        throw StoreError(StoreError::Kind::Busy,
                         QStringLiteral("El archivo «%1» está ocupado por otra estación; intente nuevamente.")
                             .arg(fileName),
                         fileName);
    if (primary == SQLITE_NOTADB)
        throw StoreError(StoreError::Kind::Password,
                         QStringLiteral("No se puede abrir «%1»: la contraseña falta o es incorrecta, "
                                        "o el archivo no es una base de datos.")
                             .arg(fileName),
                         fileName);
    if (primary == SQLITE_CONSTRAINT)
        throw StoreError(StoreError::Kind::DuplicateKey,
                         QStringLiteral("Ya existe un registro con esa clave en «%1».").arg(fileName),
                         fileName);
    throw StoreError(StoreError::Kind::Engine,
                     QStringLiteral("Error en «%1» (%2): %3").arg(fileName, what, engine), fileName);
}

int Database::Impl::statementId(const QString &sql)
{
    auto it = statementIds.constFind(sql);
    if (it != statementIds.constEnd())
        return it.value();
    const int id = int(statements.size());
    statements.push_back({sql, nullptr, false});
    statementIds.insert(sql, id);
    return id;
}

sqlite3_stmt *Database::Impl::acquire(int id)
{
    Cached &c = statements[size_t(id)];
    if (c.stmt && !c.inUse) {
        c.inUse = true;
        return c.stmt;
    }
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = c.sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        fail(rc, c.sql);
    }
    // A statement already in use by an outer caller gets a transient twin.
    if (!c.stmt) {
        c.stmt = stmt;
        c.inUse = true;
    }
    return stmt;
}

void Database::Impl::release(int id, sqlite3_stmt *stmt)
{
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    Cached &c = statements[size_t(id)];
    if (c.stmt == stmt)
        c.inUse = false;
    else
        sqlite3_finalize(stmt);
}

void Database::Impl::exec(const QString &sql)
{
    char *error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    sqlite3_free(error);
    if (rc != SQLITE_OK)
        fail(rc, sql);
}

quint64 Database::Impl::version()
{
    static const QString sql = QStringLiteral("PRAGMA data_version");
    Statement q(*this, sql);
    q.step();
    lastDataVersion = q.column(0).toULongLong();
    return knownVersion();
}

void Database::Impl::begin()
{
    if (txDepth++ > 0)
        return;
    txRollbackOnly = false;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const int rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK)
            return;
        if ((rc & 0xff) != SQLITE_BUSY || waited.elapsed() > kBusyWaitMs) {
            txDepth = 0;
            fail(rc, QStringLiteral("BEGIN"));
        }
        QThread::msleep(5);
    }
}

void Database::Impl::commit()
{
    if (txDepth <= 0)
        return;
    if (--txDepth > 0)
        return;
    if (txRollbackOnly) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw StoreError(StoreError::Kind::Engine,
                         QStringLiteral("Una parte de la operación falló en «%1»; no se guardó nada.")
                             .arg(fileName),
                         fileName);
    }
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const int rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK)
            return;
        if ((rc & 0xff) != SQLITE_BUSY || waited.elapsed() > kBusyWaitMs) {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            fail(rc, QStringLiteral("COMMIT"));
        }
        QThread::msleep(5);
    }
}

void Database::Impl::rollback()
{
    if (txDepth <= 0)
        return;
    if (--txDepth > 0) {
        txRollbackOnly = true;
        return;
    }
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
}

Statement::Statement(Database::Impl &db, const QString &sql)
    : Statement(db, db.statementId(sql))
{
}

Statement::Statement(Database::Impl &db, int id)
    : m_db(db), m_id(id), m_stmt(db.acquire(id))
{
}

Statement::~Statement()
{
    m_db.release(m_id, m_stmt);
}

void Statement::bind(int position, const QVariant &value)
{
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, position);
    } else {
        switch (value.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, position, value.toDouble());
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(m_stmt, position, value.toLongLong());
            break;
        default: {
            const QByteArray utf8 = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, position, utf8.constData(), int(utf8.size()),
                                   SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        m_db.fail(rc, QStringLiteral("bind"));
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    m_db.fail(rc, QString::fromUtf8(sqlite3_sql(m_stmt)));
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QVariant Statement::column(int i) const
{
    switch (sqlite3_column_type(m_stmt, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_stmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, i));
    case SQLITE_NULL:
        return QVariant();
    default: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, i)));
    }
    }
}

int Statement::columnType(int i) const
{
    return sqlite3_column_type(m_stmt, i);
}

QString Statement::columnName(int i) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, i));
}

QString Statement::columnDeclType(int i) const
{
    const char *t = sqlite3_column_decltype(m_stmt, i);
    return t ? QString::fromUtf8(t) : QString();
}

} // namespace store

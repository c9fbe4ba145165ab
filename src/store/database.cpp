#include "record_store.h"

#include "sqlite_engine.h"
#include "store_values.h"

#include <QFileInfo>

namespace store {

using namespace detail;

namespace {

QString sqlIndexName(const TableDef &t, const IndexDef &ix)
{
    return quoteName(QStringLiteral("ix_") + t.name + QLatin1Char('_') + ix.name);
}

QString passwordOf(const QString &connect)
{
    if (connect.startsWith(QLatin1String(";PWD="), Qt::CaseInsensitive))
        return connect.mid(5);
    return connect;
}

} // namespace

// ---------------------------------------------------------------------------
// StoreError

StoreError::StoreError(Kind kind, const QString &message, const QString &file)
    : std::runtime_error(message.toStdString()), m_kind(kind), m_message(message), m_file(file)
{
}

// ---------------------------------------------------------------------------
// Database

Database::Database(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}
Database::~Database() = default;

std::unique_ptr<Database> Database::open(const QString &path, const QString &password)
{
    auto impl = std::make_unique<Impl>();
    const QFileInfo info(path);
    impl->path = info.absoluteFilePath();
    impl->fileName = info.fileName();
    impl->def = fileDef(impl->fileName);
    if (!info.isFile())
        throw StoreError(StoreError::Kind::MissingFile,
                         QStringLiteral("No se encuentra el archivo de base de datos «%1» (%2).")
                             .arg(impl->fileName, impl->path),
                         impl->fileName);
    const int rc = sqlite3_open_v2(impl->path.toUtf8().constData(), &impl->db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK)
        impl->fail(rc, QStringLiteral("open"));
    const QString pw = passwordOf(password);
    if (!pw.isEmpty()) {
        const QByteArray key = pw.toUtf8();
        sqlite3_key(impl->db, key.constData(), int(key.size()));
    }
    sqlite3_busy_timeout(impl->db, 10000);
    // Reading the schema is where a wrong or missing password shows.
    {
        Statement q(*impl, QStringLiteral("SELECT count(*) FROM sqlite_master"));
        q.step();
    }
    return std::unique_ptr<Database>(new Database(std::move(impl)));
}

void Database::create(const QString &path, const FileDef &def)
{
    const QFileInfo info(path);
    if (info.exists())
        throw StoreError(StoreError::Kind::Engine,
                         QStringLiteral("El archivo «%1» ya existe; no se sobrescribe.").arg(info.absoluteFilePath()),
                         info.fileName());
    Impl impl;
    impl.path = info.absoluteFilePath();
    impl.fileName = info.fileName();
    const int rc = sqlite3_open_v2(impl.path.toUtf8().constData(), &impl.db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK)
        impl.fail(rc, QStringLiteral("create"));
    if (!def.password.isEmpty()) {
        const QByteArray key = def.password.toUtf8();
        sqlite3_key(impl.db, key.constData(), int(key.size()));
    }
    impl.exec(QStringLiteral("BEGIN"));
    for (const TableDef &t : def.tables) {
        QStringList cols;
        for (const FieldDef &f : t.fields)
            cols << columnDefinition(f);
        impl.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteName(t.name), cols.join(QStringLiteral(", "))));
        for (const IndexDef &ix : t.indexes)
            impl.exec(QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                          .arg(ix.unique ? QStringLiteral("UNIQUE ") : QString(), sqlIndexName(t, ix),
                               quoteName(t.name), quoteName(ix.field)));
    }
    impl.exec(QStringLiteral("COMMIT"));
}

QString Database::path() const { return d->path; }
QString Database::fileName() const { return d->fileName; }
const FileDef *Database::definition() const { return d->def; }
bool Database::inTransaction() const { return d->txDepth > 0; }

bool Database::hasTable(const QString &table) const
{
    Statement q(*d, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE"));
    q.bind(1, table);
    return q.step();
}

// ---------------------------------------------------------------------------
// Transaction

Transaction::Transaction(Database &db) : m_db(db)
{
    m_db.impl().begin();
    m_open = true;
}

Transaction::~Transaction()
{
    if (m_open)
        m_db.impl().rollback();
}

void Transaction::commit()
{
    if (!m_open)
        return;
    m_open = false;
    m_db.impl().commit();
}

} // namespace store

#include "record_store.h"

#include "sqlite_engine.h"
#include "store_values.h"

#include "common/formats.h"

#include <deque>
#include <map>

namespace store {

using namespace detail;

namespace {

// Runs the writes of one update inside a transaction of their own unless
// the caller already holds one.
class WriteScope {
public:
    explicit WriteScope(Database::Impl &db) : m_db(db) { m_db.begin(); }
    ~WriteScope()
    {
        if (!m_done)
            m_db.rollback();
    }
    void commit()
    {
        m_done = true;
        m_db.commit();
    }

private:
    Database::Impl &m_db;
    bool m_done = false;
};

} // namespace

// ---------------------------------------------------------------------------
// TableView

struct TableView::Impl {
    Database &database;
    Database::Impl &db;
    const TableDef *def = nullptr;
    QString table;        // quoted
    QString columns;      // "rowid, "A", "B" ..."
    const IndexDef *index = nullptr;

    // The statements of this view on its current index, built once per index.
    struct Sql {
        int first = -1, last = -1, nextSame = -1, nextAfter = -1, prevSame = -1, prevBefore = -1, seek = -1,
            byRowid = -1;
    } sql;
    mutable QHash<QString, int> fieldCache;  // field name as the caller spells it -> index
    QHash<quint64, int> updateIds;           // fields written (bit per field) -> UPDATE statement

    enum class State { Record, Bof, Eof, NoMatch, Deleted };
    State state = State::Bof;
    bool bothEnds = false;     // empty table: BOF and EOF together
    qint64 rowid = 0;
    QVariant key;              // current key on the current index
    std::vector<QVariant> row; // values in catalogue field order
    // When the row was read, and what was known of the file then. A row read
    // less than a millisecond ago, with no write in this process since, is
    // served as it is; any later read first asks the file whether it changed.
    quint64 rowVersion = 0;
    qint64 loadedAtNs = 0;
    quint64 loadedProcessWrites = 0;

    // Rows read ahead along the order, for passes over the table; trusted on
    // the same terms as the current row.
    struct Ahead {
        qint64 rowid;
        std::vector<QVariant> row;
    };
    std::deque<Ahead> ahead;
    bool aheadForward = true;
    int batch = 1;

    enum class Mode { None, Adding, Editing };
    Mode mode = Mode::None;
    qint64 editRowid = 0;
    std::map<int, QVariant> pending;
    std::map<int, QString> badValues;

    Impl(Database &d, const TableDef *t) : database(d), db(d.impl()), def(t) {}

    QString keyColumn() const { return index ? quoteName(index->field) : QStringLiteral("rowid"); }
    int keyField() const { return index ? def->fieldIndex(index->field) : -1; }

    QString orderAsc() const
    {
        return index ? keyColumn() + QStringLiteral(", rowid") : QStringLiteral("rowid");
    }
    QString orderDesc() const
    {
        return index ? keyColumn() + QStringLiteral(" DESC, rowid DESC") : QStringLiteral("rowid DESC");
    }

    QString selectFrom() const { return QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") + table; }

    void buildSql()
    {
        const QString from = selectFrom();
        const QString keyCol = keyColumn();
        auto id = [this](const QString &text) { return db.statementId(text); };
        sql.first = id(from + QStringLiteral(" ORDER BY ") + orderAsc() + QStringLiteral(" LIMIT 1"));
        sql.last = id(from + QStringLiteral(" ORDER BY ") + orderDesc() + QStringLiteral(" LIMIT 1"));
        sql.byRowid = id(from + QStringLiteral(" WHERE rowid = ?1"));
        if (index) {
            const QString where = from + QStringLiteral(" WHERE ") + keyCol;
            sql.nextSame = id(where + QStringLiteral(" = ?1 AND rowid > ?2 ORDER BY rowid LIMIT ?3"));
            sql.nextAfter = id(where + QStringLiteral(" > ?1 ORDER BY ") + orderAsc() + QStringLiteral(" LIMIT ?3"));
            sql.prevSame = id(where + QStringLiteral(" = ?1 AND rowid < ?2 ORDER BY rowid DESC LIMIT ?3"));
            sql.prevBefore = id(where + QStringLiteral(" < ?1 ORDER BY ") + orderDesc() + QStringLiteral(" LIMIT ?3"));
            sql.seek = id(where + QStringLiteral(" = ?1 ORDER BY rowid LIMIT 1"));
        } else {
            sql.nextSame = sql.prevSame = sql.seek = -1;
            sql.nextAfter = id(from + QStringLiteral(" WHERE rowid > ?1 ORDER BY rowid LIMIT ?3"));
            sql.prevBefore = id(from + QStringLiteral(" WHERE rowid < ?1 ORDER BY rowid DESC LIMIT ?3"));
        }
    }

    void useIndex(const IndexDef *ix)
    {
        index = ix;
        ahead.clear();
        buildSql();
        if (state == State::Record)
            key = index ? row[keyField()] : QVariant(rowid);
    }

    static constexpr qint64 kTrustNs = 1000000;  // one millisecond
    static constexpr int kMaxBatch = 64;

    bool trusted(qint64 stampNs, quint64 stampWrites) const
    {
        return stampWrites == g_processWrites.load() && monotonicNs() - stampNs < kTrustNs;
    }

    void becomeCurrent(qint64 id, std::vector<QVariant> &&values)
    {
        rowid = id;
        row = std::move(values);
        key = index ? row[keyField()] : QVariant(rowid);
        state = State::Record;
        bothEnds = false;
    }

    std::vector<QVariant> readRow(Statement &q) const
    {
        std::vector<QVariant> values(def->fields.size());
        for (int i = 0; i < int(values.size()); ++i)
            values[i] = q.column(i + 1);
        return values;
    }

    void stamp(quint64 version, qint64 atNs, quint64 writes)
    {
        rowVersion = version;
        loadedAtNs = atNs;
        loadedProcessWrites = writes;
    }

    // Reads the first row of a positioned select; returns false when none.
    bool load(Statement &q)
    {
        // What was known of the file before this read: if the file has not
        // changed since, the row read is still what is stored.
        const quint64 version = db.knownVersion();
        const quint64 writes = g_processWrites.load();
        const qint64 at = monotonicNs();
        ahead.clear();
        if (!q.step())
            return false;
        const qint64 id = q.column(0).toLongLong();
        becomeCurrent(id, readRow(q));
        stamp(version, at, writes);
        return true;
    }

    // Reads up to `batch` rows of a positioned select: the first becomes
    // current, the rest wait in `ahead`. Returns false when none.
    bool loadAhead(Statement &q, bool forward)
    {
        const quint64 version = db.knownVersion();
        const quint64 writes = g_processWrites.load();
        const qint64 at = monotonicNs();
        ahead.clear();
        while (q.step()) {
            const qint64 id = q.column(0).toLongLong();
            ahead.push_back({id, readRow(q)});
        }
        if (ahead.empty())
            return false;
        aheadForward = forward;
        stamp(version, at, writes);
        batch = std::min(batch * 2, kMaxBatch);
        takeAhead();
        return true;
    }

    void takeAhead()
    {
        Ahead next = std::move(ahead.front());
        ahead.pop_front();
        becomeCurrent(next.rowid, std::move(next.row));
    }

    void cancelEdit()
    {
        mode = Mode::None;
        pending.clear();
        badValues.clear();
    }

    void refreshIfStale()
    {
        if (state != State::Record || trusted(loadedAtNs, loadedProcessWrites))
            return;
        const quint64 writes = g_processWrites.load();
        if (db.version() == rowVersion && writes == loadedProcessWrites) {
            loadedAtNs = monotonicNs();
            return;
        }
        Statement q(db, sql.byRowid);
        q.bind(1, rowid);
        if (!load(q)) {
            state = State::Deleted;
            throw StoreError(StoreError::Kind::NoRecord,
                             QStringLiteral("Otra estación borró el registro de %1 que se estaba viendo (%2).")
                                 .arg(def->name, db.fileName),
                             db.fileName);
        }
    }

    bool hasPosition() const { return state == State::Record || state == State::Deleted; }

    void first()
    {
        batch = 1;
        Statement q(db, sql.first);
        if (!load(q)) {
            state = State::Eof;
            bothEnds = true;
        }
    }

    void last()
    {
        batch = 1;
        Statement q(db, sql.last);
        if (!load(q)) {
            state = State::Bof;
            bothEnds = true;
        }
    }

    // One step along the current order from the current position; `forward`
    // chooses the direction. Returns false at the end.
    bool step(bool forward)
    {
        if (!ahead.empty() && aheadForward == forward && trusted(loadedAtNs, loadedProcessWrites)) {
            takeAhead();
            return true;
        }
        if (index) {
            // Equal keys are visited in the order written; a unique index has none.
            if (!index->unique) {
                Statement same(db, forward ? sql.nextSame : sql.prevSame);
                same.bind(1, key);
                same.bind(2, rowid);
                same.bind(3, batch);
                if (loadAhead(same, forward))
                    return true;
            }
            Statement other(db, forward ? sql.nextAfter : sql.prevBefore);
            other.bind(1, key);
            other.bind(3, batch);
            return loadAhead(other, forward);
        }
        Statement q(db, forward ? sql.nextAfter : sql.prevBefore);
        q.bind(1, rowid);
        q.bind(3, batch);
        return loadAhead(q, forward);
    }

    void next()
    {
        if (!hasPosition()) {
            if (state != State::Eof)
                first();
            return;
        }
        if (!step(true)) {
            state = State::Eof;
            bothEnds = false;
        }
    }

    void previous()
    {
        if (!hasPosition()) {
            if (state != State::Bof)
                last();
            return;
        }
        if (!step(false)) {
            state = State::Bof;
            bothEnds = false;
        }
    }

    int fieldOrThrow(const QString &name) const
    {
        auto cached = fieldCache.constFind(name);
        if (cached != fieldCache.constEnd())
            return cached.value();
        const int i = def->fieldIndex(name);
        if (i >= 0)
            fieldCache.insert(name, i);
        if (i < 0)
            throw StoreError(StoreError::Kind::Schema,
                             QStringLiteral("La tabla %1 (%2) no tiene el campo «%3».").arg(def->name, db.fileName, name),
                             db.fileName);
        return i;
    }

    [[noreturn]] void noRecord() const
    {
        throw StoreError(StoreError::Kind::NoRecord,
                         QStringLiteral("No hay registro actual en %1 (%2).").arg(def->name, db.fileName),
                         db.fileName);
    }
};

TableView::TableView(Database &db, const QString &table)
{
    const TableDef *def = findTableDef(db, table);
    auto &dbi = db.impl();
    if (!def || !db.hasTable(table))
        throw StoreError(StoreError::Kind::Schema,
                         QStringLiteral("Falta la tabla «%1» en el archivo «%2».").arg(table, db.fileName()),
                         db.fileName());
    if (!dbi.checkedTables.contains(def->name)) {
        Statement info(dbi, QStringLiteral("PRAGMA table_info(%1)").arg(quoteName(def->name)));
        QStringList present;
        while (info.step())
            present << info.column(1).toString().toLower();
        for (const FieldDef &f : def->fields)
            if (!present.contains(f.name.toLower()))
                throw StoreError(StoreError::Kind::Schema,
                                 QStringLiteral("Falta el campo «%1» de la tabla «%2» en el archivo «%3».")
                                     .arg(f.name, def->name, db.fileName()),
                                 db.fileName());
        dbi.checkedTables.insert(def->name, true);
    }
    d = std::make_unique<Impl>(db, def);
    d->table = quoteName(def->name);
    QStringList cols{QStringLiteral("rowid")};
    for (const FieldDef &f : def->fields)
        cols << quoteName(f.name);
    d->columns = cols.join(QStringLiteral(", "));
    d->useIndex(def->primaryIndex.isEmpty() ? nullptr : def->index(def->primaryIndex));
    d->first();
}

TableView::~TableView() = default;

const TableDef &TableView::definition() const { return *d->def; }

void TableView::setIndex(const QString &indexName)
{
    if (indexName.isEmpty()) {
        d->useIndex(d->def->primaryIndex.isEmpty() ? nullptr : d->def->index(d->def->primaryIndex));
        return;
    }
    const IndexDef *ix = d->def->index(indexName);
    if (!ix)
        throw StoreError(StoreError::Kind::Schema,
                         QStringLiteral("La tabla %1 (%2) no tiene el índice «%3».").arg(d->def->name, d->db.fileName, indexName),
                         d->db.fileName);
    if (ix != d->index)
        d->useIndex(ix);
}

QString TableView::index() const { return d->index ? d->index->name : QString(); }

bool TableView::seek(const QString &keyText)
{
    d->cancelEdit();
    if (!d->index)
        throw StoreError(StoreError::Kind::Schema,
                         QStringLiteral("Seek sin índice en la tabla %1 (%2).").arg(d->def->name, d->db.fileName),
                         d->db.fileName);
    const FieldDef &field = d->def->fields[d->keyField()];
    const auto stored = toStored(field, keyText);
    if (stored && !stored->isNull()) {
        d->batch = 1;
        Statement q(d->db, d->sql.seek);
        q.bind(1, *stored);
        if (d->load(q))
            return true;
    }
    d->state = Impl::State::NoMatch;
    return false;
}

bool TableView::noMatch() const { return d->state == Impl::State::NoMatch; }

void TableView::moveFirst()
{
    d->cancelEdit();
    d->first();
}

void TableView::moveLast()
{
    d->cancelEdit();
    d->last();
}

void TableView::moveNext()
{
    d->cancelEdit();
    d->next();
}

void TableView::movePrevious()
{
    d->cancelEdit();
    d->previous();
}

bool TableView::bof() const { return d->state == Impl::State::Bof || d->bothEnds; }
bool TableView::eof() const { return d->state == Impl::State::Eof || d->bothEnds; }
bool TableView::hasRecord() const { return d->state == Impl::State::Record; }

QString TableView::value(const QString &field) const
{
    const int i = d->fieldOrThrow(field);
    const FieldDef &f = d->def->fields[i];
    if (d->mode != Impl::Mode::None) {
        auto p = d->pending.find(i);
        if (p != d->pending.end())
            return toScreen(f.kind, p->second);
        if (d->mode == Impl::Mode::Adding)
            return f.kind == FieldKind::Number ? f.defaultValue : QString();
    }
    if (d->state != Impl::State::Record)
        d->noRecord();
    d->refreshIfStale();
    return toScreen(f.kind, d->row[i]);
}

double TableView::number(const QString &field) const
{
    // A number field is read as the stored number, without the round trip
    // through its screen text.
    const int i = d->fieldOrThrow(field);
    if (d->mode == Impl::Mode::None && d->def->fields[i].kind == FieldKind::Number) {
        if (d->state != Impl::State::Record)
            d->noRecord();
        d->refreshIfStale();
        const QVariant &v = d->row[i];
        if (!v.isValid() || v.isNull())
            return 0.0;
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::LongLong)
            return v.toDouble();
    }
    return fmt::parseNumberOrZero(value(field)).value_or(0.0);
}

void TableView::addNew()
{
    d->cancelEdit();
    d->mode = Impl::Mode::Adding;
}

void TableView::edit()
{
    if (d->state != Impl::State::Record)
        d->noRecord();
    d->refreshIfStale();
    d->cancelEdit();
    d->mode = Impl::Mode::Editing;
    d->editRowid = d->rowid;
}

void TableView::setValue(const QString &field, const QString &text)
{
    if (d->mode == Impl::Mode::None)
        throw StoreError(StoreError::Kind::Engine,
                         QStringLiteral("Se escribió el campo %1 sin AddNew ni Edit (%2).").arg(field, d->db.fileName),
                         d->db.fileName);
    const int i = d->fieldOrThrow(field);
    const FieldDef &f = d->def->fields[i];
    const auto stored = toStored(f, text);
    if (!stored) {
        const QString message = QStringLiteral("«%1» no es %2: campo %3 de la tabla %4 (%5). No se guardó nada.")
                                    .arg(text, kindName(f.kind), f.name, d->def->name, d->db.fileName);
        d->badValues[i] = message;
        throw StoreError(StoreError::Kind::BadValue, message, d->db.fileName);
    }
    d->badValues.erase(i);
    d->pending[i] = *stored;
}

void TableView::update()
{
    if (d->mode == Impl::Mode::None)
        throw StoreError(StoreError::Kind::Engine,
                         QStringLiteral("Update sin AddNew ni Edit (%1).").arg(d->db.fileName), d->db.fileName);
    if (!d->badValues.empty())
        throw StoreError(StoreError::Kind::BadValue, d->badValues.begin()->second, d->db.fileName);

    WriteScope scope(d->db);
    qint64 written = 0;
    if (d->mode == Impl::Mode::Adding) {
        QStringList names, marks;
        int n = 0;
        for (const auto &[i, v] : d->pending) {
            names << quoteName(d->def->fields[i].name);
            marks << QStringLiteral("?%1").arg(++n);
        }
        const QString sql = names.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(d->table)
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(d->table, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        Statement q(d->db, sql);
        n = 0;
        for (const auto &[i, v] : d->pending)
            q.bind(++n, v);
        q.step();
        written = sqlite3_last_insert_rowid(d->db.db);
    } else {
        if (!d->pending.empty()) {
            quint64 mask = 0;
            for (const auto &[i, v] : d->pending)
                mask |= quint64(1) << i;
            int id = d->updateIds.value(mask, -1);
            int n = 0;
            if (id < 0) {
                QStringList sets;
                for (const auto &[i, v] : d->pending)
                    sets << QStringLiteral("%1 = ?%2").arg(quoteName(d->def->fields[i].name)).arg(++n);
                id = d->db.statementId(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                                       .arg(d->table, sets.join(QStringLiteral(", ")))
                                       .arg(n + 1));
                d->updateIds.insert(mask, id);
            }
            Statement q(d->db, id);
            n = 0;
            for (const auto &[i, v] : d->pending)
                q.bind(++n, v);
            q.bind(n + 1, d->editRowid);
            q.step();
            if (sqlite3_changes(d->db.db) == 0)
                throw StoreError(StoreError::Kind::NoRecord,
                                 QStringLiteral("Otra estación borró el registro de %1 que se estaba modificando (%2). "
                                                "No se guardó nada.")
                                     .arg(d->def->name, d->db.fileName),
                                 d->db.fileName);
        }
        written = d->editRowid;
    }
    scope.commit();
    ++d->db.localWrites;
    ++g_processWrites;
    // Inside a transaction no other workstation can change the record: the
    // values just written are what is stored, without reading it back.
    if (d->mode == Impl::Mode::Editing && d->state == Impl::State::Record && d->rowid == written && d->db.txDepth > 0) {
        for (const auto &[i, v] : d->pending)
            d->row[size_t(i)] = v;
        d->key = d->index ? d->row[d->keyField()] : QVariant(d->rowid);
        d->stamp(d->db.knownVersion(), monotonicNs(), g_processWrites.load());
        d->cancelEdit();
        return;
    }
    d->cancelEdit();
    Statement q(d->db, d->sql.byRowid);
    q.bind(1, written);
    if (!d->load(q))
        d->state = Impl::State::Deleted;
}

void TableView::cancelUpdate() { d->cancelEdit(); }

bool TableView::editing() const { return d->mode != Impl::Mode::None; }

void TableView::deleteCurrent()
{
    d->cancelEdit();
    if (d->state != Impl::State::Record)
        d->noRecord();
    WriteScope scope(d->db);
    Statement q(d->db, QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(d->table));
    q.bind(1, d->rowid);
    q.step();
    scope.commit();
    ++d->db.localWrites;
    ++g_processWrites;
    d->ahead.clear();
    d->state = Impl::State::Deleted;
}

long long TableView::recordCount() const
{
    Statement q(d->db, QStringLiteral("SELECT count(*) FROM %1").arg(d->table));
    q.step();
    return q.column(0).toLongLong();
}

} // namespace store

#include "record_store.h"

#include "sqlite_engine.h"
#include "store_values.h"

namespace store {

using namespace detail;

// ---------------------------------------------------------------------------
// OrderedList

struct OrderedList::Impl {
    Database::Impl &db;
    const TableDef *def = nullptr;
    QString table;
    QStringList columns;           // quoted
    std::vector<FieldKind> kinds;
    QString orderColumn;           // quoted
    int pageSql = -1, countSql = -1, beforeSql = -1;
    mutable int count = -1;
    static constexpr int kPage = 256;
    mutable QHash<int, std::vector<QString>> pages;  // page number -> cells, row-major

    explicit Impl(Database::Impl &d) : db(d) {}

    const std::vector<QString> &page(int number) const
    {
        auto it = pages.constFind(number);
        if (it != pages.constEnd())
            return it.value();
        std::vector<QString> cells;
        Statement q(db, pageSql);
        q.bind(1, kPage);
        q.bind(2, qlonglong(number) * kPage);
        while (q.step())
            for (int c = 0; c < int(kinds.size()); ++c)
                cells.push_back(toScreen(kinds[size_t(c)], q.column(c)));
        return pages.insert(number, std::move(cells)).value();
    }
};

OrderedList::OrderedList(Database &db, const QString &table, const QStringList &columns, const QString &orderField)
    : d(std::make_unique<Impl>(db.impl()))
{
    const TableDef *def = findTableDef(db, table);
    if (!def || !db.hasTable(table))
        throw StoreError(StoreError::Kind::Schema,
                         QStringLiteral("Falta la tabla «%1» en el archivo «%2».").arg(table, db.fileName()),
                         db.fileName());
    d->def = def;
    d->table = quoteName(def->name);
    for (const QString &c : columns) {
        const FieldDef *f = def->field(c);
        if (!f)
            throw StoreError(StoreError::Kind::Schema,
                             QStringLiteral("La tabla %1 (%2) no tiene el campo «%3».").arg(def->name, db.fileName(), c),
                             db.fileName());
        d->columns << quoteName(f->name);
        d->kinds.push_back(f->kind);
    }
    const FieldDef *order = def->field(orderField);
    if (!order)
        throw StoreError(StoreError::Kind::Schema,
                         QStringLiteral("La tabla %1 (%2) no tiene el campo «%3».").arg(def->name, db.fileName(), orderField),
                         db.fileName());
    d->orderColumn = quoteName(order->name);
    const QString cols = d->columns.join(QStringLiteral(", "));
    d->pageSql = d->db.statementId(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3, rowid LIMIT ?1 OFFSET ?2")
                                       .arg(cols, d->table, d->orderColumn));
    d->countSql = d->db.statementId(QStringLiteral("SELECT count(*) FROM %1").arg(d->table));
    d->beforeSql = d->db.statementId(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 < ?1").arg(d->table, d->orderColumn));
}

OrderedList::~OrderedList() = default;

int OrderedList::rowCount() const
{
    if (d->count < 0) {
        Statement q(d->db, d->countSql);
        q.step();
        d->count = q.column(0).toInt();
    }
    return d->count;
}

int OrderedList::columnCount() const
{
    return int(d->kinds.size());
}

QString OrderedList::value(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    const auto &cells = d->page(row / Impl::kPage);
    const size_t at = size_t(row % Impl::kPage) * d->kinds.size() + size_t(column);
    return at < cells.size() ? cells[at] : QString();
}

int OrderedList::findFirstPrefix(const QString &prefix) const
{
    Statement q(d->db, d->beforeSql);
    q.bind(1, prefix);
    q.step();
    const int row = q.column(0).toInt();
    if (row >= rowCount())
        return -1;
    const int orderIndex = int(d->columns.indexOf(d->orderColumn));
    QString text;
    if (orderIndex >= 0) {
        text = value(row, orderIndex);
    } else {
        Statement one(d->db, QStringLiteral("SELECT %1 FROM %2 ORDER BY %1, rowid LIMIT 1 OFFSET ?1")
                                 .arg(d->orderColumn, d->table));
        one.bind(1, row);
        if (one.step())
            text = one.column(0).toString();
    }
    return text.startsWith(prefix, Qt::CaseInsensitive) ? row : -1;
}

void OrderedList::refresh()
{
    d->count = -1;
    d->pages.clear();
}

} // namespace store

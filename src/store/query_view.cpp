#include "record_store.h"

#include "sqlite_engine.h"
#include "store_values.h"

namespace store {

using namespace detail;

// ---------------------------------------------------------------------------
// QueryView

struct QueryView::Impl {
    Database::Impl &db;
    QString sql;
    QStringList parameters;
    QStringList names;
    std::vector<FieldKind> kinds;
    std::vector<QString> cells; // row-major
    int columnCount = 0;
    int rows = 0;
    int pos = -1;

    Impl(Database::Impl &d, const QString &s) : db(d), sql(s) {}

    void run()
    {
        cells.clear();
        names.clear();
        kinds.clear();
        Statement q(db, sql);
        for (int i = 0; i < parameters.size(); ++i)
            q.bind(i + 1, parameters[i]);
        columnCount = q.columnCount();
        for (int c = 0; c < columnCount; ++c) {
            names << q.columnName(c);
            const QString decl = q.columnDeclType(c).toUpper();
            kinds.push_back(decl == QLatin1String("REAL") ? FieldKind::Number
                            : decl == QLatin1String("DATE") ? FieldKind::Date
                                                            : FieldKind::Text);
        }
        rows = 0;
        while (q.step()) {
            for (int c = 0; c < columnCount; ++c) {
                const QVariant v = q.column(c);
                FieldKind k = kinds[c];
                if (k == FieldKind::Text && (q.columnType(c) == SQLITE_FLOAT || q.columnType(c) == SQLITE_INTEGER))
                    k = FieldKind::Number;
                cells.push_back(toScreen(k, v));
            }
            ++rows;
        }
        pos = rows > 0 ? 0 : -1;
    }
};

QueryView::QueryView(Database &db, const QString &selectText)
    : d(std::make_unique<Impl>(db.impl(), selectText))
{
    d->run();
}

QueryView::QueryView(Database &db, const QString &selectText, const QStringList &parameters)
    : d(std::make_unique<Impl>(db.impl(), selectText))
{
    d->parameters = parameters;
    d->run();
}

QueryView::~QueryView() = default;

void QueryView::requery() { d->run(); }
int QueryView::rowCount() const { return d->rows; }
QStringList QueryView::columns() const { return d->names; }

int QueryView::columnIndex(const QString &name) const
{
    for (int i = 0; i < d->names.size(); ++i)
        if (d->names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void QueryView::moveFirst() { d->pos = d->rows > 0 ? 0 : -1; }
void QueryView::moveLast() { d->pos = d->rows > 0 ? d->rows - 1 : d->rows; }
void QueryView::moveNext() { d->pos = std::min(d->pos + 1, d->rows); }
void QueryView::movePrevious() { d->pos = std::max(d->pos - 1, -1); }
bool QueryView::bof() const { return d->pos < 0 || d->rows == 0; }
bool QueryView::eof() const { return d->pos >= d->rows || d->rows == 0; }
int QueryView::position() const { return d->pos; }
void QueryView::setPosition(int row) { d->pos = std::clamp(row, -1, d->rows); }

QString QueryView::value(const QString &column) const
{
    const int c = columnIndex(column);
    if (c < 0)
        throw StoreError(StoreError::Kind::Schema,
                         QStringLiteral("La consulta no tiene la columna «%1» (%2).").arg(column, d->db.fileName),
                         d->db.fileName);
    if (d->pos < 0 || d->pos >= d->rows)
        throw StoreError(StoreError::Kind::NoRecord,
                         QStringLiteral("No hay fila actual en la consulta (%1).").arg(d->db.fileName), d->db.fileName);
    return value(d->pos, c);
}

QString QueryView::value(int row, int column) const
{
    if (row < 0 || row >= d->rows || column < 0 || column >= d->columnCount)
        return {};
    return d->cells[size_t(row) * size_t(d->columnCount) + size_t(column)];
}

bool QueryView::findNextPrefix(const QString &column, const QString &prefix)
{
    const int c = columnIndex(column);
    if (c < 0)
        throw StoreError(StoreError::Kind::Schema,
                         QStringLiteral("La consulta no tiene la columna «%1» (%2).").arg(column, d->db.fileName),
                         d->db.fileName);
    for (int r = std::max(d->pos + 1, 0); r < d->rows; ++r) {
        if (value(r, c).startsWith(prefix, Qt::CaseInsensitive)) {
            d->pos = r;
            return true;
        }
    }
    d->pos = d->rows;
    return false;
}

bool QueryView::findFirstPrefix(const QString &column, const QString &prefix)
{
    d->pos = -1;
    return findNextPrefix(column, prefix);
}

} // namespace store

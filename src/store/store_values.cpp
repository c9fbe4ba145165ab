#include "store_values.h"

#include "common/formats.h"
#include "sqlite_engine.h"

namespace store::detail {

QString kindName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Number: return QStringLiteral("un número");
    case FieldKind::Date: return QStringLiteral("una fecha (dd/mm/aaaa)");
    default: return QStringLiteral("un texto");
    }
}

// The stored value of a screen text, or nullopt when it is not valid for the
// field's kind.
std::optional<QVariant> toStored(const FieldDef &field, const QString &text)
{
    switch (field.kind) {
    case FieldKind::Text:
        return QVariant(text);
    case FieldKind::Number: {
        if (text.trimmed().isEmpty())
            return QVariant();
        const auto n = fmt::parseNumber(text);
        if (!n)
            return std::nullopt;
        return QVariant(*n);
    }
    case FieldKind::Date: {
        if (text.trimmed().isEmpty())
            return QVariant();
        const auto d = fmt::parseDate(text);
        if (!d)
            return std::nullopt;
        return QVariant(fmt::isoDate(*d));
    }
    }
    return std::nullopt;
}

namespace {

QString numberText(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return {};
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString();
        const auto n = fmt::parseNumber(s);
        return n ? fmt::plainNumber(*n) : s;
    }
    return fmt::plainNumber(v.toDouble());
}

QString dateText(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return {};
    const QString s = v.toString();
    const QDate d = QDate::fromString(s.left(10), Qt::ISODate);
    return d.isValid() ? fmt::formatDate(d) : s;
}

} // namespace

QString toScreen(FieldKind kind, const QVariant &v)
{
    switch (kind) {
    case FieldKind::Number: return numberText(v);
    case FieldKind::Date: return dateText(v);
    default: return v.isNull() ? QString() : v.toString();
    }
}

QString columnDefinition(const FieldDef &f)
{
    QString sql = quoteName(f.name);
    switch (f.kind) {
    case FieldKind::Text:
        sql += QStringLiteral(" TEXT NOT NULL DEFAULT '' COLLATE NOCASE");
        break;
    case FieldKind::Number:
        sql += QStringLiteral(" REAL");
        if (!f.defaultValue.isEmpty())
            sql += QStringLiteral(" DEFAULT ") + QString::number(fmt::parseNumber(f.defaultValue).value_or(0));
        break;
    case FieldKind::Date:
        sql += QStringLiteral(" DATE");
        break;
    }
    return sql;
}



// The layout of a table by name: the file's own first, else any file's.
const TableDef *findTableDef(const Database &db, const QString &table)
{
    if (const FileDef *f = db.definition())
        if (const TableDef *t = f->table(table))
            return t;
    for (const auto &f : catalogue())
        if (const TableDef *t = f.table(table))
            return t;
    return nullptr;
}

} // namespace store::detail

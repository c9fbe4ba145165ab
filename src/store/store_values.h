#pragma once

// Private to the record store: how screen texts become stored values and
// back, and the column definitions derived from the catalogue.

#include "catalogue.h"

#include <QString>
#include <QVariant>
#include <optional>

namespace store {
class Database;
}

namespace store::detail {

// "un número", "una fecha (dd/mm/aaaa)", "un texto": for messages.
QString kindName(FieldKind kind);
// The stored value of a screen text, or nullopt when it is not valid for the
// field's kind (empty numbers and dates are null).
std::optional<QVariant> toStored(const FieldDef &field, const QString &text);
// The screen text of a stored value.
QString toScreen(FieldKind kind, const QVariant &v);
// The SQL definition of a field's column.
QString columnDefinition(const FieldDef &f);
// The layout of a table by name: the file's own first, else any file's.
const TableDef *findTableDef(const Database &db, const QString &table);

} // namespace store::detail

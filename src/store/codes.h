#pragma once

#include <QString>

namespace store {

class TableView;

// The code proposed for a new record of a view's table: the highest code of
// `field` that is a whole number, plus one, written with `pattern` ("0000",
// "00000"); see codes::CodeProposal. Every record is visited (hand-typed
// codes such as "7" sort after "0041" as text, so the last record is not
// always the highest). The view is left standing on its last record.
QString nextCode(TableView &view, const QString &field, const QString &pattern);

} // namespace store

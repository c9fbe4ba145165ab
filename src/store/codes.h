#pragma once

#include <QString>

namespace store {

class TableView;

// The code proposed for a new record: the code of the record an ordered
// view reaches with MoveLast, taken as a whole number, plus one, written
// with `pattern` ("0000", "00000"). When that last code is not a whole
// number, the highest whole-number code of the table plus one; an empty
// table (or one without any whole-number code) gives 1. The view is left
// standing on its last record.
QString nextCode(TableView &orderedView, const QString &field, const QString &pattern);

} // namespace store

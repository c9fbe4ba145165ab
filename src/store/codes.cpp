#include "codes.h"

#include "common/formats.h"
#include "record_store.h"

namespace store {

QString nextCode(TableView &view, const QString &field, const QString &pattern)
{
    view.moveLast();
    long long next = 1;
    if (view.hasRecord()) {
        if (const auto last = fmt::parseWholeNumber(view.value(field))) {
            next = *last + 1;
        } else {
            long long highest = 0;
            for (view.moveFirst(); !view.eof(); view.moveNext())
                if (const auto n = fmt::parseWholeNumber(view.value(field)))
                    highest = std::max(highest, *n);
            next = highest + 1;
            view.moveLast();
        }
    }
    return fmt::formatNumber(double(next), pattern);
}

} // namespace store

#include "codes.h"

#include "common/code_proposal.h"
#include "record_store.h"

namespace store {

QString nextCode(TableView &view, const QString &field, const QString &pattern)
{
    codes::CodeProposal proposal;
    for (view.moveFirst(); !view.eof(); view.moveNext())
        proposal.see(view.value(field));
    view.moveLast();
    return proposal.next(pattern);
}

} // namespace store

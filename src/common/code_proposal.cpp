#include "code_proposal.h"

#include "formats.h"

namespace codes {

void CodeProposal::see(const QString &code)
{
    const QString t = code.trimmed();
    if (t.size() > 9)
        return;
    if (const auto n = fmt::parseWholeNumber(t); n && *n > m_highest)
        m_highest = *n;
}

QString CodeProposal::next(const QString &pattern) const
{
    return fmt::formatNumber(double(m_highest + 1), pattern);
}

} // namespace codes

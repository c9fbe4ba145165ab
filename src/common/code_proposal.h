#pragma once

#include <QString>

namespace codes {

// Collects the codes of a table and proposes the next one: the highest code
// that is a whole number (digits only, at most nine of them) plus one,
// written with `pattern` ("00000", "0000"). Without any such code the
// proposal is 1 ("00001"). Codes that are not whole numbers, and longer
// digit strings (bar codes typed as codes), take no part.
//
// For codes made by the program (fixed width, leading zeros) this is the
// last code in code order plus one.
class CodeProposal {
public:
    void see(const QString &code);
    long long highest() const { return m_highest; }
    QString next(const QString &pattern) const;

private:
    long long m_highest = 0;
};

} // namespace codes

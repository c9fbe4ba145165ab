#pragma once

#include "sales/fiscal_backend.h"

#include <QDebug>
#include <QList>
#include <QString>
#include <QStringList>

namespace sales {

// One command as a FiscalDevice received it.
struct FiscalCall {
    QString name;
    QStringList args;

    friend bool operator==(const FiscalCall &a, const FiscalCall &b)
    {
        return a.name == b.name && a.args == b.args;
    }
    friend bool operator!=(const FiscalCall &a, const FiscalCall &b) { return !(a == b); }
};

// Prints as Name("arg1", "arg2"), so that a failed QCOMPARE on a
// QList<FiscalCall> shows readable calls.
QDebug operator<<(QDebug debug, const FiscalCall &call);

// Fake fiscal printer for tests: records every command in the order received
// and accepts it unless told to refuse it. It never touches files and
// enforces no sequence. Refused commands are recorded too (they were sent),
// and are also listed by refusedCalls().
class FiscalRecorder final : public FiscalDevice {
public:
    bool command(const QString &name, const QStringList &args) override;

    // Refuse the occurrence-th call of command received from now on.
    void refuse(const QString &command, int occurrence = 1);
    RefusalPlan &refusals() { return m_refusals; }

    const QList<FiscalCall> &calls() const { return m_calls; }
    // The command names alone, in order.
    QStringList names() const;
    // The calls that were answered false.
    const QList<FiscalCall> &refusedCalls() const { return m_refused; }

    // Forgets the recorded calls and the pending refusals.
    void clear();

private:
    QList<FiscalCall> m_calls;
    QList<FiscalCall> m_refused;
    RefusalPlan m_refusals;
};

} // namespace sales

#include "sales/fiscal_recorder.h"

namespace sales {

QDebug operator<<(QDebug debug, const FiscalCall &call)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << qUtf8Printable(call.name) << '(';
    for (qsizetype i = 0; i < call.args.size(); ++i) {
        if (i > 0)
            debug << ", ";
        debug << call.args.at(i);
    }
    debug << ')';
    return debug;
}

bool FiscalRecorder::command(const QString &name, const QStringList &args)
{
    const FiscalCall call{name, args};
    m_calls.append(call);
    if (m_refusals.takeCall(name)) {
        m_refused.append(call);
        return false;
    }
    return true;
}

void FiscalRecorder::refuse(const QString &command, int occurrence)
{
    m_refusals.refuse(command, occurrence);
}

QStringList FiscalRecorder::names() const
{
    QStringList result;
    result.reserve(m_calls.size());
    for (const FiscalCall &call : m_calls)
        result.append(call.name);
    return result;
}

void FiscalRecorder::clear()
{
    m_calls.clear();
    m_refused.clear();
    m_refusals.clear();
}

} // namespace sales

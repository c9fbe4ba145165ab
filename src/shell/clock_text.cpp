#include "clock_text.h"

namespace shell {

namespace {
// The long time format with its time-zone fields ('t' runs outside quoted
// text) taken out.
QString formatWithoutZone(const QString &format)
{
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        result.append(c);
    }
    return result.trimmed();
}
} // namespace

QString clockText(const QTime &time, const QLocale &locale)
{
    return locale.toString(time, formatWithoutZone(locale.timeFormat(QLocale::LongFormat)));
}

} // namespace shell

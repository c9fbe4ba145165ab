#include "formats.h"

#include <QRegularExpression>
#include <cmath>

namespace fmt {

namespace {

// Adds one unit in the last place to a string of decimal digits.
// Returns true when the carry runs off the front ("999" -> "000", true).
bool incrementDigits(QString &digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] == QLatin1Char('9')) {
            digits[i] = QLatin1Char('0');
        } else {
            digits[i] = QChar(digits[i].unicode() + 1);
            return false;
        }
    }
    return true;
}

} // namespace

QString roundDecimalText(double value, int decimals)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    // 15 significant digits in plain (not scientific) form.
    QString text = QString::number(value, 'g', 15);
    if (text.contains(QLatin1Char('e')) || text.contains(QLatin1Char('E'))) {
        // Very large or very small: 'f' with enough decimals is exact enough.
        text = QString::number(value, 'f', decimals + 2);
    }
    bool negative = text.startsWith(QLatin1Char('-'));
    if (negative)
        text.remove(0, 1);
    qsizetype dot = text.indexOf(QLatin1Char('.'));
    QString intPart = dot < 0 ? text : text.left(dot);
    QString fracPart = dot < 0 ? QString() : text.mid(dot + 1);

    while (fracPart.size() < decimals + 1)
        fracPart.append(QLatin1Char('0'));
    const bool roundUp = fracPart[decimals] >= QLatin1Char('5');
    fracPart.truncate(decimals);

    QString digits = intPart + fracPart;
    if (roundUp && incrementDigits(digits))
        digits.prepend(QLatin1Char('1'));
    intPart = digits.left(digits.size() - decimals);
    fracPart = digits.right(decimals);
    if (intPart.isEmpty())
        intPart = QStringLiteral("0");

    QString result = intPart;
    if (decimals > 0)
        result += QLatin1Char(',') + fracPart;
    // "-0,00" reads as zero.
    bool allZero = true;
    for (QChar c : std::as_const(digits))
        if (c != QLatin1Char('0')) { allZero = false; break; }
    if (negative && !allZero)
        result.prepend(QLatin1Char('-'));
    return result;
}

QString formatNumber(double value, const QString &pattern)
{
    const qsizetype dot = pattern.indexOf(QLatin1Char('.'));
    const int decimals = dot < 0 ? 0 : int(pattern.size() - dot - 1);
    const QString intPattern = dot < 0 ? pattern : pattern.left(dot);
    const int width = int(intPattern.count(QLatin1Char('0')));

    QString text = roundDecimalText(value, decimals);
    bool negative = text.startsWith(QLatin1Char('-'));
    if (negative)
        text.remove(0, 1);
    qsizetype comma = text.indexOf(QLatin1Char(','));
    QString intPart = comma < 0 ? text : text.left(comma);
    const QString rest = comma < 0 ? QString() : text.mid(comma);
    if (intPart == QLatin1String("0") && width == 0)
        intPart.clear();
    while (intPart.size() < width)
        intPart.prepend(QLatin1Char('0'));
    return (negative ? QStringLiteral("-") : QString()) + intPart + rest;
}

QString plainNumber(double value)
{
    QString text = roundDecimalText(value, 10);
    if (text.contains(QLatin1Char(','))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char(',')))
            text.chop(1);
    }
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

std::optional<double> parseNumber(const QString &text)
{
    static const QRegularExpression re(
        QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)$"));
    const QString t = text.trimmed();
    if (!re.match(t).hasMatch())
        return std::nullopt;
    QString normal = t;
    normal.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = normal.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<double> parseNumberOrZero(const QString &text)
{
    if (text.trimmed().isEmpty())
        return 0.0;
    return parseNumber(text);
}

std::optional<long long> parseWholeNumber(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 18)
        return std::nullopt;
    for (QChar c : t)
        if (!c.isDigit() || c.unicode() > 127)
            return std::nullopt;
    return t.toLongLong();
}

QString formatDate(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

std::optional<QDate> parseDate(const QString &text)
{
    static const QRegularExpression re(
        QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{2}|\\d{4})$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += 2000;
    const QDate d(year, m.captured(2).toInt(), m.captured(1).toInt());
    if (!d.isValid())
        return std::nullopt;
    return d;
}

QString isoDate(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

} // namespace fmt

#include "sales/payment_rules.h"

#include "common/formats.h"

namespace sales {

PaymentAmounts paymentAmounts(const QString &tendered, const QString &total)
{
    const QString pattern = QStringLiteral("#0.00");
    PaymentAmounts out;
    if (tendered.trimmed().isEmpty())
        return out;
    const auto amount = fmt::parseNumber(tendered);
    if (!amount) {
        out.tendered = tendered;
        out.error = QStringLiteral("El importe «%1» no es un número: escríbalo con la coma decimal, por ejemplo 100,00.")
                        .arg(tendered.trimmed());
        return out;
    }
    out.tendered = fmt::formatNumber(*amount, pattern);
    const auto owed = fmt::parseNumberOrZero(total);
    if (!owed) {
        out.error = QStringLiteral("El importe a cobrar «%1» no es un número: revise el total del comprobante.")
                        .arg(total.trimmed());
        return out;
    }
    out.change = fmt::formatNumber(*amount - *owed, pattern);
    return out;
}

} // namespace sales

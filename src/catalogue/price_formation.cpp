#include "price_formation.h"

#include "common/formats.h"

namespace catalogue {

double finalPrice(double cost, double otherPct, double marginPct, double vatPct)
{
    const double c = cost + cost * otherPct / 100.0;
    const double p = c + c * marginPct / 100.0;
    return p + p * vatPct / 100.0;
}

QString finalPriceText(double cost, double otherPct, double marginPct, double vatPct)
{
    return fmt::formatNumber(finalPrice(cost, otherPct, marginPct, vatPct), QStringLiteral("0.00"));
}

} // namespace catalogue

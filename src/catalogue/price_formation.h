#pragma once

#include <QString>

// Price formation: from the cost, the other-costs percentage and one list's
// margin and VAT percentages to that list's final price, VAT included.
// All arithmetic in double precision; only the final text is rounded.
namespace catalogue {

// C = cost + cost * otherPct / 100; P = C + C * marginPct / 100;
// N = P + P * vatPct / 100. Returns N unrounded.
double finalPrice(double cost, double otherPct, double marginPct, double vatPct);

// The same written with the pattern "0.00" (173,03).
QString finalPriceText(double cost, double otherPct, double marginPct, double vatPct);

} // namespace catalogue

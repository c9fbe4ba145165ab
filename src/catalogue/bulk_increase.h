#pragma once

#include <QString>

namespace store {
class Database;
}

namespace catalogue {

// AgregarPorcenaje: raises the cost of every article of one category by a
// percentage and re-forms its four final prices.
//
// Visits every article of `articulos` in code order. An article belongs to
// the category when its CRU is exactly `categoryCode` (same text, letter
// case included: "3" is not "0003"); an empty code matches no article. For
// each such article: COS = c + c * p / 100 written "0.00" (c the stored
// cost, empty counting as 0); NE1..NE4 formed from that stored (rounded)
// cost and the record's own POT, PGk and IVk (empty counting as 0, read
// afresh for every article); FUC = `dateText`.
//
// The whole pass is one transaction: every article of the category changes
// or none does. Returns the number of articles changed.
//
// Throws NumberError (box "Porcentaje") when `percentText` is empty or not a
// number, before anything is read; store::StoreError when the store fails
// (nothing is changed then).
int aumentarCosto(store::Database &articulos, const QString &categoryCode, const QString &percentText,
                  const QString &dateText);

} // namespace catalogue

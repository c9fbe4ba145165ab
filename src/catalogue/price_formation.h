#pragma once

#include <QString>
#include <array>
#include <stdexcept>

// Price formation: from the cost, the other-costs percentage and one list's
// margin and VAT percentages to that list's final price, VAT included.
// All arithmetic in double precision; only the final text is rounded.
// The freight percentage and the group take no part.
namespace catalogue {

// C = cost + cost * otherPct / 100; P = C + C * marginPct / 100;
// N = P + P * vatPct / 100. Returns N unrounded.
double finalPrice(double cost, double otherPct, double marginPct, double vatPct);

// The same written with the pattern "0.00" (173,03): two decimals, half
// away from zero, decimal comma.
QString finalPriceText(double cost, double otherPct, double marginPct, double vatPct);

// A number box holds a text that is not a number. Carries the record field
// the box writes ("COS", "PG1"), the box as the operator knows it, and the
// text found; message() is one sentence for the operator.
class NumberError : public std::runtime_error {
public:
    NumberError(const QString &field, const QString &box, const QString &text);
    QString field() const { return m_field; }
    QString box() const { return m_box; }
    QString text() const { return m_text; }
    QString message() const;

private:
    QString m_field;
    QString m_box;
    QString m_text;
};

// The text of a number box as a number: an empty (or blank) box counts as
// 0; anything else that is not a number throws NumberError(field, box, text).
double readNumberBox(const QString &text, const QString &field, const QString &box);

// How the operator knows the box of a price field: "Costo", "Flete",
// "Otros", "V.A. de la Lista 2", "IVA de la Lista 2", "Neto de la Lista 2".
// Other fields are returned as given.
QString priceBoxName(const QString &field);

// The texts of the boxes price formation reads and writes.
struct PriceList {
    QString margin;   // PGk
    QString vat;      // IVk
    QString net;      // NEk
};
struct PriceTexts {
    QString cost;     // COS
    QString freight;  // PFL (kept, never used in the formula)
    QString other;    // POT
    std::array<PriceList, 4> lists;
};

// A list the shop does not use: no margin, no VAT and no final price (each
// 0 or empty). Its final price stays 0, so that the sales windows find "no
// price on this list" instead of selling at cost.
bool isUnusedList(double marginPct, double vatPct, double finalPrice);

// GenerarPrecios: every empty box among cost, freight, other costs and the
// twelve list boxes becomes "0"; then lists 1 to 4, in that order, get their
// final price written into their net box (an unused list gets "0"). A text that is not a number in
// any box the record stores as a number (the net boxes excepted: they are
// recomputed) throws NumberError for the first such box, in the order
// cost, freight, other costs, then margin and VAT of lists 1 to 4; `texts`
// is then left exactly as it was.
void generarPrecios(PriceTexts &texts);

// CalculoNeto1..4: the final price text of list `list` (1..4) from the
// current texts of cost, other costs, margin and VAT of that list, an empty
// box counting as 0. Throws NumberError for a text that is not a number,
// and std::out_of_range for a list outside 1..4.
QString calculoNeto(const PriceTexts &texts, int list);

} // namespace catalogue

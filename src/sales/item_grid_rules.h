#pragma once

#include <QList>
#include <QString>
#include <optional>

// The rules of the item grid that every sales window shares, without
// widgets: how a typed code is looked up, how a line and the document are
// totalled, which price a list mark takes, and what stops a document from
// being printed.
namespace sales {

inline constexpr int kGridRows = 30;
// From this row index on (the sixteenth row), moving on scrolls one page.
inline constexpr int kFirstScrollingRow = 15;

// ---- Article lookup ---------------------------------------------------------

enum class CodeKind {
    Empty,        // Enter on an empty code ends the entry
    ArticleCode,  // exactly five characters: sought on index "art" only
    BarCode,      // any other length: sought on index "cod" first
};
// Blanks around the code are not part of it.
CodeKind classifyCode(const QString &code);

// ---- Prices -----------------------------------------------------------------

// A stored list price as the price field takes it: empty when the article
// has no price on that list (nothing stored, or zero).
QString listPrice(const QString &stored);

struct ListPrices {
    QString ne1, ne2, ne3, ne4;  // as stored
};

// The price a mark takes on Enter: "1" to "4" the list's price (empty when
// the article has none on that list); nullopt for any other mark ("X",
// empty, anything else), which leaves the price as it is.
std::optional<QString> priceForMark(const QString &mark, const ListPrices &prices);

// What a key typed into the mark field does.
struct MarkKey {
    enum class Action { Insert, OpenBarcodeWindow } action = Action::Insert;
    QString text;  // for Insert: what goes into the field
};
// Letters become upper case, a blank becomes "X", "C" (either case) opens
// the bar-code window and is not entered.
MarkKey markKey(const QString &typed);

// ---- Totals -----------------------------------------------------------------

// Quantity times unit price, "0.00"; nullopt when either is not a number
// (an empty field is not a number here).
std::optional<QString> lineTotal(const QString &quantity, const QString &unitPrice);

// The price without VAT of the hidden column: the price divided by
// (1 + rate / 100), rounded to two decimals, written as plain number text
// (10,5 rather than 10,50). Empty when price or rate is not a number.
QString netPriceText(const QString &unitPrice, const QString &vatRate);

// Sumar: the sum of the line totals, "0.00". An empty line total counts as
// 0; one that is not a number is left out of the sum (such a row stops the
// printing, see checkRow).
QString sumLineTotals(const QList<QString> &lineTotals);

// ---- Rows -------------------------------------------------------------------

struct GridRow {
    QString code;         // Text10
    QString description;  // Text11
    QString mark;         // Text3
    QString quantity;     // Text12
    QString unitPrice;    // Text13
    QString total;        // Text14
    QString vatRate;      // Text30 (invoice windows)
    QString netPrice;     // Text31 (invoice windows)

    // A row makes a document line when its code is not empty.
    bool isFilled() const { return !code.trimmed().isEmpty(); }
};

// Which field of a row a problem is about.
enum class RowField { Code, Quantity, UnitPrice, Total };

struct RowProblem {
    int row = -1;  // 0-based
    RowField field = RowField::Code;
    QString message;  // Spanish, names the row as the operator sees it (1-based)
};

// What makes a row unfit to be printed and stored: a quantity or price that
// is not a number, a line total that is missing or does not match quantity
// times price (changed without Enter on the price), or a line total on a
// row without code (it would count in the total but be no line).
std::optional<RowProblem> checkRow(int row, const GridRow &r);

// The first problem of a whole grid: an empty grid is one ("no articles").
std::optional<RowProblem> checkRows(const QList<GridRow> &rows);

} // namespace sales

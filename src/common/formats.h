#pragma once

#include <QDate>
#include <QString>
#include <optional>

// The shop's number and date texts: decimal comma, no thousands separator,
// dates dd/mm/yyyy. Every window formats and parses through here.
namespace fmt {

// Rounds half away from zero on the value as a person reads it in decimal:
// the double is first written with 15 significant digits (which removes the
// noise of binary floating point), then rounded on that decimal text.
// 1.125 -> 1.13, 2.675 -> 2.68, -2.5 -> -3 (0 decimals).
QString roundDecimalText(double value, int decimals);

// Formats with one of the patterns the program uses:
//  "0.00", "#0.00"            two decimals, decimal comma (173,03)
//  "0", "0000", "00000", "000000", "0000000", "00000000"
//                             whole number, zero-padded to the pattern width
// Any other pattern made of '0' and '#' with at most one '.' works the same
// way: the digits after '.' fix the decimals, the '0's before it the width.
QString formatNumber(double value, const QString &pattern);

// The plain text of a number as the record store and the screen show it:
// no trailing zeros, decimal comma (10.5 -> "10,5", 173.03 -> "173,03",
// 3 -> "3").
QString plainNumber(double value);

// Reads a number typed on the screen. Accepts an optional sign, digits, and
// one decimal separator ("," or "."); blanks around are ignored. Anything
// else (letters, two separators, thousands separators, empty) gives nullopt.
std::optional<double> parseNumber(const QString &text);

// Like parseNumber, but an empty (or blank) text counts as 0.
std::optional<double> parseNumberOrZero(const QString &text);

// A whole number taken from a text (leading zeros allowed): "00041" -> 41.
// nullopt for empty or non-digit text.
std::optional<long long> parseWholeNumber(const QString &text);

// dd/mm/yyyy
QString formatDate(const QDate &date);

// Reads d/m/yyyy (also with '-' or '.' between the parts; a two-digit year
// is taken as 20yy). Invalid dates (31/02/2026) give nullopt.
std::optional<QDate> parseDate(const QString &text);

// Storage form of a date: yyyy-mm-dd, which compares and sorts as a date.
QString isoDate(const QDate &date);

} // namespace fmt

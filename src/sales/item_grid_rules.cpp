#include "sales/item_grid_rules.h"

#include "common/formats.h"

namespace sales {

namespace {

const QString kTwoDecimals = QStringLiteral("0.00");

RowProblem problem(int row, RowField field, const QString &text)
{
    return {row, field, text.arg(row + 1)};
}

} // namespace

CodeKind classifyCode(const QString &code)
{
    const QString c = code.trimmed();
    if (c.isEmpty())
        return CodeKind::Empty;
    return c.size() == 5 ? CodeKind::ArticleCode : CodeKind::BarCode;
}

QString listPrice(const QString &stored)
{
    const auto n = fmt::parseNumber(stored);
    if (!n || *n == 0.0)
        return {};
    return stored.trimmed();
}

std::optional<QString> priceForMark(const QString &mark, const ListPrices &prices)
{
    const QString m = mark.trimmed();
    if (m == QLatin1String("1"))
        return listPrice(prices.ne1);
    if (m == QLatin1String("2"))
        return listPrice(prices.ne2);
    if (m == QLatin1String("3"))
        return listPrice(prices.ne3);
    if (m == QLatin1String("4"))
        return listPrice(prices.ne4);
    return std::nullopt;
}

MarkKey markKey(const QString &typed)
{
    if (typed.compare(QLatin1String("c"), Qt::CaseInsensitive) == 0)
        return {MarkKey::Action::OpenBarcodeWindow, {}};
    if (typed == QLatin1String(" "))
        return {MarkKey::Action::Insert, QStringLiteral("X")};
    return {MarkKey::Action::Insert, typed.toUpper()};
}

std::optional<QString> lineTotal(const QString &quantity, const QString &unitPrice)
{
    const auto q = fmt::parseNumber(quantity);
    const auto p = fmt::parseNumber(unitPrice);
    if (!q || !p)
        return std::nullopt;
    return fmt::formatNumber(*q * *p, kTwoDecimals);
}

QString netPriceText(const QString &unitPrice, const QString &vatRate)
{
    const auto p = fmt::parseNumber(unitPrice);
    const auto v = fmt::parseNumber(vatRate);
    if (!p || !v || *v <= -100)
        return {};
    const QString rounded = fmt::formatNumber(*p / (1 + *v / 100), kTwoDecimals);
    return fmt::plainNumber(fmt::parseNumber(rounded).value_or(0));
}

QString sumLineTotals(const QList<QString> &lineTotals)
{
    // Added on the two-decimal texts, so that thirty lines add up exactly.
    long long cents = 0;
    for (const QString &t : lineTotals) {
        if (const auto n = fmt::parseNumberOrZero(t))
            cents += fmt::formatNumber(*n, kTwoDecimals).remove(QLatin1Char(',')).toLongLong();
    }
    return fmt::formatNumber(double(cents) / 100.0, kTwoDecimals);
}

std::optional<RowProblem> checkRow(int row, const GridRow &r)
{
    if (!r.isFilled()) {
        if (!r.total.trimmed().isEmpty())
            return problem(row, RowField::Code,
                           QStringLiteral("El renglón %1 tiene total pero no tiene artículo: "
                                          "escriba el código o presione Enter en el código vacío para borrarlo."));
        return std::nullopt;
    }
    if (!fmt::parseNumber(r.quantity))
        return problem(row, RowField::Quantity,
                       QStringLiteral("La cantidad del renglón %1 no es un número: corríjala y presione Enter."));
    if (!fmt::parseNumber(r.unitPrice))
        return problem(row, RowField::UnitPrice,
                       QStringLiteral("El precio del renglón %1 no es un número: corríjalo y presione Enter."));
    const auto expected = lineTotal(r.quantity, r.unitPrice);
    const auto shown = fmt::parseNumber(r.total);
    if (!shown || fmt::formatNumber(*shown, kTwoDecimals) != *expected)
        return problem(row, RowField::UnitPrice,
                       QStringLiteral("El total del renglón %1 no corresponde a la cantidad por el precio: "
                                      "presione Enter en el precio para calcularlo."));
    return std::nullopt;
}

std::optional<RowProblem> checkRows(const QList<GridRow> &rows)
{
    bool any = false;
    for (int i = 0; i < rows.size(); ++i) {
        if (auto p = checkRow(i, rows[i]))
            return p;
        any = any || rows[i].isFilled();
    }
    if (!any)
        return RowProblem{0, RowField::Code, QStringLiteral("No hay artículos cargados: no se imprime nada.")};
    return std::nullopt;
}

} // namespace sales

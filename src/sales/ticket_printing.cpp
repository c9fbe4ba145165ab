#include "sales/ticket_printing.h"

#include "common/formats.h"
#include "sales/fiscal_printer.h"

namespace sales {

QString fiscalDescription(const QString &description)
{
    QString d = description;
    d.replace(QChar(0x00D1), QChar(0x00A5));  // Ñ -> ¥
    return d;
}

QString fiscalQuantity(double quantity)
{
    return fmt::formatNumber(quantity * 1000, QStringLiteral("00000000"));
}

QString fiscalPrice(double unitPrice)
{
    return fmt::formatNumber(unitPrice * 100, QStringLiteral("0000000"));
}

QString fiscalVatRate(double percent)
{
    return fmt::formatNumber(percent * 100, QStringLiteral("0000"));
}

QString subtotalText(const QString &number)
{
    return QStringLiteral("SUB TOTAL(NumInt:") + number + QLatin1Char(')');
}

ConsumerTicketBuild buildConsumerTicket(const Document &document, const QString &amountTendered,
                                        const VatLookup &vatOf)
{
    ConsumerTicket t;
    t.number = document.number;
    t.amountTendered = amountTendered;
    for (const DocumentLine &line : document.lines) {
        const auto quantity = fmt::parseNumber(line.quantity);
        const auto price = fmt::parseNumber(line.unitPrice);
        if (!quantity || !price)
            return {std::nullopt,
                    QStringLiteral("El artículo %1 tiene una cantidad o un precio que no es un número.").arg(line.code)};
        const auto vat = vatOf(line.code);
        if (!vat)
            return {std::nullopt,
                    QStringLiteral("Articulo %1 no encontrado en la Base de Datos: no se puede leer su IVA. "
                                   "Quite ese renglón o cámbielo por otro artículo.")
                        .arg(line.code)};
        t.items.append({line.code, fiscalDescription(line.description), fiscalQuantity(*quantity),
                        fiscalPrice(*price), fiscalVatRate(*vat)});
    }
    return {t, {}};
}

PrintOutcome printConsumerTicket(PrinterFiscal &printer, const ConsumerTicket &ticket)
{
    PrintOutcome out;
    auto step = [&out](const char *name, bool accepted) {
        if (!accepted && out.refused.isEmpty())
            out.refused = QString::fromLatin1(name);
        return accepted;
    };

    bool flag = step("AbrirTicket", printer.AbrirTicket(QStringLiteral("G")));
    if (flag)
        flag = step("OpcionTicket", printer.OpcionTicket(1));
    for (const FiscalItem &item : ticket.items) {
        if (flag)
            flag = step("LineaCodigo", printer.LineaCodigo(item.code));
        if (flag)
            flag = step("ItemTicket",
                        printer.ItemTicket(item.description, item.quantity, item.unitPrice, item.vatRate,
                                           QStringLiteral("M"), QStringLiteral("0"), QStringLiteral("0")));
    }
    if (flag)
        flag = step("SubtotalTicket", printer.SubtotalTicket(QStringLiteral("P"), subtotalText(ticket.number)));
    if (flag)
        flag = step("PagoTicket",
                    printer.PagoTicket(QStringLiteral("Pago con: "), ticket.amountTendered, QStringLiteral("T")));
    if (flag)
        flag = step("CerrarTicket", printer.CerrarTicket());
    out.completed = flag;
    return out;
}

} // namespace sales

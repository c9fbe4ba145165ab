#include "invoice_printing.h"

#include "common/formats.h"
#include "sales/fiscal_printer.h"

namespace sales {

namespace {

QString fixed(const QString &text, int width)
{
    return text.left(width).leftJustified(width, QLatin1Char(' '));
}

QString blanks(int width)
{
    return QString(width, QLatin1Char(' '));
}

} // namespace

QString SacarGuiones(const QString &text)
{
    static const QString removed = QStringLiteral("\" .:<>{}[]^+,;_-/*?¿!$%&/¨Ññ()='áéíóúÁÉÍÓÚ¡");
    QString clean;
    clean.reserve(text.size());
    for (QChar c : text)
        if (!removed.contains(c))
            clean.append(c);
    return clean;
}

std::optional<InvoiceVersion> invoiceVersion(const QString &vatText, InvoiceKind kind)
{
    const bool credit = kind == InvoiceKind::NotaCredito;
    const QString prefix = credit ? QStringLiteral("NotaCredito") : QStringLiteral("TicketFactura");
    if (vatText == QLatin1String("RESP. INSCRIPTO"))
        return InvoiceVersion{prefix + QStringLiteral("A"), QStringLiteral("A"), QStringLiteral("I"),
                              QStringLiteral("CUIT"), InvoiceLayout::A};
    if (vatText == QLatin1String("MONOTRIBUTO"))
        return InvoiceVersion{prefix + QStringLiteral("B"), QStringLiteral("B"), QStringLiteral("M"),
                              QStringLiteral("CUIT"), InvoiceLayout::B};
    if (vatText == QLatin1String("EXCENTO"))
        return InvoiceVersion{prefix + QStringLiteral("B_Exento"), QStringLiteral("B"), QStringLiteral("E"),
                              QStringLiteral("CUIT"), InvoiceLayout::B};
    if (vatText == QLatin1String("CONS. FINAL") && !credit)
        return InvoiceVersion{prefix + QStringLiteral("B_DNI"), QStringLiteral("B"), QStringLiteral("F"),
                              QStringLiteral("DNI "), InvoiceLayout::B_DNI};
    return std::nullopt;
}

QStringList abrirFacturaArguments(InvoiceKind kind, const InvoiceVersion &version, const InvoiceCustomer &customer)
{
    const QString name = customer.name.isEmpty() ? blanks(30) : fixed(customer.name, 30);
    const QString identity = customer.identity.isEmpty() ? blanks(11) : fixed(SacarGuiones(customer.identity), 11);
    const QString address = customer.address.isEmpty() ? blanks(30) : fixed(customer.address, 30);
    const QString locality = customer.city.isEmpty() || customer.province.isEmpty()
        ? blanks(30)
        : fixed(customer.city + QStringLiteral(" - ") + customer.province, 30);
    const bool a = version.layout == InvoiceLayout::A;
    const QChar del(127);
    return {
        kind == InvoiceKind::NotaCredito ? QStringLiteral("M") : QStringLiteral("T"),
        QStringLiteral("C"),
        version.letter,
        QStringLiteral("1"),
        QStringLiteral("P"),
        QStringLiteral("12"),
        QStringLiteral("I"),
        version.vatLetter,
        name,
        version.layout == InvoiceLayout::B ? QString() : blanks(30),
        version.identityKind,
        identity,
        QStringLiteral("N"),
        address,
        a ? locality : QString(),
        QString(),
        a ? QString(del) + QStringLiteral("REM 1") : locality,
        a ? QString(del) + QStringLiteral("REM 2") : QString(),
        QStringLiteral("G"),
    };
}

FiscalItem invoiceItem(const InvoiceRow &row, InvoiceLayout layout)
{
    const double price = layout == InvoiceLayout::A ? row.priceWithoutVat : row.priceWithVat;
    return {row.code, fiscalDescription(row.description), fiscalQuantity(row.quantity), fiscalPrice(price),
            fiscalVatRate(row.vatRate)};
}

PrintOutcome printInvoice(PrinterFiscal &printer, const Invoice &invoice)
{
    PrintOutcome outcome;
    auto step = [&outcome](bool accepted, const char *operation) {
        if (!accepted && outcome.refused.isEmpty())
            outcome.refused = QString::fromLatin1(operation);
        return accepted;
    };
    const QStringList a = abrirFacturaArguments(invoice.kind, invoice.version, invoice.customer);
    bool flag = step(printer.AbrirFactura(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11],
                                          a[12], a[13], a[14], a[15], a[16], a[17], a[18]),
                     "AbrirFactura");
    if (flag)
        flag = step(printer.OpcionTicket(1), "OpcionTicket");
    for (const InvoiceRow &row : invoice.rows) {
        const FiscalItem item = invoiceItem(row, invoice.version.layout);
        if (flag)
            flag = step(printer.LineaCodigo(item.code), "LineaCodigo");
        if (flag)
            flag = step(printer.ItemFactura(item.description, item.quantity, item.unitPrice, item.vatRate,
                                            QStringLiteral("M"), QStringLiteral("0"), QStringLiteral("0"), QString(),
                                            QString(), QString(), QStringLiteral("0000"),
                                            QStringLiteral("00000000000000000")),
                        "ItemFactura");
    }
    if (flag)
        flag = step(printer.SubtotalFactura(QStringLiteral("P"), subtotalText(invoice.number)), "SubtotalFactura");
    if (flag && step(printer.PagoFactura(QStringLiteral("Pago con: "), invoice.amountTendered, QStringLiteral("T")),
                     "PagoFactura")) {
        step(printer.CerrarFactura(QStringLiteral("T"), QStringLiteral("A"), QString()), "CerrarFactura");
        outcome.completed = outcome.refused.isEmpty();
    }
    return outcome;
}

CustomerBlock customerBlockAfterLookup(const CustomerBlock &shown, const CustomerBlock &stored)
{
    auto take = [](const QString &storedValue, const QString &shownValue) {
        return storedValue.trimmed().isEmpty() ? shownValue : storedValue;
    };
    return {take(stored.name, shown.name), take(stored.vat, shown.vat), take(stored.cuit, shown.cuit)};
}

InvoiceBuild buildInvoice(InvoiceKind kind, const InvoiceVersion &version, const InvoiceCustomer &customer,
                          const QList<GridRow> &rows, const QString &amountTendered, const VatLookup &vatOf)
{
    Invoice invoice;
    invoice.kind = kind;
    invoice.version = version;
    invoice.customer = customer;
    invoice.amountTendered = amountTendered;
    for (const GridRow &g : rows) {
        if (!g.isFilled())
            continue;
        const QString code = g.code.trimmed();
        const auto quantity = fmt::parseNumber(g.quantity);
        const auto price = fmt::parseNumber(g.unitPrice);
        if (!quantity || !price)
            return {std::nullopt,
                    QStringLiteral("El artículo %1 tiene una cantidad o un precio que no es un número.").arg(code)};
        std::optional<double> rate;
        if (!g.vatRate.trimmed().isEmpty()) {
            rate = fmt::parseNumber(g.vatRate);
            if (!rate)
                return {std::nullopt, QStringLiteral("El IVA del artículo %1 no es un número.").arg(code)};
        } else {
            rate = vatOf(code);
            if (!rate)
                return {std::nullopt,
                        QStringLiteral("Articulo %1 no encontrado en la Base de Datos: no se puede leer su IVA. "
                                       "Quite ese renglón o cámbielo por otro artículo.")
                            .arg(code)};
        }
        std::optional<double> net = fmt::parseNumber(g.netPrice);
        if (!net)
            net = fmt::parseNumber(netPriceText(g.unitPrice, fmt::plainNumber(*rate)));
        if (!net)
            return {std::nullopt, QStringLiteral("El IVA del artículo %1 no es un número.").arg(code)};
        invoice.rows.append({code, g.description, *quantity, *price, *net, *rate});
    }
    return {invoice, {}};
}

PrintOutcome printTestInvoice(PrinterFiscal &printer)
{
    Invoice test;
    test.kind = InvoiceKind::TicketFactura;
    test.version = *invoiceVersion(QStringLiteral("RESP. INSCRIPTO"), InvoiceKind::TicketFactura);
    test.customer = {QStringLiteral("CLIENTE DE PRUEBA S.A."), QStringLiteral("30-12345678-9"),
                     QStringLiteral("CALLE FALSA 123"), QStringLiteral("CIUDAD"), QStringLiteral("PROVINCIA")};
    test.number = QStringLiteral("000000");
    test.rows = {{QStringLiteral("00000"), QStringLiteral("ARTICULO DE PRUEBA"), 1, 1.21, 1, 21}};
    test.amountTendered = QStringLiteral("1,21");
    return printInvoice(printer, test);
}

} // namespace sales

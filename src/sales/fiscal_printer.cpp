#include "sales/fiscal_printer.h"

#include "sales/fiscal_backend.h"

#include <QStringList>

namespace sales {

namespace {

bool send(const QString &name, const QStringList &args = {})
{
    return fiscalDevice().command(name, args);
}

} // namespace

bool PrinterFiscal::CierreDiario(const QString &kind)
{
    return send(QStringLiteral("CierreDiario"), {kind});
}

bool PrinterFiscal::CierreDiario(const QString &kind, const QString &option)
{
    return send(QStringLiteral("CierreDiario"), {kind, option});
}

bool PrinterFiscal::AbrirTicket(const QString &kind)
{
    return send(QStringLiteral("AbrirTicket"), {kind});
}

bool PrinterFiscal::OpcionTicket(qint16 option)
{
    return send(QStringLiteral("OpcionTicket"), {QString::number(option)});
}

bool PrinterFiscal::LineaCodigo(const QString &code)
{
    return send(QStringLiteral("LineaCodigo"), {code});
}

bool PrinterFiscal::ItemTicket(const QString &description, const QString &quantity,
                               const QString &unitPrice, const QString &vatRate,
                               const QString &qualifier, const QString &field6,
                               const QString &field7)
{
    return send(QStringLiteral("ItemTicket"),
                {description, quantity, unitPrice, vatRate, qualifier, field6, field7});
}

bool PrinterFiscal::SubtotalTicket(const QString &mode, const QString &text)
{
    return send(QStringLiteral("SubtotalTicket"), {mode, text});
}

bool PrinterFiscal::PagoTicket(const QString &label, const QString &amount, const QString &kind)
{
    return send(QStringLiteral("PagoTicket"), {label, amount, kind});
}

bool PrinterFiscal::CerrarTicket()
{
    return send(QStringLiteral("CerrarTicket"));
}

bool PrinterFiscal::AbrirFactura(const QString &documentType, const QString &format,
                                 const QString &letter, const QString &copies,
                                 const QString &printMode, const QString &fontSize,
                                 const QString &issuerVat, const QString &customerVat,
                                 const QString &name, const QString &name2,
                                 const QString &identityKind, const QString &identityNumber,
                                 const QString &field13, const QString &address1,
                                 const QString &address2, const QString &address3,
                                 const QString &reference1, const QString &reference2,
                                 const QString &field19)
{
    return send(QStringLiteral("AbrirFactura"),
                {documentType, format, letter, copies, printMode, fontSize, issuerVat,
                 customerVat, name, name2, identityKind, identityNumber, field13, address1,
                 address2, address3, reference1, reference2, field19});
}

bool PrinterFiscal::ItemFactura(const QString &description, const QString &quantity,
                                const QString &unitPrice, const QString &vatRate,
                                const QString &qualifier, const QString &field6,
                                const QString &field7, const QString &extra1,
                                const QString &extra2, const QString &extra3,
                                const QString &field11, const QString &field12)
{
    return send(QStringLiteral("ItemFactura"),
                {description, quantity, unitPrice, vatRate, qualifier, field6, field7, extra1,
                 extra2, extra3, field11, field12});
}

bool PrinterFiscal::SubtotalFactura(const QString &mode, const QString &text)
{
    return send(QStringLiteral("SubtotalFactura"), {mode, text});
}

bool PrinterFiscal::PagoFactura(const QString &label, const QString &amount, const QString &kind)
{
    return send(QStringLiteral("PagoFactura"), {label, amount, kind});
}

bool PrinterFiscal::CerrarFactura(const QString &field1, const QString &field2,
                                  const QString &field3)
{
    return send(QStringLiteral("CerrarFactura"), {field1, field2, field3});
}

void PrinterFiscal::AbrirNoFiscal()
{
    send(QStringLiteral("AbrirNoFiscal"));
}

void PrinterFiscal::LineaNoFiscal(const QString &line)
{
    send(QStringLiteral("LineaNoFiscal"), {line});
}

void PrinterFiscal::CerrarNoFiscal()
{
    send(QStringLiteral("CerrarNoFiscal"));
}

} // namespace sales

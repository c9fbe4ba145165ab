#pragma once

#include <QString>
#include <QtGlobal>

// The fiscal printer control that the main window, the sales windows and the
// delivery-note window each hold. Every PrinterFiscal sends its operations to
// the one device of the till, sales::fiscalDevice() (see fiscal_backend.h for
// how it is chosen), so any number of them may exist at once; they keep no
// state of their own and are cheap to copy.
//
// Each operation passes its arguments to the device as texts, in the order
// given and unchanged: callers build the fixed formats themselves
// (quantity x1000 as "00000000", unit price x100 as "0000000", VAT rate x100
// as "0000") and replace "Ñ" by "¥" in descriptions before calling.
//
// Results: true when the printer accepted the command. The non-fiscal
// operations report nothing to the caller, as the delivery note expects; the
// device still sees and checks them.
namespace sales {

class PrinterFiscal {
public:
    // Daily close: CierreDiario("Z") sends one argument, CierreDiario("X",
    // "P") two; the device sees exactly the arguments given.
    bool CierreDiario(const QString &kind);
    bool CierreDiario(const QString &kind, const QString &option);

    // ---- Ticket to a final consumer ----
    bool AbrirTicket(const QString &kind);
    // The one numeric argument: sent to the device as its decimal text.
    bool OpcionTicket(qint16 option);
    bool LineaCodigo(const QString &code);
    bool ItemTicket(const QString &description, const QString &quantity,
                    const QString &unitPrice, const QString &vatRate, const QString &qualifier,
                    const QString &field6, const QString &field7);
    bool SubtotalTicket(const QString &mode, const QString &text);
    bool PagoTicket(const QString &label, const QString &amount, const QString &kind);
    bool CerrarTicket();

    // ---- Ticket-invoice and credit note ----
    // documentType "T" (ticket-invoice) or "M" (credit note); letter "A" or
    // "B"; customerVat the customer's VAT letter; the other fixed values are
    // passed as the callers give them.
    bool AbrirFactura(const QString &documentType, const QString &format, const QString &letter,
                      const QString &copies, const QString &printMode, const QString &fontSize,
                      const QString &issuerVat, const QString &customerVat,
                      const QString &name, const QString &name2, const QString &identityKind,
                      const QString &identityNumber, const QString &field13,
                      const QString &address1, const QString &address2,
                      const QString &address3, const QString &reference1,
                      const QString &reference2, const QString &field19);
    bool ItemFactura(const QString &description, const QString &quantity,
                     const QString &unitPrice, const QString &vatRate, const QString &qualifier,
                     const QString &field6, const QString &field7, const QString &extra1,
                     const QString &extra2, const QString &extra3, const QString &field11,
                     const QString &field12);
    bool SubtotalFactura(const QString &mode, const QString &text);
    bool PagoFactura(const QString &label, const QString &amount, const QString &kind);
    bool CerrarFactura(const QString &field1, const QString &field2, const QString &field3);

    // ---- Non-fiscal document (delivery note) ----
    void AbrirNoFiscal();
    void LineaNoFiscal(const QString &line);
    void CerrarNoFiscal();
};

} // namespace sales

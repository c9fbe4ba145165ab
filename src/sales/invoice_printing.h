#pragma once

#include "sales/item_grid_rules.h"
#include "sales/ticket_printing.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Ticket-invoices (A and B) and credit notes (A and B) as the fiscal printer
// receives them: the version chosen by the customer's VAT category, the 19
// opening arguments and the item lines.
namespace sales {

// SacarGuiones: the text without any of the characters
// " .:<>{}[]^+,;_-/*?¿!$%&/¨Ññ()='áéíóúÁÉÍÓÚ¡" and the double quote (blank
// included). A CUIT typed with dashes keeps only its digits.
QString SacarGuiones(const QString &text);

enum class InvoiceKind {
    TicketFactura,  // document type "T" (TicketA)
    NotaCredito,    // document type "M" (TicketN)
};

enum class InvoiceLayout { A, B, B_DNI };

struct InvoiceVersion {
    QString routine;       // "TicketFacturaA", "NotaCreditoB_Exento" ...
    QString letter;        // "A" or "B"
    QString vatLetter;     // the customer's VAT letter: "I", "M", "E", "F"
    QString identityKind;  // "CUIT" or "DNI " (with its blank)
    InvoiceLayout layout = InvoiceLayout::A;
};

// The version for the exact text of the VAT field, or nullopt when that
// text prints nothing ("RESP. NO INSCR.", anything typed by hand, and
// "CONS. FINAL" on a credit note).
std::optional<InvoiceVersion> invoiceVersion(const QString &vatText, InvoiceKind kind);

// What the opening prints of the customer.
struct InvoiceCustomer {
    QString name;      // the window's name field (Text4)
    QString identity;  // the window's CUIT field (Text5), as typed
    QString address;   // DOMICILIO of the customer looked up by code
    QString city;      // CIUDAD
    QString province;  // PROVINCIA
};

// The 19 arguments of AbrirFactura, in order. Name, address and locality
// are 30 characters, the identity number 11 (padded with blanks on the
// right, cut at the width; blanks when empty).
QStringList abrirFacturaArguments(InvoiceKind kind, const InvoiceVersion &version, const InvoiceCustomer &customer);

// One row of the grid as the invoice needs it.
struct InvoiceRow {
    QString code;
    QString description;
    double quantity = 0;
    double priceWithVat = 0;     // the row's unit price
    double priceWithoutVat = 0;  // the hidden column
    double vatRate = 0;          // the hidden column, in percent
};

struct Invoice {
    InvoiceKind kind = InvoiceKind::TicketFactura;
    InvoiceVersion version;
    InvoiceCustomer customer;
    QString number;
    QList<InvoiceRow> rows;
    QString amountTendered;  // exactly as the payment window shows it
};

// The item line of a row: class A sends the price without VAT, class B the
// price with VAT.
FiscalItem invoiceItem(const InvoiceRow &row, InvoiceLayout layout);

// Sends the document with one success flag: AbrirFactura, OpcionTicket(1),
// per row LineaCodigo and ItemFactura(description, quantity, price, VAT,
// "M", "0", "0", "", "", "", "0000", "00000000000000000"), SubtotalFactura
// ("P", "SUB TOTAL(NumInt:<number>)"), PagoFactura("Pago con: ", amount,
// "T") and, when that was accepted, CerrarFactura("T", "A", "").
PrintOutcome printInvoice(PrinterFiscal &printer, const Invoice &invoice);

// ---- From the window to the printer -----------------------------------------

// The customer block of the invoice windows as CargaDesdeBaseDatos fills
// it: name (Text4, RAZON_SOC), VAT category (Combo1, TIPO_IVA) and tax
// number (Text5, CUIT).
struct CustomerBlock {
    QString name;
    QString vat;
    QString cuit;
};

// CargaDesdeBaseDatos: each value of the stored customer replaces the shown
// one when it is not empty (only blanks count as empty); an empty stored
// value leaves the shown one as it was.
CustomerBlock customerBlockAfterLookup(const CustomerBlock &shown, const CustomerBlock &stored);

struct InvoiceBuild {
    std::optional<Invoice> invoice;
    QString error;  // Spanish, for the operator, when there is no invoice
};

// The invoice of a grid, its number still to be given: one row per filled
// grid row, in order. A row's VAT rate is its hidden rate (Text30) and its
// price without VAT the hidden price (Text31); a row without them (a copy
// loaded from the file) takes the article's rate from vatOf and the price
// without VAT computed from its price as the grid computes it. Fails when a
// quantity, price or rate is not a number or an article's rate cannot be
// read.
InvoiceBuild buildInvoice(InvoiceKind kind, const InvoiceVersion &version, const InvoiceCustomer &customer,
                          const QList<GridRow> &rows, const QString &amountTendered, const VatLookup &vatOf);

// The fixed test ticket-invoice of the small button: made-up customer and
// article, nothing read from the window, nothing stored.
PrintOutcome printTestInvoice(PrinterFiscal &printer);

} // namespace sales

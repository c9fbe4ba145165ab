#pragma once

#include "sales/documents.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// The fiscal ticket to a final consumer as the printer receives it: the
// argument formats and the order of the operations.
namespace sales {

class PrinterFiscal;

// ---- Argument formats -------------------------------------------------------

// The description with every capital "Ñ" replaced by "¥" (the printer's
// character set); "ñ" is sent unchanged.
QString fiscalDescription(const QString &description);
// Quantity times 1000, "00000000" (1 -> 00001000).
QString fiscalQuantity(double quantity);
// Unit price times 100, "0000000" (12,50 -> 0001250).
QString fiscalPrice(double unitPrice);
// VAT percent times 100, "0000" (21 -> 2100, 10,5 -> 1050).
QString fiscalVatRate(double percent);
// "SUB TOTAL(NumInt:000123)"
QString subtotalText(const QString &number);

// ---- The consumer-final ticket ----------------------------------------------

// One item line, its arguments already in the printer's formats.
struct FiscalItem {
    QString code;         // LineaCodigo
    QString description;  // ItemTicket, in order
    QString quantity;
    QString unitPrice;
    QString vatRate;
};

struct ConsumerTicket {
    QString number;          // the stored number, carried by the subtotal text
    QList<FiscalItem> items;
    QString amountTendered;  // exactly as the payment window shows it
};

// The VAT percent of an article by its code (its IV1), or nullopt when the
// article is not in the articles table.
using VatLookup = std::function<std::optional<double>(const QString &code)>;

// Builds the ticket of a document: one item per line, in order. Fails with
// a Spanish message (and no ticket) when a quantity or price is not a
// number or an article's VAT rate cannot be read.
struct ConsumerTicketBuild {
    std::optional<ConsumerTicket> ticket;
    QString error;
};
ConsumerTicketBuild buildConsumerTicket(const Document &document, const QString &amountTendered,
                                        const VatLookup &vatOf);

struct PrintOutcome {
    bool completed = false;  // every operation accepted, the ticket closed
    QString refused;         // the operation the printer refused, if any
};

// TicketConsumidorFinal: AbrirTicket("G"), OpcionTicket(1), then per item
// LineaCodigo(code) and ItemTicket(description, quantity, price, VAT, "M",
// "0", "0"), SubtotalTicket("P", subtotal text), PagoTicket("Pago con: ",
// amount, "T"), CerrarTicket(). One success flag: it starts as the result of
// the opening, each later operation runs only while it is true and replaces
// it with its own result, so the first refusal ends the document.
PrintOutcome printConsumerTicket(PrinterFiscal &printer, const ConsumerTicket &ticket);

} // namespace sales

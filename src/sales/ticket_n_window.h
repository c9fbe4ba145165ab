#pragma once

#include "sales/invoice_window.h"

namespace sales {

// The window "TicketN" ("Nota Credito"): a fiscal credit note to an
// identified customer, class A for "RESP. INSCRIPTO", class B for
// "MONOTRIBUTO" and "EXCENTO"; "CONS. FINAL" and any other VAT category get
// no credit note. The document type sent is "M" where the ticket-invoice
// sends "T"; the stored copy is like a ticket-invoice's. Payment window
// "PagoN", customer picker ConsListaClienteN, article picker
// ConsListaArticuloN. Everything else is InvoiceWindow.
class TicketN : public InvoiceWindow {
    Q_OBJECT
public:
    // Opens its database files of the current folder (throws
    // store::StoreError when it cannot) and shows an empty window dated
    // today, "Contado" chosen.
    explicit TicketN(QWidget *parent = nullptr);
    ~TicketN() override;
};

} // namespace sales

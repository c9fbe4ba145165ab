#pragma once

#include "sales/invoice_window.h"

namespace sales {

// The window "TicketA" ("Ticket Factura"): a ticket-invoice to an identified
// customer, class A for "RESP. INSCRIPTO", class B for "MONOTRIBUTO",
// "EXCENTO" and "CONS. FINAL" (the last with the identity kind "DNI ");
// any other VAT category prints nothing. Payment window "PagoA", customer
// picker ConsListaClienteA, article picker ConsListaArticuloA. Everything
// else is InvoiceWindow.
class TicketA : public InvoiceWindow {
    Q_OBJECT
public:
    // Opens its database files of the current folder (throws
    // store::StoreError when it cannot) and shows an empty window dated
    // today, "Contado" chosen.
    explicit TicketA(QWidget *parent = nullptr);
    ~TicketA() override;
};

} // namespace sales

#pragma once

#include "sales/sales_window.h"
#include "sales/ticket_printing.h"

namespace sales {

// The window "Ticket": a sale over the counter to a final consumer. The
// operator takes a number (Enter in the empty "Nº Int:"), enters the
// articles on the item grid, presses "&Imprimir" and types the amount
// tendered in the payment window "Pago"; the window then stores the ticket
// in "Tickets.mdb" for the customer "0001" "CONSUMIDOR FINAL", prints it on
// the fiscal printer with the number stored, and clears itself. A stored
// ticket is shown again by typing its number.
//
// Controls: those of SalesWindow; the grid has no hidden VAT columns and
// opens ConsListaArticuloT.
class Ticket : public SalesWindow {
    Q_OBJECT
public:
    // Opens "Tickets.mdb" and "Articulos.mdb" of the current database folder
    // (throws store::StoreError when it cannot) and shows an empty ticket
    // dated today.
    explicit Ticket(QWidget *parent = nullptr);
    ~Ticket() override;

    // Sends a ticket to the fiscal printer.
    PrintOutcome TicketConsumidorFinal(const ConsumerTicket &ticket);

protected:
    // The consumer-final ticket, each article's VAT rate read from the
    // articles table.
    PrintJob preparePrint(const Document &document) override;
    void writeCustomer(Document &document) const override;
};

} // namespace sales

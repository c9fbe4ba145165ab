#include "sales/ticket_a_window.h"

namespace sales {

namespace {

InvoiceWindowKind kindA()
{
    InvoiceWindowKind k;
    k.objectName = QStringLiteral("TicketA");
    k.windowTitle = QStringLiteral("Ticket Factura");
    k.titleLabel = QStringLiteral("TICKET FACTURA");
    k.paymentWindow = QStringLiteral("PagoA");
    k.customerPicker = QStringLiteral("ConsListaClienteA");
    k.articlePicker = catalogue::ArticlePickerKind::TicketA;
    k.kind = InvoiceKind::TicketFactura;
    k.documentName = QStringLiteral("ticket factura");
    return k;
}

} // namespace

TicketA::TicketA(QWidget *parent) : InvoiceWindow(kindA(), parent) {}

TicketA::~TicketA() = default;

} // namespace sales

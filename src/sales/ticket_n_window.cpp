#include "sales/ticket_n_window.h"

namespace sales {

namespace {

InvoiceWindowKind kindN()
{
    InvoiceWindowKind k;
    k.objectName = QStringLiteral("TicketN");
    k.windowTitle = QStringLiteral("Nota Credito");
    k.titleLabel = QStringLiteral("NOTA CREDITO");
    k.paymentWindow = QStringLiteral("PagoN");
    k.customerPicker = QStringLiteral("ConsListaClienteN");
    k.articlePicker = catalogue::ArticlePickerKind::TicketN;
    k.kind = InvoiceKind::NotaCredito;
    k.documentName = QStringLiteral("nota de crédito");
    return k;
}

} // namespace

TicketN::TicketN(QWidget *parent) : InvoiceWindow(kindN(), parent) {}

TicketN::~TicketN() = default;

} // namespace sales

#include "sales/ticket_window.h"

namespace sales {

namespace {

SalesWindowDesign ticketDesign()
{
    SalesWindowDesign d;
    d.objectName = QStringLiteral("Ticket");
    d.windowTitle = QStringLiteral("Ticket");
    d.titleLabel = QStringLiteral("TICKET CONSUMIDOR FINAL");
    d.paymentWindow = QStringLiteral("Pago");
    d.noun = QStringLiteral("ticket");
    d.heightTwips = 5310;
    d.gridTopTwips = 720;
    d.gridOptions.pickerKind = catalogue::ArticlePickerKind::Ticket;
    return d;
}

} // namespace

Ticket::Ticket(QWidget *parent) : SalesWindow(ticketDesign(), parent) {}

Ticket::~Ticket() = default;

SalesWindow::PrintJob Ticket::preparePrint(const Document &document)
{
    const ConsumerTicketBuild build =
        buildConsumerTicket(document, EnvioPago(), [this](const QString &code) { return articleVat(code); });
    if (!build.ticket)
        return {build.error, {}, {}};
    const ConsumerTicket ticket = *build.ticket;
    return {{},
            [this, ticket](const QString &number) {
                ConsumerTicket numbered = ticket;
                numbered.number = number;
                return TicketConsumidorFinal(numbered);
            },
            {}};
}

PrintOutcome Ticket::TicketConsumidorFinal(const ConsumerTicket &ticket)
{
    return printConsumerTicket(printer(), ticket);
}

void Ticket::writeCustomer(Document &document) const
{
    document.customerCode = QStringLiteral("0001");
    document.customerName = QStringLiteral("CONSUMIDOR FINAL");
    document.vatCategory = QStringLiteral("C.F.");
    document.cuit = QStringLiteral("0");
}

} // namespace sales

#include "sales/fiscal_backend.h"
#include "sales/fiscal_printer.h"
#include "sales/fiscal_recorder.h"
#include "sales/invoice_printing.h"

#include <QtTest>

using namespace sales;

namespace {

InvoiceCustomer customer()
{
    return {QStringLiteral("CONSTRUCTORA RIVADAVIA S.A."), QStringLiteral("30-70654321-9"),
            QStringLiteral("AV. RIVADAVIA 12450"), QStringLiteral("RAMOS MEJIA"), QStringLiteral("BUENOS AIRES")};
}

QString blanks(int n)
{
    return QString(n, QLatin1Char(' '));
}

} // namespace

class TestInvoicePrinting : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void versions_data();
    void versions();
    void fixedWidthFields();
    void classAandBUnitPrices();
    void creditNoteDiffersOnlyInDocumentType();
    void sacarGuiones_data();
    void sacarGuiones();
    void sequenceStopsAtTheFirstRefusal_data();
    void sequenceStopsAtTheFirstRefusal();
    void invoiceFromTheGrid_data();
    void invoiceFromTheGrid();

private:
    std::shared_ptr<FiscalRecorder> m_recorder;
    std::shared_ptr<FiscalDevice> m_previous;
};

void TestInvoicePrinting::init()
{
    m_recorder = std::make_shared<FiscalRecorder>();
    m_previous = setFiscalDevice(m_recorder);
}

void TestInvoicePrinting::cleanup()
{
    setFiscalDevice(m_previous);
}

void TestInvoicePrinting::versions_data()
{
    QTest::addColumn<QString>("vat");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("routine");  // empty: prints nothing
    QTest::addColumn<QString>("letter");
    QTest::addColumn<QString>("vatLetter");
    QTest::addColumn<QString>("identityKind");
    QTest::addColumn<QString>("p10");
    QTest::addColumn<QString>("p15");
    QTest::addColumn<QString>("p17");
    QTest::addColumn<QString>("p18");
    const QString locality = QStringLiteral("RAMOS MEJIA - BUENOS AIRES").leftJustified(30);
    const QString rem1 = QChar(127) + QStringLiteral("REM 1");
    const QString rem2 = QChar(127) + QStringLiteral("REM 2");
    const int t = int(InvoiceKind::TicketFactura), m = int(InvoiceKind::NotaCredito);
    QTest::newRow("A") << "RESP. INSCRIPTO" << t << "TicketFacturaA" << "A" << "I" << "CUIT" << blanks(30) << locality << rem1 << rem2;
    QTest::newRow("B") << "MONOTRIBUTO" << t << "TicketFacturaB" << "B" << "M" << "CUIT" << "" << "" << locality << "";
    QTest::newRow("B exento") << "EXCENTO" << t << "TicketFacturaB_Exento" << "B" << "E" << "CUIT" << "" << "" << locality << "";
    QTest::newRow("B DNI") << "CONS. FINAL" << t << "TicketFacturaB_DNI" << "B" << "F" << "DNI " << blanks(30) << "" << locality << "";
    QTest::newRow("no inscripto") << "RESP. NO INSCR." << t << "" << "" << "" << "" << "" << "" << "" << "";
    QTest::newRow("typed by hand") << "RESP. INSCRIPTO " << t << "" << "" << "" << "" << "" << "" << "" << "";
    QTest::newRow("credit A") << "RESP. INSCRIPTO" << m << "NotaCreditoA" << "A" << "I" << "CUIT" << blanks(30) << locality << rem1 << rem2;
    QTest::newRow("credit B") << "MONOTRIBUTO" << m << "NotaCreditoB" << "B" << "M" << "CUIT" << "" << "" << locality << "";
    QTest::newRow("credit B exento") << "EXCENTO" << m << "NotaCreditoB_Exento" << "B" << "E" << "CUIT" << "" << "" << locality << "";
    QTest::newRow("no credit note to a final consumer") << "CONS. FINAL" << m << "" << "" << "" << "" << "" << "" << "" << "";
}

void TestInvoicePrinting::versions()
{
    QFETCH(QString, vat);
    QFETCH(int, kind);
    QFETCH(QString, routine);
    const auto version = invoiceVersion(vat, InvoiceKind(kind));
    QCOMPARE(version.has_value(), !routine.isEmpty());
    if (!version)
        return;
    QFETCH(QString, letter);
    QFETCH(QString, vatLetter);
    QFETCH(QString, identityKind);
    QCOMPARE(version->routine, routine);
    QCOMPARE(version->letter, letter);
    QCOMPARE(version->vatLetter, vatLetter);
    QCOMPARE(version->identityKind, identityKind);

    const QStringList args = abrirFacturaArguments(InvoiceKind(kind), *version, customer());
    QCOMPARE(args.size(), 19);
    QCOMPARE(args[0], kind == int(InvoiceKind::NotaCredito) ? QStringLiteral("M") : QStringLiteral("T"));
    QCOMPARE(args[2], letter);
    QCOMPARE(args[7], vatLetter);
    QCOMPARE(args[10], identityKind);
    QFETCH(QString, p10);
    QFETCH(QString, p15);
    QFETCH(QString, p17);
    QFETCH(QString, p18);
    QCOMPARE(args[9], p10);
    QCOMPARE(args[14], p15);
    QCOMPARE(args[16], p17);
    QCOMPARE(args[17], p18);
    // The same in every version.
    QCOMPARE(args[1], QStringLiteral("C"));
    QCOMPARE(args[3], QStringLiteral("1"));
    QCOMPARE(args[4], QStringLiteral("P"));
    QCOMPARE(args[5], QStringLiteral("12"));
    QCOMPARE(args[6], QStringLiteral("I"));
    QCOMPARE(args[12], QStringLiteral("N"));
    QCOMPARE(args[15], QString());
    QCOMPARE(args[18], QStringLiteral("G"));
}

void TestInvoicePrinting::fixedWidthFields()
{
    const auto a = *invoiceVersion(QStringLiteral("RESP. INSCRIPTO"), InvoiceKind::TicketFactura);
    InvoiceCustomer c = customer();
    c.name = QStringLiteral("UN NOMBRE MUY LARGO QUE NO ENTRA EN TREINTA");
    QStringList args = abrirFacturaArguments(InvoiceKind::TicketFactura, a, c);
    QCOMPARE(args[8], QStringLiteral("UN NOMBRE MUY LARGO QUE NO ENT"));
    QCOMPARE(args[11], QStringLiteral("30706543219"));
    QCOMPARE(args[13], QStringLiteral("AV. RIVADAVIA 12450").leftJustified(30));

    // Empty values become blanks; a locality needs both city and province.
    c = {};
    c.city = QStringLiteral("MORON");
    args = abrirFacturaArguments(InvoiceKind::TicketFactura, a, c);
    QCOMPARE(args[8], blanks(30));
    QCOMPARE(args[11], blanks(11));
    QCOMPARE(args[13], blanks(30));
    QCOMPARE(args[14], blanks(30));
}

void TestInvoicePrinting::classAandBUnitPrices()
{
    const InvoiceRow row{QStringLiteral("00001"), QStringLiteral("CAÑO PVC"), 1, 121, 100, 21};
    const FiscalItem a = invoiceItem(row, InvoiceLayout::A);
    QCOMPARE(a.unitPrice, QStringLiteral("0010000"));
    QCOMPARE(a.vatRate, QStringLiteral("2100"));
    QCOMPARE(a.quantity, QStringLiteral("00001000"));
    QCOMPARE(a.description, QStringLiteral("CA¥O PVC"));
    QCOMPARE(invoiceItem(row, InvoiceLayout::B).unitPrice, QStringLiteral("0012100"));
    QCOMPARE(invoiceItem(row, InvoiceLayout::B_DNI).unitPrice, QStringLiteral("0012100"));
}

void TestInvoicePrinting::creditNoteDiffersOnlyInDocumentType()
{
    Invoice invoice;
    invoice.version = *invoiceVersion(QStringLiteral("RESP. INSCRIPTO"), InvoiceKind::TicketFactura);
    invoice.customer = customer();
    invoice.number = QStringLiteral("000123");
    invoice.rows = {{QStringLiteral("00001"), QStringLiteral("MARTILLO"), 1, 121, 100, 21}};
    invoice.amountTendered = QStringLiteral("121,00");
    PrinterFiscal printer;
    QVERIFY(printInvoice(printer, invoice).completed);
    const auto invoiceCalls = m_recorder->calls();
    m_recorder->clear();
    invoice.kind = InvoiceKind::NotaCredito;
    invoice.version = *invoiceVersion(QStringLiteral("RESP. INSCRIPTO"), InvoiceKind::NotaCredito);
    QVERIFY(printInvoice(printer, invoice).completed);
    auto creditCalls = m_recorder->calls();
    QCOMPARE(creditCalls.size(), invoiceCalls.size());
    QCOMPARE(creditCalls[0].args[0], QStringLiteral("M"));
    QCOMPARE(invoiceCalls[0].args[0], QStringLiteral("T"));
    creditCalls[0].args[0] = QStringLiteral("T");
    QCOMPARE(creditCalls, invoiceCalls);
    QCOMPARE(m_recorder->names(),
             (QStringList{"AbrirFactura", "OpcionTicket", "LineaCodigo", "ItemFactura", "SubtotalFactura", "PagoFactura",
                          "CerrarFactura"}));
    QCOMPARE(invoiceCalls[3].args,
             (QStringList{"MARTILLO", "00001000", "0010000", "2100", "M", "0", "0", "", "", "", "0000",
                          "00000000000000000"}));
    QCOMPARE(invoiceCalls[4].args, (QStringList{"P", "SUB TOTAL(NumInt:000123)"}));
    QCOMPARE(invoiceCalls[5].args, (QStringList{"Pago con: ", "121,00", "T"}));
    QCOMPARE(invoiceCalls[6].args, (QStringList{"T", "A", ""}));
}

void TestInvoicePrinting::sacarGuiones_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("clean");
    QTest::newRow("CUIT with dashes") << "30-70654321-9" << "30706543219";
    QTest::newRow("DNI with dots") << "18.456.789" << "18456789";
    QTest::newRow("blanks and slashes") << " 20 / 17345678 / 4 " << "20173456784";
    QTest::newRow("accents and eñes") << "ÑANDÚ ñú" << "AND";
    QTest::newRow("quotes") << "\"12'3\"" << "123";
}

void TestInvoicePrinting::sacarGuiones()
{
    QFETCH(QString, text);
    QFETCH(QString, clean);
    QCOMPARE(SacarGuiones(text), clean);
}

void TestInvoicePrinting::sequenceStopsAtTheFirstRefusal_data()
{
    QTest::addColumn<QString>("refused");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<QStringList>("sent");
    QTest::newRow("open") << "AbrirFactura" << 1 << QStringList{"AbrirFactura"};
    QTest::newRow("second item") << "ItemFactura" << 2
                                 << QStringList{"AbrirFactura", "OpcionTicket", "LineaCodigo", "ItemFactura", "LineaCodigo",
                                                "ItemFactura"};
    QTest::newRow("payment") << "PagoFactura" << 1
                             << QStringList{"AbrirFactura", "OpcionTicket", "LineaCodigo", "ItemFactura", "LineaCodigo",
                                            "ItemFactura", "SubtotalFactura", "PagoFactura"};
}

void TestInvoicePrinting::sequenceStopsAtTheFirstRefusal()
{
    QFETCH(QString, refused);
    QFETCH(int, occurrence);
    QFETCH(QStringList, sent);
    m_recorder->refuse(refused, occurrence);
    Invoice invoice;
    invoice.version = *invoiceVersion(QStringLiteral("MONOTRIBUTO"), InvoiceKind::TicketFactura);
    invoice.customer = customer();
    invoice.number = QStringLiteral("000007");
    invoice.rows = {{QStringLiteral("00001"), QStringLiteral("A"), 1, 10, 8.26, 21},
                    {QStringLiteral("00002"), QStringLiteral("B"), 2, 5, 4.13, 21}};
    PrinterFiscal printer;
    const PrintOutcome outcome = printInvoice(printer, invoice);
    QVERIFY(!outcome.completed);
    QCOMPARE(outcome.refused, refused);
    QCOMPARE(m_recorder->names(), sent);
}

// The invoice of a grid: rows in order, empty rows left out; the hidden
// VAT columns as they stand, or, on a copy loaded from the file that has
// none, the article's rate and the price without VAT computed from it.
void TestInvoicePrinting::invoiceFromTheGrid_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("vatRate");   // Text30
    QTest::addColumn<QString>("netPrice");  // Text31
    QTest::addColumn<QString>("article");   // the article's rate in the articles table; empty: not there
    QTest::addColumn<QString>("item");      // "quantity price rate" as sent on class A, or the error's start
    QTest::newRow("hidden columns") << "2" << "21" << "100" << "27" << "00002000 0010000 2100";
    QTest::newRow("copy loaded from the file") << "1" << "" << "" << "10,5" << "00001000 0010950 1050";
    QTest::newRow("rate kept, price without VAT missing") << "1" << "21" << "" << "" << "00001000 0010000 2100";
    QTest::newRow("article gone") << "1" << "" << "" << "" << "Articulo 00009 no encontrado";
    QTest::newRow("quantity not a number") << "dos" << "21" << "100" << "21" << "El artículo 00009 tiene una cantidad";
    QTest::newRow("rate not a number") << "1" << "x" << "100" << "21" << "El IVA del artículo 00009";
}

void TestInvoicePrinting::invoiceFromTheGrid()
{
    QFETCH(QString, quantity);
    QFETCH(QString, vatRate);
    QFETCH(QString, netPrice);
    QFETCH(QString, article);
    QFETCH(QString, item);
    GridRow empty;
    GridRow row;
    row.code = QStringLiteral("00009 ");
    row.description = QStringLiteral("MARTILLO");
    row.quantity = quantity;
    row.unitPrice = QStringLiteral("121");
    row.vatRate = vatRate;
    row.netPrice = netPrice;
    const GridRow other{QStringLiteral("00001"), QStringLiteral("TORNILLO"), {},
                        QStringLiteral("1"),     QStringLiteral("12,1"),     QStringLiteral("12,10"),
                        QStringLiteral("21"),    QStringLiteral("10")};
    QStringList asked;
    const VatLookup vatOf = [&](const QString &code) -> std::optional<double> {
        asked << code;
        if (article.isEmpty())
            return std::nullopt;
        return article == QLatin1String("10,5") ? 10.5 : article.toDouble();
    };
    const auto version = *invoiceVersion(QStringLiteral("RESP. INSCRIPTO"), InvoiceKind::NotaCredito);
    const InvoiceBuild build = buildInvoice(InvoiceKind::NotaCredito, version, customer(), {empty, row, empty, other},
                                            QStringLiteral("150,00"), vatOf);
    if (!item.at(0).isDigit()) {
        QVERIFY(!build.invoice);
        QVERIFY2(build.error.startsWith(item), qPrintable(build.error));
        return;
    }
    QVERIFY2(build.invoice, qPrintable(build.error));
    const Invoice &invoice = *build.invoice;
    QCOMPARE(invoice.kind, InvoiceKind::NotaCredito);
    QCOMPARE(invoice.amountTendered, QStringLiteral("150,00"));
    QCOMPARE(invoice.rows.size(), 2);
    QCOMPARE(invoice.rows[0].code, QStringLiteral("00009"));
    QCOMPARE(invoice.rows[1].code, QStringLiteral("00001"));
    const FiscalItem sent = invoiceItem(invoice.rows[0], InvoiceLayout::A);
    QCOMPARE(QStringList({sent.quantity, sent.unitPrice, sent.vatRate}).join(QLatin1Char(' ')), item);
    QCOMPARE(invoiceItem(invoice.rows[0], InvoiceLayout::B).unitPrice, QStringLiteral("0012100"));
    // The article's rate is read only for a row without its hidden rate.
    QCOMPARE(asked, vatRate.isEmpty() ? QStringList{QStringLiteral("00009")} : QStringList{});
}

QTEST_GUILESS_MAIN(TestInvoicePrinting)
#include "tst_invoice_printing.moc"

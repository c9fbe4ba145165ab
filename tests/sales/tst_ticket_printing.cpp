#include "sales/fiscal_backend.h"
#include "sales/fiscal_printer.h"
#include "sales/fiscal_recorder.h"
#include "sales/ticket_printing.h"

#include <QtTest>

using sales::FiscalCall;

namespace {

sales::Document threeRows()
{
    sales::Document d;
    d.number = QStringLiteral("000123");
    d.lines = {
        {QStringLiteral("00001"), QStringLiteral("TORNILLO 3/8"), QStringLiteral("1"), QStringLiteral("12,50"),
         QStringLiteral("12,50"), {}},
        {QStringLiteral("00002"), QStringLiteral("CAÑO ñandú"), QStringLiteral("2,5"), QStringLiteral("100"),
         QStringLiteral("250,00"), {}},
        {QStringLiteral("00003"), QStringLiteral("PINTURA"), QStringLiteral("3"), QStringLiteral("10"),
         QStringLiteral("30,00"), {}},
    };
    return d;
}

std::optional<double> vat(const QString &code)
{
    if (code == QLatin1String("00002"))
        return 10.5;
    if (code == QLatin1String("00009"))
        return std::nullopt;
    return 21.0;
}

FiscalCall call(const char *name, const QStringList &args = {}) { return {QString::fromLatin1(name), args}; }

} // namespace

class TstTicketPrinting : public QObject {
    Q_OBJECT

    std::shared_ptr<sales::FiscalRecorder> m_recorder;
    std::shared_ptr<sales::FiscalDevice> m_previous;

private slots:
    void init()
    {
        m_recorder = std::make_shared<sales::FiscalRecorder>();
        m_previous = sales::setFiscalDevice(m_recorder);
    }
    void cleanup() { sales::setFiscalDevice(m_previous); }

    void argumentFormats_data()
    {
        QTest::addColumn<QString>("got");
        QTest::addColumn<QString>("expected");
        QTest::newRow("quantity 1") << sales::fiscalQuantity(1) << "00001000";
        QTest::newRow("quantity 2,5") << sales::fiscalQuantity(2.5) << "00002500";
        QTest::newRow("quantity 0,333") << sales::fiscalQuantity(0.333) << "00000333";
        QTest::newRow("price 12,50") << sales::fiscalPrice(12.5) << "0001250";
        QTest::newRow("price 0,07") << sales::fiscalPrice(0.07) << "0000007";
        QTest::newRow("vat 21") << sales::fiscalVatRate(21) << "2100";
        QTest::newRow("vat 10,5") << sales::fiscalVatRate(10.5) << "1050";
        QTest::newRow("capital Ñ only") << sales::fiscalDescription(QStringLiteral("CAÑO ñandú"))
                                        << QStringLiteral("CA¥O ñandú");
        QTest::newRow("subtotal") << sales::subtotalText(QStringLiteral("000123")) << "SUB TOTAL(NumInt:000123)";
    }
    void argumentFormats()
    {
        QFETCH(QString, got);
        QFETCH(QString, expected);
        QCOMPARE(got, expected);
    }

    void threeRowsPrintTheWholeSequence()
    {
        const auto build = sales::buildConsumerTicket(threeRows(), QStringLiteral("300,00"), vat);
        QVERIFY(build.ticket);
        sales::PrinterFiscal printer;
        const auto out = sales::printConsumerTicket(printer, *build.ticket);
        QVERIFY(out.completed);
        const QList<FiscalCall> expected{
            call("AbrirTicket", {"G"}),
            call("OpcionTicket", {"1"}),
            call("LineaCodigo", {"00001"}),
            call("ItemTicket", {"TORNILLO 3/8", "00001000", "0001250", "2100", "M", "0", "0"}),
            call("LineaCodigo", {"00002"}),
            call("ItemTicket", {QStringLiteral("CA¥O ñandú"), "00002500", "0010000", "1050", "M", "0", "0"}),
            call("LineaCodigo", {"00003"}),
            call("ItemTicket", {"PINTURA", "00003000", "0001000", "2100", "M", "0", "0"}),
            call("SubtotalTicket", {"P", "SUB TOTAL(NumInt:000123)"}),
            call("PagoTicket", {"Pago con: ", "300,00", "T"}),
            call("CerrarTicket"),
        };
        QCOMPARE(m_recorder->calls(), expected);
    }

    // The first refusal ends the document: nothing after it is sent.
    void refusalEndsTheDocument_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("occurrence");
        QTest::addColumn<QStringList>("sent");
        const QStringList all{"AbrirTicket",  "OpcionTicket",   "LineaCodigo", "ItemTicket",
                              "LineaCodigo",  "ItemTicket",     "LineaCodigo", "ItemTicket",
                              "SubtotalTicket", "PagoTicket", "CerrarTicket"};
        QTest::newRow("open") << "AbrirTicket" << 1 << all.mid(0, 1);
        QTest::newRow("option") << "OpcionTicket" << 1 << all.mid(0, 2);
        QTest::newRow("second item") << "ItemTicket" << 2 << all.mid(0, 6);
        QTest::newRow("third code line") << "LineaCodigo" << 3 << all.mid(0, 7);
        QTest::newRow("subtotal") << "SubtotalTicket" << 1 << all.mid(0, 9);
        QTest::newRow("payment") << "PagoTicket" << 1 << all.mid(0, 10);
        QTest::newRow("close") << "CerrarTicket" << 1 << all;
    }
    void refusalEndsTheDocument()
    {
        QFETCH(QString, command);
        QFETCH(int, occurrence);
        QFETCH(QStringList, sent);
        m_recorder->refuse(command, occurrence);
        const auto build = sales::buildConsumerTicket(threeRows(), QStringLiteral("300,00"), vat);
        sales::PrinterFiscal printer;
        const auto out = sales::printConsumerTicket(printer, *build.ticket);
        QVERIFY(!out.completed);
        QCOMPARE(out.refused, command);
        QCOMPARE(m_recorder->names(), sent);
    }

    void articleWithoutVatRateIsNotPrinted()
    {
        sales::Document d = threeRows();
        d.lines[1].code = QStringLiteral("00009");
        const auto build = sales::buildConsumerTicket(d, QStringLiteral("300,00"), vat);
        QVERIFY(!build.ticket);
        QVERIFY(build.error.contains(QLatin1String("00009")));
        QVERIFY(m_recorder->calls().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstTicketPrinting)
#include "tst_ticket_printing.moc"

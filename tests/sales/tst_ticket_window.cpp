#include "sales/documents.h"
#include "sales/item_grid.h"
#include "sales/ticket_window.h"
#include "sales_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using sales::FiscalCall;

namespace {

using salestest::call;
using salestest::focusName;


} // namespace

class TstTicketWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<salestest::SalesFixture> m_fixture;
    std::unique_ptr<sales::Ticket> m_ticket;

    void open()
    {
        m_ticket = std::make_unique<sales::Ticket>();
        m_ticket->show();
        QVERIFY(QTest::qWaitForWindowActive(m_ticket.get()));
    }

    QLineEdit *field(const QString &name) const { return m_ticket->findChild<QLineEdit *>(name); }
    QLineEdit *cell(const char *array, int row) const
    {
        return field(QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(row));
    }
    QPushButton *button(const char *name) const { return m_ticket->findChild<QPushButton *>(QLatin1String(name)); }


    // Enter in the empty number field: a new number.
    void takeNumber() { salestest::typeAndEnter(field(QStringLiteral("Text2")), QString()); }

    // The sale of three rows: 00001 by code, CAÑO PVC 40 by bar code, three
    // of 00003; Enter on the empty fourth code ends the entry.
    void enterThreeRows()
    {
        salestest::typeAndEnter(cell("Text10", 0), QStringLiteral("00001"));
        salestest::typeAndEnter(cell("Text10", 1), QStringLiteral("7790000000024"));
        salestest::typeAndEnter(cell("Text10", 2), QStringLiteral("00003"));
        salestest::typeAndEnter(cell("Text12", 2), QStringLiteral("3"));
        QTest::keyClick(cell("Text13", 2), Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("Ticket.Text10_3"));
        QTest::keyClick(cell("Text10", 3), Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("Ticket.Command1"));
        QCOMPARE(field(QStringLiteral("Text6"))->text(), QStringLiteral("142,50"));
    }

    // "&Imprimir", the amount tendered and Enter on the change.
    void pay(const QString &amount)
    {
        QTest::keyClick(button("Command1"), Qt::Key_Return);
        sales::Pago *pago = m_ticket->pago();
        QVERIFY(pago);
        QCOMPARE(pago->objectName(), QStringLiteral("Pago"));
        QTRY_VERIFY(pago->isActiveWindow());
        QCOMPARE(pago->findChild<QLineEdit *>(QStringLiteral("Text1"))->text(),
                 field(QStringLiteral("Text6"))->text());
        QTest::keyClick(pago->findChild<QLineEdit *>(QStringLiteral("Text1")), Qt::Key_Return);
        auto *tendered = pago->findChild<QLineEdit *>(QStringLiteral("Text2"));
        QTest::keyClicks(tendered, amount);
        QTest::keyClick(tendered, Qt::Key_Return);
        QTest::keyClick(pago->findChild<QLineEdit *>(QStringLiteral("Text3")), Qt::Key_Return);
    }

    const QList<FiscalCall> threeRowCalls(const QString &number, const QString &amount) const
    {
        return {
            call("AbrirTicket", {"G"}),
            call("OpcionTicket", {"1"}),
            call("LineaCodigo", {"00001"}),
            call("ItemTicket", {"TORNILLO 3/8", "00001000", "0001250", "2100", "M", "0", "0"}),
            call("LineaCodigo", {"00002"}),
            call("ItemTicket", {QStringLiteral("CA¥O PVC 40"), "00001000", "0010000", "1050", "M", "0", "0"}),
            call("LineaCodigo", {"00003"}),
            call("ItemTicket", {"PINTURA LATEX 4L", "00003000", "0001000", "2100", "M", "0", "0"}),
            call("SubtotalTicket", {"P", QStringLiteral("SUB TOTAL(NumInt:%1)").arg(number)}),
            call("PagoTicket", {"Pago con: ", amount, "T"}),
            call("CerrarTicket"),
        };
    }

    bool windowIsEmpty() const
    {
        return field(QStringLiteral("Text2"))->text().isEmpty() && field(QStringLiteral("Text6"))->text().isEmpty()
            && !m_ticket->grid()->hasFilledRows();
    }

private slots:
    void init() { m_fixture = std::make_unique<salestest::SalesFixture>(); }
    void cleanup()
    {
        m_ticket.reset();
        m_fixture.reset();
    }

    void opensEmptyAndDatedToday()
    {
        open();
        QCOMPARE(m_ticket->objectName(), QStringLiteral("Ticket"));
        QCOMPARE(m_ticket->windowTitle(), QStringLiteral("Ticket"));
        QCOMPARE(field(QStringLiteral("Text1"))->text(), QStringLiteral("11/12/2026"));
        QVERIFY(windowIsEmpty());
        QVERIFY(!m_ticket->ImprimirTicket());
        QCOMPARE(button("Command1")->text(), QStringLiteral("&Imprimir"));
        QCOMPARE(button("Command2")->text(), QStringLiteral("&Cerrar"));
    }

    void saleIsPrintedStoredAndShownAgain()
    {
        open();
        takeNumber();
        QCOMPARE(field(QStringLiteral("Text2"))->text(), QStringLiteral("000001"));
        QCOMPARE(focusName(), QStringLiteral("Ticket.Text10_0"));
        enterThreeRows();
        pay(QStringLiteral("200"));

        QCOMPARE(m_fixture->recorder->calls(), threeRowCalls(QStringLiteral("000001"), QStringLiteral("200,00")));
        QVERIFY(m_fixture->messages->shown.isEmpty());
        QVERIFY(windowIsEmpty());
        sales::Pago *pago = m_ticket->pago();
        QCOMPARE(pago->findChild<QLineEdit *>(QStringLiteral("Text3"))->text(), QStringLiteral("57,50"));
        QTRY_COMPARE(focusName(), QStringLiteral("Pago.Command1"));

        // The stored copy: one header and three lines, "Ñ" kept.
        auto db = m_fixture->tickets();
        sales::DocumentTables tables(*db);
        const auto stored = tables.find(QStringLiteral("000001"));
        QVERIFY(stored);
        QCOMPARE(stored->date, QStringLiteral("11/12/2026"));
        QCOMPARE(stored->customerCode, QStringLiteral("0001"));
        QCOMPARE(stored->customerName, QStringLiteral("CONSUMIDOR FINAL"));
        QCOMPARE(stored->vatCategory, QStringLiteral("C.F."));
        QCOMPARE(stored->cuit, QStringLiteral("0"));
        QCOMPARE(stored->total, QStringLiteral("142,5"));
        QCOMPARE(stored->lines.size(), 3);
        QCOMPARE(stored->lines[1].code, QStringLiteral("00002"));
        QCOMPARE(stored->lines[1].description, QStringLiteral("CAÑO PVC 40"));
        QCOMPARE(stored->lines[2].quantity, QStringLiteral("3"));
        QCOMPARE(stored->lines[2].unitPrice, QStringLiteral("10"));
        QCOMPARE(stored->lines[2].total, QStringLiteral("30"));
        QVERIFY(stored->lines[0].mark.isEmpty());
        QCOMPARE(m_fixture->headerCount(), 1);
        QCOMPARE(m_fixture->lineCount(), 3);

        // "&Aceptar" closes the payment window; the number field is next.
        QTest::keyClick(pago->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::Key_Return);
        QVERIFY(!pago->isVisible());
        QTRY_COMPARE(focusName(), QStringLiteral("Ticket.Text2"));

        // The ticket is shown again by its number.
        salestest::typeAndEnter(field(QStringLiteral("Text2")), QStringLiteral("1"));
        QCOMPARE(field(QStringLiteral("Text2"))->text(), QStringLiteral("000001"));
        QCOMPARE(field(QStringLiteral("Text2"))->selectedText(), QStringLiteral("000001"));
        QCOMPARE(field(QStringLiteral("Text1"))->text(), QStringLiteral("11/12/2026"));
        QCOMPARE(field(QStringLiteral("Text6"))->text(), QStringLiteral("142,50"));
        QCOMPARE(cell("Text10", 1)->text(), QStringLiteral("00002"));
        QCOMPARE(cell("Text11", 1)->text(), QStringLiteral("CAÑO PVC 40"));
        QCOMPARE(cell("Text12", 2)->text(), QStringLiteral("3"));
        QCOMPARE(cell("Text14", 2)->text(), QStringLiteral("30,00"));
        QVERIFY(cell("Text3", 0)->text().isEmpty());
        QVERIFY(cell("Text10", 3)->text().isEmpty());

        // After a sale, Enter in the empty number takes the next number.
        salestest::typeAndEnter(field(QStringLiteral("Text2")), QString());
        QCOMPARE(field(QStringLiteral("Text2"))->text(), QStringLiteral("000002"));
        QVERIFY(!m_ticket->grid()->hasFilledRows());
    }

    void printerRefusingTheSecondItemStillStoresTheCopy()
    {
        m_fixture->recorder->refuse(QStringLiteral("ItemTicket"), 2);
        open();
        takeNumber();
        enterThreeRows();
        pay(QStringLiteral("200"));

        QCOMPARE(m_fixture->recorder->names(),
                 (QStringList{"AbrirTicket", "OpcionTicket", "LineaCodigo", "ItemTicket", "LineaCodigo", "ItemTicket"}));
        QCOMPARE(m_fixture->headerCount(), 1);
        QCOMPARE(m_fixture->lineCount(), 3);
        QCOMPARE(m_fixture->messages->shown.size(), 1);
        const services::Message told = m_fixture->messages->shown[0];
        QCOMPARE(told.icon, services::Icon::Exclamation);
        QCOMPARE(told.title, QStringLiteral("Impresora Fiscal"));
        QVERIFY2(told.text.contains(QStringLiteral("no se completó")) && told.text.contains(QLatin1String("000001"))
                     && told.text.contains(QLatin1String("ItemTicket")),
                 qPrintable(told.text));
        QVERIFY(windowIsEmpty());
    }

    // The copy of an incomplete ticket is loaded and printed again: the
    // printer gets it with its number, the file does not get it twice.
    void reprintOfAStoredTicketIsNotStoredAgain()
    {
        m_fixture->recorder->refuse(QStringLiteral("AbrirTicket"), 1);
        open();
        takeNumber();
        enterThreeRows();
        pay(QStringLiteral("200"));
        QCOMPARE(m_fixture->recorder->names(), QStringList{"AbrirTicket"});
        QCOMPARE(m_fixture->headerCount(), 1);

        m_fixture->recorder->clear();
        m_fixture->messages->shown.clear();
        salestest::typeAndEnter(field(QStringLiteral("Text2")), QStringLiteral("1"));
        QCOMPARE(cell("Text10", 2)->text(), QStringLiteral("00003"));
        pay(QStringLiteral("150"));
        QCOMPARE(m_fixture->recorder->calls(), threeRowCalls(QStringLiteral("000001"), QStringLiteral("150,00")));
        QVERIFY(m_fixture->messages->shown.isEmpty());
        QCOMPARE(m_fixture->headerCount(), 1);
        QCOMPARE(m_fixture->lineCount(), 3);

        // Changed after loading, it is a new ticket with a number of its own.
        salestest::typeAndEnter(field(QStringLiteral("Text2")), QStringLiteral("1"));
        salestest::typeAndEnter(cell("Text12", 0), QStringLiteral("4"));
        QTest::keyClick(cell("Text13", 0), Qt::Key_Return);
        pay(QStringLiteral("200"));
        QCOMPARE(m_fixture->headerCount(), 2);
        QCOMPARE(m_fixture->lineCount(), 6);
        QCOMPARE(m_fixture->messages->shown.size(), 1);
        QVERIFY2(m_fixture->messages->shown[0].text.contains(QStringLiteral("se modificó"))
                     && m_fixture->messages->shown[0].text.contains(QLatin1String("000002")),
                 qPrintable(m_fixture->messages->shown[0].text));
    }

    // Another workstation stored the number shown while this one sold: the
    // ticket is stored and printed with the next free number, and the
    // operator is told.
    void numberStoredElsewhereMeanwhileIsReplaced()
    {
        open();
        takeNumber();
        QCOMPARE(field(QStringLiteral("Text2"))->text(), QStringLiteral("000001"));
        {
            auto db = m_fixture->tickets();
            sales::DocumentTables other(*db);
            sales::Document d;
            d.number = other.nextNumber();
            d.date = QStringLiteral("11/12/2026");
            d.total = QStringLiteral("0");
            QCOMPARE(other.store(d).number, QStringLiteral("000001"));
        }
        salestest::typeAndEnter(cell("Text10", 0), QStringLiteral("00003"));
        m_ticket->setEnvioPago(QStringLiteral("10,00"));
        QVERIFY(m_ticket->ImpresionTicketFinal());

        QCOMPARE(m_fixture->recorder->calls().at(4), call("SubtotalTicket", {"P", "SUB TOTAL(NumInt:000002)"}));
        QCOMPARE(m_fixture->messages->shown.size(), 1);
        QVERIFY2(m_fixture->messages->shown[0].text.contains(QLatin1String("000001"))
                     && m_fixture->messages->shown[0].text.contains(QLatin1String("000002")),
                 qPrintable(m_fixture->messages->shown[0].text));
        auto db = m_fixture->tickets();
        sales::DocumentTables tables(*db);
        QCOMPARE(tables.find(QStringLiteral("2"))->lines.size(), 1);
        QVERIFY(tables.find(QStringLiteral("1"))->lines.isEmpty());
    }

    // What cannot be printed is refused before anything is stored or sent.
    void printingIsRefused_data()
    {
        QTest::addColumn<bool>("number");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no number taken") << false << "00003" << "" << QStringLiteral("Falta el número");
        QTest::newRow("no articles") << true << "" << "" << QStringLiteral("No hay artículos");
        QTest::newRow("quantity changed to letters") << true << "00003" << "dos" << QStringLiteral("renglón 1");
    }
    void printingIsRefused()
    {
        QFETCH(bool, number);
        QFETCH(QString, code);
        QFETCH(QString, quantity);
        QFETCH(QString, expected);
        open();
        if (number)
            takeNumber();
        if (!code.isEmpty())
            salestest::typeAndEnter(cell("Text10", 0), code);
        if (!quantity.isEmpty())
            cell("Text12", 0)->setText(quantity);

        button("Command1")->click();
        QVERIFY(!m_ticket->pago() || !m_ticket->pago()->isVisible());
        m_ticket->setEnvioPago(QStringLiteral("100,00"));
        QVERIFY(!m_ticket->ImpresionTicketFinal());

        QCOMPARE(m_fixture->messages->shown.size(), 2);
        for (const auto &m : m_fixture->messages->shown) {
            QCOMPARE(m.icon, services::Icon::Critical);
            QVERIFY2(m.text.contains(expected), qPrintable(m.text));
        }
        QVERIFY(m_fixture->recorder->calls().isEmpty());
        QCOMPARE(m_fixture->headerCount(), 0);
        QCOMPARE(m_ticket->grid()->hasFilledRows(), !code.isEmpty());
    }

    void ticketIsShownByItsNumber()
    {
        {
            auto db = m_fixture->tickets();
            sales::DocumentTables tables(*db);
            sales::Document d;
            d.number = QStringLiteral("000042");
            d.date = QStringLiteral("01/12/2026");
            d.total = QStringLiteral("37,5");
            d.lines = {{QStringLiteral("00001"), QStringLiteral("TORNILLO 3/8"), QStringLiteral("2"),
                        QStringLiteral("12,5"), QStringLiteral("25"), {}},
                       {QStringLiteral("00003"), QStringLiteral("PINTURA LATEX 4L"), QStringLiteral("1,25"),
                        QStringLiteral("10"), QStringLiteral("12,5"), {}}};
            tables.store(d);
        }
        open();
        salestest::typeAndEnter(field(QStringLiteral("Text2")), QStringLiteral("42"));
        QCOMPARE(field(QStringLiteral("Text2"))->text(), QStringLiteral("000042"));
        QCOMPARE(focusName(), QStringLiteral("Ticket.Text2"));
        QCOMPARE(field(QStringLiteral("Text1"))->text(), QStringLiteral("01/12/2026"));
        QCOMPARE(field(QStringLiteral("Text6"))->text(), QStringLiteral("37,50"));
        QCOMPARE(cell("Text12", 1)->text(), QStringLiteral("1,25"));
        QCOMPARE(cell("Text14", 1)->text(), QStringLiteral("12,50"));
        QVERIFY(m_fixture->messages->shown.isEmpty());

        // A number that is not stored: told, and the window is cleared.
        salestest::typeAndEnter(field(QStringLiteral("Text2")), QStringLiteral("43"));
        QCOMPARE(m_fixture->messages->shown.size(), 1);
        QCOMPARE(m_fixture->messages->shown[0].title, QStringLiteral("Error"));
        QCOMPARE(m_fixture->messages->shown[0].text, QStringLiteral("Ticket no encontrado en la Base de Datos"));
        QCOMPARE(m_fixture->messages->shown[0].icon, services::Icon::Information);
        QVERIFY(windowIsEmpty());
    }

    // Rows 1 and 3 filled, row 2 empty: two lines, shown again on rows 1
    // and 2.
    void emptyRowInBetweenIsNoLine()
    {
        open();
        takeNumber();
        salestest::typeAndEnter(cell("Text10", 0), QStringLiteral("00001"));
        salestest::typeAndEnter(cell("Text10", 2), QStringLiteral("00003"));
        m_ticket->setEnvioPago(QStringLiteral("22,50"));
        QVERIFY(m_ticket->ImpresionTicketFinal());
        QCOMPARE(m_fixture->lineCount(), 2);
        salestest::typeAndEnter(field(QStringLiteral("Text2")), QStringLiteral("1"));
        QCOMPARE(cell("Text10", 0)->text(), QStringLiteral("00001"));
        QCOMPARE(cell("Text10", 1)->text(), QStringLiteral("00003"));
        QVERIFY(cell("Text10", 2)->text().isEmpty());
    }

    // A sale on the grid that was not printed is not thrown away without
    // asking.
    void unprintedSaleIsNotDiscardedWithoutAsking()
    {
        open();
        takeNumber();
        salestest::typeAndEnter(cell("Text10", 0), QStringLiteral("00001"));
        salestest::typeAndEnter(field(QStringLiteral("Text2")), QString());  // answered No
        QCOMPARE(m_fixture->messages->shown.size(), 1);
        QVERIFY(m_fixture->messages->shown[0].yesNo);
        QCOMPARE(cell("Text10", 0)->text(), QStringLiteral("00001"));
        QVERIFY(!m_ticket->close());
        QVERIFY(m_ticket->isVisible());

        m_fixture->messages->answers = {services::Answer::Yes};
        salestest::typeAndEnter(field(QStringLiteral("Text2")), QString());
        QVERIFY(!m_ticket->grid()->hasFilledRows());
        QCOMPARE(field(QStringLiteral("Text2"))->text(), QStringLiteral("000001"));
    }

    void escapeInTheNumberClosesAndFocusesTheToolbarButton()
    {
        QMainWindow main;
        main.setObjectName(QStringLiteral("Principal"));
        auto *mdi = new QMdiArea(&main);
        main.setCentralWidget(mdi);
        auto *toolbar = main.addToolBar(QStringLiteral("Barra"));
        auto *tbTicket = new QToolButton(toolbar);
        tbTicket->setObjectName(QStringLiteral("tbTicket"));
        toolbar->addWidget(tbTicket);
        auto *ticket = new sales::Ticket;
        QMdiSubWindow *frame = mdi->addSubWindow(ticket);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<QMdiSubWindow> watch(frame);
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        auto *number = ticket->findChild<QLineEdit *>(QStringLiteral("Text2"));
        number->setFocus();
        QTest::keyClick(number, Qt::Key_Escape);
        QTRY_VERIFY(!watch);
        QTRY_COMPARE(focusName(), QStringLiteral("Principal.tbTicket"));
    }
};

QTEST_MAIN(TstTicketWindow)
#include "tst_ticket_window.moc"

#include "common/ui/record_picker.h"
#include "sales/documents.h"
#include "sales/invoice_printing.h"
#include "sales/item_grid.h"
#include "sales/ticket_a_window.h"
#include "sales/ticket_n_window.h"
#include "sales/ticket_window.h"
#include "sales_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using sales::FiscalCall;

namespace {

using salestest::call;
using salestest::focusName;


QString padded(const QString &text, int width) { return text.leftJustified(width, QLatin1Char(' '), true); }

QString blanks(int width) { return QString(width, QLatin1Char(' ')); }

const QString kDel(QChar(127));

struct Customer {
    const char *code, *name, *cuit, *vat, *address, *city, *province;
};

// The shop's customers, one per VAT category and a few odd ones.
const Customer kCustomers[] = {
    {"0001", "CONSTRUCTORA RIVADAVIA S.A.", "30-70654321-9", "RESP. INSCRIPTO", "AV. RIVADAVIA 12450", "RAMOS MEJIA",
     "BUENOS AIRES"},
    {"0002", "GOMEZ JUAN", "20-12345678-3", "MONOTRIBUTO", "MITRE 55", "MORON", "BUENOS AIRES"},
    {"0003", "PEREZ ANA", "", "CONS. FINAL", "", "", ""},  // no tax number stored
    {"0004", "FERRETERIA SUR SRL", "30-11111111-1", "RESP. NO INSCR.", "SAN MARTIN 900", "QUILMES", "BUENOS AIRES"},
    {"0005", "LOPEZ MARIA", "27.123.456", "CONS. FINAL", "BELGRANO 10", "LUJAN", ""},
    {"0006", "COOPERADORA ESCOLAR", "30-55555555-5", "EXCENTO", "ESCUELA 4", "MERLO", "BUENOS AIRES"},
};

void addCustomers(const store::DatabaseFolder &folder)
{
    auto db = folder.open(store::files::Clientes);
    store::Transaction tx(*db);
    store::TableView v(*db, QStringLiteral("CLIENTES"));
    for (const Customer &c : kCustomers) {
        v.addNew();
        v.setValue(QStringLiteral("COD_CLIENT"), QString::fromUtf8(c.code));
        v.setValue(QStringLiteral("RAZON_SOC"), QString::fromUtf8(c.name));
        v.setValue(QStringLiteral("CUIT"), QString::fromUtf8(c.cuit));
        v.setValue(QStringLiteral("TIPO_IVA"), QString::fromUtf8(c.vat));
        v.setValue(QStringLiteral("DOMICILIO"), QString::fromUtf8(c.address));
        v.setValue(QStringLiteral("CIUDAD"), QString::fromUtf8(c.city));
        v.setValue(QStringLiteral("PROVINCIA"), QString::fromUtf8(c.province));
        v.update();
    }
    tx.commit();
}

// An article at 121,00 with 21 % VAT: 100,00 without VAT.
void addHammer(const store::DatabaseFolder &folder)
{
    auto db = folder.open(store::files::Articulos);
    store::TableView v(*db, QStringLiteral("Articulos"));
    salestest::addArticle(v, {{"ART", "00007"}, {"DES", "MARTILLO"}, {"NE1", "121"}, {"IV1", "21"}});
}

// The opening of the document for customer 0001 ("RESP. INSCRIPTO").
QStringList openingA(const QString &type)
{
    return {type, "C", "A", "1", "P", "12", "I", "I", padded(QStringLiteral("CONSTRUCTORA RIVADAVIA S.A."), 30),
            blanks(30), "CUIT", "30706543219", "N", padded(QStringLiteral("AV. RIVADAVIA 12450"), 30),
            padded(QStringLiteral("RAMOS MEJIA - BUENOS AIRES"), 30), "", kDel + "REM 1", kDel + "REM 2", "G"};
}

QList<FiscalCall> hammerCalls(const QStringList &opening, const QString &price, const QString &number,
                              const QString &amount)
{
    return {
        call("AbrirFactura", opening),
        call("OpcionTicket", {"1"}),
        call("LineaCodigo", {"00007"}),
        call("ItemFactura", {"MARTILLO", "00001000", price, "2100", "M", "0", "0", "", "", "", "0000",
                             "00000000000000000"}),
        call("SubtotalFactura", {"P", QStringLiteral("SUB TOTAL(NumInt:%1)").arg(number)}),
        call("PagoFactura", {"Pago con: ", amount, "T"}),
        call("CerrarFactura", {"T", "A", ""}),
    };
}

} // namespace

class TstInvoiceWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<salestest::SalesFixture> m_fixture;
    std::unique_ptr<sales::SalesWindow> m_window;

    sales::SalesWindow *open(const QString &which)
    {
        m_window.reset();
        if (which == QLatin1String("TicketA"))
            m_window = std::make_unique<sales::TicketA>();
        else if (which == QLatin1String("TicketN"))
            m_window = std::make_unique<sales::TicketN>();
        else
            m_window = std::make_unique<sales::Ticket>();
        m_window->show();
        return QTest::qWaitForWindowActive(m_window.get()) ? m_window.get() : nullptr;
    }
    sales::InvoiceWindow *invoice() const { return qobject_cast<sales::InvoiceWindow *>(m_window.get()); }

    QLineEdit *field(const QString &name) const { return m_window->findChild<QLineEdit *>(name); }
    QLineEdit *cell(const char *array, int row) const
    {
        return field(QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(row));
    }
    QString text(const char *name) const { return field(QString::fromLatin1(name))->text(); }


    void takeNumber() { salestest::typeAndEnter(field(QStringLiteral("Text2")), QString()); }
    void customer(const QString &code) { salestest::typeAndEnter(field(QStringLiteral("Text7")), code); }
    // The article on the first free row, then Enter on the empty code after it.
    void sellHammer(int row = 0)
    {
        salestest::typeAndEnter(cell("Text10", row), QStringLiteral("00007"));
        QTest::keyClick(cell("Text10", row + 1), Qt::Key_Return);
    }

    // "&Imprimir", the amount tendered and Enter on the change.
    void pay(const QString &amount)
    {
        auto *imprimir = m_window->findChild<QPushButton *>(QStringLiteral("Command1"));
        imprimir->setFocus();
        QTest::keyClick(imprimir, Qt::Key_Return);
        sales::Pago *pago = m_window->pago();
        QVERIFY(pago);
        QTRY_VERIFY(pago->isActiveWindow());
        auto *tendered = pago->findChild<QLineEdit *>(QStringLiteral("Text2"));
        tendered->setFocus();
        QTest::keyClicks(tendered, amount);
        QTest::keyClick(tendered, Qt::Key_Return);
        QTest::keyClick(pago->findChild<QLineEdit *>(QStringLiteral("Text3")), Qt::Key_Return);
        QTest::keyClick(pago->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::Key_Return);
        QVERIFY(!pago->isVisible());
    }

    // A whole sale of one hammer to a customer, in the open window.
    void saleTo(const QString &code, const QString &amount = QStringLiteral("200"))
    {
        takeNumber();
        customer(code);
        sellHammer();
        pay(amount);
    }

    QString storedLineCustomer(const QString &number) const
    {
        auto db = m_fixture->tickets();
        store::TableView lines(*db, QStringLiteral("CtasCtes1"));
        lines.setIndex(QStringLiteral("numero"));
        return lines.seek(number) ? lines.value(QStringLiteral("cod_cli")) : QStringLiteral("(no line)");
    }

    std::optional<sales::Document> stored(const QString &number) const
    {
        auto db = m_fixture->tickets();
        sales::DocumentTables tables(*db);
        return tables.find(number);
    }

private slots:
    void init()
    {
        m_fixture = std::make_unique<salestest::SalesFixture>();
        addCustomers(m_fixture->folder.folder());
        addHammer(m_fixture->folder.folder());
    }
    void cleanup()
    {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
        m_window.reset();
        m_fixture.reset();
    }

    void opensWithItsOwnNames_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("articlePicker");
        QTest::addColumn<int>("kind");
        QTest::newRow("ticket-invoice") << "TicketA" << "Ticket Factura" << "TICKET FACTURA"
                                        << int(catalogue::ArticlePickerKind::TicketA)
                                        << int(sales::InvoiceKind::TicketFactura);
        QTest::newRow("credit note") << "TicketN" << "Nota Credito" << "NOTA CREDITO"
                                     << int(catalogue::ArticlePickerKind::TicketN)
                                     << int(sales::InvoiceKind::NotaCredito);
    }
    void opensWithItsOwnNames()
    {
        QFETCH(QString, window);
        QFETCH(QString, title);
        QFETCH(QString, label);
        QFETCH(int, articlePicker);
        QFETCH(int, kind);
        QVERIFY(open(window));
        sales::InvoiceWindow *w = invoice();
        QVERIFY(w);
        QCOMPARE(w->objectName(), window);
        QCOMPARE(w->windowTitle(), title);
        QCOMPARE(w->findChild<QLabel *>(QStringLiteral("Label1"))->text(), label);
        QCOMPARE(int(w->kind()), kind);
        QCOMPARE(int(w->grid()->options().pickerKind), articlePicker);
        QVERIFY(cell("Text30", 29) && cell("Text31", 29));
        QVERIFY(!cell("Text30", 0)->isVisible());
        QCOMPARE(text("Text1"), QStringLiteral("11/12/2026"));
        QCOMPARE(text("Combo1"), QStringLiteral("Combo1"));
        QVERIFY(text("Text7").isEmpty() && text("Text4").isEmpty() && text("Text5").isEmpty());
        QVERIFY(w->findChild<QRadioButton *>(QStringLiteral("Option1"))->isChecked());
        QCOMPARE(w->findChild<QRadioButton *>(QStringLiteral("Option1"))->text(), QStringLiteral("Contado"));
        QCOMPARE(w->findChild<QRadioButton *>(QStringLiteral("Option2"))->text(), QStringLiteral("Cta.Cte."));
        QVERIFY(w->findChild<QPushButton *>(QStringLiteral("cmdPrueba"))->text().isEmpty());
    }

    // The ticket-invoice A through the real windows: customer, grid,
    // payment window, printer, stored copy, and the block kept afterwards.
    void ticketInvoiceAForARegisteredCustomer()
    {
        QVERIFY(open(QStringLiteral("TicketA")));
        takeNumber();
        QCOMPARE(text("Text2"), QStringLiteral("000001"));
        QCOMPARE(focusName(), QStringLiteral("TicketA.Text7"));

        // The customer and the keys of the block.
        QTest::keyClicks(field(QStringLiteral("Text7")), QStringLiteral("0001"));
        QTest::keyClick(field(QStringLiteral("Text7")), Qt::Key_Return);
        QCOMPARE(text("Text4"), QStringLiteral("CONSTRUCTORA RIVADAVIA S.A."));
        QCOMPARE(text("Combo1"), QStringLiteral("RESP. INSCRIPTO"));
        QCOMPARE(text("Text5"), QStringLiteral("30-70654321-9"));
        QCOMPARE(focusName(), QStringLiteral("TicketA.Text4"));
        QCOMPARE(field(QStringLiteral("Text4"))->selectedText(), text("Text4"));
        QTest::keyClick(field(QStringLiteral("Text4")), Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("TicketA.Combo1"));
        QTest::keyClick(field(QStringLiteral("Combo1")), Qt::Key_Up);
        QCOMPARE(focusName(), QStringLiteral("TicketA.Text4"));
        QTest::keyClick(field(QStringLiteral("Text4")), Qt::Key_Return);
        QTest::keyClick(field(QStringLiteral("Combo1")), Qt::Key_Down);
        QCOMPARE(focusName(), QStringLiteral("TicketA.Text5"));
        QCOMPARE(field(QStringLiteral("Text5"))->selectedText(), QStringLiteral("30-70654321-9"));
        field(QStringLiteral("Combo1"))->setFocus();
        QTest::keyClick(field(QStringLiteral("Combo1")), Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("TicketA.Text5"));
        QTest::keyClick(field(QStringLiteral("Text5")), Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("TicketA.Text10_0"));

        // The row: 121,00 with 21 %, 100 without VAT in the hidden column.
        QTest::keyClicks(cell("Text10", 0), QStringLiteral("00007"));
        QTest::keyClick(cell("Text10", 0), Qt::Key_Return);
        QCOMPARE(cell("Text13", 0)->text(), QStringLiteral("121"));
        QCOMPARE(cell("Text14", 0)->text(), QStringLiteral("121,00"));
        QCOMPARE(cell("Text30", 0)->text(), QStringLiteral("21"));
        QCOMPARE(cell("Text31", 0)->text(), QStringLiteral("100"));
        QCOMPARE(focusName(), QStringLiteral("TicketA.Text10_1"));
        QTest::keyClick(cell("Text10", 1), Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("TicketA.Command1"));
        QCOMPARE(text("Text6"), QStringLiteral("121,00"));

        pay(QStringLiteral("200"));
        QCOMPARE(m_window->pago()->objectName(), QStringLiteral("PagoA"));
        QCOMPARE(m_fixture->recorder->calls(),
                 hammerCalls(openingA(QStringLiteral("T")), QStringLiteral("0010000"), QStringLiteral("000001"),
                             QStringLiteral("200,00")));
        QVERIFY(m_fixture->messages->shown.isEmpty());

        // The copy carries the customer as shown, on the header and the line.
        const auto copy = stored(QStringLiteral("000001"));
        QVERIFY(copy);
        QCOMPARE(copy->customerCode, QStringLiteral("0001"));
        QCOMPARE(copy->customerName, QStringLiteral("CONSTRUCTORA RIVADAVIA S.A."));
        QCOMPARE(copy->vatCategory, QStringLiteral("RESP. INSCRIPTO"));
        QCOMPARE(copy->cuit, QStringLiteral("30-70654321-9"));
        QCOMPARE(copy->total, QStringLiteral("121"));
        QCOMPARE(copy->lines.size(), 1);
        QCOMPARE(copy->lines[0].unitPrice, QStringLiteral("121"));
        QCOMPARE(storedLineCustomer(QStringLiteral("000001")), QStringLiteral("0001"));

        // Cleared for the next sale, the customer kept.
        QVERIFY(text("Text2").isEmpty() && text("Text6").isEmpty());
        QVERIFY(!m_window->grid()->hasFilledRows());
        QVERIFY(cell("Text30", 0)->text().isEmpty() && cell("Text31", 0)->text().isEmpty());
        QCOMPARE(text("Text7"), QStringLiteral("0001"));
        QCOMPARE(text("Text4"), QStringLiteral("CONSTRUCTORA RIVADAVIA S.A."));
        QCOMPARE(text("Combo1"), QStringLiteral("RESP. INSCRIPTO"));
        QCOMPARE(text("Text5"), QStringLiteral("30-70654321-9"));
        QTRY_COMPARE(focusName(), QStringLiteral("TicketA.Text2"));

        // Shown again by its number: the customer comes back with it, and
        // the operator goes on in the code.
        customer(QStringLiteral("0002"));
        salestest::typeAndEnter(field(QStringLiteral("Text2")), QStringLiteral("1"));
        QCOMPARE(text("Text2"), QStringLiteral("000001"));
        QCOMPARE(cell("Text10", 0)->text(), QStringLiteral("00007"));
        QCOMPARE(text("Text4"), QStringLiteral("CONSTRUCTORA RIVADAVIA S.A."));
        QCOMPARE(text("Combo1"), QStringLiteral("RESP. INSCRIPTO"));
        QCOMPARE(focusName(), QStringLiteral("TicketA.Text7"));
        QCOMPARE(field(QStringLiteral("Text7"))->selectedText(), QStringLiteral("0001"));
    }

    // The version follows the exact VAT text: class A without VAT, the
    // B versions with VAT; the credit note differs in the document type.
    void versionFollowsTheCustomersCategory_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("opening");  // positions 1 3 8 11 12 10 15 17
        QTest::addColumn<QString>("price");
        const QString moron = padded(QStringLiteral("MORON - BUENOS AIRES"), 30);
        const QString merlo = padded(QStringLiteral("MERLO - BUENOS AIRES"), 30);
        QTest::newRow("A") << "TicketA" << "0001"
                           << QStringList{"T", "A", "I", "CUIT", "30706543219", blanks(30),
                                          padded(QStringLiteral("RAMOS MEJIA - BUENOS AIRES"), 30), kDel + "REM 1"}
                           << "0010000";
        QTest::newRow("B monotributo") << "TicketA" << "0002"
                                       << QStringList{"T", "B", "M", "CUIT", "20123456783", "", "", moron}
                                       << "0012100";
        QTest::newRow("B exento") << "TicketA" << "0006"
                                  << QStringList{"T", "B", "E", "CUIT", "30555555555", "", "", merlo} << "0012100";
        // The identity number cleaned of dots; no province: no locality.
        QTest::newRow("B final consumer") << "TicketA" << "0005"
                                          << QStringList{"T", "B", "F", "DNI ", padded(QStringLiteral("27123456"), 11),
                                                         blanks(30), "", blanks(30)}
                                          << "0012100";
        QTest::newRow("credit A") << "TicketN" << "0001"
                                  << QStringList{"M", "A", "I", "CUIT", "30706543219", blanks(30),
                                                 padded(QStringLiteral("RAMOS MEJIA - BUENOS AIRES"), 30),
                                                 kDel + "REM 1"}
                                  << "0010000";
        QTest::newRow("credit B") << "TicketN" << "0002"
                                  << QStringList{"M", "B", "M", "CUIT", "20123456783", "", "", moron} << "0012100";
    }
    void versionFollowsTheCustomersCategory()
    {
        QFETCH(QString, window);
        QFETCH(QString, code);
        QFETCH(QStringList, opening);
        QFETCH(QString, price);
        QVERIFY(open(window));
        saleTo(code);
        const QList<FiscalCall> calls = m_fixture->recorder->calls();
        QCOMPARE(calls.size(), 7);
        const QStringList a = calls[0].args;
        QCOMPARE(calls[0].name, QStringLiteral("AbrirFactura"));
        QCOMPARE(a.size(), 19);
        const QStringList picked{a[0], a[2], a[7], a[10], a[11], a[9], a[14], a[16]};
        QCOMPARE(picked, opening);
        QCOMPARE(calls[3].args[2], price);
        QCOMPARE(calls[3].args[3], QStringLiteral("2100"));
        QCOMPARE(calls[6], call("CerrarFactura", {"T", "A", ""}));
        QVERIFY(m_fixture->messages->shown.isEmpty());
        QCOMPARE(m_fixture->headerCount(), 1);
    }

    // The address lines are those of the customer whose code stands in the
    // code field when the document is printed.
    void addressComesFromTheCodeAtPrintingTime_data()
    {
        QTest::addColumn<QString>("codeAtPrinting");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("locality");
        QTest::newRow("another customer's code typed") << "0006" << "ESCUELA 4" << "MERLO - BUENOS AIRES";
        QTest::newRow("unknown code") << "0099" << "" << "";
        QTest::newRow("no code") << "" << "" << "";
        QTest::newRow("record changed since the lookup") << "0001" << "AV. MITRE 1" << "AVELLANEDA - BUENOS AIRES";
    }
    void addressComesFromTheCodeAtPrintingTime()
    {
        QFETCH(QString, codeAtPrinting);
        QFETCH(QString, address);
        QFETCH(QString, locality);
        QVERIFY(open(QStringLiteral("TicketA")));
        takeNumber();
        customer(QStringLiteral("0001"));
        sellHammer();
        field(QStringLiteral("Text7"))->setText(codeAtPrinting);
        {
            auto db = m_fixture->folder.open(store::files::Clientes);
            store::TableView v(*db, QStringLiteral("CLIENTES"));
            v.setIndex(QStringLiteral("COD_CLIENT"));
            QVERIFY(v.seek(QStringLiteral("0001")));
            v.edit();
            v.setValue(QStringLiteral("DOMICILIO"), QStringLiteral("AV. MITRE 1"));
            v.setValue(QStringLiteral("CIUDAD"), QStringLiteral("AVELLANEDA"));
            v.update();
        }
        pay(QStringLiteral("121"));
        const QStringList a = m_fixture->recorder->calls().at(0).args;
        QCOMPARE(a[8], padded(QStringLiteral("CONSTRUCTORA RIVADAVIA S.A."), 30));
        QCOMPARE(a[13], address.isEmpty() ? blanks(30) : padded(address, 30));
        QCOMPARE(a[14], locality.isEmpty() ? blanks(30) : padded(locality, 30));
        QCOMPARE(stored(QStringLiteral("1"))->customerCode, codeAtPrinting);
    }

    // A stored field that is empty leaves the shown one: a customer without
    // tax number keeps the previous customer's.
    void emptyStoredFieldKeepsTheShownValue()
    {
        QVERIFY(open(QStringLiteral("TicketA")));
        customer(QStringLiteral("0001"));
        customer(QStringLiteral("0003"));
        QCOMPARE(text("Text4"), QStringLiteral("PEREZ ANA"));
        QCOMPARE(text("Combo1"), QStringLiteral("CONS. FINAL"));
        QCOMPARE(text("Text5"), QStringLiteral("30-70654321-9"));
        QVERIFY(m_fixture->messages->shown.isEmpty());
    }

    void unknownCustomerIsReportedAndEmptyCodeGoesOn()
    {
        QVERIFY(open(QStringLiteral("TicketN")));
        customer(QStringLiteral("0002"));
        customer(QStringLiteral("2"));  // the code exactly as typed: 2 is not 0002
        QCOMPARE(m_fixture->messages->shown.size(), 1);
        const services::Message m = m_fixture->messages->shown[0];
        QCOMPARE(m.icon, services::Icon::Information);
        QCOMPARE(m.title, QStringLiteral("Error"));
        QCOMPARE(m.text, QStringLiteral("Cliente no encontrado en la Base de Datos"));
        QCOMPARE(text("Text4"), QStringLiteral("GOMEZ JUAN"));
        QCOMPARE(focusName(), QStringLiteral("TicketN.Text7"));
        QCOMPARE(field(QStringLiteral("Text7"))->selectedText(), QStringLiteral("2"));

        // Enter on an empty code looks nothing up: the customer is typed by hand.
        customer(QString());
        QCOMPARE(m_fixture->messages->shown.size(), 1);
        QCOMPARE(focusName(), QStringLiteral("TicketN.Text4"));
        QCOMPARE(text("Text4"), QStringLiteral("GOMEZ JUAN"));
    }

    // A category without a document of this kind prints nothing; the copy
    // is stored all the same and the operator is told.
    void categoryWithoutDocumentStoresTheCopyOnly_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("code");  // empty: no customer loaded
        QTest::addColumn<QString>("vat");
        QTest::newRow("not registered") << "TicketA" << "0004" << "RESP. NO INSCR.";
        QTest::newRow("no customer loaded") << "TicketA" << "" << "Combo1";
        QTest::newRow("final consumer, credit note") << "TicketN" << "0005" << "CONS. FINAL";
        QTest::newRow("not registered, credit note") << "TicketN" << "0004" << "RESP. NO INSCR.";
    }
    void categoryWithoutDocumentStoresTheCopyOnly()
    {
        QFETCH(QString, window);
        QFETCH(QString, code);
        QFETCH(QString, vat);
        QVERIFY(open(window));
        takeNumber();
        if (!code.isEmpty())
            customer(code);
        sellHammer();
        pay(QStringLiteral("150"));

        QVERIFY(m_fixture->recorder->calls().isEmpty());
        const auto copy = stored(QStringLiteral("1"));
        QVERIFY(copy);
        QCOMPARE(copy->vatCategory, vat);
        QCOMPARE(copy->customerCode, code);
        QCOMPARE(copy->lines.size(), 1);
        QCOMPARE(m_fixture->messages->shown.size(), 1);
        const services::Message told = m_fixture->messages->shown[0];
        QCOMPARE(told.icon, services::Icon::Information);
        QVERIFY2(told.text.contains(QStringLiteral("no se imprimió")) && told.text.contains(vat)
                     && told.text.contains(QLatin1String("000001")),
                 qPrintable(told.text));
        QVERIFY(text("Text2").isEmpty() && !m_window->grid()->hasFilledRows());
        QCOMPARE(text("Combo1"), vat);
    }

    // The three windows share one number sequence, and the credit note is
    // the ticket-invoice with the document type "M".
    void documentsOneAfterTheOtherGetConsecutiveNumbers()
    {
        QVERIFY(open(QStringLiteral("TicketA")));
        saleTo(QStringLiteral("0001"));
        const QList<FiscalCall> invoiceCalls = m_fixture->recorder->calls();
        QCOMPARE(invoiceCalls, hammerCalls(openingA(QStringLiteral("T")), QStringLiteral("0010000"),
                                           QStringLiteral("000001"), QStringLiteral("200,00")));
        m_fixture->recorder->clear();

        QVERIFY(open(QStringLiteral("TicketN")));
        saleTo(QStringLiteral("0001"));
        QCOMPARE(m_window->pago()->objectName(), QStringLiteral("PagoN"));
        QCOMPARE(m_fixture->recorder->calls(), hammerCalls(openingA(QStringLiteral("M")), QStringLiteral("0010000"),
                                                           QStringLiteral("000002"), QStringLiteral("200,00")));
        m_fixture->recorder->clear();

        QVERIFY(open(QStringLiteral("Ticket")));
        takeNumber();
        QCOMPARE(text("Text2"), QStringLiteral("000003"));
        salestest::typeAndEnter(cell("Text10", 0), QStringLiteral("00007"));
        m_window->setEnvioPago(QStringLiteral("121,00"));
        QVERIFY(m_window->ImpresionTicketFinal());
        QCOMPARE(m_fixture->headerCount(), 3);
        QCOMPARE(stored(QStringLiteral("2"))->customerName, QStringLiteral("CONSTRUCTORA RIVADAVIA S.A."));
        QCOMPARE(stored(QStringLiteral("3"))->customerName, QStringLiteral("CONSUMIDOR FINAL"));
    }

    // A loaded copy prints again with its customer and the VAT of its
    // articles (the hidden columns are not stored) and is not stored twice;
    // with another customer it is a new document.
    void storedInvoicePrintsAgain()
    {
        m_fixture->recorder->refuse(QStringLiteral("ItemFactura"));
        QVERIFY(open(QStringLiteral("TicketA")));
        saleTo(QStringLiteral("0001"), QStringLiteral("121"));
        QCOMPARE(m_fixture->recorder->names(),
                 (QStringList{"AbrirFactura", "OpcionTicket", "LineaCodigo", "ItemFactura"}));
        QCOMPARE(m_fixture->messages->shown.size(), 1);
        QCOMPARE(m_fixture->messages->shown[0].title, QStringLiteral("Impresora Fiscal"));
        QVERIFY2(m_fixture->messages->shown[0].text.contains(QLatin1String("ItemFactura"))
                     && m_fixture->messages->shown[0].text.contains(QLatin1String("000001")),
                 qPrintable(m_fixture->messages->shown[0].text));
        QCOMPARE(m_fixture->headerCount(), 1);

        m_fixture->recorder->clear();
        m_fixture->messages->shown.clear();
        customer(QStringLiteral("0002"));
        salestest::typeAndEnter(field(QStringLiteral("Text2")), QStringLiteral("1"));
        QVERIFY(cell("Text30", 0)->text().isEmpty());
        pay(QStringLiteral("121"));
        QCOMPARE(m_fixture->recorder->calls(), hammerCalls(openingA(QStringLiteral("T")), QStringLiteral("0010000"),
                                                           QStringLiteral("000001"), QStringLiteral("121,00")));
        QVERIFY(m_fixture->messages->shown.isEmpty());
        QCOMPARE(m_fixture->headerCount(), 1);
        QCOMPARE(m_fixture->lineCount(), 1);

        salestest::typeAndEnter(field(QStringLiteral("Text2")), QStringLiteral("1"));
        customer(QStringLiteral("0002"));
        pay(QStringLiteral("121"));
        QCOMPARE(m_fixture->headerCount(), 2);
        QCOMPARE(stored(QStringLiteral("2"))->customerName, QStringLiteral("GOMEZ JUAN"));
        QCOMPARE(storedLineCustomer(QStringLiteral("000002")), QStringLiteral("0002"));
        QCOMPARE(m_fixture->messages->shown.size(), 1);
        QVERIFY2(m_fixture->messages->shown[0].text.contains(QStringLiteral("se modificó")),
                 qPrintable(m_fixture->messages->shown[0].text));
    }

    // The small button prints the fixed test document, reads nothing from
    // the window and stores nothing.
    void testButtonPrintsTheFixedDocument_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("ticket-invoice") << "TicketA";
        QTest::newRow("credit note") << "TicketN";
    }
    void testButtonPrintsTheFixedDocument()
    {
        QFETCH(QString, window);
        // What the fixed document sends, recorded on its own.
        auto expected = std::make_shared<sales::FiscalRecorder>();
        {
            auto previous = sales::setFiscalDevice(expected);
            sales::PrinterFiscal printer;
            sales::printTestInvoice(printer);
            sales::setFiscalDevice(previous);
        }
        QVERIFY(open(window));
        takeNumber();
        customer(QStringLiteral("0002"));
        salestest::typeAndEnter(cell("Text10", 0), QStringLiteral("00007"));
        m_window->findChild<QPushButton *>(QStringLiteral("cmdPrueba"))->click();

        QCOMPARE(m_fixture->recorder->calls(), expected->calls());
        QCOMPARE(m_fixture->recorder->calls().at(0).args.mid(0, 3), (QStringList{"T", "C", "A"}));
        QCOMPARE(m_fixture->recorder->names().last(), QStringLiteral("CerrarFactura"));
        QCOMPARE(m_fixture->headerCount(), 0);
        QVERIFY(m_fixture->messages->shown.isEmpty());
        QCOMPARE(text("Text2"), QStringLiteral("000001"));
        QCOMPARE(cell("Text10", 0)->text(), QStringLiteral("00007"));
        QCOMPARE(text("Text4"), QStringLiteral("GOMEZ JUAN"));
    }

    // Escape in the code opens the window's own customer picker; the pick
    // writes the code, selected, and looks nothing up.
    void escapeInTheCodeOpensTheCustomerPicker_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("picker");
        QTest::newRow("ticket-invoice") << "TicketA" << "ConsListaClienteA";
        QTest::newRow("credit note") << "TicketN" << "ConsListaClienteN";
    }
    void escapeInTheCodeOpensTheCustomerPicker()
    {
        QFETCH(QString, window);
        QFETCH(QString, picker);
        QVERIFY(open(window));
        QLineEdit *code = field(QStringLiteral("Text7"));
        code->setFocus();
        QTest::keyClick(code, Qt::Key_Escape);
        auto *p = qobject_cast<ui::RecordPicker *>(QApplication::activeModalWidget());
        QVERIFY(p);
        QCOMPARE(p->objectName(), picker);
        p->searchBox()->setFocus();
        QTest::keyClicks(p->searchBox(), QStringLiteral("GOM"));
        QTest::keyClick(p->searchBox(), Qt::Key_Return);
        QTest::keyClick(p->list(), Qt::Key_Return);
        QTRY_VERIFY(!p->isVisible());
        QCOMPARE(code->text(), QStringLiteral("0002"));
        QCOMPARE(code->selectedText(), QStringLiteral("0002"));
        QVERIFY(text("Text4").isEmpty());
        QTRY_COMPARE(focusName(), window + QStringLiteral(".Text7"));
        QTest::keyClick(code, Qt::Key_Return);
        QCOMPARE(text("Text4"), QStringLiteral("GOMEZ JUAN"));
    }
};

QTEST_MAIN(TstInvoiceWindows)
#include "tst_invoice_windows.moc"

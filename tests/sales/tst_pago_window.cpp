#include "common/services.h"
#include "common/ui/espere.h"
#include "fake_messages.h"
#include "sales/pago_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// An owner that records what the payment window asks of it.
class FakeOwner : public QWidget, public sales::PagoOwner {
public:
    FakeOwner()
    {
        setObjectName(QStringLiteral("Owner"));
        number = new QLineEdit(this);
        number->setObjectName(QStringLiteral("Text2"));
        number->move(0, 0);
        print = new QPushButton(QStringLiteral("&Imprimir"), this);
        print->setObjectName(QStringLiteral("Command1"));
        print->move(0, 40);
    }

    QString totalText() const override { return total; }
    void setImprimirTicket(bool p) override { imprimir = p; }
    bool imprimirTicket() const override { return imprimir; }
    void setEnvioPago(const QString &amount) override { envioPago = amount; }
    bool ImpresionTicketFinal() override
    {
        ++printed;
        espereWhilePrinting = ui::Espere::isShown();
        return stores;
    }
    void Blanquear() override { ++cleared; }
    bool hasUnstoredEntries() const override { return unstored; }
    void focusNumberField() override
    {
        activateWindow();
        number->setFocus();
    }
    void focusPrintButton() override
    {
        activateWindow();
        print->setFocus();
    }

    QString total;
    bool imprimir = false;
    QString envioPago = QStringLiteral("(unset)");
    int printed = 0;
    int cleared = 0;
    bool stores = true;
    bool unstored = false;
    bool espereWhilePrinting = false;
    QLineEdit *number;
    QPushButton *print;
};

QString focusName()
{
    QWidget *w = QApplication::focusWidget();
    return w ? w->window()->objectName() + QLatin1Char('.') + w->objectName() : QStringLiteral("(none)");
}

} // namespace

class TstPagoWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeOwner> m_owner;
    sales::Pago *m_pago = nullptr;
    std::unique_ptr<MessagesGuard> m_messages;

    QLineEdit *field(const char *name) const { return m_pago->findChild<QLineEdit *>(QLatin1String(name)); }
    QPushButton *aceptar() const { return m_pago->findChild<QPushButton *>(QStringLiteral("Command1")); }

    void openWithTotal(const QString &total)
    {
        m_owner->total = total;
        m_pago->abrir();
        // A window with a parent counts as active with it; wait for its own
        // activation.
        QTRY_VERIFY(m_pago->isActiveWindow());
    }

    void typeAmount(const QString &amount)
    {
        QTest::keyClick(field("Text1"), Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("Pago.Text2"));
        QTest::keyClicks(field("Text2"), amount);
        QTest::keyClick(field("Text2"), Qt::Key_Return);
    }

private slots:
    void init()
    {
        services::setPauseScale(0);
        m_messages = std::make_unique<MessagesGuard>();
        m_owner = std::make_unique<FakeOwner>();
        m_owner->show();
        QVERIFY(QTest::qWaitForWindowActive(m_owner.get()));
        m_pago = new sales::Pago(*m_owner, QStringLiteral("Pago"), m_owner.get());
    }
    void cleanup()
    {
        m_owner.reset();
        m_messages.reset();
        services::setPauseScale(1);
    }

    void isItsOwnWindowTitledFormaDePago()
    {
        openWithTotal(QStringLiteral("10,00"));
        QVERIFY(m_pago->isWindow());
        QCOMPARE(m_pago->objectName(), QStringLiteral("Pago"));
        QCOMPARE(m_pago->windowTitle(), QStringLiteral("FORMA DE PAGO"));
        QVERIFY(!m_pago->isModal());
        QVERIFY(field("Text1")->isReadOnly());
        QVERIFY(field("Text3")->isReadOnly());
        QCOMPARE(aceptar()->text(), QStringLiteral("&Aceptar"));
        QCOMPARE(focusName(), QStringLiteral("Pago.Text1"));
    }

    void changeIsAmountMinusTotal_data()
    {
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("change");
        QTest::newRow("85,50 paid with 100") << "85,50" << "100" << "100,00" << "14,50";
        QTest::newRow("paid short: negative change") << "85,50" << "50" << "50,00" << "-35,50";
        QTest::newRow("point typed as comma") << "10,00" << "20.5" << "20,50" << "10,50";
        QTest::newRow("less than one") << "0,25" << ",5" << "0,50" << "0,25";
    }
    void changeIsAmountMinusTotal()
    {
        QFETCH(QString, total);
        QFETCH(QString, typed);
        QFETCH(QString, amount);
        QFETCH(QString, change);
        openWithTotal(total);
        QCOMPARE(field("Text1")->text(), total);
        typeAmount(typed);
        QCOMPARE(field("Text2")->text(), amount);
        QCOMPARE(field("Text3")->text(), change);
        QCOMPARE(focusName(), QStringLiteral("Pago.Text3"));

        // Enter on the change prints with the amount as shown, then moves
        // on to "&Aceptar".
        QTest::keyClick(field("Text3"), Qt::Key_Return);
        QCOMPARE(m_owner->printed, 1);
        QVERIFY(m_owner->imprimir);
        QCOMPARE(m_owner->envioPago, amount);
        QVERIFY(m_owner->espereWhilePrinting);
        QVERIFY(!ui::Espere::isShown());
        QTRY_COMPARE(focusName(), QStringLiteral("Pago.Command1"));
        QVERIFY(m_messages->fake->shown.isEmpty());

        // "&Aceptar" closes the window and readies the owner.
        QTest::keyClick(aceptar(), Qt::Key_Return);
        QVERIFY(!m_pago->isVisible());
        QCOMPARE(m_owner->cleared, 1);
        QTRY_COMPARE(focusName(), QStringLiteral("Owner.Text2"));
        QVERIFY(field("Text1")->text().isEmpty());
    }

    void amountThatIsNotANumberPrintsNothing()
    {
        openWithTotal(QStringLiteral("85,50"));
        typeAmount(QStringLiteral("cien"));
        QCOMPARE(m_messages->fake->shown.size(), 1);
        QCOMPARE(m_messages->fake->shown[0].icon, services::Icon::Critical);
        QVERIFY(m_messages->fake->shown[0].text.contains(QStringLiteral("cien")));
        QVERIFY(field("Text3")->text().isEmpty());
        QCOMPARE(focusName(), QStringLiteral("Pago.Text2"));

        // Enter on the change with the amount still wrong: refused too.
        field("Text3")->setFocus();
        QTest::keyClick(field("Text3"), Qt::Key_Return);
        QCOMPARE(m_owner->printed, 0);
        QCOMPARE(m_messages->fake->shown.size(), 2);
        QCOMPARE(focusName(), QStringLiteral("Pago.Text2"));
    }

    void emptyAmountPrintsWithAnEmptyAmount()
    {
        openWithTotal(QStringLiteral("85,50"));
        typeAmount(QString());
        QCOMPARE(focusName(), QStringLiteral("Pago.Text3"));
        QVERIFY(field("Text3")->text().isEmpty());
        QTest::keyClick(field("Text3"), Qt::Key_Return);
        QCOMPARE(m_owner->printed, 1);
        QCOMPARE(m_owner->envioPago, QString());
    }

    // An amount changed without Enter is still sent formatted, and the
    // change shown follows it.
    void amountChangedWithoutEnterIsSentFormatted()
    {
        openWithTotal(QStringLiteral("85,50"));
        typeAmount(QStringLiteral("100"));
        field("Text2")->setFocus();
        field("Text2")->selectAll();
        QTest::keyClicks(field("Text2"), QStringLiteral("200"));
        field("Text3")->setFocus();
        QTest::keyClick(field("Text3"), Qt::Key_Return);
        QCOMPARE(m_owner->envioPago, QStringLiteral("200,00"));
        QCOMPARE(field("Text3")->text(), QStringLiteral("114,50"));
    }

    void openingAgainBringsItForwardWithoutReloading()
    {
        openWithTotal(QStringLiteral("85,50"));
        typeAmount(QStringLiteral("100"));
        m_owner->total = QStringLiteral("999,00");
        m_owner->activateWindow();
        m_pago->abrir();
        QTRY_VERIFY(m_pago->isActiveWindow());
        QCOMPARE(field("Text1")->text(), QStringLiteral("85,50"));
        QCOMPARE(field("Text2")->text(), QStringLiteral("100,00"));
        QCOMPARE(field("Text3")->text(), QStringLiteral("14,50"));
    }

    // Left open after printing, it starts the next payment afresh: the old
    // total and change are not shown for the next sale.
    void openingAfterAPrintedDocumentStartsAfresh()
    {
        openWithTotal(QStringLiteral("85,50"));
        typeAmount(QStringLiteral("100"));
        QTest::keyClick(field("Text3"), Qt::Key_Return);
        QCOMPARE(m_owner->printed, 1);
        m_owner->total = QStringLiteral("12,00");
        m_pago->abrir();
        QCOMPARE(field("Text1")->text(), QStringLiteral("12,00"));
        QVERIFY(field("Text2")->text().isEmpty());
        QVERIFY(field("Text3")->text().isEmpty());
        QVERIFY(!m_pago->documentStored());
    }

    // Closed without printing, or after a refused print: the owner keeps
    // its document.
    void aceptarWithoutAStoredDocumentKeepsTheOwner_data()
    {
        QTest::addColumn<bool>("print");
        QTest::newRow("not printed") << false;
        QTest::newRow("print refused") << true;
    }
    void aceptarWithoutAStoredDocumentKeepsTheOwner()
    {
        QFETCH(bool, print);
        m_owner->stores = false;
        openWithTotal(QStringLiteral("85,50"));
        typeAmount(QStringLiteral("100"));
        if (print) {
            QTest::keyClick(field("Text3"), Qt::Key_Return);
            QCOMPARE(m_owner->printed, 1);
            QTRY_COMPARE(focusName(), QStringLiteral("Pago.Text3"));
        }
        aceptar()->click();
        QVERIFY(!m_pago->isVisible());
        QCOMPARE(m_owner->cleared, 0);
        QTRY_COMPARE(focusName(), QStringLiteral("Owner.Command1"));
    }

    // A document begun in the owner after printing is not cleared by a late
    // "&Aceptar".
    void aceptarDoesNotClearADocumentBegunMeanwhile()
    {
        openWithTotal(QStringLiteral("85,50"));
        typeAmount(QStringLiteral("100"));
        QTest::keyClick(field("Text3"), Qt::Key_Return);
        m_owner->unstored = true;
        aceptar()->click();
        QCOMPARE(m_owner->cleared, 0);
    }
};

QTEST_MAIN(TstPagoWindow)
#include "tst_pago_window.moc"

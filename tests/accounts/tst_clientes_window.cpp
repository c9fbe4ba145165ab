#include "accounts/clientes_window.h"
#include "accounts/customers.h"
#include "common/formats.h"
#include "common/services.h"
#include "fake_messages.h"
#include "test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using accounts::Clientes;

namespace {

struct Stored {
    QString code, name, cuit, vat, estado, saldo, ultPago;
};

void storeCustomer(const store::DatabaseFolder &folder, const Stored &c)
{
    auto db = folder.open(store::files::Clientes);
    store::TableView v(*db, QStringLiteral("CLIENTES"));
    v.addNew();
    v.setValue(QStringLiteral("COD_CLIENT"), c.code);
    v.setValue(QStringLiteral("RAZON_SOC"), c.name);
    v.setValue(QStringLiteral("CUIT"), c.cuit);
    v.setValue(QStringLiteral("TIPO_IVA"), c.vat);
    v.setValue(QStringLiteral("ESTADO"), c.estado);
    if (!c.saldo.isEmpty())
        v.setValue(QStringLiteral("SALDO"), c.saldo);
    v.setValue(QStringLiteral("ULT_PAGO"), c.ultPago);
    v.update();
}

QString storedField(const store::DatabaseFolder &folder, const QString &code, const QString &field)
{
    auto db = folder.open(store::files::Clientes);
    store::TableView v(*db, QStringLiteral("CLIENTES"));
    v.setIndex(QStringLiteral("COD_CLIENT"));
    return v.seek(code) ? v.value(field) : QStringLiteral("<none>");
}

} // namespace

class TestClientesWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void lookupShowsTheCustomer();
    void lookupIsExactAndMissClearsTheWindow();
    void typingIsUpperCased();
    void newCodesFollowTheLast_data();
    void newCodesFollowTheLast();
    void saveNeverWritesTheBalance();
    void saveKeepsStateWhenNoOptionIsChosen();
    void handTypedVatIsStoredAsTyped();
    void secondWorkstationDoesNotOverwriteTheFirst();
    void deleteAsksAndDeletes();
    void deleteOfUnknownCodeAsksNothing();
    void browsingWrapsWithItsMessages();
    void vatListIsFilledOnce();
    void enterAndArrowsFollowTheRing();

private:
    QLineEdit *box(int n) const { return m_window->findChild<QLineEdit *>(QStringLiteral("Text%1").arg(n)); }
    QPushButton *button(const char *name) const
    {
        return m_window->findChild<QPushButton *>(QString::fromLatin1(name));
    }
    void lookUp(const QString &code)
    {
        box(1)->setFocus();
        box(1)->setText(code);
        QTest::keyClick(box(1), Qt::Key_Return);
    }

    std::unique_ptr<TempDatabaseFolder> m_folder;
    std::unique_ptr<MessagesGuard> m_messages;
    std::unique_ptr<Clientes> m_window;
};

void TestClientesWindow::init()
{
    m_folder = std::make_unique<TempDatabaseFolder>();
    store::DatabaseFolder::setCurrent(m_folder->path);
    services::setToday(QDate(2026, 12, 11));
    m_messages = std::make_unique<MessagesGuard>();
    storeCustomer(m_folder->folder(), {"0001", "GOMEZ JUAN", "20-17345678-4", "MONOTRIBUTO", "HABILITADA", "150,5", "01/12/2026"});
    storeCustomer(m_folder->folder(), {"0002", "PEREZ ANA", "", "RESP. INSCRIPTO", "SUSPENDIDA", "", ""});
    storeCustomer(m_folder->folder(), {"0040", "ZAPATA LUIS", "27-22987654-1", "CONS. FINAL", "", "-20", ""});
    m_window = std::make_unique<Clientes>();
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
}

void TestClientesWindow::cleanup()
{
    m_window.reset();
    m_messages.reset();
    services::setToday(QDate());
    store::DatabaseFolder::setCurrent(QString());
    m_folder.reset();
}

void TestClientesWindow::lookupShowsTheCustomer()
{
    QCOMPARE(m_window->findChild<QLineEdit *>(QStringLiteral("Text17"))->text(), QStringLiteral("11/12/2026"));
    lookUp(QStringLiteral("0001"));
    QCOMPARE(box(2)->text(), QStringLiteral("GOMEZ JUAN"));
    QCOMPARE(box(3)->text(), QStringLiteral("20-17345678-4"));
    QCOMPARE(m_window->findChild<QComboBox *>(QStringLiteral("Combo1"))->currentText(), QStringLiteral("MONOTRIBUTO"));
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label13"))->text(), QStringLiteral("150,50"));
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label15"))->text(), QStringLiteral("01/12/2026"));
    QVERIFY(m_window->findChild<QRadioButton *>(QStringLiteral("Option1"))->isChecked());
    QCOMPARE(QApplication::focusWidget(), box(2));
    QCOMPARE(box(2)->selectedText(), QStringLiteral("GOMEZ JUAN"));

    // A customer without CUIT or last payment, right after one with them.
    lookUp(QStringLiteral("0002"));
    QCOMPARE(box(3)->text(), QString());
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label15"))->text(), QString());
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label13"))->text(), QStringLiteral("0,00"));  // new customer's balance
    QVERIFY(m_window->findChild<QRadioButton *>(QStringLiteral("Option2"))->isChecked());
    QVERIFY(m_messages->fake->shown.isEmpty());
}

void TestClientesWindow::lookupIsExactAndMissClearsTheWindow()
{
    lookUp(QStringLiteral("0001"));
    lookUp(QStringLiteral("1"));  // no zeros are put in front
    QCOMPARE(m_messages->fake->shown.size(), 1);
    QCOMPARE(m_messages->fake->shown[0].title, QStringLiteral("Error"));
    QCOMPARE(m_messages->fake->shown[0].text, QStringLiteral("Cliente no encontrado en la Base de Datos"));
    QCOMPARE(m_messages->fake->shown[0].icon, services::Icon::Information);
    for (int i = 1; i <= 11; ++i)
        QCOMPARE(box(i)->text(), QString());
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label13"))->text(), QStringLiteral("0"));

    // Enter on an empty code, and Grabar with an empty code, do nothing.
    QTest::keyClick(box(1), Qt::Key_Return);
    button("cmdGrabar")->click();
    QCOMPARE(m_messages->fake->shown.size(), 1);
}

void TestClientesWindow::typingIsUpperCased()
{
    box(1)->setFocus();
    QTest::keyClicks(box(1), QStringLiteral("ab"));
    QCOMPARE(box(1)->text(), QStringLiteral("AB"));
    box(9)->setFocus();
    QTest::keyClicks(box(9), QStringLiteral("ventas@correo.com"));
    QCOMPARE(box(9)->text(), QStringLiteral("VENTAS@CORREO.COM"));
}

void TestClientesWindow::newCodesFollowTheLast_data()
{
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("after 0040") << QStringList{} << "0041";
    QTest::newRow("empty table") << QStringList{"-"} << "0001";
    QTest::newRow("last not a number") << QStringList{"ZZZ"} << "0041";
}

void TestClientesWindow::newCodesFollowTheLast()
{
    QFETCH(QStringList, codes);
    QFETCH(QString, expected);
    if (codes == QStringList{"-"}) {
        auto db = m_folder->open(store::files::Clientes);
        store::TableView v(*db, QStringLiteral("CLIENTES"));
        for (v.moveFirst(); !v.eof(); v.moveNext())
            v.deleteCurrent();
    } else {
        for (const QString &c : codes)
            storeCustomer(m_folder->folder(), {c, "X", "", "", "", "", ""});
    }
    button("cmdAgregar")->click();
    QCOMPARE(box(1)->text(), expected);
    QVERIFY(m_window->findChild<QRadioButton *>(QStringLiteral("Option1"))->isChecked());
    box(2)->setText(QStringLiteral("NUEVO CLIENTE"));
    button("cmdGrabar")->click();
    QCOMPARE(m_messages->fake->shown.last().title, QStringLiteral("Guardar"));
    QCOMPARE(m_messages->fake->shown.last().text, QStringLiteral("Cliente Guardado, Precione Aceptar para Continuar"));
    QCOMPARE(storedField(m_folder->folder(), expected, QStringLiteral("ESTADO")), QStringLiteral("HABILITADA"));
    QCOMPARE(storedField(m_folder->folder(), expected, QStringLiteral("SALDO")), QStringLiteral("0"));
    // The next proposal counts the customer just saved.
    button("cmdAgregar")->click();
    QCOMPARE(box(1)->text(), fmt::formatNumber(expected.toInt() + 1, QStringLiteral("0000")));
}

void TestClientesWindow::saveNeverWritesTheBalance()
{
    lookUp(QStringLiteral("0001"));
    // Meanwhile a delivery note raises the balance on another workstation.
    {
        auto db = m_folder->open(store::files::Clientes);
        store::TableView v(*db, QStringLiteral("CLIENTES"));
        v.setIndex(QStringLiteral("COD_CLIENT"));
        QVERIFY(v.seek(QStringLiteral("0001")));
        v.edit();
        v.setValue(QStringLiteral("SALDO"), QStringLiteral("400"));
        v.update();
    }
    box(2)->setText(QStringLiteral("GOMEZ JUAN CARLOS"));
    button("cmdGrabar")->click();
    QCOMPARE(storedField(m_folder->folder(), QStringLiteral("0001"), QStringLiteral("RAZON_SOC")),
             QStringLiteral("GOMEZ JUAN CARLOS"));
    QCOMPARE(storedField(m_folder->folder(), QStringLiteral("0001"), QStringLiteral("SALDO")), QStringLiteral("400"));
    QCOMPARE(storedField(m_folder->folder(), QStringLiteral("0001"), QStringLiteral("ULT_PAGO")), QStringLiteral("01/12/2026"));
    QCOMPARE(box(2)->text(), QStringLiteral("GOMEZ JUAN CARLOS"));  // the window keeps its contents
}

void TestClientesWindow::saveKeepsStateWhenNoOptionIsChosen()
{
    lookUp(QStringLiteral("0002"));
    auto *option2 = m_window->findChild<QRadioButton *>(QStringLiteral("Option2"));
    QVERIFY(option2->isChecked());
    // Clear both options as Blanquear does, keeping the boxes.
    const QString name = box(2)->text();
    m_window->Blanquear();
    box(1)->setText(QStringLiteral("0002"));
    box(2)->setText(name);
    button("cmdGrabar")->click();
    QCOMPARE(storedField(m_folder->folder(), QStringLiteral("0002"), QStringLiteral("ESTADO")), QStringLiteral("SUSPENDIDA"));

    // A new customer saved with neither option has no state.
    box(1)->setText(QStringLiteral("0100"));
    button("cmdGrabar")->click();
    QCOMPARE(storedField(m_folder->folder(), QStringLiteral("0100"), QStringLiteral("ESTADO")), QString());
    lookUp(QStringLiteral("0100"));
    QVERIFY(!m_window->findChild<QRadioButton *>(QStringLiteral("Option1"))->isChecked());
    QVERIFY(!option2->isChecked());
}

void TestClientesWindow::handTypedVatIsStoredAsTyped()
{
    lookUp(QStringLiteral("0001"));
    auto *combo = m_window->findChild<QComboBox *>(QStringLiteral("Combo1"));
    combo->lineEdit()->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("no categorizado"));
    QCOMPARE(combo->currentText(), QStringLiteral("NO CATEGORIZADO"));
    button("cmdGrabar")->click();
    QCOMPARE(storedField(m_folder->folder(), QStringLiteral("0001"), QStringLiteral("TIPO_IVA")), QStringLiteral("NO CATEGORIZADO"));
    lookUp(QStringLiteral("0001"));
    QCOMPARE(combo->currentText(), QStringLiteral("NO CATEGORIZADO"));
    QCOMPARE(combo->count(), 5);
}

void TestClientesWindow::secondWorkstationDoesNotOverwriteTheFirst()
{
    // Both workstations press Agregar before either saves.
    auto other = std::make_unique<Clientes>();
    button("cmdAgregar")->click();
    other->findChild<QPushButton *>(QStringLiteral("cmdAgregar"))->click();
    QCOMPARE(other->findChild<QLineEdit *>(QStringLiteral("Text1"))->text(), QStringLiteral("0041"));
    other->findChild<QLineEdit *>(QStringLiteral("Text2"))->setText(QStringLiteral("PRIMERO"));
    other->findChild<QPushButton *>(QStringLiteral("cmdGrabar"))->click();

    box(2)->setText(QStringLiteral("SEGUNDO"));
    button("cmdGrabar")->click();
    QCOMPARE(storedField(m_folder->folder(), QStringLiteral("0041"), QStringLiteral("RAZON_SOC")), QStringLiteral("PRIMERO"));
    QCOMPARE(storedField(m_folder->folder(), QStringLiteral("0042"), QStringLiteral("RAZON_SOC")), QStringLiteral("SEGUNDO"));
    QCOMPARE(box(1)->text(), QStringLiteral("0042"));
    QVERIFY(m_messages->fake->shown.size() >= 3);
    QVERIFY(m_messages->fake->shown[m_messages->fake->shown.size() - 2].text.contains(QStringLiteral("0042")));

    // Saving again now changes the customer just added, under its new code.
    box(2)->setText(QStringLiteral("SEGUNDO CAMBIADO"));
    button("cmdGrabar")->click();
    QCOMPARE(storedField(m_folder->folder(), QStringLiteral("0042"), QStringLiteral("RAZON_SOC")),
             QStringLiteral("SEGUNDO CAMBIADO"));
    QCOMPARE(storedField(m_folder->folder(), QStringLiteral("0041"), QStringLiteral("RAZON_SOC")), QStringLiteral("PRIMERO"));
}

void TestClientesWindow::deleteAsksAndDeletes()
{
    box(1)->setText(QStringLiteral("0002"));
    m_messages->fake->answers = {services::Answer::No};
    button("cmdBorrar")->click();
    QCOMPARE(m_messages->fake->shown.last().title, QStringLiteral("Eliminar Cliente --> 0002"));
    QCOMPARE(m_messages->fake->shown.last().text, QStringLiteral("¿Confirme la Eliminación del Cliente? --> PEREZ ANA"));
    QCOMPARE(m_messages->fake->shown.last().icon, services::Icon::Critical);
    QCOMPARE(storedField(m_folder->folder(), QStringLiteral("0002"), QStringLiteral("RAZON_SOC")), QStringLiteral("PEREZ ANA"));
    QCOMPARE(box(1)->text(), QString());  // cleared whichever the answer

    box(1)->setText(QStringLiteral("0002"));
    m_messages->fake->answers = {services::Answer::Yes};
    button("cmdBorrar")->click();
    QCOMPARE(storedField(m_folder->folder(), QStringLiteral("0002"), QStringLiteral("RAZON_SOC")), QStringLiteral("<none>"));

    m_messages->fake->shown.clear();
    button("cmdBorrar")->click();  // empty code
    QCOMPARE(m_messages->fake->shown.size(), 1);
    QCOMPARE(m_messages->fake->shown[0].text, QStringLiteral("Debe poner el Codigo del Cliente a Borrar"));
    QCOMPARE(m_messages->fake->shown[0].icon, services::Icon::Critical);
}

void TestClientesWindow::deleteOfUnknownCodeAsksNothing()
{
    box(1)->setText(QStringLiteral("9999"));
    m_messages->fake->answers = {services::Answer::Yes};
    button("cmdBorrar")->click();
    QCOMPARE(m_messages->fake->shown.size(), 1);
    QCOMPARE(m_messages->fake->shown[0].text, QStringLiteral("Cliente no encontrado en la Base de Datos"));
    QCOMPARE(box(1)->text(), QString());
    auto db = m_folder->open(store::files::Clientes);
    QCOMPARE(store::TableView(*db, QStringLiteral("CLIENTES")).recordCount(), 3LL);
}

void TestClientesWindow::browsingWrapsWithItsMessages()
{
    auto *previous = button("Command1");
    auto *next = button("Command2");
    previous->click();  // the ordered view starts on the first customer
    QCOMPARE(m_messages->fake->shown.last().text, QStringLiteral("Cominezo del Archivo, Aceptar para ir al Ultimo Registro"));
    QCOMPARE(m_messages->fake->shown.last().title, QStringLiteral("Mensaje"));
    QCOMPARE(box(1)->text(), QStringLiteral("0040"));
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label13"))->text(), QStringLiteral("-20,00"));
    next->click();
    QCOMPARE(m_messages->fake->shown.last().text, QStringLiteral("Fin del Archivo, Aceptar para ir al Primer Registro"));
    QCOMPARE(box(1)->text(), QStringLiteral("0001"));
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Label13"))->text(), QStringLiteral("150,50"));
    const int messages = int(m_messages->fake->shown.size());
    next->click();
    QCOMPARE(box(1)->text(), QStringLiteral("0002"));
    QCOMPARE(box(3)->text(), QString());  // nothing kept from the customer shown before
    QCOMPARE(m_messages->fake->shown.size(), messages);
}

void TestClientesWindow::vatListIsFilledOnce()
{
    auto *combo = m_window->findChild<QComboBox *>(QStringLiteral("Combo1"));
    for (int i = 0; i < 3; ++i) {
        lookUp(QStringLiteral("0001"));
        button("Command2")->click();
    }
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items, accounts::vatCategories());
}

void TestClientesWindow::enterAndArrowsFollowTheRing()
{
    box(1)->setFocus();
    QTest::keyClick(box(1), Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), box(11));
    QTest::keyClick(box(11), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), box(1));
    box(3)->setFocus();
    QTest::keyClick(box(3), Qt::Key_Return);
    auto *combo = m_window->findChild<QComboBox *>(QStringLiteral("Combo1"));
    QVERIFY(combo->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), box(4));
    box(11)->setFocus();
    QTest::keyClick(box(11), Qt::Key_Return);  // the end of the ring: nothing
    QCOMPARE(QApplication::focusWidget(), box(11));
}

QTEST_MAIN(TestClientesWindow)
#include "tst_clientes_window.moc"

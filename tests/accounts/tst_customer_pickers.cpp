#include "accounts/clientes_window.h"
#include "accounts/customer_pickers.h"
#include "common/ui/window_opener.h"
#include "fake_messages.h"
#include "test_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

void storeCustomer(const store::DatabaseFolder &folder, const QString &code, const QString &name)
{
    auto db = folder.open(store::files::Clientes);
    store::TableView v(*db, QStringLiteral("CLIENTES"));
    v.addNew();
    v.setValue(QStringLiteral("COD_CLIENT"), code);
    v.setValue(QStringLiteral("RAZON_SOC"), name);
    v.update();
}

} // namespace

class TestCustomerPickers : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void searchFindsTheFirstNameInSortedOrder();
    void searchWithoutMatchLeavesEverything();
    void pickWritesTheCallersCodeField_data();
    void pickWritesTheCallersCodeField();
    void modifyShowsTheCustomerInTheCustomerWindow();
    void deleteAsksAboutTheCustomer();

private:
    ui::RecordPicker *openedPicker() const
    {
        return qobject_cast<ui::RecordPicker *>(QApplication::activeModalWidget());
    }

    std::unique_ptr<TempDatabaseFolder> m_folder;
    std::unique_ptr<MessagesGuard> m_messages;
    std::unique_ptr<accounts::Clientes> m_clientes;
    ui::WindowOpener m_previousOpener;
    QList<QPoint> m_openedAt;
};

void TestCustomerPickers::init()
{
    m_folder = std::make_unique<TempDatabaseFolder>();
    store::DatabaseFolder::setCurrent(m_folder->path);
    m_messages = std::make_unique<MessagesGuard>();
    // Written out of name order.
    storeCustomer(m_folder->folder(), QStringLiteral("0001"), QStringLiteral("PEREZ ANA"));
    storeCustomer(m_folder->folder(), QStringLiteral("0002"), QStringLiteral("GARCIA SUSANA"));
    storeCustomer(m_folder->folder(), QStringLiteral("0003"), QStringLiteral("ACOSTA Y CIA"));
    storeCustomer(m_folder->folder(), QStringLiteral("0004"), QStringLiteral("GARAGE EL TRIUNFO"));
    storeCustomer(m_folder->folder(), QStringLiteral("0005"), QStringLiteral("BULONERA GARCIA"));
    m_clientes = std::make_unique<accounts::Clientes>();
    m_clientes->show();
    m_openedAt.clear();
    m_previousOpener = ui::setWindowOpener([this](const QString &name, int left, int top) -> QWidget * {
        m_openedAt.append({left, top});
        return name == QLatin1String("Clientes") ? m_clientes.get() : nullptr;
    });
}

void TestCustomerPickers::cleanup()
{
    if (auto *open = QApplication::activeModalWidget())
        open->close();
    ui::setWindowOpener(std::move(m_previousOpener));
    m_clientes.reset();
    m_messages.reset();
    store::DatabaseFolder::setCurrent(QString());
    m_folder.reset();
}

void TestCustomerPickers::searchFindsTheFirstNameInSortedOrder()
{
    auto *picker = accounts::openConsListaCliente(m_clientes.get());
    QCOMPARE(picker->objectName(), QStringLiteral("ConsListaCliente"));
    QCOMPARE(picker->windowTitle(), QStringLiteral("Consulta - Clientes"));
    QCOMPARE(picker->rowCount(), 5);
    QCOMPARE(picker->value(0, QStringLiteral("RAZON_SOC")), QStringLiteral("ACOSTA Y CIA"));  // sorted by name
    QCOMPARE(picker->currentRow(), 0);
    picker->searchBox()->setFocus();
    QTest::keyClicks(picker->searchBox(), QStringLiteral("gar"));
    QCOMPARE(picker->searchBox()->text(), QStringLiteral("GAR"));
    QTest::keyClick(picker->searchBox(), Qt::Key_Return);
    QCOMPARE(picker->value(picker->currentRow(), QStringLiteral("RAZON_SOC")), QStringLiteral("GARAGE EL TRIUNFO"));
    QCOMPARE(picker->focusWidget(), picker->list());
    // Every search starts again from the top.
    QTest::keyClick(picker->searchBox(), Qt::Key_Return);
    QCOMPARE(picker->value(picker->currentRow(), QStringLiteral("COD_CLIENT")), QStringLiteral("0004"));
}

void TestCustomerPickers::searchWithoutMatchLeavesEverything()
{
    auto *picker = accounts::openConsListaCliente(m_clientes.get());
    picker->searchBox()->setFocus();
    QTest::keyClicks(picker->searchBox(), QStringLiteral("ZZ"));
    QTest::keyClick(picker->searchBox(), Qt::Key_Return);
    QCOMPARE(picker->currentRow(), 0);
    QCOMPARE(picker->focusWidget(), picker->searchBox());
    // Enter in the list of the customer window's own picker takes nothing.
    picker->list()->setFocus();
    QTest::keyClick(picker->list(), Qt::Key_Return);
    QVERIFY(picker->isVisible());
}

void TestCustomerPickers::pickWritesTheCallersCodeField_data()
{
    QTest::addColumn<QString>("picker");
    QTest::addColumn<QString>("field");
    QTest::newRow("delivery note") << "ConsListaClienteR" << "Text7";
    QTest::newRow("invoice") << "ConsListaClienteA" << "Text7";
    QTest::newRow("credit note") << "ConsListaClienteN" << "Text7";
    QTest::newRow("statement") << "ConsListaClienteC" << "Text1";
}

void TestCustomerPickers::pickWritesTheCallersCodeField()
{
    QFETCH(QString, picker);
    QFETCH(QString, field);
    QWidget caller;
    auto *code = new QLineEdit(&caller);
    code->setObjectName(field);
    auto *name = new QLineEdit(&caller);
    name->setObjectName(QStringLiteral("Text4"));
    caller.show();
    auto *p = accounts::openCustomerPicker(picker, &caller, field);
    QCOMPARE(p->objectName(), picker);
    // Picking without a search takes the first customer of the sorted list.
    p->list()->setFocus();
    QTest::keyClick(p->list(), Qt::Key_Return);
    QTRY_VERIFY(!p->isVisible());
    QCOMPARE(code->text(), QStringLiteral("0003"));
    QCOMPARE(code->selectedText(), QStringLiteral("0003"));
    QCOMPARE(name->text(), QString());  // nothing is looked up yet
}

void TestCustomerPickers::modifyShowsTheCustomerInTheCustomerWindow()
{
    auto *picker = accounts::openConsListaCliente(m_clientes.get());
    picker->searchBox()->setFocus();
    QTest::keyClicks(picker->searchBox(), QStringLiteral("PER"));
    QTest::keyClick(picker->searchBox(), Qt::Key_Return);
    QTest::keyClick(picker->list(), Qt::Key_3);
    QTRY_VERIFY(!picker->isVisible());
    QVERIFY(m_openedAt.contains(QPoint(1450, 0)));
    auto *text1 = m_clientes->findChild<QLineEdit *>(QStringLiteral("Text1"));
    QCOMPARE(text1->text(), QStringLiteral("0001"));
    QCOMPARE(m_clientes->findChild<QLineEdit *>(QStringLiteral("Text2"))->text(), QStringLiteral("PEREZ ANA"));
    QCOMPARE(text1->selectedText(), QStringLiteral("0001"));
}

void TestCustomerPickers::deleteAsksAboutTheCustomer()
{
    auto *picker = accounts::openConsListaCliente(m_clientes.get());
    picker->searchBox()->setFocus();
    QTest::keyClicks(picker->searchBox(), QStringLiteral("BUL"));
    QTest::keyClick(picker->searchBox(), Qt::Key_Return);
    m_messages->fake->answers = {services::Answer::No};
    picker->findChild<QPushButton *>(QStringLiteral("cmdBorrar"))->click();
    QTRY_VERIFY(!picker->isVisible());
    QCOMPARE(m_messages->fake->shown.size(), 1);
    QCOMPARE(m_messages->fake->shown[0].title, QStringLiteral("Eliminar Cliente --> 0005"));
    QCOMPARE(m_messages->fake->shown[0].text, QStringLiteral("¿Confirme la Eliminación del Cliente? --> BULONERA GARCIA"));
    QCOMPARE(m_clientes->findChild<QLineEdit *>(QStringLiteral("Text2"))->text(), QStringLiteral("BULONERA GARCIA"));
}

QTEST_MAIN(TestCustomerPickers)
#include "tst_customer_pickers.moc"

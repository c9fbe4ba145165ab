#include "common/services.h"
#include "common/session.h"
#include "common/ui/twips.h"
#include "fake_messages.h"
#include "sales/fiscal_recorder.h"
#include "shell/main_window.h"
#include "shell/window_registry.h"
#include "temp_database.h"
#include "utilities/demo_data.h"

#include <QAction>
#include <QFile>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

using shell::Principal;

// The working windows as the main window opens them: every registered entry
// opens its window at its place, and windows that open another one by name
// reach the main window's.
class TstWindowRegistry : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_folder = std::make_unique<TempDatabase>();
        demo::fillDemo(m_folder->path());
    }
    void cleanupTestCase() { m_folder.reset(); }
    void init()
    {
        services::setPauseScale(0);
        services::setToday(QDate(2026, 12, 11));
        m_recorder = std::make_shared<sales::FiscalRecorder>();
        m_previousDevice = sales::setFiscalDevice(m_recorder);
        m_messages = std::make_unique<MessagesGuard>();
        session::UsuarioActual() = QStringLiteral("ADMIN");
        m_main = std::make_unique<Principal>();
        shell::registerWindows(*m_main);
        m_main->show();
    }
    void cleanup()
    {
        m_main.reset();
        m_messages.reset();
        sales::setFiscalDevice(m_previousDevice);
        services::setToday(QDate());
        services::setPauseScale(1);
    }

    void entriesOpenTheirWindows_data();
    void entriesOpenTheirWindows();
    void newArticleKeyReopensTheArticleWindow();
    void aWindowWhoseFileIsMissingSaysSo();
    void ctrlAOpensTheInvoiceTicketFromATextBox();

private:
    std::unique_ptr<TempDatabase> m_folder;
    std::shared_ptr<sales::FiscalRecorder> m_recorder;
    std::shared_ptr<sales::FiscalDevice> m_previousDevice;
    std::unique_ptr<MessagesGuard> m_messages;
    std::unique_ptr<Principal> m_main;
};

void TstWindowRegistry::entriesOpenTheirWindows_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::newRow("Articulos") << "Articulos" << 3200 << 0;
    QTest::newRow("Clientes") << "Clientes" << 3000 << 0;
    QTest::newRow("Rubro") << "Rubro" << 3800 << 0;
    QTest::newRow("EntrarBuscar") << "EntrarBuscar" << 4700 << 500;
    QTest::newRow("Ticket") << "Ticket" << 2100 << 0;
    QTest::newRow("TicketA") << "TicketA" << 2100 << 0;
    QTest::newRow("TicketN") << "TicketN" << 2100 << 0;
    QTest::newRow("AumentaCosto") << "AumentaCosto" << 3750 << 0;
}

void TstWindowRegistry::entriesOpenTheirWindows()
{
    QFETCH(QString, window);
    QFETCH(int, left);
    QFETCH(int, top);
    QAction *entry = m_main->action(window);
    QVERIFY(entry);
    QVERIFY(entry->isEnabled());
    entry->trigger();
    QWidget *opened = m_main->findChildWindow(window);
    QVERIFY2(opened, qPrintable(window));
    QCOMPARE(opened->objectName(), window);
    auto *frame = qobject_cast<QMdiSubWindow *>(opened->parentWidget());
    QVERIFY(frame);
    QCOMPARE(frame->pos(), ui::twipsPoint(left, top));
    QVERIFY(m_messages->fake->shown.isEmpty());
}

void TstWindowRegistry::newArticleKeyReopensTheArticleWindow()
{
    m_main->action(QStringLiteral("Articulos"))->trigger();
    QWidget *first = m_main->findChildWindow(QStringLiteral("Articulos"));
    QVERIFY(first);
    auto *text1 = first->findChild<QLineEdit *>(QStringLiteral("Text1"));
    text1->setFocus();
    QTest::keyClick(text1, Qt::Key_2);
    QTRY_VERIFY(m_main->findChildWindow(QStringLiteral("Articulos")) != nullptr
                && m_main->findChildWindow(QStringLiteral("Articulos")) != first);
    QWidget *second = m_main->findChildWindow(QStringLiteral("Articulos"));
    auto *frame = qobject_cast<QMdiSubWindow *>(second->parentWidget());
    QVERIFY(frame);
    QCOMPARE(frame->pos(), ui::twipsPoint(1600, 0));
    // The demo shop's codes run from 00001 on: the next one is proposed.
    const QString proposed = second->findChild<QLineEdit *>(QStringLiteral("Text1"))->text();
    QCOMPARE(proposed.size(), 5);
    QVERIFY(proposed.toInt() > 200);
    QCOMPARE(m_main->mdiArea()->subWindowList().size(), 1);  // the old frame went with its window
}

void TstWindowRegistry::aWindowWhoseFileIsMissingSaysSo()
{
    const QString file = m_folder->path() + QStringLiteral("/Clientes.mdb");
    const QString aside = file + QStringLiteral(".aparte");
    QVERIFY(QFile::rename(file, aside));
    m_main->action(QStringLiteral("Clientes"))->trigger();
    QVERIFY(QFile::rename(aside, file));
    QVERIFY(!m_main->findChildWindow(QStringLiteral("Clientes")));
    QCOMPARE(m_messages->fake->shown.size(), 1);
    QCOMPARE(m_messages->fake->shown[0].title, QStringLiteral("Error"));
    QVERIFY(m_messages->fake->shown[0].text.contains(QStringLiteral("Clientes.mdb")));
    QVERIFY(m_main->mdiArea()->subWindowList().isEmpty());
}

void TstWindowRegistry::ctrlAOpensTheInvoiceTicketFromATextBox()
{
    m_main->action(QStringLiteral("Ticket"))->trigger();
    QWidget *ticket = m_main->findChildWindow(QStringLiteral("Ticket"));
    QVERIFY(ticket);
    QApplication::setActiveWindow(m_main.get());
    auto *code = ticket->findChild<QLineEdit *>(QStringLiteral("Text10_0"));
    code->setFocus();
    QTest::keyClick(code, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(m_main->findChildWindow(QStringLiteral("TicketA")));

    // Ctrl+Z in a text box stays an editing key: no daily close.
    auto *number = m_main->findChildWindow(QStringLiteral("TicketA"))->findChild<QLineEdit *>(QStringLiteral("Text2"));
    number->setFocus();
    QTest::keyClick(number, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(m_recorder->calls().isEmpty());
}

QTEST_MAIN(TstWindowRegistry)
#include "tst_window_registry.moc"

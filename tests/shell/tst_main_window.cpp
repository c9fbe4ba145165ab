#include "common/services.h"
#include "common/session.h"
#include "common/ui/twips.h"
#include "fake_messages.h"
#include "sales/fiscal_emulator.h"
#include "sales/fiscal_recorder.h"
#include "shell/calculator.h"
#include "shell/clock_text.h"
#include "shell/main_window.h"
#include "temp_database.h"

#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using shell::Placement;
using shell::Principal;

namespace {

// A working window that counts how many were built.
QWidget *countedWindow(int &built, const QString &title)
{
    ++built;
    auto *w = new QWidget;
    w->setWindowTitle(title);
    w->resize(300, 200);
    return w;
}

// "&Archivo|Calendario|Calculadora|-|&Impresora\tCtrl+I": the captions of a
// menu and its entries as one text, shortcuts after a tab.
QString describe(QMenu *menu)
{
    QStringList parts{menu->title()};
    for (QAction *a : menu->actions()) {
        if (a->isSeparator())
            parts << QStringLiteral("-");
        else if (a->shortcut().isEmpty())
            parts << a->text();
        else
            parts << a->text() + QLatin1Char('\t') + a->shortcut().toString(QKeySequence::PortableText);
    }
    return parts.join(QLatin1Char('|'));
}

} // namespace

class TstMainWindow : public QObject {
    Q_OBJECT

private slots:
    // The main window only reads the options file: one folder serves all.
    void initTestCase() { m_folder = std::make_unique<TempDatabase>(); }
    void cleanupTestCase() { m_folder.reset(); }
    void init()
    {
        services::setPauseScale(0);
        m_recorder = std::make_shared<sales::FiscalRecorder>();
        m_previousDevice = sales::setFiscalDevice(m_recorder);
        m_messages = std::make_unique<MessagesGuard>();
        session::UsuarioActual() = QStringLiteral("admin");
        m_main = std::make_unique<Principal>();
    }
    void cleanup()
    {
        m_main.reset();
        m_messages.reset();
        sales::setFiscalDevice(m_previousDevice);
        session::UsuarioActual().clear();
        shell::setCalculatorCommand(QString());
        services::setPauseScale(1);
    }

    void titleCarriesTheUserNameAsTyped_data();
    void titleCarriesTheUserNameAsTyped();
    void clockIsSetBeforeTheFirstTick();
    void menusInOrderWithCaptionsSeparatorsAndShortcuts_data();
    void menusInOrderWithCaptionsSeparatorsAndShortcuts();
    void toolbarButtonsInOrder();
    void entriesWithoutAWindowStayDisabled_data();
    void entriesWithoutAWindowStayDisabled();
    void registeringAWindowEnablesItsEntryAndButton();
    void openingAnOpenWindowBringsItForwardAtItsPlace();
    void closedWindowIsBuiltAfresh_data();
    void closedWindowIsBuiltAfresh();
    void screenWindowIsPlacedOnTheScreen();
    void listingIsShownAfresh();
    void dailyCloses_data();
    void dailyCloses();
    void dailyClosesReachTheEmulatorsTape();
    void salirEndsTheProgram_data();
    void salirEndsTheProgram();
    void windowsMenuListsAndArranges();
    void organizarIconosLinesUpMinimisedWindows();
    void calculator_data();
    void calculator();
    void acercaIsModalWithItsPicture();

private:
    QMdiSubWindow *subOf(QWidget *w) const { return qobject_cast<QMdiSubWindow *>(w->parentWidget()); }

    std::unique_ptr<TempDatabase> m_folder;
    std::shared_ptr<sales::FiscalRecorder> m_recorder;
    std::shared_ptr<sales::FiscalDevice> m_previousDevice;
    std::unique_ptr<MessagesGuard> m_messages;
    std::unique_ptr<Principal> m_main;
};

void TstMainWindow::titleCarriesTheUserNameAsTyped_data()
{
    QTest::addColumn<QString>("user");
    QTest::newRow("lower case") << "admin";
    QTest::newRow("accents and blanks") << "José Pérez ";
}

void TstMainWindow::titleCarriesTheUserNameAsTyped()
{
    QFETCH(QString, user);
    session::UsuarioActual() = user;
    Principal main;
    QCOMPARE(main.objectName(), QStringLiteral("Principal"));
    QCOMPARE(main.windowTitle(), QStringLiteral("Sistema - Gualter Torvi e Hijos  ..... - ") + user);
}

void TstMainWindow::clockIsSetBeforeTheFirstTick()
{
    const QString before = shell::clockText(QTime::currentTime());
    Principal main;   // no event has run yet
    const QString after = shell::clockText(QTime::currentTime());
    auto *clock = main.findChild<QLabel *>(QStringLiteral("lblTime"));
    QVERIFY(clock);
    QVERIFY(!clock->text().isEmpty());
    QVERIFY(clock->text() == before || clock->text() == after);
    QVERIFY(clock->font().bold());
    QCOMPARE(clock->font().family(), QStringLiteral("Arial"));
    QCOMPARE(clock->font().pointSizeF(), 21.75);
    QCOMPARE(clock->alignment(), Qt::AlignCenter);
    QVERIFY(clock->frameShape() == QFrame::Box);

    auto *timer = main.findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 100);
    QVERIFY(timer->isActive());
    // The label follows the clock.
    clock->setText(QStringLiteral("x"));
    QTRY_COMPARE_WITH_TIMEOUT(clock->text().isEmpty() || clock->text() == QLatin1String("x"), false, 1000);
}

void TstMainWindow::menusInOrderWithCaptionsSeparatorsAndShortcuts_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("menu");

    const QStringList menus = {
        "&Archivo|Calendario|Calculadora|-|&Impresora\tCtrl+I",
        "&Base de Datos|Articulos|-|Clientes|-|Proveedores|-|Rubros|-|Usuarios",
        "&Operaciones|&Lista de Precios\tCtrl+L|-|&Ticket          \tCtrl+T|-|Ticket Factura\tCtrl+A|-"
        "|Nota Credito\tCtrl+N|-|Remito\tCtrl+R|-|Backup\tCtrl+B|-|Aumenta Costo",
        "&Listados|Articulos|-|Clientes|-|Proveedores|-|Remitos",
        "&Controlador Fiscal|Cierre Z          \tCtrl+Z|-|Cierre X          \tCtrl+X|-",
        "&Ventanas|&Cascada|&Mosaico|&Oganizar Iconos",
        "&Salir|&Acerca de . . .|-|&Salir\tCtrl+S",
    };
    for (int i = 0; i < menus.size(); ++i)
        QTest::newRow(qPrintable(menus[i].section(QLatin1Char('|'), 0, 0))) << i << menus[i];
}

void TstMainWindow::menusInOrderWithCaptionsSeparatorsAndShortcuts()
{
    QFETCH(int, position);
    QFETCH(QString, menu);
    const QList<QAction *> bar = m_main->menuBar()->actions();
    QCOMPARE(bar.size(), 7);
    QMenu *shown = bar.at(position)->menu();
    QVERIFY(shown);
    QCOMPARE(describe(shown), menu);
}

void TstMainWindow::toolbarButtonsInOrder()
{
    auto *bar = m_main->findChild<QToolBar *>();
    QVERIFY(bar);
    QCOMPARE(bar->height(), ui::twipsY(735));
    QStringList seen;
    for (QAction *a : bar->actions()) {
        QWidget *w = bar->widgetForAction(a);
        if (auto *button = qobject_cast<QToolButton *>(w)) {
            QVERIFY(button->font().bold());
            seen << button->text() + QLatin1Char('/') + button->toolTip();
        } else if (w) {
            seen << w->objectName();
        }
    }
    const QStringList expected = {
        "Lista.Pre./Consulta Lista Precio", "Ticket/Ticket", "Ticket Factura/Ticket", "Nota Credito/IVA Compras",
        "Remito/Remito", "Backup/Backup", "lblTime", "Calen./Calendario", "Calc./Calculadora",
        "Salir/Salir del Programa",
    };
    QCOMPARE(seen, expected);
    QVERIFY(m_main->toolButton(QStringLiteral("Salir")));
    QVERIFY(m_main->toolButton(QStringLiteral("tbTicket")));
}

void TstMainWindow::entriesWithoutAWindowStayDisabled_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("button");   // its toolbar button, if any
    QTest::addColumn<bool>("enabled");

    const char *disabled[][2] = {
        {"Fecha", "tbCalen"}, {"Impresora", ""}, {"Articulos", ""}, {"Clientes", ""},
        {"Proveedores", ""}, {"Rubro", ""}, {"Usuarios", ""}, {"EntrarBuscar", "tbListaPre"},
        {"Ticket", "tbTicket"}, {"TicketA", "tbTicketFactura"}, {"TicketN", "tbNotaCredito"},
        {"Remito", "tbRemito"}, {"Frm_Copy", "tbBackup"}, {"AumentaCosto", ""},
        {"ListadoArticulos", ""}, {"ListadoClientes", ""}, {"ListadoProveedores", ""},
        {"RangoClienteCtaCte", ""},
    };
    for (const auto &row : disabled)
        QTest::newRow(row[0]) << row[0] << row[1] << false;
    const char *enabled[][2] = {
        {"Calculadora", "tbCalc"}, {"CierreZ", ""}, {"CierreX", ""}, {"Cascada", ""}, {"Mosaico", ""},
        {"OrganizarIconos", ""}, {"Acerca", ""}, {"Salir", "Salir"},
    };
    for (const auto &row : enabled)
        QTest::newRow(row[0]) << row[0] << row[1] << true;
}

void TstMainWindow::entriesWithoutAWindowStayDisabled()
{
    QFETCH(QString, key);
    QFETCH(QString, button);
    QFETCH(bool, enabled);
    QAction *action = m_main->action(key);
    QVERIFY(action);
    QCOMPARE(action->isEnabled(), enabled);
    if (!button.isEmpty()) {
        QVERIFY(m_main->toolButton(button));
        QCOMPARE(m_main->toolButton(button)->isEnabled(), enabled);
    }
}

void TstMainWindow::registeringAWindowEnablesItsEntryAndButton()
{
    int built = 0;
    m_main->registerWindow(QStringLiteral("TicketA"), [&built] { return countedWindow(built, "Ticket Factura"); },
                           2100, 0);
    QVERIFY(m_main->action(QStringLiteral("TicketA"))->isEnabled());
    QToolButton *button = m_main->toolButton(QStringLiteral("tbTicketFactura"));
    QVERIFY(button->isEnabled());
    QVERIFY(!m_main->toolButton(QStringLiteral("tbTicket"))->isEnabled());

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(built, 1);
    QPointer<QWidget> window = m_main->findChildWindow(QStringLiteral("TicketA"));
    QVERIFY(window);
    QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
    m_main->action(QStringLiteral("TicketA"))->trigger();
    QCOMPARE(built, 1);

    // A sales window that closes hands the focus to its toolbar button;
    // Enter there opens the window again.
    m_main->show();
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
    window->close();
    QTRY_VERIFY(!window);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    QCOMPARE(built, 2);
}

void TstMainWindow::openingAnOpenWindowBringsItForwardAtItsPlace()
{
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    int built = 0;
    int builtOther = 0;
    const auto factory = [&built] { return countedWindow(built, "Ticket"); };
    QWidget *ticket = m_main->openChild(QStringLiteral("Ticket"), factory, 2100, 0);
    QWidget *other = m_main->openChild(QStringLiteral("Remito"),
                                       [&builtOther] { return countedWindow(builtOther, "Remito"); }, 3000, 300);
    QCOMPARE(ticket->objectName(), QStringLiteral("Ticket"));
    QCOMPARE(ticket->size(), QSize(300, 200));   // the size it gave itself
    QCOMPARE(subOf(ticket)->pos(), ui::twipsPoint(2100, 0));
    QCOMPARE(subOf(other)->pos(), ui::twipsPoint(3000, 300));
    QCOMPARE(m_main->mdiArea()->activeSubWindow(), subOf(other));

    subOf(ticket)->move(5, 77);
    subOf(ticket)->showMinimized();
    QWidget *again = m_main->openChild(QStringLiteral("Ticket"), factory, 2100, 0);
    QCOMPARE(again, ticket);
    QCOMPARE(built, 1);
    QVERIFY(!subOf(ticket)->isMinimized());
    QCOMPARE(subOf(ticket)->pos(), ui::twipsPoint(2100, 0));
    QCOMPARE(m_main->mdiArea()->activeSubWindow(), subOf(ticket));
    QCOMPARE(m_main->mdiArea()->subWindowList().size(), 2);
}

void TstMainWindow::closedWindowIsBuiltAfresh_data()
{
    QTest::addColumn<bool>("byFrame");
    QTest::newRow("window closes itself") << false;
    QTest::newRow("operator closes the frame") << true;
}

void TstMainWindow::closedWindowIsBuiltAfresh()
{
    QFETCH(bool, byFrame);
    int built = 0;
    const auto factory = [&built] { return countedWindow(built, "Articulos"); };
    QPointer<QWidget> first = m_main->openChild(QStringLiteral("Articulos"), factory, 3200, 0);
    if (byFrame)
        subOf(first)->close();
    else
        first->close();
    // Opened again at once, before the closed one is gone.
    QWidget *second = m_main->openChild(QStringLiteral("Articulos"), factory, 3200, 0);
    QCOMPARE(built, 2);
    QVERIFY(second != first);
    QTRY_VERIFY(!first);
    // The empty frame of the first one goes too.
    QTRY_COMPARE(m_main->mdiArea()->subWindowList().size(), 1);
    QCOMPARE(m_main->findChildWindow(QStringLiteral("Articulos")), second);
}

void TstMainWindow::screenWindowIsPlacedOnTheScreen()
{
    int built = 0;
    m_main->registerWindow(QStringLiteral("Fecha"), [&built] { return countedWindow(built, "Fecha"); }, 4500, 0,
                           Placement::OnScreen);
    QVERIFY(m_main->toolButton(QStringLiteral("tbCalen"))->isEnabled());
    m_main->action(QStringLiteral("Fecha"))->trigger();
    QWidget *fecha = m_main->findChildWindow(QStringLiteral("Fecha"));
    QVERIFY(fecha);
    QVERIFY(fecha->isWindow());
    QCOMPARE(fecha->pos(), ui::twipsPoint(4500, 0));
    fecha->move(200, 200);
    m_main->action(QStringLiteral("Fecha"))->trigger();
    QCOMPARE(built, 1);
    QCOMPARE(fecha->pos(), ui::twipsPoint(4500, 0));
    QVERIFY(m_main->mdiArea()->subWindowList().isEmpty());
}

void TstMainWindow::listingIsShownAfresh()
{
    int built = 0;
    m_main->registerListing(QStringLiteral("ListadoClientes"), [&built] {
        auto *w = countedWindow(built, "Listado");
        w->setWindowFlag(Qt::Window);
        return w;
    });
    m_main->action(QStringLiteral("ListadoClientes"))->trigger();
    QPointer<QWidget> first = m_main->findChildWindow(QStringLiteral("ListadoClientes"));
    QVERIFY(first);
    m_main->action(QStringLiteral("ListadoClientes"))->trigger();
    QCOMPARE(built, 2);
    QTRY_VERIFY(!first);
    QWidget *second = m_main->findChildWindow(QStringLiteral("ListadoClientes"));
    QVERIFY(second);
    QVERIFY(second->isVisible());
}

void TstMainWindow::dailyCloses_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("refused");
    QTest::newRow("Z") << "CierreZ" << QStringList{"Z"} << false;
    QTest::newRow("X") << "CierreX" << QStringList{"X", "P"} << false;
    QTest::newRow("Z refused by the printer") << "CierreZ" << QStringList{"Z"} << true;
    QTest::newRow("X refused by the printer") << "CierreX" << QStringList{"X", "P"} << true;
}

void TstMainWindow::dailyCloses()
{
    QFETCH(QString, key);
    QFETCH(QStringList, arguments);
    QFETCH(bool, refused);
    if (refused)
        m_recorder->refuse(QStringLiteral("CierreDiario"));
    m_main->action(key)->trigger();
    const QList<sales::FiscalCall> expected{{QStringLiteral("CierreDiario"), arguments}};
    QCOMPARE(m_recorder->calls(), expected);
    QVERIFY((*m_messages)->shown.isEmpty());
}

void TstMainWindow::dailyClosesReachTheEmulatorsTape()
{
    QTemporaryDir dir;
    const QString tape = dir.filePath(QStringLiteral("cinta.txt"));
    const auto previous = sales::setFiscalDevice(std::make_shared<sales::FiscalEmulator>(tape));
    m_main->action(QStringLiteral("CierreX"))->trigger();
    m_main->action(QStringLiteral("CierreZ"))->trigger();
    sales::setFiscalDevice(previous);
    QFile file(tape);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    const qsizetype x = text.indexOf(QStringLiteral("INFORME X"));
    const qsizetype z = text.indexOf(QStringLiteral("CIERRE Z"));
    QVERIFY2(x >= 0 && z > x, qPrintable(text));
    QVERIFY((*m_messages)->shown.isEmpty());
}

void TstMainWindow::salirEndsTheProgram_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("menu") << "menu";
    QTest::newRow("button") << "button";
    QTest::newRow("closing the window") << "close";
}

void TstMainWindow::salirEndsTheProgram()
{
    QFETCH(QString, how);
    int built = 0;
    m_main->openChild(QStringLiteral("Clientes"), [&built] { return countedWindow(built, "Clientes"); }, 3000, 0);
    QSignalSpy ended(m_main.get(), &Principal::programEndRequested);
    if (how == QLatin1String("menu"))
        m_main->action(QStringLiteral("Salir"))->trigger();
    else if (how == QLatin1String("button"))
        m_main->toolButton(QStringLiteral("Salir"))->click();
    else
        m_main->close();
    QCOMPARE(ended.size(), 1);
    QVERIFY((*m_messages)->shown.isEmpty());   // no question asked
}

void TstMainWindow::windowsMenuListsAndArranges()
{
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    int built = 0;
    QWidget *a = m_main->openChild(QStringLiteral("Clientes"), [&built] { return countedWindow(built, "Clientes"); },
                                   3000, 0);
    QWidget *b = m_main->openChild(QStringLiteral("Rubro"), [&built] { return countedWindow(built, "Rubros"); },
                                   3800, 0);
    QMenu *windows = m_main->menuBar()->actions().at(5)->menu();
    emit windows->aboutToShow();
    QStringList entries;
    for (QAction *action : windows->actions())
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(entries, (QStringList{"&Cascada", "&Mosaico", "&Oganizar Iconos", "-", "&1 Clientes", "&2 Rubros"}));
    windows->actions().at(4)->trigger();
    QCOMPARE(m_main->mdiArea()->activeSubWindow(), subOf(a));

    m_main->action(QStringLiteral("Mosaico"))->trigger();
    const QRect area = m_main->mdiArea()->viewport()->rect();
    const QRect ra = subOf(a)->geometry();
    const QRect rb = subOf(b)->geometry();
    QCOMPARE(ra.width(), area.width());
    QCOMPARE(rb.width(), area.width());
    QVERIFY(!ra.intersects(rb));

    m_main->action(QStringLiteral("Cascada"))->trigger();
    QVERIFY(subOf(a)->pos() != subOf(b)->pos());
}

void TstMainWindow::organizarIconosLinesUpMinimisedWindows()
{
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    int built = 0;
    QList<QMdiSubWindow *> subs;
    for (const char *name : {"Articulos", "Clientes", "Proveedores"}) {
        QWidget *w = m_main->openChild(QString::fromLatin1(name),
                                       [&built, name] { return countedWindow(built, QString::fromLatin1(name)); },
                                       1000, 1000);
        subs << subOf(w);
    }
    for (QMdiSubWindow *s : subs) {
        s->showMinimized();
        s->move(400, 100);   // scattered
    }
    m_main->action(QStringLiteral("OrganizarIconos"))->trigger();
    const QRect area = m_main->mdiArea()->viewport()->rect();
    int left = 0;
    for (QMdiSubWindow *s : subs) {
        QVERIFY(s->isMinimized());
        QCOMPARE(s->geometry().bottom(), area.bottom());
        QCOMPARE(s->x(), left);
        left += s->width();
    }
}

void TstMainWindow::calculator_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("message");
    QTest::newRow("program that exists") << QStringLiteral("true") << false;
    QTest::newRow("missing program") << QStringLiteral("/no/such/calculadora") << true;
}

void TstMainWindow::calculator()
{
    QFETCH(QString, command);
    QFETCH(bool, message);
    shell::setCalculatorCommand(command);
    m_main->toolButton(QStringLiteral("tbCalc"))->click();
    QCOMPARE((*m_messages)->shown.size(), message ? 1 : 0);
    if (message) {
        QCOMPARE((*m_messages)->shown[0].icon, services::Icon::Critical);
        QVERIFY((*m_messages)->shown[0].text.contains(QStringLiteral("calculadora")));
    }
}

void TstMainWindow::acercaIsModalWithItsPicture()
{
    bool seen = false;
    QTimer::singleShot(0, this, [&seen] {
        auto *about = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!about || about->objectName() != QLatin1String("Acerca"))
            return;
        auto *picture = about->findChild<QLabel *>();
        auto *ok = about->findChild<QPushButton *>();
        seen = picture && !picture->pixmap().isNull() && ok && ok->text() == QLatin1String("&Aceptar");
        if (ok)
            ok->click();
        else
            about->reject();
    });
    m_main->action(QStringLiteral("Acerca"))->trigger();
    QVERIFY(seen);
}

QTEST_MAIN(TstMainWindow)
#include "tst_main_window.moc"

// The price lookup "Buscar Articulos" inside a main window, and what it
// leaves for the article picker.

#include "catalogue/article_picker.h"
#include "catalogue/entrar_buscar.h"
#include "common/formats.h"
#include "fake_messages.h"
#include "picker_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using catalogue::ArticlePicker;
using catalogue::EntrarBuscar;

// A main window with the "Lista.Pre." toolbar button and an MDI area, the
// lookup open in it as the main window opens its working windows.
struct Shell {
    QMainWindow main;
    QMdiArea *mdi = nullptr;
    QWidget *listaPre = nullptr;
    QPointer<EntrarBuscar> lookup;

    Shell()
    {
        mdi = new QMdiArea(&main);
        main.setCentralWidget(mdi);
        auto *bar = main.addToolBar(QStringLiteral("Principal"));
        QAction *action = bar->addAction(QStringLiteral("Lista.Pre."));
        listaPre = bar->widgetForAction(action);
        listaPre->setObjectName(QStringLiteral("tbListaPre"));
        auto *other = new QLineEdit(&main);   // somewhere else the focus could go
        other->setObjectName(QStringLiteral("other"));
        bar->addWidget(other);
        main.resize(1000, 700);
        main.show();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        open();
    }

    void open()
    {
        lookup = new EntrarBuscar;
        lookup->setAttribute(Qt::WA_DeleteOnClose);
        mdi->addSubWindow(lookup)->show();
        lookup->setFocus();
        QApplication::processEvents();
    }

    QLineEdit *box(const char *name) const { return lookup->findChild<QLineEdit *>(QLatin1String(name)); }
    QPushButton *button(const char *name) const { return lookup->findChild<QPushButton *>(QLatin1String(name)); }

    // Lets deferred deletes and queued closes run.
    static void settle()
    {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QApplication::processEvents();
        }
    }

    ArticlePicker *picker() const { return main.findChild<ArticlePicker *>(QStringLiteral("ConsListaArticulo")); }
};

class TestPriceLookup : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opening();
    void choice_data();
    void choice();
    void typingCOrDReplaces();
    void enterOpensThePicker();
    void lastLookupShownByEveryLookupPicker();
    void cancel_data();
    void cancel();
    void aceptarDoesNothing();

private:
    std::unique_ptr<PickerFixture> m_fixture;
    std::unique_ptr<MessagesGuard> m_messages;
};

void TestPriceLookup::init()
{
    services::setPauseScale(0);
    services::setToday(QDate(2024, 5, 17));
    session::TextoBuscar().clear();
    m_fixture = std::make_unique<PickerFixture>();
    m_messages = std::make_unique<MessagesGuard>();
}

void TestPriceLookup::cleanup()
{
    m_messages.reset();
    m_fixture.reset();
    session::TextoBuscar().clear();
    services::setPauseScale(1);
    services::setToday(QDate());
}

void TestPriceLookup::opening()
{
    Shell s;
    QCOMPARE(s.lookup->objectName(), QStringLiteral("EntrarBuscar"));
    QCOMPARE(s.lookup->windowTitle(), QStringLiteral("Buscar Articulos"));
    QCOMPARE(s.lookup->findChild<QLabel *>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Consulta [C]ódigo [D]escripción -->"));
    QCOMPARE(s.box("Text1")->maxLength(), 1);
    QCOMPARE(s.box("Text3")->text(), QStringLiteral("17/05/2024"));
    QVERIFY(s.box("Text3")->isReadOnly());
    QVERIFY(!s.box("Text2")->isVisible());
    QVERIFY(!s.lookup->findChild<QLabel *>(QStringLiteral("Label2"))->isVisible());
    QCOMPARE(s.button("cmdAceptar")->text(), QStringLiteral("&Aceptar"));
    QCOMPARE(s.button("cmdCancelar")->text(), QStringLiteral("&Cancelar"));
    QCOMPARE(QApplication::focusWidget(), s.box("Text1"));
}

void TestPriceLookup::choice_data()
{
    QTest::addColumn<char>("typed");
    QTest::addColumn<QString>("caption");   // empty: the text box stays hidden
    QTest::newRow("d") << 'd' << "Descripcion -->";
    QTest::newRow("D") << 'D' << "Descripcion -->";
    QTest::newRow("c") << 'c' << "Codigo -->";
    QTest::newRow("x") << 'x' << "";
}

void TestPriceLookup::choice()
{
    QFETCH(char, typed);
    QFETCH(QString, caption);
    Shell s;
    QTest::keyClick(s.box("Text1"), typed);
    QCOMPARE(s.box("Text1")->text(), QString(QChar::fromLatin1(typed)).toUpper());
    QTest::keyClick(s.box("Text1"), Qt::Key_Return);
    QCOMPARE(s.box("Text2")->isVisible(), !caption.isEmpty());
    if (caption.isEmpty()) {
        QCOMPARE(QApplication::focusWidget(), s.box("Text1"));
        return;
    }
    auto *label = s.lookup->findChild<QLabel *>(QStringLiteral("Label2"));
    QVERIFY(label->isVisible());
    QCOMPARE(label->text(), caption);
    QCOMPARE(QApplication::focusWidget(), s.box("Text2"));
}

void TestPriceLookup::typingCOrDReplaces()
{
    Shell s;
    QTest::keyClicks(s.box("Text1"), QStringLiteral("c"));
    QTest::keyClicks(s.box("Text1"), QStringLiteral("d"));
    QCOMPARE(s.box("Text1")->text(), QStringLiteral("D"));
    QTest::keyClicks(s.box("Text1"), QStringLiteral("C"));
    QCOMPARE(s.box("Text1")->text(), QStringLiteral("C"));
}

void TestPriceLookup::enterOpensThePicker()
{
    Shell s;
    QTest::keyClick(s.box("Text1"), 'd');
    QTest::keyClick(s.box("Text1"), Qt::Key_Return);
    QTest::keyClicks(s.box("Text2"), QStringLiteral("martillo"));
    QTest::keyClick(s.box("Text2"), Qt::Key_Return);
    QCOMPARE(session::TextoBuscar(), QStringLiteral("MARTILLO"));
    Shell::settle();
    QVERIFY(!s.lookup);
    QVERIFY(s.mdi->subWindowList().isEmpty());
    ArticlePicker *picker = s.picker();
    QVERIFY(picker);
    QVERIFY(picker->isVisible());
    QVERIFY(!picker->isModal());
    QCOMPARE(picker->windowModality(), Qt::NonModal);
    auto *box = picker->findChild<QLineEdit *>(QStringLiteral("Text1"));
    QCOMPARE(box->text(), QStringLiteral("MARTILLO"));
    QCOMPARE(box->selectedText(), QStringLiteral("MARTILLO"));
    QVERIFY(QTest::qWaitForWindowActive(picker));
    QCOMPARE(QApplication::focusWidget(), box);
    QTest::keyClick(box, Qt::Key_Return);
    auto *grid = picker->findChild<QTableView *>(QStringLiteral("MSFlexGrid1"));
    QCOMPARE(grid->currentIndex().row(), PickerFixture::rowOf("00002"));

    // The picker goes away when closed.
    QPointer<ArticlePicker> guard(picker);
    QTest::keyClick(grid, Qt::Key_Escape);
    Shell::settle();
    QVERIFY(!guard);
}

void TestPriceLookup::lastLookupShownByEveryLookupPicker()
{
    {
        Shell s;
        QTest::keyClick(s.box("Text1"), 'c');
        QTest::keyClick(s.box("Text1"), Qt::Key_Return);
        QTest::keyClicks(s.box("Text2"), QStringLiteral("MARTILLO"));
        QTest::keyClick(s.box("Text2"), Qt::Key_Return);
        Shell::settle();
    }
    // As the article window opens it, later and from elsewhere.
    ArticlePicker fromArticleWindow(catalogue::ArticlePickerKind::Lookup);
    fromArticleWindow.open();
    auto *box = fromArticleWindow.findChild<QLineEdit *>(QStringLiteral("Text1"));
    QCOMPARE(box->text(), QStringLiteral("MARTILLO"));
    QCOMPARE(box->selectedText(), QStringLiteral("MARTILLO"));
}

void TestPriceLookup::cancel_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Esc in the choice box") << "Text1";
    QTest::newRow("Esc in the text box") << "Text2";
    QTest::newRow("Esc on Aceptar") << "cmdAceptar";
    QTest::newRow("Esc on Cancelar") << "cmdCancelar";
    QTest::newRow("click on Cancelar") << "click";
}

void TestPriceLookup::cancel()
{
    QFETCH(QString, how);
    Shell s;
    s.main.findChild<QLineEdit *>(QStringLiteral("other"))->setFocus();
    QTest::keyClick(s.box("Text1"), 'd');
    QTest::keyClick(s.box("Text1"), Qt::Key_Return);   // the text box shows
    QTest::keyClicks(s.box("Text2"), QStringLiteral("ABC"));
    if (how == QLatin1String("click")) {
        QTest::mouseClick(s.button("cmdCancelar"), Qt::LeftButton);
    } else {
        QWidget *target = s.lookup->findChild<QWidget *>(how);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
    }
    Shell::settle();
    QVERIFY(!s.lookup);
    QVERIFY(s.mdi->subWindowList().isEmpty());
    QCOMPARE(QApplication::focusWidget(), s.listaPre);
    QVERIFY(!s.picker());
    QCOMPARE(session::TextoBuscar(), QString());
}

void TestPriceLookup::aceptarDoesNothing()
{
    Shell s;
    QTest::keyClick(s.box("Text1"), 'd');
    QTest::mouseClick(s.button("cmdAceptar"), Qt::LeftButton);
    Shell::settle();
    QVERIFY(s.lookup);
    QVERIFY(!s.box("Text2")->isVisible());
    QVERIFY(!s.picker());
}

QTEST_MAIN(TestPriceLookup)
#include "tst_price_lookup.moc"

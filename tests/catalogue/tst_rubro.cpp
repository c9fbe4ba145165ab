#include "catalogue/articulos_window.h"
#include "catalogue/aumenta_costo.h"
#include "catalogue/rubro_pickers.h"
#include "catalogue/rubro_window.h"
#include "catalogue_fixture.h"
#include "common/services.h"
#include "fake_messages.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using catalogue::Rubro;
using catalogue::RubroPicker;
using catalogue::RubroPickerKind;
using services::Icon;

class TstRubro : public QObject {
    Q_OBJECT

    std::unique_ptr<CatalogueFixture> m_fixture;
    std::unique_ptr<MessagesGuard> m_messages;

    template <typename W>
    std::unique_ptr<W> open()
    {
        auto w = std::make_unique<W>();
        w->show();
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("window not active");
        return w;
    }
    static QLineEdit *box(QWidget *w, const char *name) { return w->findChild<QLineEdit *>(QLatin1String(name)); }
    static void click(QWidget *w, const char *name) { w->findChild<QPushButton *>(QLatin1String(name))->click(); }
    QList<services::Message> &shown() { return (*m_messages)->shown; }

    // The picker the window opened (modal), waiting for it to be active.
    static RubroPicker *picker(QWidget *caller)
    {
        RubroPicker *p = caller->findChild<RubroPicker *>();
        if (p && !QTest::qWaitForWindowActive(p))
            qWarning("picker not active");
        return p;
    }

private slots:
    void init()
    {
        services::setPauseScale(0);
        services::setToday(QDate(2026, 12, 11));
        m_fixture = std::make_unique<CatalogueFixture>();
        const char *rows[][2] = {{"0001", "HERRAMIENTAS"}, {"0002", "BULONES Y FERRETERIA"}, {"0003", "PINTURAS"},
                                 {"0004", "FERRETERIA"},   {"0005", "ELECTRICIDAD"},         {"0006", "Jardin"},
                                 {"0007", "ADHESIVOS"}};
        for (const auto &r : rows)
            m_fixture->addRubro(QLatin1String(r[0]), QLatin1String(r[1]));
        m_messages = std::make_unique<MessagesGuard>();
    }
    void cleanup()
    {
        m_messages.reset();
        m_fixture.reset();
        services::setToday(QDate());
        services::setPauseScale(1);
    }

    void opening()
    {
        auto w = open<Rubro>();
        QCOMPARE(w->objectName(), QStringLiteral("Rubro"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Rubros"));
        QCOMPARE(w->property("Bandera").toBool(), false);
        QCOMPARE(w->property("BanNuevo").toBool(), false);
        QVERIFY(box(w.get(), "Text1")->text().isEmpty());
        QVERIFY(box(w.get(), "Text2")->isReadOnly());
        QCOMPARE(box(w.get(), "Text3")->text(), QStringLiteral("11/12/2026"));
    }

    void lookup()
    {
        auto w = open<Rubro>();
        QTest::keyClicks(box(w.get(), "Text1"), "0003");
        QTest::keyClick(box(w.get(), "Text1"), Qt::Key_Return);
        QCOMPARE(box(w.get(), "Text2")->text(), QStringLiteral("PINTURAS"));
        QCOMPARE(QApplication::focusWidget(), box(w.get(), "Text2"));
        // A code no category has: the code box empties, the description stays.
        box(w.get(), "Text1")->setFocus();
        box(w.get(), "Text1")->setText(QStringLiteral("0099"));
        QTest::keyClick(box(w.get(), "Text1"), Qt::Key_Return);
        QCOMPARE(box(w.get(), "Text1")->text(), QString());
        QCOMPARE(box(w.get(), "Text2")->text(), QStringLiteral("PINTURAS"));
        QCOMPARE(QApplication::focusWidget(), box(w.get(), "Text2"));
        QVERIFY(shown().isEmpty());
        // Letters in the code box keep their case; in the description box
        // they turn to upper case.
        box(w.get(), "Text1")->clear();
        QTest::keyClicks(box(w.get(), "Text1"), "ab");
        QCOMPARE(box(w.get(), "Text1")->text(), QStringLiteral("ab"));
    }

    void addSaveAndTheFlags()
    {
        auto w = open<Rubro>();
        click(w.get(), "cmdAgregar");
        QCOMPARE(box(w.get(), "Text1")->text(), QStringLiteral("0008"));
        QVERIFY(w->property("Bandera").toBool());
        QVERIFY(w->property("BanNuevo").toBool());
        QVERIFY(!box(w.get(), "Text2")->isReadOnly());
        QCOMPARE(QApplication::focusWidget(), box(w.get(), "Text2"));
        QTest::keyClicks(box(w.get(), "Text2"), "plomeria");
        QCOMPARE(box(w.get(), "Text2")->text(), QStringLiteral("PLOMERIA"));
        // Enter in the code box during an add keeps the focus there.
        box(w.get(), "Text1")->setFocus();
        QTest::keyClick(box(w.get(), "Text1"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box(w.get(), "Text1"));
        QCOMPARE(box(w.get(), "Text2")->text(), QStringLiteral("PLOMERIA"));

        // Closing while editing is refused.
        click(w.get(), "cmdCerrar");
        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown()[0].title, QStringLiteral("ERROR"));
        QCOMPARE(shown()[0].text, QStringLiteral("DEBE GUARDAR LOS CAMBIOS PARA PODER SALIR"));
        QCOMPARE(shown()[0].icon, Icon::Critical);
        QVERIFY(w->isVisible());

        click(w.get(), "cmdGrabar");
        QCOMPARE(m_fixture->rubros().value("0008"), QStringLiteral("PLOMERIA"));
        QVERIFY(!w->property("Bandera").toBool());
        QVERIFY(!w->property("BanNuevo").toBool());
        QVERIFY(box(w.get(), "Text1")->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), box(w.get(), "Text1"));
        QVERIFY(box(w.get(), "Text2")->isReadOnly());

        // Idle: nothing to save.
        click(w.get(), "cmdGrabar");
        QCOMPARE(shown().size(), 2);
        QCOMPARE(shown()[1].title, QStringLiteral("ERROR"));
        QCOMPARE(shown()[1].text, QStringLiteral("NO HAY DATOS QUE GUARDAR"));
        QCOMPARE(m_fixture->rubros().size(), 8);

        QPointer<Rubro> guard(w.get());
        click(w.get(), "cmdCerrar");
        QVERIFY(!w->isVisible());
    }

    void modify()
    {
        auto w = open<Rubro>();
        click(w.get(), "cmdModificar");   // nothing looked up
        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown()[0].icon, Icon::Critical);
        QVERIFY(!w->property("Bandera").toBool());
        QVERIFY(box(w.get(), "Text2")->isReadOnly());

        QTest::keyClicks(box(w.get(), "Text1"), "0005");
        QTest::keyClick(box(w.get(), "Text1"), Qt::Key_Return);
        click(w.get(), "cmdModificar");
        QVERIFY(w->property("Bandera").toBool());
        QCOMPARE(box(w.get(), "Text2")->selectedText(), QStringLiteral("ELECTRICIDAD"));
        QTest::keyClicks(box(w.get(), "Text2"), "electricidad y gas");
        // Enter in the description during a modification goes to "&Grabar".
        QTest::keyClick(box(w.get(), "Text2"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdGrabar"));
        click(w.get(), "cmdGrabar");
        QCOMPARE(m_fixture->rubros().value("0005"), QStringLiteral("ELECTRICIDAD Y GAS"));
        QCOMPARE(m_fixture->rubros().size(), 7);
    }

    void eliminate()
    {
        auto w = open<Rubro>();
        // Nothing looked up since opening: nothing is deleted, and the
        // operator is told.
        click(w.get(), "cmdEliminar");
        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown()[0].icon, Icon::Critical);
        QVERIFY(!shown()[0].yesNo);
        QCOMPARE(m_fixture->rubros().size(), 7);

        QTest::keyClicks(box(w.get(), "Text1"), "0003");
        QTest::keyClick(box(w.get(), "Text1"), Qt::Key_Return);
        (*m_messages)->answers = {services::Answer::No};
        click(w.get(), "cmdEliminar");
        QCOMPARE(shown().size(), 2);
        QCOMPARE(shown()[1].title, QStringLiteral("ELIMINAR"));
        QCOMPARE(shown()[1].text, QStringLiteral("¿DESEA ELIMINAR EL RUBRO?"));
        QCOMPARE(shown()[1].icon, Icon::Critical);
        QVERIFY(shown()[1].yesNo);
        QCOMPARE(m_fixture->rubros().size(), 7);

        (*m_messages)->answers = {services::Answer::Yes};
        click(w.get(), "cmdEliminar");
        QVERIFY(!m_fixture->rubros().contains("0003"));
        QCOMPARE(box(w.get(), "Text2")->text(), QStringLiteral("PINTURAS"));   // the boxes keep their text

        // After the delete nothing is looked up any more.
        click(w.get(), "cmdEliminar");
        QCOMPARE(shown().size(), 4);
        QVERIFY(!shown()[3].yesNo);
        QCOMPARE(m_fixture->rubros().size(), 6);
    }

    // ---- pickers

    void pickerOfTheCategoryWindow()
    {
        auto w = open<Rubro>();
        QTest::keyClick(box(w.get(), "Text1"), Qt::Key_Escape);
        RubroPicker *p = picker(w.get());
        QVERIFY(p);
        QCOMPARE(p->objectName(), QStringLiteral("ConsListaRubros"));
        QCOMPARE(p->windowTitle(), QStringLiteral("Consulta - Rubros"));
        QVERIFY(p->isModal());
        // Not sorted: stored order.
        QCOMPARE(p->value(0, QStringLiteral("DESCRI")), QStringLiteral("HERRAMIENTAS"));
        QTest::keyClicks(p->searchBox(), "fer");
        QTest::keyClick(p->searchBox(), Qt::Key_Return);
        QCOMPARE(p->value(p->currentRow(), QStringLiteral("DESCRI")), QStringLiteral("FERRETERIA"));
        QTest::keyClick(p->list(), Qt::Key_Return);
        QCOMPARE(box(w.get(), "Text1")->text(), QStringLiteral("0004"));
        QTRY_COMPARE(QApplication::focusWidget(), box(w.get(), "Text1"));
        QCOMPARE(box(w.get(), "Text1")->selectedText(), QStringLiteral("0004"));
        QVERIFY(box(w.get(), "Text2")->text().isEmpty());
    }

    void pickerOfTheArticleWindow()
    {
        auto w = open<catalogue::Articulos>();
        box(w.get(), "Text6")->setFocus();
        QTest::keyClick(box(w.get(), "Text6"), Qt::Key_Escape);
        RubroPicker *p = picker(w.get());
        QVERIFY(p);
        QCOMPARE(p->objectName(), QStringLiteral("ConsListaRubrosA"));
        // Sorted by description first, upper case before lower case.
        QStringList order;
        for (int r = 0; r < p->rowCount(); ++r)
            order << p->value(r, QStringLiteral("DESCRI"));
        QCOMPARE(order, (QStringList{"ADHESIVOS", "BULONES Y FERRETERIA", "ELECTRICIDAD", "FERRETERIA",
                                     "HERRAMIENTAS", "Jardin", "PINTURAS"}));
        QTest::keyClicks(p->searchBox(), "PIN");
        QTest::keyClick(p->searchBox(), Qt::Key_Return);
        QTest::keyClick(p->list(), Qt::Key_Return);
        QCOMPARE(box(w.get(), "Text6")->text(), QStringLiteral("0003"));
        QCOMPARE(box(w.get(), "Text7")->text(), QStringLiteral("PINTURAS"));
        QTRY_COMPARE(QApplication::focusWidget(), box(w.get(), "Text6"));
    }

    void pickerOfTheBulkIncrease()
    {
        auto w = open<catalogue::AumentaCosto>();
        w->findChild<QPushButton *>(QStringLiteral("cmdBuscar"))->click();
        RubroPicker *p = picker(w.get());
        QVERIFY(p);
        QCOMPARE(p->objectName(), QStringLiteral("ConsListaRubrosB"));
        QCOMPARE(p->value(0, QStringLiteral("DESCRI")), QStringLiteral("HERRAMIENTAS"));
        QTableView *list = p->list();
        const QRect cell = list->visualRect(list->model()->index(2, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(box(w.get(), "Text1")->text(), QStringLiteral("0003"));
        QCOMPARE(box(w.get(), "Text2")->text(), QStringLiteral("PINTURAS"));
        QTRY_COMPARE(QApplication::focusWidget(), box(w.get(), "Text1"));
    }

    void supplierPickerOfTheArticleWindow()
    {
        m_fixture->addProveedor("0002", "ZAPATA HNOS");
        m_fixture->addProveedor("0001", "ACME SA");
        auto w = open<catalogue::Articulos>();
        box(w.get(), "Text3")->setFocus();
        QTest::keyClick(box(w.get(), "Text3"), Qt::Key_Escape);
        auto *p = w->findChild<ui::RecordPicker *>(QStringLiteral("ConsListaProveedorA"));
        QVERIFY(p);
        QVERIFY(QTest::qWaitForWindowActive(p));
        p->list()->setFocus();
        QTest::keyClick(p->list(), Qt::Key_Return);   // the first of the sorted list
        QCOMPARE(box(w.get(), "Text3")->text(), QStringLiteral("0001"));
        QCOMPARE(box(w.get(), "Text4")->text(), QStringLiteral("ACME SA"));
        QTRY_COMPARE(QApplication::focusWidget(), box(w.get(), "Text3"));
    }

    void pickerEscapeFillsNothing()
    {
        auto w = open<catalogue::Articulos>();
        w->findChild<QPushButton *>(QStringLiteral("cmdRubros"))->click();
        QPointer<RubroPicker> p = picker(w.get());
        QVERIFY(p);
        QTest::keyClick(p->searchBox(), Qt::Key_Escape);
        QTRY_VERIFY(!p);
        QVERIFY(box(w.get(), "Text6")->text().isEmpty());
        QVERIFY(box(w.get(), "Text7")->text().isEmpty());
    }
};

QTEST_MAIN(TstRubro)
#include "tst_rubro.moc"

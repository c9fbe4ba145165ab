#include "catalogue/articulos_window.h"
#include "catalogue_fixture.h"
#include "common/services.h"
#include "common/ui/window_opener.h"
#include "fake_messages.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using catalogue::Articulos;
using services::Icon;

class TstArticulosWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<CatalogueFixture> m_fixture;
    std::unique_ptr<MessagesGuard> m_messages;
    QList<QPointer<Articulos>> m_opened;   // windows the main window would open
    QStringList m_openCalls;

    // A window as the main window opens it: shown, deleted when closed.
    Articulos *openWindow()
    {
        auto *w = new Articulos;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        m_opened << w;
        if (!QTest::qWaitForWindowActive(w))
            qWarning("article window not active");
        return w;
    }

    static QLineEdit *box(QWidget *w, const QString &name) { return w->findChild<QLineEdit *>(name); }
    static QPushButton *button(QWidget *w, const QString &name) { return w->findChild<QPushButton *>(name); }

    static void type(QWidget *w, const QString &name, const QString &text)
    {
        QLineEdit *e = box(w, name);
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
    }
    static void enter(QWidget *w, const QString &name) { QTest::keyClick(box(w, name), Qt::Key_Return); }

    QList<services::Message> &shown() { return (*m_messages)->shown; }

    QStringList allBoxTexts(QWidget *w) const
    {
        QStringList texts;
        for (QLineEdit *e : w->findChildren<QLineEdit *>())
            if (e->objectName() != QLatin1String("Text17"))
                texts << e->text();
        return texts;
    }
    static bool allEmpty(const QStringList &texts)
    {
        return std::all_of(texts.begin(), texts.end(), [](const QString &t) { return t.isEmpty(); });
    }

private slots:
    void init()
    {
        services::setPauseScale(0);
        services::setToday(QDate(2026, 12, 11));
        m_fixture = std::make_unique<CatalogueFixture>();
        m_fixture->addArticle({{"ART", "00001"}, {"DES", "ALICATE"}, {"SIG", "ALI"}, {"COD", "7790000000011"},
                               {"GRP", "G1"}, {"CRU", "0001"}, {"RUB", "HERRAMIENTAS"}, {"COS", "100"},
                               {"NE1", "121"}, {"IV1", "21"}});
        m_fixture->addArticle({{"ART", "00002"}, {"DES", "BROCA"}, {"SIG", ""}, {"COS", "10"}});
        m_fixture->addArticle({{"ART", "00003"}, {"DES", "CLAVO"}, {"SIG", "CLA"}, {"COD", "7790000000035"},
                               {"COS", "1,5"}});
        m_fixture->addArticle({{"ART", "00005"}, {"DES", "DESTORNILLADOR"}, {"SIG", "DES"}});
        m_messages = std::make_unique<MessagesGuard>();
        m_openCalls.clear();
        ui::setWindowOpener([this](const QString &name, int left, int top) -> QWidget * {
            m_openCalls << QStringLiteral("%1 %2 %3").arg(name).arg(left).arg(top);
            return name == QLatin1String("Articulos") ? openWindow() : nullptr;
        });
    }
    void cleanup()
    {
        ui::setWindowOpener({});
        for (const QPointer<Articulos> &w : std::as_const(m_opened))
            delete w.data();
        m_opened.clear();
        m_messages.reset();
        m_fixture.reset();
        services::setToday(QDate());
        services::setPauseScale(1);
    }

    void opening()
    {
        Articulos *w = openWindow();
        QCOMPARE(w->objectName(), QStringLiteral("Articulos"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Articulos"));
        QCOMPARE(box(w, "Text17")->text(), QStringLiteral("11/12/2026"));
        QVERIFY(box(w, "Text17")->isReadOnly());
        QVERIFY(allEmpty(allBoxTexts(w)));
        QCOMPARE(box(w, "Text2")->maxLength(), 40);
        QCOMPARE(box(w, "Text15")->maxLength(), 5);
        QCOMPARE(w->palette().color(QPalette::Window), QColor(0xFF, 0xE0, 0xC0));
        QCOMPARE(box(w, "Text11")->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xC0));
        QCOMPARE(box(w, "Text11")->palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(box(w, "Text16")->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(box(w, "Text16")->palette().color(QPalette::Text), QColor(Qt::blue));
        box(w, "Text5")->setFocus();
        QCOMPARE(box(w, "Text5")->palette().color(QPalette::Base), QColor(0xC0, 0xFF, 0xC0));
        for (const char *name : {"cmdAgregar", "cmdBorrar", "cmdGrabar", "cmdCerrar", "cmdAnterior", "cmdSiguiente",
                                 "cmdArticulos", "cmdProveedores", "cmdRubros"})
            QVERIFY2(button(w, QLatin1String(name)), name);
        QCOMPARE(button(w, "cmdAgregar")->text(), QStringLiteral("2 = &Agregar"));
    }

    void typing_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("cost: comma") << "Text11" << "1.5" << "1,5";
        QTest::newRow("description: upper case, no comma") << "Text2" << "a.b" << "A.B";
        QTest::newRow("unit: upper case and comma") << "Text5" << "a.b" << "A,B";
        QTest::newRow("supplier name: no comma") << "Text4" << "x.y" << "X.Y";
        QTest::newRow("bar code: as typed") << "Text16" << "ab.c" << "ab.c";
        QTest::newRow("list 4 net: comma") << "Text31" << "9.99" << "9,99";
    }
    void typing()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Articulos *w = openWindow();
        type(w, boxName, typed);
        QCOMPARE(box(w, boxName)->text(), shown);
    }

    void upAndDownRing()
    {
        Articulos *w = openWindow();
        box(w, "Text1")->setFocus();
        QTest::keyClick(box(w, "Text1"), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), box(w, "Text31"));
        QTest::keyClick(box(w, "Text31"), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), box(w, "Text1"));
        box(w, "Text2")->setFocus();
        QTest::keyClick(box(w, "Text2"), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), box(w, "Text15"));
        QTest::keyClick(box(w, "Text14"), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), box(w, "Text20"));
    }

    void lookups_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("description");   // empty: not found
        QTest::newRow("code") << "Text1" << "00003" << "CLAVO";
        QTest::newRow("code not stored") << "Text1" << "00009" << "";
        QTest::newRow("bar code scanned into the code box") << "Text1" << "7790000000035" << "CLAVO";
        QTest::newRow("bar code not stored") << "Text1" << "7790000000099" << "";
        QTest::newRow("short code, typed in lower case") << "Text15" << "cla" << "CLAVO";
        QTest::newRow("short code not stored") << "Text15" << "zz" << "";
        QTest::newRow("empty short code: the first article without one") << "Text15" << "" << "BROCA";
    }
    void lookups()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(QString, description);
        Articulos *w = openWindow();
        type(w, boxName, typed);
        enter(w, boxName);
        if (description.isEmpty()) {
            QCOMPARE(shown().size(), 1);
            QCOMPARE(shown()[0].title, QStringLiteral("Error"));
            QCOMPARE(shown()[0].text, QStringLiteral("Articulo no encontrado en la Base de Datos"));
            QCOMPARE(shown()[0].icon, Icon::Information);
            QVERIFY(allEmpty(allBoxTexts(w)));
        } else {
            QVERIFY(shown().isEmpty());
            QCOMPARE(box(w, "Text2")->text(), description);
            QCOMPARE(QApplication::focusWidget(), box(w, "Text2"));
            QCOMPARE(box(w, "Text2")->selectedText(), description);
        }
    }

    void aLookupReplacesEveryBox()
    {
        Articulos *w = openWindow();
        type(w, "Text1", "00001");
        enter(w, "Text1");
        QCOMPARE(box(w, "Text14")->text(), QStringLiteral("G1"));
        QCOMPARE(box(w, "Text7")->text(), QStringLiteral("HERRAMIENTAS"));
        QCOMPARE(box(w, "Text22")->text(), QStringLiteral("121"));
        type(w, "Text1", "00005");
        enter(w, "Text1");
        QCOMPARE(box(w, "Text2")->text(), QStringLiteral("DESTORNILLADOR"));
        QCOMPARE(box(w, "Text14")->text(), QString());
        QCOMPARE(box(w, "Text7")->text(), QString());
        QCOMPARE(box(w, "Text22")->text(), QString());
        QCOMPARE(box(w, "Text17")->text(), QStringLiteral("11/12/2026"));
    }

    void blankShortCodeMovesOn()
    {
        Articulos *w = openWindow();
        type(w, "Text15", " ");
        enter(w, "Text15");
        QCOMPARE(QApplication::focusWidget(), box(w, "Text3"));
        QVERIFY(shown().isEmpty());
    }

    void barCodeBox()
    {
        Articulos *w = openWindow();
        type(w, "Text16", "7790000000011");
        enter(w, "Text16");
        QCOMPARE(box(w, "Text2")->text(), QStringLiteral("ALICATE"));
        QCOMPARE(QApplication::focusWidget(), box(w, "Text16"));
        type(w, "Text16", "7790000000099");
        enter(w, "Text16");
        QCOMPARE(box(w, "Text16")->text(), QString());
        QCOMPARE(box(w, "Text2")->text(), QStringLiteral("ALICATE"));
        QVERIFY(shown().isEmpty());
        // Fewer than 13 characters: no lookup at all.
        type(w, "Text16", "123");
        enter(w, "Text16");
        QCOMPARE(box(w, "Text16")->text(), QStringLiteral("123"));
    }

    // "2" in the code box starts a new article in a fresh window.
    void keyTwoStartsANewArticle()
    {
        QPointer<Articulos> w = openWindow();
        type(w, "Text1", "0001");
        QTest::keyClick(box(w, "Text1"), Qt::Key_2);
        QCOMPARE(m_openCalls, QStringList{"Articulos 1600 0"});
        QVERIFY(!w || !w->isVisible());
        if (w)
            QCOMPARE(box(w, "Text1")->text(), QStringLiteral("0001"));
        Articulos *fresh = m_opened.last();
        QVERIFY(fresh != w);
        QCOMPARE(box(fresh, "Text1")->text(), QStringLiteral("00006"));
        QCOMPARE(QApplication::focusWidget(), box(fresh, "Text2"));
        // Nothing is stored until the save.
        QCOMPARE(m_fixture->count(store::files::Articulos, "Articulos"), 4);
    }

    void saveAddsANewArticle()
    {
        QPointer<Articulos> w = openWindow();
        type(w, "Text1", "00010");
        type(w, "Text2", "martillo");
        type(w, "Text11", "100");
        type(w, "Text12", "50");
        type(w, "Text13", "10");
        type(w, "Text20", "30");
        type(w, "Text21", "21");
        type(w, "Text22", "5");       // typed by hand: recomputed
        type(w, "Text23", "40");
        type(w, "Text24", "10.5");
        button(w, "cmdGrabar")->click();

        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown()[0].title, QStringLiteral("Guardar"));
        QCOMPARE(shown()[0].text, QStringLiteral("Articulo Guardado, Precione Aceptar para Continuar"));
        QCOMPARE(shown()[0].icon, Icon::Exclamation);
        const auto a = m_fixture->article("00010");
        QCOMPARE(a.value("DES"), QStringLiteral("MARTILLO"));
        QCOMPARE(a.value("NE1"), QStringLiteral("173,03"));
        // 110 * 1.4 * 1.105 = 170.17
        QCOMPARE(a.value("NE2"), QStringLiteral("170,17"));
        QCOMPARE(a.value("FUC"), QStringLiteral("11/12/2026"));
        // Empty lists 3 and 4 are stored as 0, their final price included.
        for (const char *field : {"PG3", "IV3", "NE3", "PG4", "IV4", "NE4", "PAC", "STO"})
            QCOMPARE(a.value(QLatin1String(field)), QStringLiteral("0"));
        QCOMPARE(a.value("PFL"), QStringLiteral("50"));

        // Closed and opened again, empty, at 1600, 0.
        QCOMPARE(m_openCalls, QStringList{"Articulos 1600 0"});
        QVERIFY(!w || !w->isVisible());
        QVERIFY(allEmpty(allBoxTexts(m_opened.last())));
    }

    void saveChangesTheArticleLookedUp()
    {
        Articulos *w = openWindow();
        type(w, "Text1", "00003");
        enter(w, "Text1");
        type(w, "Text2", "CLAVO DE ACERO");
        type(w, "Text25", "777");
        button(w, "cmdGrabar")->click();
        QCOMPARE(m_fixture->count(store::files::Articulos, "Articulos"), 4);
        const auto a = m_fixture->article("00003");
        QCOMPARE(a.value("DES"), QStringLiteral("CLAVO DE ACERO"));
        QCOMPARE(a.value("NE2"), QStringLiteral("1,5"));
        QCOMPARE(a.value("COD"), QStringLiteral("7790000000035"));
    }

    void saveWithEmptyCodeDoesNothing()
    {
        Articulos *w = openWindow();
        type(w, "Text2", "SIN CODIGO");
        button(w, "cmdGrabar")->click();
        QVERIFY(shown().isEmpty());
        QVERIFY(m_openCalls.isEmpty());
        QCOMPARE(m_fixture->count(store::files::Articulos, "Articulos"), 4);
    }

    void notANumberIsNamedAndNothingSaved_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("boxCaption");
        QTest::newRow("cost") << "Text11" << "Costo";
        QTest::newRow("stock") << "Text9" << "Stock";
        QTest::newRow("VAT of list 3") << "Text27" << "IVA de la Lista 3";
    }
    void notANumberIsNamedAndNothingSaved()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, boxCaption);
        Articulos *w = openWindow();
        type(w, "Text1", "00003");
        enter(w, "Text1");
        type(w, "Text2", "OTRO");
        type(w, boxName, "1,5,0");
        button(w, "cmdGrabar")->click();
        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown()[0].title, QStringLiteral("Error"));
        QCOMPARE(shown()[0].icon, Icon::Critical);
        QVERIFY(shown()[0].text.contains(boxCaption));
        QCOMPARE(QApplication::focusWidget(), box(w, boxName));
        QVERIFY(m_openCalls.isEmpty());
        QCOMPARE(m_fixture->article("00003").value("DES"), QStringLiteral("CLAVO"));
        QCOMPARE(box(w, "Text2")->text(), QStringLiteral("OTRO"));
    }

    void listPriceOnEnterInItsVatBox()
    {
        Articulos *w = openWindow();
        type(w, "Text11", "100");
        type(w, "Text21", "21");
        enter(w, "Text21");
        QCOMPARE(box(w, "Text22")->text(), QStringLiteral("121,00"));
        QCOMPARE(QApplication::focusWidget(), box(w, "Text22"));
        // Lists 3 and 4 turn their empty margin and VAT into 0.
        box(w, "Text26")->setFocus();
        enter(w, "Text26");
        QCOMPARE(box(w, "Text26")->text(), QStringLiteral("0"));
        enter(w, "Text27");
        QCOMPARE(box(w, "Text27")->text(), QStringLiteral("0"));
        QCOMPARE(box(w, "Text28")->text(), QStringLiteral("100,00"));
        // A margin that is not a number: told, the focus goes there.
        type(w, "Text23", "X");
        type(w, "Text24", "21");
        enter(w, "Text24");
        QCOMPARE(shown().size(), 1);
        QVERIFY(shown()[0].text.contains(QStringLiteral("V.A. de la Lista 2")));
        QCOMPARE(QApplication::focusWidget(), box(w, "Text23"));
        QCOMPARE(box(w, "Text25")->text(), QString());
    }

    void deleting()
    {
        Articulos *w = openWindow();
        button(w, "cmdBorrar")->click();
        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown()[0].text, QStringLiteral("Debe poner el Codigo del Articulo a Borrar"));
        QCOMPARE(shown()[0].icon, Icon::Critical);

        type(w, "Text1", "00009");
        button(w, "cmdBorrar")->click();
        QCOMPARE(shown().size(), 2);
        QCOMPARE(shown()[1].text, QStringLiteral("Articulo no encontrado en la Base de Datos"));
        QVERIFY(allEmpty(allBoxTexts(w)));

        // No: nothing changes.
        type(w, "Text1", "00003");
        (*m_messages)->answers = {services::Answer::No};
        button(w, "cmdBorrar")->click();
        QCOMPARE(shown().size(), 3);
        QCOMPARE(shown()[2].title, QStringLiteral("Eliminar Articulo --> 00003"));
        QCOMPARE(shown()[2].text, QStringLiteral("¿Confirme la Eliminación del Articulo? --> CLAVO"));
        QCOMPARE(shown()[2].icon, Icon::Critical);
        QVERIFY(shown()[2].yesNo);
        QCOMPARE(box(w, "Text2")->text(), QStringLiteral("CLAVO"));
        QCOMPARE(m_fixture->count(store::files::Articulos, "Articulos"), 4);

        (*m_messages)->answers = {services::Answer::Yes};
        button(w, "cmdBorrar")->click();
        QVERIFY(m_fixture->article("00003").isEmpty());
        QCOMPARE(m_fixture->count(store::files::Articulos, "Articulos"), 3);
        QVERIFY(allEmpty(allBoxTexts(w)));
    }

    // The picker's entry point: a code put into Text1, then BorrarArticulo.
    void borrarArticuloByName()
    {
        Articulos *w = openWindow();
        box(w, "Text1")->setText(QStringLiteral("00002"));
        (*m_messages)->answers = {services::Answer::Yes};
        QVERIFY(QMetaObject::invokeMethod(w, "BorrarArticulo"));
        QVERIFY(m_fixture->article("00002").isEmpty());
        box(w, "Text1")->setText(QStringLiteral("00005"));
        QVERIFY(QMetaObject::invokeMethod(w, "BuscarEntrada"));
        QCOMPARE(box(w, "Text2")->text(), QStringLiteral("DESTORNILLADOR"));
    }

    void browsing()
    {
        Articulos *w = openWindow();
        // The ordered view stands on the first article: next shows the second.
        button(w, "cmdSiguiente")->click();
        QCOMPARE(box(w, "Text1")->text(), QStringLiteral("00002"));
        QCOMPARE(box(w, "Text2")->text(), QStringLiteral("BROCA"));
        button(w, "cmdSiguiente")->click();
        button(w, "cmdSiguiente")->click();
        QCOMPARE(box(w, "Text1")->text(), QStringLiteral("00005"));
        QVERIFY(shown().isEmpty());
        button(w, "cmdSiguiente")->click();
        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown()[0].title, QStringLiteral("Mensaje"));
        QCOMPARE(shown()[0].text, QStringLiteral("Fin del Archivo, Aceptar para ir al Primer Registro"));
        QCOMPARE(shown()[0].icon, Icon::Exclamation);
        QCOMPARE(box(w, "Text1")->text(), QStringLiteral("00001"));
        QCOMPARE(box(w, "Text14")->text(), QStringLiteral("G1"));
        button(w, "cmdSiguiente")->click();
        QCOMPARE(box(w, "Text14")->text(), QString());   // nothing kept from the article before
    }

    void previousRightAfterOpening()
    {
        Articulos *w = openWindow();
        button(w, "cmdAnterior")->click();
        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown()[0].title, QStringLiteral("Mensaje"));
        QCOMPARE(shown()[0].text, QStringLiteral("Cominezo del Archivo, Aceptar para ir al Ultimo Registro"));
        QCOMPARE(box(w, "Text1")->text(), QStringLiteral("00005"));
        button(w, "cmdAnterior")->click();
        QCOMPARE(box(w, "Text1")->text(), QStringLiteral("00003"));
    }

    // Two workstations start a new article at the same moment: each window
    // has its own connection to the file.
    void twoWindowsSameProposedCode()
    {
        Articulos *one = openWindow();
        Articulos *two = openWindow();
        QVERIFY(QMetaObject::invokeMethod(one, "CrearArticulo"));
        QVERIFY(QMetaObject::invokeMethod(two, "CrearArticulo"));
        QCOMPARE(box(one, "Text1")->text(), QStringLiteral("00006"));
        QCOMPARE(box(two, "Text1")->text(), QStringLiteral("00006"));
        one->activateWindow();
        type(one, "Text2", "PRIMERO");
        type(two, "Text2", "SEGUNDO");
        button(one, "cmdGrabar")->click();
        button(two, "cmdGrabar")->click();
        QCOMPARE(shown().size(), 3);
        QCOMPARE(shown()[1].title, QStringLiteral("Guardar"));
        QVERIFY(shown()[1].text.contains(QStringLiteral("00006")));
        QVERIFY(shown()[1].text.contains(QStringLiteral("00007")));
        QCOMPARE(m_fixture->article("00006").value("DES"), QStringLiteral("PRIMERO"));
        QCOMPARE(m_fixture->article("00007").value("DES"), QStringLiteral("SEGUNDO"));
    }

    // A proposed code that the operator then changes by hand is a hand-typed
    // code: an existing article of that code is changed, as always.
    void aProposedCodeRetypedIsTypedByHand()
    {
        Articulos *w = openWindow();
        QVERIFY(QMetaObject::invokeMethod(w, "CrearArticulo"));
        type(w, "Text1", "00005");
        type(w, "Text2", "OTRO NOMBRE");
        button(w, "cmdGrabar")->click();
        QCOMPARE(m_fixture->article("00005").value("DES"), QStringLiteral("OTRO NOMBRE"));
        QCOMPARE(m_fixture->count(store::files::Articulos, "Articulos"), 4);
    }

    void escapeAndPictureButtonOpenThePickers_data()
    {
        QTest::addColumn<QString>("boxName");     // Esc there, or
        QTest::addColumn<QString>("buttonName");  // a click on this button
        QTest::addColumn<QString>("picker");
        QTest::newRow("Esc in the code box") << "Text1" << "" << "ConsListaArticulo";
        QTest::newRow("button by the code box") << "" << "cmdArticulos" << "ConsListaArticulo";
        QTest::newRow("Esc in the supplier code") << "Text3" << "" << "ConsListaProveedorA";
        QTest::newRow("button by the supplier code") << "" << "cmdProveedores" << "ConsListaProveedorA";
        QTest::newRow("Esc in the category code") << "Text6" << "" << "ConsListaRubrosA";
        QTest::newRow("button by the category code") << "" << "cmdRubros" << "ConsListaRubrosA";
    }
    void escapeAndPictureButtonOpenThePickers()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, buttonName);
        QFETCH(QString, picker);
        Articulos *w = openWindow();
        if (!boxName.isEmpty()) {
            box(w, boxName)->setFocus();
            QTest::keyClick(box(w, boxName), Qt::Key_Escape);
        } else {
            button(w, buttonName)->click();
        }
        auto *dialog = w->findChild<QDialog *>(picker);
        QVERIFY(dialog);
        QVERIFY(dialog->isModal());
        QTRY_VERIFY(dialog->isVisible());
        dialog->close();
    }

    void crearArticuloOnAnEmptyTable()
    {
        m_fixture.reset();
        m_fixture = std::make_unique<CatalogueFixture>();
        Articulos *w = openWindow();
        QVERIFY(QMetaObject::invokeMethod(w, "CrearArticulo"));
        QCOMPARE(box(w, "Text1")->text(), QStringLiteral("00001"));
        // Browsing an empty table tells so and shows nothing.
        button(w, "cmdSiguiente")->click();
        QCOMPARE(shown().size(), 1);
        QVERIFY(allEmpty(allBoxTexts(w)));
    }
};

QTEST_MAIN(TstArticulosWindow)
#include "tst_articulos_window.moc"

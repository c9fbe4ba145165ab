#include "catalogue/aumenta_costo.h"
#include "catalogue_fixture.h"
#include "common/services.h"
#include "common/ui/espere.h"
#include "fake_messages.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using catalogue::AumentaCosto;
using services::Icon;

class TstAumentaCosto : public QObject {
    Q_OBJECT

    std::unique_ptr<CatalogueFixture> m_fixture;
    std::unique_ptr<MessagesGuard> m_messages;

    QPointer<AumentaCosto> open()
    {
        auto *w = new AumentaCosto;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        if (!QTest::qWaitForWindowActive(w))
            qWarning("window not active");
        return w;
    }
    static QLineEdit *box(QWidget *w, const char *name) { return w->findChild<QLineEdit *>(QLatin1String(name)); }
    static void type(QWidget *w, const char *name, const QString &text)
    {
        box(w, name)->setFocus();
        QTest::keyClicks(box(w, name), text);
    }
    static void aceptar(QWidget *w) { w->findChild<QPushButton *>(QStringLiteral("cmdAceptar"))->click(); }
    QList<services::Message> &shown() { return (*m_messages)->shown; }

private slots:
    void init()
    {
        services::setPauseScale(0);
        services::setToday(QDate(2026, 12, 11));
        m_fixture = std::make_unique<CatalogueFixture>();
        m_fixture->addRubro("0003", "PINTURAS");
        m_fixture->addArticle({{"ART", "00001"}, {"CRU", "0003"}, {"COS", "100"}, {"POT", "10"}, {"PG1", "30"},
                               {"IV1", "21"}});
        m_fixture->addArticle({{"ART", "00002"}, {"CRU", "0004"}, {"COS", "100"}});
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
        QPointer<AumentaCosto> w = open();
        QCOMPARE(w->objectName(), QStringLiteral("AumentaCosto"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Aumenta Costo"));
        QCOMPARE(box(w, "Text4")->text(), QStringLiteral("11/12/2026"));
        for (const char *name : {"Text1", "Text2", "Text3"})
            QVERIFY(box(w, name)->text().isEmpty());
        // Nothing typed is changed: no upper case, no comma.
        type(w, "Text2", "a.b");
        QCOMPARE(box(w, "Text2")->text(), QStringLiteral("a.b"));
        delete w;
    }

    void choosingTheCategory()
    {
        QPointer<AumentaCosto> w = open();
        type(w, "Text1", "0003");
        QTest::keyClick(box(w, "Text1"), Qt::Key_Return);
        QCOMPARE(box(w, "Text2")->text(), QStringLiteral("PINTURAS"));
        QCOMPARE(QApplication::focusWidget(), box(w, "Text2"));
        QTest::keyClick(box(w, "Text2"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box(w, "Text3"));
        // Enter in an empty percentage box stays.
        QTest::keyClick(box(w, "Text3"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box(w, "Text3"));
        QTest::keyClicks(box(w, "Text3"), "10");
        QTest::keyClick(box(w, "Text3"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdAceptar"));

        box(w, "Text1")->setText(QStringLiteral("3"));
        box(w, "Text1")->setFocus();
        QTest::keyClick(box(w, "Text1"), Qt::Key_Return);
        QVERIFY(box(w, "Text1")->text().isEmpty());
        QCOMPARE(box(w, "Text2")->text(), QStringLiteral("PINTURAS"));
        QVERIFY(shown().isEmpty());
        delete w;
    }

    void aceptarRaisesAndCloses()
    {
        QPointer<AumentaCosto> w = open();
        type(w, "Text1", "0003");
        type(w, "Text3", "10");
        aceptar(w);
        QVERIFY(shown().isEmpty());
        QCOMPARE(m_fixture->article("00001").value("COS"), QStringLiteral("110"));
        QCOMPARE(m_fixture->article("00001").value("NE1"), QStringLiteral("190,33"));
        QCOMPARE(m_fixture->article("00001").value("FUC"), QStringLiteral("11/12/2026"));
        QCOMPARE(m_fixture->article("00002").value("COS"), QStringLiteral("100"));
        QVERIFY(!ui::Espere::isShown());
        QTRY_VERIFY(!w);
    }

    void missingInput_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("percent");
        QTest::newRow("no code") << "" << "10";
        QTest::newRow("no percentage") << "0003" << "";
    }
    void missingInput()
    {
        QFETCH(QString, code);
        QFETCH(QString, percent);
        QPointer<AumentaCosto> w = open();
        box(w, "Text1")->setText(code);
        box(w, "Text3")->setText(percent);
        aceptar(w);
        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown()[0].title, QStringLiteral("Error"));
        QCOMPARE(shown()[0].text, QStringLiteral("Ingrese el Rubro/Porcentaje que se Aplicara"));
        QCOMPARE(shown()[0].icon, Icon::Critical);
        QVERIFY(w && w->isVisible());
        QCOMPARE(m_fixture->article("00001").value("COS"), QStringLiteral("100"));
        delete w;
    }

    void percentageThatIsNotANumber()
    {
        QPointer<AumentaCosto> w = open();
        box(w, "Text1")->setText(QStringLiteral("0003"));
        box(w, "Text3")->setText(QStringLiteral("10%"));
        aceptar(w);
        QCOMPARE(shown().size(), 1);
        QCOMPARE(shown()[0].icon, Icon::Critical);
        QVERIFY(shown()[0].text.contains(QStringLiteral("10%")));
        QVERIFY(w && w->isVisible());
        QCOMPARE(QApplication::focusWidget(), box(w, "Text3"));
        QCOMPARE(m_fixture->article("00001").value("COS"), QStringLiteral("100"));
        delete w;
    }

    void cancelarChangesNothing()
    {
        QPointer<AumentaCosto> w = open();
        box(w, "Text1")->setText(QStringLiteral("0003"));
        box(w, "Text3")->setText(QStringLiteral("10"));
        w->findChild<QPushButton *>(QStringLiteral("cmdCancelar"))->click();
        QTRY_VERIFY(!w);
        QCOMPARE(m_fixture->article("00001").value("COS"), QStringLiteral("100"));
    }
};

QTEST_MAIN(TstAumentaCosto)
#include "tst_aumenta_costo.moc"

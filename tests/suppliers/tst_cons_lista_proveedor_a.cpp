#include "store/database_folder.h"
#include "store/record_store.h"
#include "suppliers/cons_lista_proveedor_a.h"
#include "test_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

// Stands in for the article window: the two supplier boxes.
class Caller : public QWidget {
public:
    Caller()
    {
        auto *layout = new QVBoxLayout(this);
        for (const char *name : {"Text3", "Text4"}) {
            auto *edit = new QLineEdit(this);
            edit->setObjectName(QLatin1String(name));
            layout->addWidget(edit);
        }
    }
    QLineEdit *box(const char *name) const { return findChild<QLineEdit *>(QLatin1String(name)); }
};

class TstConsListaProveedorA : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabaseFolder> m_folder;

private slots:
    void init()
    {
        m_folder = std::make_unique<TempDatabaseFolder>();
        store::DatabaseFolder::setCurrent(m_folder->path);
        auto db = m_folder->open(store::files::Proveedores);
        store::TableView view(*db, QStringLiteral("Proveedores"));
        const char *rows[][2] = {{"0001", "PINTURERIA SUR"}, {"0002", "DISTRIBUIDORA NORTE"},
                                 {"0003", "BULONERA CENTRAL"}, {"0004", "PINTURAS DEL OESTE"}};
        for (const auto &row : rows) {
            view.addNew();
            view.setValue(QStringLiteral("COD_PROV"), QLatin1String(row[0]));
            view.setValue(QStringLiteral("RAZON_SOC"), QLatin1String(row[1]));
            view.update();
        }
    }
    void cleanup()
    {
        store::DatabaseFolder::setCurrent(QString());
        m_folder.reset();
    }

    void takesNameAndCodeIntoTheArticleWindow()
    {
        Caller caller;
        caller.box("Text3")->setText(QStringLiteral("VIEJO"));
        caller.show();
        QVERIFY(QTest::qWaitForWindowActive(&caller));

        QPointer<suppliers::ConsListaProveedorA> picker = suppliers::ConsListaProveedorA::openFor(&caller);
        QVERIFY(QTest::qWaitForWindowActive(picker));
        QCOMPARE(picker->objectName(), QStringLiteral("ConsListaProveedorA"));
        QCOMPARE(picker->windowTitle(), QStringLiteral("Consulta - Proveedores"));
        QVERIFY(picker->isModal());
        QVERIFY(picker->findChildren<QPushButton *>().isEmpty());
        // Sorted by name before it shows.
        QCOMPARE(picker->value(0, QStringLiteral("RAZON_SOC")), QStringLiteral("BULONERA CENTRAL"));

        QTest::keyClicks(picker->searchBox(), "pintu");
        QCOMPARE(picker->searchBox()->text(), QStringLiteral("PINTU"));
        QTest::keyClick(picker->searchBox(), Qt::Key_Return);
        QCOMPARE(picker->value(picker->currentRow(), QStringLiteral("RAZON_SOC")), QStringLiteral("PINTURAS DEL OESTE"));
        QTest::keyClick(picker->list(), Qt::Key_Return);

        QCOMPARE(caller.box("Text4")->text(), QStringLiteral("PINTURAS DEL OESTE"));
        QCOMPARE(caller.box("Text3")->text(), QStringLiteral("0004"));
        QTRY_VERIFY(!picker);   // closed and deleted
        QTRY_COMPARE(QApplication::focusWidget(), caller.box("Text3"));
        QCOMPARE(caller.box("Text3")->selectedText(), QStringLiteral("0004"));
    }

    void escapeFillsNothing()
    {
        Caller caller;
        caller.show();
        QVERIFY(QTest::qWaitForWindowActive(&caller));
        QPointer<suppliers::ConsListaProveedorA> picker = suppliers::ConsListaProveedorA::openFor(&caller);
        QVERIFY(QTest::qWaitForWindowActive(picker));
        QTest::keyClick(picker->searchBox(), Qt::Key_Escape);
        QTRY_VERIFY(!picker);
        QVERIFY(caller.box("Text3")->text().isEmpty());
        QVERIFY(caller.box("Text4")->text().isEmpty());
    }
};

QTEST_MAIN(TstConsListaProveedorA)
#include "tst_cons_lista_proveedor_a.moc"

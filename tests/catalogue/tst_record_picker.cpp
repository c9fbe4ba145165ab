#include "catalogue_fixture.h"
#include "common/services.h"
#include "common/ui/record_picker.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using ui::RecordPicker;

class TstRecordPicker : public QObject {
    Q_OBJECT

    std::unique_ptr<CatalogueFixture> m_fixture;

    static RecordPicker::Design design(bool buttons = false)
    {
        RecordPicker::Design d;
        d.objectName = QStringLiteral("ConsListaProveedor");
        d.caption = QStringLiteral("Consulta - Proveedores");
        d.fileName = store::files::Proveedores;
        d.table = QStringLiteral("Proveedores");
        // RAZON_SOC, COD_PROV, CUIT, TIPO_IVA(hidden); the rest hidden too.
        d.columns = {{5000, QStringLiteral("NOMBRE")}, {1000, QStringLiteral("CODIGO")}, {1200, {}}, {0, {}}};
        d.searchField = QStringLiteral("RAZON_SOC");
        d.codeField = QStringLiteral("COD_PROV");
        d.buttons = buttons;
        return d;
    }

    // Builds, sorts and shows a picker, active.
    static std::unique_ptr<RecordPicker> shown(bool sorted = true, bool buttons = false)
    {
        auto picker = std::make_unique<RecordPicker>(design(buttons));
        if (sorted)
            picker->OrdenarGrid();
        picker->show();
        if (!QTest::qWaitForWindowActive(picker.get()))
            qWarning("picker not active");
        return picker;
    }

    static QStringList names(const RecordPicker &p)
    {
        QStringList all;
        for (int r = 0; r < p.rowCount(); ++r)
            all << p.value(r, QStringLiteral("RAZON_SOC"));
        return all;
    }

private slots:
    void init()
    {
        m_fixture = std::make_unique<CatalogueFixture>();
        m_fixture->addProveedor("0001", "FERRETERIA EL CLAVO", "20-1");
        m_fixture->addProveedor("0002", "BULONES Y FERRETERIA", "20-2");
        m_fixture->addProveedor("0003", "Ferreteria minuscula", "20-3");
        m_fixture->addProveedor("0004", "ACME", "20-4");
        m_fixture->addProveedor("0005", "FERRETERO", "20-5");
    }
    void cleanup() { m_fixture.reset(); }

    void layoutOfTheList()
    {
        auto p = shown(false);
        QCOMPARE(p->objectName(), QStringLiteral("ConsListaProveedor"));
        QCOMPARE(p->windowTitle(), QStringLiteral("Consulta - Proveedores"));
        QTableView *list = p->findChild<QTableView *>(QStringLiteral("MSFlexGrid1"));
        QVERIFY(list);
        QVERIFY(p->findChild<QLineEdit *>(QStringLiteral("Text1")));
        // Every field in stored order; only the columns given a width show.
        QCOMPARE(list->model()->columnCount(), 12);
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("NOMBRE"));
        QCOMPARE(list->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("CUIT"));
        QVERIFY(!list->isColumnHidden(0) && !list->isColumnHidden(1) && !list->isColumnHidden(2));
        for (int c = 3; c < 12; ++c)
            QVERIFY(list->isColumnHidden(c));
        QVERIFY(list->columnWidth(0) > list->columnWidth(1));
        // Unsorted: the order stored; the first row is current.
        QCOMPARE(names(*p).first(), QStringLiteral("FERRETERIA EL CLAVO"));
        QCOMPARE(p->currentRow(), 0);
        QCOMPARE(QApplication::focusWidget(), p->searchBox());
    }

    void ordenarGridComparesWithCase()
    {
        auto p = shown(true);
        QCOMPARE(names(*p), (QStringList{"ACME", "BULONES Y FERRETERIA", "FERRETERIA EL CLAVO", "FERRETERO",
                                         "Ferreteria minuscula"}));
        QCOMPARE(p->currentRow(), 0);
    }

    void search_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("found");   // empty: no match
        QTest::newRow("first whose name begins with the text") << "FER" << "FERRETERIA EL CLAVO";
        QTest::newRow("typed in lower case, searched in upper case") << "fer" << "FERRETERIA EL CLAVO";
        QTest::newRow("longer prefix") << "FERRETERO" << "FERRETERO";
        QTest::newRow("the text further in is not found") << "Y FERRETERIA" << "";
        QTest::newRow("no name begins with it") << "ZZ" << "";
    }
    void search()
    {
        QFETCH(QString, typed);
        QFETCH(QString, found);
        auto p = shown(true);
        QTest::keyClicks(p->searchBox(), typed);
        QCOMPARE(p->searchBox()->text(), typed.toUpper());
        QTest::keyClick(p->searchBox(), Qt::Key_Return);
        if (found.isEmpty()) {
            QCOMPARE(p->currentRow(), 0);
            QCOMPARE(QApplication::focusWidget(), p->searchBox());
        } else {
            QCOMPARE(p->value(p->currentRow(), QStringLiteral("RAZON_SOC")), found);
            QCOMPARE(QApplication::focusWidget(), p->list());
            QCOMPARE(p->list()->currentIndex().column(), 0);
            // Enter twice finds the same row.
            p->searchBox()->setFocus();
            QTest::keyClick(p->searchBox(), Qt::Key_Return);
            QCOMPARE(p->value(p->currentRow(), QStringLiteral("RAZON_SOC")), found);
        }
        QVERIFY(p->isVisible());
    }

    void keysInTheList()
    {
        auto p = shown(true);
        QTest::keyClicks(p->searchBox(), "BUL");
        QTest::keyClick(p->searchBox(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), p->list());
        QTest::keyClick(p->list(), Qt::Key_Backspace);
        QCOMPARE(QApplication::focusWidget(), p->searchBox());
        QCOMPARE(p->searchBox()->selectedText(), QStringLiteral("BUL"));
        QCOMPARE(p->searchBox()->text(), QStringLiteral("BUL"));
        p->list()->setFocus();
        QTest::keyClick(p->list(), Qt::Key_Escape);
        QVERIFY(!p->isVisible());

        auto q = shown(true);
        QTest::keyClick(q->searchBox(), Qt::Key_Escape);
        QVERIFY(!q->isVisible());
    }

    void takingARow()
    {
        auto p = shown(true);
        QStringList taken;
        p->setTakeHandler([&](int row) {
            QVERIFY(!p->isVisible());   // closed before the handler runs
            taken << p->value(row, QStringLiteral("COD_PROV"));
        });
        QTest::keyClicks(p->searchBox(), "FERRETERO");
        QTest::keyClick(p->searchBox(), Qt::Key_Return);
        QTest::keyClick(p->list(), Qt::Key_Return);
        QCOMPARE(taken, QStringList{"0005"});

        // A double click takes the row clicked.
        auto q = shown(true);
        q->setTakeHandler([&](int row) { taken << q->value(row, QStringLiteral("COD_PROV")); });
        QTableView *list = q->list();
        const QRect cell = list->visualRect(list->model()->index(1, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(taken, (QStringList{"0005", "0002"}));
    }

    void withoutATakeHandlerEnterDoesNothing()
    {
        auto p = shown(true);
        p->list()->setFocus();
        QTest::keyClick(p->list(), Qt::Key_Return);
        QVERIFY(p->isVisible());
    }

    void commandKeysAndButtons()
    {
        QStringList calls;
        auto wire = [&calls](RecordPicker &p) {
            p.setAddHandler([&calls] { calls << QStringLiteral("add"); });
            p.setModifyHandler([&calls](const QString &code) { calls << QStringLiteral("modify ") + code; });
            p.setDeleteHandler([&calls](const QString &code) { calls << QStringLiteral("delete ") + code; });
        };
        for (Qt::Key key : {Qt::Key_2, Qt::Key_3, Qt::Key_4}) {
            auto p = shown(true, true);
            wire(*p);
            QTest::keyClicks(p->searchBox(), "BUL");
            QTest::keyClick(p->searchBox(), Qt::Key_Return);
            QTest::keyClick(p->list(), key);
            QVERIFY(!p->isVisible());
        }
        QCOMPARE(calls, (QStringList{"add", "modify 0002", "delete 0002"}));

        calls.clear();
        auto p = shown(true, true);
        wire(*p);
        for (const char *name : {"cmdSalir", "cmdAgregar", "cmdModificar", "cmdBorrar"})
            QVERIFY(p->findChild<QPushButton *>(QLatin1String(name)));
        QCOMPARE(p->findChild<QPushButton *>(QStringLiteral("cmdModificar"))->text(), QStringLiteral("3 = Modificar"));
        p->findChild<QPushButton *>(QStringLiteral("cmdModificar"))->click();
        QCOMPARE(calls, QStringList{"modify 0004"});   // the first row, ACME
        QVERIFY(!p->isVisible());

        auto q = shown(true, true);
        wire(*q);
        q->findChild<QPushButton *>(QStringLiteral("cmdSalir"))->click();
        QVERIFY(!q->isVisible());
        QCOMPARE(calls.size(), 1);
    }

    void anEmptyListTakesNothing()
    {
        m_fixture.reset();
        m_fixture = std::make_unique<CatalogueFixture>();
        auto p = shown(true, true);
        QCOMPARE(p->rowCount(), 0);
        bool called = false;
        p->setTakeHandler([&](int) { called = true; });
        p->setModifyHandler([&](const QString &) { called = true; });
        p->list()->setFocus();
        QTest::keyClick(p->list(), Qt::Key_Return);
        QTest::keyClick(p->list(), Qt::Key_3);
        QVERIFY(!called);
        QVERIFY(p->isVisible());
    }
};

QTEST_MAIN(TstRecordPicker)
#include "tst_record_picker.moc"

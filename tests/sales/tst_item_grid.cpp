#include "catalogue/article_picker.h"
#include "catalogue/codigo_barras_ticket.h"
#include "common/ui/twips.h"
#include "sales/item_grid.h"
#include "sales_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

using Column = sales::ItemGrid::Column;

namespace {

// A window holding a grid, its total field and its end button, as a sales
// window does.
class Host : public QWidget {
public:
    explicit Host(const sales::ItemGridOptions &options)
    {
        setObjectName(QStringLiteral("Host"));
        auto *layout = new QVBoxLayout(this);
        grid = new sales::ItemGrid(options, this);
        total = new QLineEdit(this);
        total->setObjectName(QStringLiteral("Text6"));
        total->setReadOnly(true);
        total->setFocusPolicy(Qt::NoFocus);
        imprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
        imprimir->setObjectName(QStringLiteral("Command1"));
        layout->addWidget(grid);
        layout->addWidget(total);
        layout->addWidget(imprimir);
        grid->setTotalField(total);
        grid->setEndButton(imprimir);
    }
    sales::ItemGrid *grid;
    QLineEdit *total;
    QPushButton *imprimir;
};

QString focusName()
{
    QWidget *w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("(none)");
}

QWidget *visibleWindow(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

} // namespace

class TstItemGrid : public QObject {
    Q_OBJECT

    std::unique_ptr<salestest::SalesFixture> m_fixture;
    std::unique_ptr<Host> m_host;

    void open(const sales::ItemGridOptions &options = {})
    {
        m_host = std::make_unique<Host>(options);
        m_host->show();
        QVERIFY(QTest::qWaitForWindowActive(m_host.get()));
    }

    // Finds a cell by its objectName, as every caller outside the grid does.
    QLineEdit *cell(const char *array, int row) const
    {
        return m_host->findChild<QLineEdit *>(QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(row));
    }

    // Types into a field that gets the focus first, then presses Enter.

    void scan(int row, const QString &code) { salestest::typeAndEnter(cell("Text10", row), code); }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto &m : m_fixture->messages->shown)
            texts << m.text;
        return texts;
    }

private slots:
    void init() { m_fixture = std::make_unique<salestest::SalesFixture>(); }
    void cleanup()
    {
        m_host.reset();
        m_fixture.reset();
    }

    void everyCellIsFoundByName_data()
    {
        QTest::addColumn<bool>("vatColumns");
        QTest::newRow("ticket") << false;
        QTest::newRow("invoice") << true;
    }
    void everyCellIsFoundByName()
    {
        QFETCH(bool, vatColumns);
        sales::ItemGridOptions options;
        options.vatColumns = vatColumns;
        open(options);
        for (int r = 0; r < sales::kGridRows; ++r) {
            const QList<QPair<const char *, Column>> arrays{
                {"Text10", Column::Code},     {"Text11", Column::Description}, {"Text3", Column::Mark},
                {"Text12", Column::Quantity}, {"Text13", Column::UnitPrice},   {"Text14", Column::Total}};
            for (const auto &[array, column] : arrays) {
                QLineEdit *f = cell(array, r);
                QVERIFY2(f, array);
                QCOMPARE(f, m_host->grid->cell(column, r));
                QCOMPARE(f->objectName(), sales::ItemGrid::cellName(column, r));
            }
            for (const char *hidden : {"Text30", "Text31"}) {
                QLineEdit *f = cell(hidden, r);
                QCOMPARE(f != nullptr, vatColumns);
                if (f)
                    QVERIFY(!f->isVisible());
            }
            auto *label = m_host->findChild<QLabel *>(QStringLiteral("It_%1").arg(r));
            QVERIFY(label);
            QCOMPARE(label->text(), QString::number(r + 1));
        }
        auto *scroll = m_host->findChild<QScrollBar *>(QStringLiteral("VScroll1"));
        QVERIFY(scroll);
        QCOMPARE(scroll->minimum(), 0);
        QCOMPARE(scroll->maximum(), 3500);
        QCOMPARE(scroll->singleStep(), 270);
        QCOMPARE(scroll->pageStep(), 250);
    }

    // Enter in the code field of the first row.
    void codeIsLookedUp_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("message");

        QTest::newRow("13-digit bar code rewrites the code")
            << "7790000000017" << "00001" << "TORNILLO 3/8" << "12,5" << "12,50" << "Text10_1" << "";
        QTest::newRow("five-character code") << "00003" << "00003" << "PINTURA LATEX 4L" << "10" << "10,00"
                                             << "Text10_1" << "";
        QTest::newRow("unknown code stays") << "00099" << "00099" << "" << "" << "" << "Text10_0"
                                            << "Articulo no encontrado en la Base de Datos";
        QTest::newRow("five characters are never a bar code")
            << "12345" << "12345" << "" << "" << "" << "Text10_0" << "Articulo no encontrado en la Base de Datos";
        QTest::newRow("other lengths reach the code only by bar code")
            << "1234" << "" << "" << "" << "" << "Text10_0"
            << QStringLiteral("Código de barras 1234 no encontrado en la Base de Datos");
        QTest::newRow("unknown bar code empties the code")
            << "7790000009999" << "" << "" << "" << "" << "Text10_0"
            << QStringLiteral("Código de barras 7790000009999 no encontrado en la Base de Datos");
        QTest::newRow("article without list-1 price waits for the price")
            << "00004" << "00004" << "ARTICULO SIN PRECIO" << "" << "" << "Text13_0"
            << QStringLiteral("El artículo 00004 no tiene precio de lista 1: escriba el precio y presione Enter.");
    }
    void codeIsLookedUp()
    {
        QFETCH(QString, typed);
        QFETCH(QString, code);
        QFETCH(QString, description);
        QFETCH(QString, price);
        QFETCH(QString, total);
        QFETCH(QString, focus);
        QFETCH(QString, message);
        open();
        scan(0, typed);
        QCOMPARE(cell("Text10", 0)->text(), code);
        QCOMPARE(cell("Text11", 0)->text(), description);
        QCOMPARE(cell("Text13", 0)->text(), price);
        QCOMPARE(cell("Text14", 0)->text(), total);
        QCOMPARE(focusName(), focus);
        const bool found = !description.isEmpty();
        QCOMPARE(cell("Text3", 0)->text(), found ? QStringLiteral("1") : QString());
        QCOMPARE(cell("Text12", 0)->text(), found ? QStringLiteral("1") : QString());
        QCOMPARE(messageTexts(), message.isEmpty() ? QStringList{} : QStringList{message});
        if (!total.isEmpty()) {
            QCOMPARE(m_host->total->text(), total);
            QCOMPARE(session::FilaActual(), 1);
        }
    }

    void quantityWithAPointIsDecimal()
    {
        open();
        scan(0, QStringLiteral("00003"));  // price 10
        QLineEdit *quantity = cell("Text12", 0);
        quantity->setFocus();
        quantity->selectAll();
        QTest::keyClicks(quantity, QStringLiteral("2.5"));
        QCOMPARE(quantity->text(), QStringLiteral("2,5"));
        QTest::keyClick(quantity, Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("Text13_0"));
        QTest::keyClick(cell("Text13", 0), Qt::Key_Return);
        QCOMPARE(cell("Text14", 0)->text(), QStringLiteral("25,00"));
        QCOMPARE(m_host->total->text(), QStringLiteral("25,00"));
        QCOMPARE(focusName(), QStringLiteral("Text10_1"));
    }

    // A quantity or price that is not a number is named, and the line is
    // not totalled.
    void lineThatIsNotANumberIsNotTotalled_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::newRow("quantity in letters") << "Text12" << "dos";
        QTest::newRow("quantity emptied") << "Text12" << "";
        QTest::newRow("price in letters") << "Text13" << "diez";
    }
    void lineThatIsNotANumberIsNotTotalled()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        open();
        scan(0, QStringLiteral("00003"));
        QLineEdit *f = cell(field.toLatin1().constData(), 0);
        f->setFocus();
        f->selectAll();
        QTest::keyClick(f, Qt::Key_Delete);
        QTest::keyClicks(f, typed);
        QTest::keyClick(cell("Text13", 0), Qt::Key_Return);
        QVERIFY(cell("Text14", 0)->text().isEmpty());
        QCOMPARE(m_host->total->text(), QStringLiteral("0,00"));
        QCOMPARE(focusName(), field + QStringLiteral("_0"));
        QCOMPARE(m_fixture->messages->shown.size(), 1);
        QCOMPARE(m_fixture->messages->shown[0].icon, services::Icon::Critical);
        QVERIFY(m_fixture->messages->shown[0].text.contains(QStringLiteral("renglón 1")));
        QVERIFY(m_host->grid->firstProblem(false).has_value());
    }

    void emptyCodeEndsTheEntry()
    {
        open();
        scan(0, QStringLiteral("00001"));
        scan(1, QStringLiteral("00003"));
        scan(2, QStringLiteral("7790000000024"));
        QCOMPARE(focusName(), QStringLiteral("Text10_3"));
        scan(3, QString());
        QCOMPARE(m_host->total->text(), QStringLiteral("122,50"));
        QCOMPARE(focusName(), QStringLiteral("Command1"));
        QCOMPARE(m_host->grid->documentLines().size(), 3);
    }

    void movingOnScrollsFromTheSixteenthRow()
    {
        open();
        QScrollBar *scroll = m_host->grid->scrollBar();
        QWidget *frame = m_host->findChild<QWidget *>(QStringLiteral("Frame1"));
        for (int r = 0; r < 17; ++r) {
            scan(r, QStringLiteral("00003"));
            const int next = r + 1;
            const int expected = next < 15 ? 0 : (next - 14) * 250;
            QCOMPARE(focusName(), QStringLiteral("Text10_%1").arg(next));
            QCOMPARE(scroll->value(), expected);
            QCOMPARE(frame->y(), -ui::twipsY(expected));
        }
        // Moving on from an earlier row does not scroll on.
        QLineEdit *early = cell("Text10", 2);
        early->setFocus();
        const int before = scroll->value();
        early->selectAll();
        QTest::keyClicks(early, QStringLiteral("00001"));
        QTest::keyClick(early, Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("Text10_3"));
        QCOMPARE(scroll->value(), before);
        m_host->grid->Blanquear();
        QCOMPARE(scroll->value(), 0);
        QVERIFY(!m_host->grid->hasFilledRows());
        QVERIFY(m_host->total->text().isEmpty());
    }

    void lookingUpAgainResetsMarkQuantityAndPrice()
    {
        open();
        scan(0, QStringLiteral("00001"));
        salestest::typeAndEnter(cell("Text3", 0), QStringLiteral("2"));
        QCOMPARE(cell("Text13", 0)->text(), QStringLiteral("11"));
        QCOMPARE(focusName(), QStringLiteral("Text12_0"));
        salestest::typeAndEnter(cell("Text12", 0), QStringLiteral("3"));
        QTest::keyClick(cell("Text13", 0), Qt::Key_Return);
        QCOMPARE(cell("Text14", 0)->text(), QStringLiteral("33,00"));

        salestest::typeAndEnter(cell("Text10", 0), QStringLiteral("00001"));
        QCOMPARE(cell("Text3", 0)->text(), QStringLiteral("1"));
        QCOMPARE(cell("Text12", 0)->text(), QStringLiteral("1"));
        QCOMPARE(cell("Text13", 0)->text(), QStringLiteral("12,5"));
        QCOMPARE(cell("Text14", 0)->text(), QStringLiteral("12,50"));
        QCOMPARE(m_host->total->text(), QStringLiteral("12,50"));
    }

    // Article 00001: lists 12,5 / 11 / none / 9,75.
    void markChoosesTheListPrice_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("price");
        QTest::newRow("1") << "1" << "1" << "12,5";
        QTest::newRow("2") << "2" << "2" << "11";
        QTest::newRow("3 without a list-3 price empties the price") << "3" << "3" << "";
        QTest::newRow("4") << "4" << "4" << "9,75";
        QTest::newRow("x is upper-cased and keeps the price") << "x" << "X" << "12,5";
        QTest::newRow("a blank becomes X") << " " << "X" << "12,5";
    }
    void markChoosesTheListPrice()
    {
        QFETCH(QString, typed);
        QFETCH(QString, mark);
        QFETCH(QString, price);
        open();
        scan(0, QStringLiteral("00001"));
        salestest::typeAndEnter(cell("Text3", 0), typed);
        QCOMPARE(cell("Text3", 0)->text(), mark);
        QCOMPARE(cell("Text13", 0)->text(), price);
        QCOMPARE(focusName(), QStringLiteral("Text12_0"));
    }

    // "c" in the mark opens the bar-code window for the row's article and
    // is not entered.
    void cInTheMarkOpensTheBarcodeWindow()
    {
        open();
        scan(0, QStringLiteral("00001"));
        scan(1, QStringLiteral("00003"));
        QLineEdit *mark = cell("Text3", 0);
        mark->setFocus();
        QTest::keyClick(mark, Qt::Key_End);
        QTest::keyClick(mark, Qt::Key_C);
        QCOMPARE(mark->text(), QStringLiteral("1"));
        QWidget *window = visibleWindow(QStringLiteral("CodigoBarrasTicket"));
        QVERIFY(window);
        QVERIFY(qobject_cast<catalogue::CodigoBarrasTicket *>(window));
        auto *box = window->findChild<QLineEdit *>(QStringLiteral("Text1"));
        QVERIFY(box);
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("4006381333931"));
        QTest::keyClick(box, Qt::Key_Return);
        QTRY_VERIFY(!visibleWindow(QStringLiteral("CodigoBarrasTicket")));

        auto db = m_fixture->folder.open(store::files::Articulos);
        store::TableView articles(*db, QStringLiteral("Articulos"));
        articles.setIndex(QStringLiteral("art"));
        QVERIFY(articles.seek(QStringLiteral("00001")));
        QCOMPARE(articles.value(QStringLiteral("COD")), QStringLiteral("4006381333931"));
        QVERIFY(articles.seek(QStringLiteral("00003")));
        QVERIFY(articles.value(QStringLiteral("COD")).isEmpty());
    }

    void thirtiethRowEndsOnTheEndButton_data()
    {
        QTest::addColumn<bool>("vatColumns");
        QTest::newRow("ticket") << false;
        QTest::newRow("invoice: the last row gets its price without VAT") << true;
    }
    void thirtiethRowEndsOnTheEndButton()
    {
        QFETCH(bool, vatColumns);
        sales::ItemGridOptions options;
        options.vatColumns = vatColumns;
        open(options);
        for (int r = 0; r < sales::kGridRows; ++r)
            scan(r, QStringLiteral("00002"));  // 100 at 10,5 %
        QCOMPARE(focusName(), QStringLiteral("Command1"));
        QCOMPARE(m_host->total->text(), QStringLiteral("3000,00"));
        QCOMPARE(session::FilaActual(), 29);
        // Two rows of the same article are two lines.
        QCOMPARE(m_host->grid->documentLines().size(), sales::kGridRows);
        if (vatColumns) {
            QCOMPARE(cell("Text30", 29)->text(), QStringLiteral("10,5"));
            QCOMPARE(cell("Text31", 29)->text(), QStringLiteral("90,5"));
        }
    }

    // Escape in a code opens the window's picker for that row; the row
    // taken lands in that row's code, selected.
    void escapeOpensThePickerForTheRow()
    {
        open();
        QLineEdit *code = cell("Text10", 2);
        code->setFocus();
        QTest::keyClick(code, Qt::Key_Escape);
        QCOMPARE(session::FilaActual(), 2);
        QWidget *w = visibleWindow(QStringLiteral("ConsListaArticuloT"));
        QVERIFY(w);
        auto *picker = qobject_cast<catalogue::ArticlePicker *>(w);
        QVERIFY(picker);
        QCOMPARE(picker->kind(), catalogue::ArticlePickerKind::Ticket);
        auto *search = picker->findChild<QLineEdit *>(QStringLiteral("Text1"));
        QVERIFY(search);
        search->setFocus();
        QTest::keyClicks(search, QStringLiteral("PINT"));
        QTest::keyClick(search, Qt::Key_Return);
        auto *list = picker->findChild<QWidget *>(QStringLiteral("MSFlexGrid1"));
        QVERIFY(list);
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!visibleWindow(QStringLiteral("ConsListaArticuloT")));
        QCOMPARE(code->text(), QStringLiteral("00003"));
        QTRY_COMPARE(focusName(), QStringLiteral("Text10_2"));
        QCOMPARE(code->selectedText(), QStringLiteral("00003"));
    }

    // A scanner's next code arriving while the grid pauses after a lookup
    // lands in the next row, not in the price of the row in progress.
    void keysTypedDuringThePauseGoToTheNextRow()
    {
        open();
        QLineEdit *code = cell("Text10", 0);
        code->setFocus();
        QTest::keyClicks(code, QStringLiteral("00001"));
        // Sent by the scanner while the focus is on the first row's price.
        QLineEdit *price = cell("Text13", 0);
        const QList<QPair<int, QString>> keys{{Qt::Key_0, "0"}, {Qt::Key_0, "0"}, {Qt::Key_0, "0"},
                                              {Qt::Key_0, "0"}, {Qt::Key_3, "3"}, {Qt::Key_Return, "\r"}};
        for (const auto &[key, text] : keys) {
            QCoreApplication::postEvent(price, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
            QCoreApplication::postEvent(price, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
        }
        QTest::keyClick(code, Qt::Key_Return);
        QCOMPARE(cell("Text13", 0)->text(), QStringLiteral("12,5"));
        QCOMPARE(cell("Text14", 0)->text(), QStringLiteral("12,50"));
        QCOMPARE(cell("Text10", 1)->text(), QStringLiteral("00003"));
        QCOMPARE(cell("Text14", 1)->text(), QStringLiteral("10,00"));
        QCOMPARE(m_host->total->text(), QStringLiteral("22,50"));
        QCOMPARE(focusName(), QStringLiteral("Text10_2"));
    }

    // The same while the grid scrolls after Enter on a price.
    void keysTypedWhileScrollingGoToTheNextRow()
    {
        open();
        for (int r = 0; r < 15; ++r)
            scan(r, QStringLiteral("00003"));
        QCOMPARE(focusName(), QStringLiteral("Text10_15"));
        QLineEdit *price = cell("Text13", 14);
        price->setFocus();
        for (const auto &[key, text] : QList<QPair<int, QString>>{{Qt::Key_0, "0"}, {Qt::Key_0, "0"},
                                                                   {Qt::Key_0, "0"}, {Qt::Key_0, "0"},
                                                                   {Qt::Key_1, "1"}, {Qt::Key_Return, "\r"}})
            QCoreApplication::postEvent(price, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
        QTest::keyClick(price, Qt::Key_Return);
        QCOMPARE(cell("Text13", 14)->text(), QStringLiteral("10"));
        QCOMPARE(cell("Text10", 15)->text(), QStringLiteral("00001"));
        QCOMPARE(cell("Text14", 15)->text(), QStringLiteral("12,50"));
        QCOMPARE(focusName(), QStringLiteral("Text10_16"));
    }

    void storedLinesFillTheFirstRows()
    {
        open();
        const QList<sales::DocumentLine> lines{
            {QStringLiteral("00001"), QStringLiteral("TORNILLO 3/8"), QStringLiteral("2"), QStringLiteral("12,5"),
             QStringLiteral("25"), QStringLiteral("1")},
            {QStringLiteral("00003"), QStringLiteral("PINTURA LATEX 4L"), QStringLiteral("1"), QStringLiteral("10"),
             QStringLiteral("10"), QStringLiteral("1")},
        };
        QCOMPARE(m_host->grid->loadLines(lines), 2);
        QCOMPARE(cell("Text10", 1)->text(), QStringLiteral("00003"));
        QCOMPARE(cell("Text14", 0)->text(), QStringLiteral("25,00"));
        QVERIFY(cell("Text3", 0)->text().isEmpty());
        QVERIFY(!m_host->grid->firstProblem(false).has_value());
    }
};

QTEST_MAIN(TstItemGrid)
#include "tst_item_grid.moc"

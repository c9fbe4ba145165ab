// The article pickers as the operator drives them: search, no match, take,
// keys and buttons towards the article window.

#include "catalogue/article_picker.h"
#include "common/ui/fields.h"
#include "common/ui/window_opener.h"
#include "fake_messages.h"
#include "picker_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using catalogue::ArticlePicker;
using catalogue::ArticlePickerKind;
Q_DECLARE_METATYPE(ArticlePickerKind)

// Stands in for the article window: its code box and the three entry
// points, recording each call with the code box's text at that moment.
class FakeArticulos : public QWidget {
    Q_OBJECT
public:
    FakeArticulos()
    {
        setObjectName(QStringLiteral("Articulos"));
        code = new QLineEdit(this);
        code->setObjectName(QStringLiteral("Text1"));
    }
    Q_INVOKABLE void CrearArticulo() { calls << QStringLiteral("CrearArticulo(%1)").arg(code->text()); }
    Q_INVOKABLE void BuscarEntrada() { calls << QStringLiteral("BuscarEntrada(%1)").arg(code->text()); }
    Q_INVOKABLE void BorrarArticulo() { calls << QStringLiteral("BorrarArticulo(%1)").arg(code->text()); }

    QLineEdit *code = nullptr;
    QStringList calls;
};

class TestArticlePicker : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void looksAndColumns_data();
    void looksAndColumns();
    void prefixSearch_data();
    void prefixSearch();
    void noMatch_data();
    void noMatch();
    void lookupDoesNotSearchAnEmptyBox();
    void take_data();
    void take();
    void doubleClick_data();
    void doubleClick();
    void nothingTakenWithoutCurrentRow();
    void escapeAndBackspace();
    void articleWindowCommands_data();
    void articleWindowCommands();
    void commandsNeedACurrentRow();
    void commandKeysDoNothingInSalesPickers();
    void enterTakesNothingInLookup();
    void lastPriceLookupShown_data();
    void lastPriceLookupShown();

private:
    // A picker of `kind`, shown and active, with the focus in its search box.
    std::unique_ptr<ArticlePicker> openPicker(ArticlePickerKind kind);
    static QLineEdit *searchBox(ArticlePicker *p) { return p->findChild<QLineEdit *>(QStringLiteral("Text1")); }
    static QTableView *list(ArticlePicker *p) { return p->findChild<QTableView *>(QStringLiteral("MSFlexGrid1")); }
    static int currentRow(ArticlePicker *p)
    {
        const QModelIndex i = list(p)->currentIndex();
        return i.isValid() ? i.row() : -1;
    }
    // Types the text into the search box and presses Enter.
    static void search(ArticlePicker *p, const QString &text)
    {
        searchBox(p)->selectAll();
        QTest::keyClicks(searchBox(p), text);
        QTest::keyClick(searchBox(p), Qt::Key_Return);
    }

    std::unique_ptr<PickerFixture> m_fixture;
    std::unique_ptr<MessagesGuard> m_messages;
    std::unique_ptr<FakeArticulos> m_articulos;
    QStringList m_opened;
    ui::WindowOpener m_previousOpener;
};

void TestArticlePicker::init()
{
    services::setPauseScale(0);
    services::setToday(QDate(2024, 5, 17));
    session::TextoBuscar().clear();
    m_fixture = std::make_unique<PickerFixture>();
    m_messages = std::make_unique<MessagesGuard>();
    m_articulos = std::make_unique<FakeArticulos>();
    m_opened.clear();
    m_previousOpener = ui::setWindowOpener([this](const QString &name, int left, int top) -> QWidget * {
        m_opened << QStringLiteral("%1@%2,%3").arg(name).arg(left).arg(top);
        return name == QLatin1String("Articulos") ? m_articulos.get() : nullptr;
    });
}

void TestArticlePicker::cleanup()
{
    ui::setWindowOpener(m_previousOpener);
    m_articulos.reset();
    m_messages.reset();
    m_fixture.reset();
    session::TextoBuscar().clear();
    services::setPauseScale(1);
    services::setToday(QDate());
}

std::unique_ptr<ArticlePicker> TestArticlePicker::openPicker(ArticlePickerKind kind)
{
    auto picker = std::make_unique<ArticlePicker>(kind);
    picker->open();
    picker->activateWindow();
    if (!QTest::qWaitForWindowActive(picker.get()))
        qWarning("picker not active");
    return picker;
}

static void addKinds()
{
    QTest::addColumn<ArticlePickerKind>("kind");
}

void TestArticlePicker::looksAndColumns_data()
{
    addKinds();
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("buttons");
    QTest::newRow("lookup") << ArticlePickerKind::Lookup << "ConsListaArticulo" << 4;
    QTest::newRow("ticket") << ArticlePickerKind::Ticket << "ConsListaArticuloT" << 0;
    QTest::newRow("ticketA") << ArticlePickerKind::TicketA << "ConsListaArticuloA" << 0;
    QTest::newRow("ticketN") << ArticlePickerKind::TicketN << "ConsListaArticuloN" << 0;
    QTest::newRow("remito") << ArticlePickerKind::Remito << "ConsultaArticulos4precios" << 0;
}

void TestArticlePicker::looksAndColumns()
{
    QFETCH(ArticlePickerKind, kind);
    QFETCH(QString, name);
    QFETCH(int, buttons);
    auto p = openPicker(kind);
    QCOMPARE(p->objectName(), name);
    QCOMPARE(p->kind(), kind);
    QCOMPARE(p->windowTitle(), QStringLiteral("Consulta - Articulos"));
    QCOMPARE(p->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xFF));
    QVERIFY(!(p->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));
    QCOMPARE(p->minimumSize(), p->maximumSize());
    QCOMPARE(QApplication::focusWidget(), searchBox(p.get()));
    QTableView *grid = list(p.get());
    QVERIFY(grid);
    QCOMPARE(grid->model()->rowCount(), PickerFixture::size);
    QStringList headers;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        headers << grid->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headers, (QStringList{"ART", "DES", "SIG", "NE1", "NE2", "NE3", "NE4"}));
    QCOMPARE(currentRow(p.get()), -1);

    QStringList captions;
    for (QPushButton *b : p->findChildren<QPushButton *>())
        captions << b->text();
    QCOMPARE(captions.size(), buttons);
    if (buttons)
        QCOMPARE(captions, (QStringList{"ESC = Salir", "2 = Agregar", "3 = Modificar", "4 = Borrar"}));
}

void TestArticlePicker::prefixSearch_data()
{
    addKinds();
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("code");
    QTest::newRow("lookup TOR") << ArticlePickerKind::Lookup << "TOR" << "00003";
    QTest::newRow("ticket tor (typed lower case)") << ArticlePickerKind::Ticket << "tor" << "00003";
    QTest::newRow("ticketA torno") << ArticlePickerKind::TicketA << "torno" << "00004";
    QTest::newRow("ticketN lower-case description") << ArticlePickerKind::TicketN << "TORNILLO F" << "00006";
    QTest::newRow("remito apostrophe") << ArticlePickerKind::Remito << "D'A" << "00007";
    QTest::newRow("lookup apostrophe") << ArticlePickerKind::Lookup << "d'alessandro" << "00007";
    QTest::newRow("ticket empty box: first row") << ArticlePickerKind::Ticket << "" << "00008";
}

void TestArticlePicker::prefixSearch()
{
    QFETCH(ArticlePickerKind, kind);
    QFETCH(QString, typed);
    QFETCH(QString, code);
    auto p = openPicker(kind);
    search(p.get(), typed);
    QCOMPARE(searchBox(p.get())->text(), typed.toUpper());
    QCOMPARE(currentRow(p.get()), PickerFixture::rowOf(code));
    QCOMPARE(QApplication::focusWidget(), list(p.get()));
    QVERIFY(list(p.get())->selectionModel()->isRowSelected(PickerFixture::rowOf(code), {}));
    QVERIFY(p->isVisible());
}

void TestArticlePicker::noMatch_data()
{
    addKinds();
    QTest::addColumn<bool>("backToSearch");
    QTest::addColumn<int>("current");
    QTest::newRow("lookup") << ArticlePickerKind::Lookup << false << -1;
    QTest::newRow("ticket") << ArticlePickerKind::Ticket << true << 0;
    QTest::newRow("ticketA") << ArticlePickerKind::TicketA << true << 0;
    QTest::newRow("ticketN") << ArticlePickerKind::TicketN << true << 0;
    QTest::newRow("remito") << ArticlePickerKind::Remito << false << -1;
}

void TestArticlePicker::noMatch()
{
    QFETCH(ArticlePickerKind, kind);
    QFETCH(bool, backToSearch);
    QFETCH(int, current);
    auto p = openPicker(kind);
    search(p.get(), QStringLiteral("TOR"));   // a current row first
    QCOMPARE(currentRow(p.get()), PickerFixture::rowOf("00003"));
    ui::focusAndSelect(searchBox(p.get()));
    // "TORX" is inside "LLAVE TORX T20" but no description begins with it.
    search(p.get(), QStringLiteral("TORX"));
    QCOMPARE(currentRow(p.get()), current);
    if (backToSearch) {
        QCOMPARE(QApplication::focusWidget(), searchBox(p.get()));
        QCOMPARE(searchBox(p.get())->selectedText(), QStringLiteral("TORX"));
    } else {
        QCOMPARE(QApplication::focusWidget(), list(p.get()));
        QVERIFY(list(p.get())->selectionModel()->selectedIndexes().isEmpty());
    }
    QVERIFY(p->isVisible());
    QVERIFY(m_messages->fake->shown.isEmpty());
}

void TestArticlePicker::lookupDoesNotSearchAnEmptyBox()
{
    auto p = openPicker(ArticlePickerKind::Lookup);
    search(p.get(), QString());
    QCOMPARE(QApplication::focusWidget(), searchBox(p.get()));
    QCOMPARE(currentRow(p.get()), -1);
    QVERIFY(p->isVisible());
}

void TestArticlePicker::take_data()
{
    addKinds();
    QTest::newRow("ticket") << ArticlePickerKind::Ticket;
    QTest::newRow("ticketA") << ArticlePickerKind::TicketA;
    QTest::newRow("ticketN") << ArticlePickerKind::TicketN;
    QTest::newRow("remito") << ArticlePickerKind::Remito;
}

void TestArticlePicker::take()
{
    QFETCH(ArticlePickerKind, kind);
    auto p = openPicker(kind);
    QStringList taken;
    bool visibleWhenTaken = false;
    p->setTakeHandler([&](const QString &code) {
        taken << code;
        visibleWhenTaken = p->isVisible();
    });
    search(p.get(), QStringLiteral("MAR"));
    QTest::keyClick(list(p.get()), Qt::Key_Down);   // MASILLA, the row after
    QTest::keyClick(list(p.get()), Qt::Key_Return);
    QCOMPARE(taken, QStringList{QStringLiteral("00010")});
    QVERIFY(visibleWhenTaken);
    QVERIFY(!p->isVisible());
    QCOMPARE(p->result(), int(QDialog::Accepted));
}

void TestArticlePicker::doubleClick_data()
{
    addKinds();
    QTest::addColumn<bool>("takes");
    QTest::newRow("ticket") << ArticlePickerKind::Ticket << true;
    QTest::newRow("ticketA") << ArticlePickerKind::TicketA << true;
    QTest::newRow("ticketN") << ArticlePickerKind::TicketN << true;
    QTest::newRow("remito") << ArticlePickerKind::Remito << false;
    QTest::newRow("lookup") << ArticlePickerKind::Lookup << false;
}

void TestArticlePicker::doubleClick()
{
    QFETCH(ArticlePickerKind, kind);
    QFETCH(bool, takes);
    auto p = openPicker(kind);
    QStringList taken;
    p->setTakeHandler([&](const QString &code) { taken << code; });
    QTableView *grid = list(p.get());
    const int row = PickerFixture::rowOf("00005");
    const QPoint at = grid->visualRect(grid->model()->index(row, 1)).center();
    QVERIFY(!at.isNull());
    // As the window system sends it: a click, then the second press.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(taken, takes ? QStringList{QStringLiteral("00005")} : QStringList{});
    QCOMPARE(p->isVisible(), !takes);
}

void TestArticlePicker::nothingTakenWithoutCurrentRow()
{
    auto p = openPicker(ArticlePickerKind::Remito);
    QStringList taken;
    p->setTakeHandler([&](const QString &code) { taken << code; });
    search(p.get(), QStringLiteral("ZZZ"));
    QCOMPARE(QApplication::focusWidget(), list(p.get()));
    QTest::keyClick(list(p.get()), Qt::Key_Return);
    QVERIFY(taken.isEmpty());
    QVERIFY(p->isVisible());
    // Down then chooses the first row, which Enter takes.
    QTest::keyClick(list(p.get()), Qt::Key_Down);
    QTest::keyClick(list(p.get()), Qt::Key_Return);
    QCOMPARE(taken, QStringList{QStringLiteral("00008")});
}

void TestArticlePicker::escapeAndBackspace()
{
    auto p = openPicker(ArticlePickerKind::Ticket);
    search(p.get(), QStringLiteral("TORNO"));
    QCOMPARE(QApplication::focusWidget(), list(p.get()));
    QTest::keyClick(list(p.get()), Qt::Key_Backspace);
    QCOMPARE(QApplication::focusWidget(), searchBox(p.get()));
    QCOMPARE(searchBox(p.get())->selectedText(), QStringLiteral("TORNO"));
    QTest::keyClick(searchBox(p.get()), Qt::Key_Return);
    QTest::keyClick(list(p.get()), Qt::Key_Escape);
    QVERIFY(!p->isVisible());
    QCOMPARE(p->result(), int(QDialog::Rejected));

    auto q = openPicker(ArticlePickerKind::Lookup);
    QTest::keyClick(searchBox(q.get()), Qt::Key_Escape);
    QVERIFY(!q->isVisible());
}

void TestArticlePicker::articleWindowCommands_data()
{
    QTest::addColumn<QString>("how");     // a key or a button's objectName
    QTest::addColumn<QString>("call");
    QTest::newRow("key 3") << "3" << "BuscarEntrada(00002)";
    QTest::newRow("key 4") << "4" << "BorrarArticulo(00002)";
    QTest::newRow("key 2") << "2" << "CrearArticulo()";
    QTest::newRow("button 3 = Modificar") << "cmdModificar" << "BuscarEntrada(00002)";
    QTest::newRow("button 4 = Borrar") << "cmdBorrar" << "BorrarArticulo(00002)";
    QTest::newRow("button 2 = Agregar") << "cmdAgregar" << "CrearArticulo()";
    QTest::newRow("button ESC = Salir") << "cmdSalir" << "";
}

void TestArticlePicker::articleWindowCommands()
{
    QFETCH(QString, how);
    QFETCH(QString, call);
    auto p = openPicker(ArticlePickerKind::Lookup);
    search(p.get(), QStringLiteral("MARTI"));
    QCOMPARE(currentRow(p.get()), PickerFixture::rowOf("00002"));
    if (how.size() == 1)
        QTest::keyClick(list(p.get()), how.at(0).toLatin1());
    else
        QTest::mouseClick(p->findChild<QPushButton *>(how), Qt::LeftButton);
    QVERIFY(!p->isVisible());
    if (call.isEmpty()) {
        QVERIFY(m_opened.isEmpty());
        return;
    }
    QCOMPARE(m_opened, QStringList{QStringLiteral("Articulos@1600,0")});
    QCOMPARE(m_articulos->calls, QStringList{call});
    if (call != QLatin1String("CrearArticulo()")) {
        QCOMPARE(m_articulos->code->text(), QStringLiteral("00002"));
        QCOMPARE(m_articulos->code->selectedText(), QStringLiteral("00002"));
    }
}

void TestArticlePicker::commandsNeedACurrentRow()
{
    auto p = openPicker(ArticlePickerKind::Lookup);
    search(p.get(), QStringLiteral("XYZ"));   // no match: no current row
    QTest::keyClick(list(p.get()), '3');
    QTest::keyClick(list(p.get()), '4');
    QVERIFY(p->isVisible());
    QVERIFY(m_opened.isEmpty());
    QVERIFY(m_articulos->calls.isEmpty());
}

void TestArticlePicker::commandKeysDoNothingInSalesPickers()
{
    auto p = openPicker(ArticlePickerKind::Ticket);
    QStringList taken;
    p->setTakeHandler([&](const QString &code) { taken << code; });
    search(p.get(), QStringLiteral("MAR"));
    for (char key : {'2', '3', '4'})
        QTest::keyClick(list(p.get()), key);
    QVERIFY(p->isVisible());
    QVERIFY(m_opened.isEmpty());
    QVERIFY(taken.isEmpty());
    QCOMPARE(currentRow(p.get()), PickerFixture::rowOf("00002"));
}

void TestArticlePicker::enterTakesNothingInLookup()
{
    auto p = openPicker(ArticlePickerKind::Lookup);
    QStringList taken;
    p->setTakeHandler([&](const QString &code) { taken << code; });
    search(p.get(), QStringLiteral("MAR"));
    QTest::keyClick(list(p.get()), Qt::Key_Return);
    QVERIFY(p->isVisible());
    QVERIFY(taken.isEmpty());
    QVERIFY(m_opened.isEmpty());
}

void TestArticlePicker::lastPriceLookupShown_data()
{
    addKinds();
    QTest::addColumn<QString>("shown");
    QTest::newRow("lookup shows it") << ArticlePickerKind::Lookup << "MARTILLO";
    QTest::newRow("ticket does not") << ArticlePickerKind::Ticket << "";
}

void TestArticlePicker::lastPriceLookupShown()
{
    QFETCH(ArticlePickerKind, kind);
    QFETCH(QString, shown);
    session::TextoBuscar() = QStringLiteral("MARTILLO");
    auto p = openPicker(kind);
    QCOMPARE(searchBox(p.get())->text(), shown);
    QCOMPARE(searchBox(p.get())->selectedText(), shown);
    QCOMPARE(QApplication::focusWidget(), searchBox(p.get()));
    if (kind == ArticlePickerKind::Lookup) {
        QTest::keyClick(searchBox(p.get()), Qt::Key_Return);
        QCOMPARE(currentRow(p.get()), PickerFixture::rowOf("00002"));
        // Opened again, it shows the text again.
        p->reject();
        searchBox(p.get())->setText(QStringLiteral("OTRO"));
        p->open();
        QCOMPARE(searchBox(p.get())->text(), shown);
    }
}

QTEST_MAIN(TestArticlePicker)
#include "tst_article_picker.moc"

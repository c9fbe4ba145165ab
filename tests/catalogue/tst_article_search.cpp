// Rules of the article pickers, their list and the bar-code entry, without
// widgets.

#include "catalogue/article_barcode.h"
#include "catalogue/article_list_model.h"
#include "catalogue/article_search.h"
#include "picker_fixture.h"

#include <QtTest>

using catalogue::ArticleListModel;
using catalogue::ArticlePickerKind;
using catalogue::SearchOutcome;
using Focus = catalogue::SearchOutcome::Focus;
Q_DECLARE_METATYPE(ArticlePickerKind)
Q_DECLARE_METATYPE(catalogue::SearchOutcome::Focus)

class TestArticleSearch : public QObject {
    Q_OBJECT

private slots:
    void traits_data();
    void traits();
    void outcome_data();
    void outcome();
    void priceLookupCaption_data();
    void priceLookupCaption();

    void listOrderAndColumns();
    void listPrefix_data();
    void listPrefix();
    void listReadsAfreshOnReload();

    void barcodeOnCurrentArticle_data();
    void barcodeOnCurrentArticle();
    void barcodeRefusedWithoutArticle();
};

void TestArticleSearch::traits_data()
{
    QTest::addColumn<ArticlePickerKind>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("searchesEmpty");
    QTest::addColumn<bool>("backToSearch");
    QTest::addColumn<bool>("takes");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<bool>("commands");
    QTest::newRow("lookup") << ArticlePickerKind::Lookup << "ConsListaArticulo" << false << false << false << false
                            << true;
    QTest::newRow("ticket") << ArticlePickerKind::Ticket << "ConsListaArticuloT" << true << true << true << true
                            << false;
    QTest::newRow("ticketA") << ArticlePickerKind::TicketA << "ConsListaArticuloA" << true << true << true << true
                             << false;
    QTest::newRow("ticketN") << ArticlePickerKind::TicketN << "ConsListaArticuloN" << true << true << true << true
                             << false;
    QTest::newRow("remito") << ArticlePickerKind::Remito << "ConsultaArticulos4precios" << true << false << true
                            << false << false;
}

void TestArticleSearch::traits()
{
    QFETCH(ArticlePickerKind, kind);
    QFETCH(QString, name);
    QFETCH(bool, searchesEmpty);
    QFETCH(bool, backToSearch);
    QFETCH(bool, takes);
    QFETCH(bool, doubleClick);
    QFETCH(bool, commands);
    const auto &t = catalogue::traitsOf(kind);
    QCOMPARE(t.name, name);
    QCOMPARE(t.searchesEmptyText, searchesEmpty);
    QCOMPARE(t.noMatchBackToSearch, backToSearch);
    QCOMPARE(t.takesRows, takes);
    QCOMPARE(t.takesOnDoubleClick, doubleClick);
    QCOMPARE(t.articleWindowCommands, commands);
}

void TestArticleSearch::outcome_data()
{
    QTest::addColumn<ArticlePickerKind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("found");       // what the list's search answers
    QTest::addColumn<bool>("searched");
    QTest::addColumn<int>("current");
    QTest::addColumn<Focus>("focus");
    QTest::addColumn<bool>("selectText");

    QTest::newRow("lookup, empty box: no search") << ArticlePickerKind::Lookup << "" << 9 << 0 << false << -1
                                                  << Focus::Unchanged << false;
    QTest::newRow("ticket, empty box: first row") << ArticlePickerKind::Ticket << "" << 9 << 0 << true << 0
                                                  << Focus::List << false;
    QTest::newRow("remito, empty box: first row") << ArticlePickerKind::Remito << "" << 9 << 0 << true << 0
                                                  << Focus::List << false;
    for (auto kind : {ArticlePickerKind::Lookup, ArticlePickerKind::Ticket, ArticlePickerKind::TicketA,
                      ArticlePickerKind::TicketN, ArticlePickerKind::Remito}) {
        const QByteArray name = catalogue::traitsOf(kind).name.toLatin1();
        QTest::newRow(QByteArray(name + ", found").constData()) << kind << "TOR" << 9 << 6 << true << 6 << Focus::List << false;
    }
    QTest::newRow("lookup, no match: list without current row")
        << ArticlePickerKind::Lookup << "TORX" << 9 << -1 << true << -1 << Focus::List << false;
    QTest::newRow("remito, no match: list without current row")
        << ArticlePickerKind::Remito << "TORX" << 9 << -1 << true << -1 << Focus::List << false;
    QTest::newRow("ticket, no match: search box, first row")
        << ArticlePickerKind::Ticket << "TORX" << 9 << -1 << true << 0 << Focus::SearchBox << true;
    QTest::newRow("ticketA, no match: search box, first row")
        << ArticlePickerKind::TicketA << "TORX" << 9 << -1 << true << 0 << Focus::SearchBox << true;
    QTest::newRow("ticketN, no match: search box, first row")
        << ArticlePickerKind::TicketN << "TORX" << 9 << -1 << true << 0 << Focus::SearchBox << true;
    QTest::newRow("ticket, empty catalogue") << ArticlePickerKind::Ticket << "" << 0 << -1 << true << -1
                                             << Focus::SearchBox << true;
    QTest::newRow("row beyond the list counts as none") << ArticlePickerKind::Remito << "A" << 3 << 7 << true << -1
                                                        << Focus::List << false;
}

void TestArticleSearch::outcome()
{
    QFETCH(ArticlePickerKind, kind);
    QFETCH(QString, text);
    QFETCH(int, rows);
    QFETCH(int, found);
    QString asked = QStringLiteral("<not asked>");
    const SearchOutcome out = catalogue::searchOutcome(kind, text, rows, [&](const QString &t) {
        asked = t;
        return found;
    });
    QTEST(out.searched, "searched");
    QTEST(out.currentRow, "current");
    QTEST(out.focus, "focus");
    QTEST(out.selectSearchText, "selectText");
    if (out.searched)
        QCOMPARE(asked, text);
}

void TestArticleSearch::priceLookupCaption_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("caption");
    QTest::newRow("D") << "D" << "Descripcion -->";
    QTest::newRow("C") << "C" << "Codigo -->";
    QTest::newRow("other letter") << "X" << "";
    QTest::newRow("empty") << "" << "";
}

void TestArticleSearch::priceLookupCaption()
{
    QFETCH(QString, choice);
    QTEST(catalogue::priceLookupCaption(choice), "caption");
}

void TestArticleSearch::listOrderAndColumns()
{
    PickerFixture f;
    auto db = f.folder.open(store::files::Articulos);
    ArticleListModel model(*db);
    QCOMPARE(model.rowCount(), PickerFixture::size);
    QCOMPARE(model.columnCount(), 7);
    QStringList headers;
    for (int c = 0; c < model.columnCount(); ++c)
        headers << model.headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headers, (QStringList{"ART", "DES", "SIG", "NE1", "NE2", "NE3", "NE4"}));
    for (int r = 0; r < PickerFixture::size; ++r) {
        QCOMPARE(model.code(r), QString::fromUtf8(PickerFixture::catalogue[r].art));
        QCOMPARE(model.text(r, ArticleListModel::Des), QString::fromUtf8(PickerFixture::catalogue[r].des));
    }
    const int martillo = PickerFixture::rowOf("00002");
    QCOMPARE(model.data(model.index(martillo, ArticleListModel::Sig)).toString(), QStringLiteral("MAR"));
    QCOMPARE(model.data(model.index(martillo, ArticleListModel::Ne1)).toString(), QStringLiteral("12345,67"));
    QCOMPARE(model.data(model.index(martillo, ArticleListModel::Ne2)).toString(), QStringLiteral("2"));
    QCOMPARE(model.data(model.index(martillo, ArticleListModel::Ne3)).toString(), QString());
    QVERIFY(model.data(model.index(martillo, ArticleListModel::Ne1), Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
    QCOMPARE(model.code(-1), QString());
    QCOMPARE(model.code(PickerFixture::size), QString());
}

void TestArticleSearch::listPrefix_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("code");   // empty: no match
    QTest::newRow("TOR: first description beginning with it") << "TOR" << "00003";
    QTest::newRow("letter case ignored") << "tornillo F" << "00006";
    QTest::newRow("TORN") << "TORNO" << "00004";
    QTest::newRow("TOR further in is not found") << "TORX" << "";
    QTest::newRow("whole description") << "MARTILLO GALPONERO" << "00002";
    QTest::newRow("longer than any description") << "MARTILLO GALPONERO X" << "";
    QTest::newRow("apostrophe") << "D'A" << "00007";
    QTest::newRow("apostrophe, no match") << "D'B" << "";
    QTest::newRow("quote and SQL text") << "' OR '1'='1" << "";
    QTest::newRow("percent is plain") << "MA%" << "";
    QTest::newRow("underscore is plain") << "CLAVO 1_0" << "";
    QTest::newRow("digits and blanks") << "CLAVO 100 " << "00009";
    QTest::newRow("empty: first row") << "" << "00008";
    QTest::newRow("after the last") << "ZZ" << "";
    QTest::newRow("before the first") << "A" << "00008";
}

void TestArticleSearch::listPrefix()
{
    QFETCH(QString, prefix);
    QFETCH(QString, code);
    PickerFixture f;
    auto db = f.folder.open(store::files::Articulos);
    ArticleListModel model(*db);
    const int row = model.findFirstPrefix(prefix);
    QCOMPARE(row, code.isEmpty() ? -1 : PickerFixture::rowOf(code));
}

void TestArticleSearch::listReadsAfreshOnReload()
{
    PickerFixture f;
    auto db = f.folder.open(store::files::Articulos);
    ArticleListModel model(*db);
    QCOMPARE(model.code(0), QStringLiteral("00008"));
    {
        auto other = f.folder.open(store::files::Articulos);
        store::TableView view(*other, QStringLiteral("Articulos"));
        view.addNew();
        view.setValue(QStringLiteral("ART"), QStringLiteral("00011"));
        view.setValue(QStringLiteral("DES"), QStringLiteral("AAA PRIMERO"));
        view.update();
    }
    model.reload();
    QCOMPARE(model.rowCount(), PickerFixture::size + 1);
    QCOMPARE(model.code(0), QStringLiteral("00011"));
    QCOMPARE(model.findFirstPrefix(QStringLiteral("TOR")), PickerFixture::rowOf("00003") + 1);
}

void TestArticleSearch::barcodeOnCurrentArticle_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("EAN-13") << "7790000000017";
    QTest::newRow("letters kept as typed") << "abc-12";
    QTest::newRow("empty clears the bar code") << "";
}

void TestArticleSearch::barcodeOnCurrentArticle()
{
    QFETCH(QString, code);
    PickerFixture f;
    auto db = f.folder.open(store::files::Articulos);
    store::TableView view(*db, QStringLiteral("Articulos"));
    view.setIndex(QStringLiteral("art"));
    QVERIFY(view.seek(QStringLiteral("00002")));
    QCOMPARE(catalogue::attachBarcode(&view, code), catalogue::BarcodeResult::Attached);
    QCOMPARE(f.stored(QStringLiteral("00002"), QStringLiteral("COD")), code);
    QCOMPARE(f.stored(QStringLiteral("00002"), QStringLiteral("DES")), QStringLiteral("MARTILLO GALPONERO"));
    QCOMPARE(f.stored(QStringLiteral("00003"), QStringLiteral("COD")), QString());
    QVERIFY(!view.editing());
}

void TestArticleSearch::barcodeRefusedWithoutArticle()
{
    PickerFixture f;
    auto db = f.folder.open(store::files::Articulos);
    store::TableView view(*db, QStringLiteral("Articulos"));
    view.setIndex(QStringLiteral("art"));
    QVERIFY(view.seek(QStringLiteral("00003")));
    QVERIFY(!view.seek(QStringLiteral("99999")));   // the last lookup failed
    QCOMPARE(catalogue::attachBarcode(&view, QStringLiteral("123")), catalogue::BarcodeResult::NoArticle);
    QCOMPARE(catalogue::attachBarcode(nullptr, QStringLiteral("123")), catalogue::BarcodeResult::NoArticle);
    for (const auto &a : PickerFixture::catalogue)
        QCOMPARE(f.stored(QString::fromUtf8(a.art), QStringLiteral("COD")), QString::fromUtf8(a.cod));
    QVERIFY(!catalogue::noArticleForBarcodeText().isEmpty());
}

QTEST_GUILESS_MAIN(TestArticleSearch)
#include "tst_article_search.moc"

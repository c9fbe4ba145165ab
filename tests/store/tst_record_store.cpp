#include "common/formats.h"
#include "store/record_store.h"
#include "test_support.h"

#include <QtTest>

using store::StoreError;
using store::TableView;

namespace {

void addArticle(TableView &v, const QString &code, const QString &des, const QString &cost = QString())
{
    v.addNew();
    v.setValue(QStringLiteral("ART"), code);
    v.setValue(QStringLiteral("DES"), des);
    if (!cost.isEmpty())
        v.setValue(QStringLiteral("COS"), cost);
    v.update();
}

StoreError::Kind kindOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const StoreError &e) {
        return e.kind();
    }
    return StoreError::Kind::Engine;  // "nothing thrown" is checked separately
}

} // namespace

class TestRecordStore : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void seekPositionsOnFirstEqualKeyThenMovesAlongIndex();
    void seekIgnoresLetterCase();
    void seekMissGivesNoMatch();
    void orderedViewMovesInKeyOrderWithBofEof();
    void emptyTableIsBofAndEof();
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void badValueIsRefusedAndNothingWritten_data();
    void badValueIsRefusedAndNothingWritten();
    void editWritesOnlyTheFieldsSet();
    void readsSeeOtherConnectionsWrites();
    void deleteLeavesPositionForMoves();
    void duplicateKeyIsRefused();
    void transactionRollsBackUnlessCommitted();
    void datesSortAsDates();
    void queryViewFindsPrefixWithApostrophe();
    void openFailuresNameTheFile();
    void orderedListReadsPagesInOrder();

private:
    std::unique_ptr<TempDatabaseFolder> m_folder;
};

void TestRecordStore::init()
{
    m_folder = std::make_unique<TempDatabaseFolder>();
}

void TestRecordStore::cleanup()
{
    m_folder.reset();
}

void TestRecordStore::seekPositionsOnFirstEqualKeyThenMovesAlongIndex()
{
    auto db = m_folder->open(store::files::Tickets);
    TableView lines(*db, QStringLiteral("CtasCtes1"));
    // Written out of key order; lines of one document keep the order written.
    const QList<QPair<QString, QString>> written = {
        {"000002", "B1"}, {"000001", "A1"}, {"000002", "B2"}, {"000003", "C1"}, {"000002", "B3"}};
    for (const auto &[numero, art] : written) {
        lines.addNew();
        lines.setValue(QStringLiteral("numero"), numero);
        lines.setValue(QStringLiteral("cod_art"), art);
        lines.update();
    }
    lines.setIndex(QStringLiteral("numero"));
    QVERIFY(lines.seek(QStringLiteral("000002")));
    QStringList seen;
    while (!lines.eof() && lines.value(QStringLiteral("numero")) == QLatin1String("000002")) {
        seen << lines.value(QStringLiteral("cod_art"));
        lines.moveNext();
    }
    QCOMPARE(seen, (QStringList{"B1", "B2", "B3"}));
    QVERIFY(!lines.eof());
    QCOMPARE(lines.value(QStringLiteral("cod_art")), QStringLiteral("C1"));
    lines.moveNext();
    QVERIFY(lines.eof());
}

void TestRecordStore::seekIgnoresLetterCase()
{
    auto db = m_folder->open(store::files::Opcion);
    TableView users(*db, QStringLiteral("Usuarios"));
    users.setIndex(QStringLiteral("usuario"));
    QVERIFY(users.seek(QStringLiteral("admin")));
    QCOMPARE(users.value(QStringLiteral("usuario")), QStringLiteral("ADMIN"));
    QCOMPARE(users.value(QStringLiteral("CONTRASENA")), QStringLiteral("KIVOR"));  // field names ignore case too
}

void TestRecordStore::seekMissGivesNoMatch()
{
    auto db = m_folder->open(store::files::Clientes);
    TableView c(*db, QStringLiteral("CLIENTES"));
    c.addNew();
    c.setValue(QStringLiteral("COD_CLIENT"), QStringLiteral("0001"));
    c.update();
    c.setIndex(QStringLiteral("COD_CLIENT"));
    QVERIFY(!c.seek(QStringLiteral("1")));  // no zeros are put in front
    QVERIFY(c.noMatch());
    QVERIFY(!c.hasRecord());
    QCOMPARE(kindOf([&] { c.value(QStringLiteral("RAZON_SOC")); }), StoreError::Kind::NoRecord);
    QVERIFY(c.seek(QStringLiteral("0001")));
    QVERIFY(!c.noMatch());
}

void TestRecordStore::orderedViewMovesInKeyOrderWithBofEof()
{
    auto db = m_folder->open(store::files::Articulos);
    TableView v(*db, QStringLiteral("Articulos"));
    for (const char *code : {"00003", "00001", "00002"})
        addArticle(v, QString::fromLatin1(code), QStringLiteral("X"));

    TableView ordered(*db, QStringLiteral("Articulos"));
    QCOMPARE(ordered.value(QStringLiteral("ART")), QStringLiteral("00001"));  // a new view stands on the first
    ordered.movePrevious();
    QVERIFY(ordered.bof());
    QVERIFY(!ordered.eof());
    ordered.moveLast();  // browsing wraps with MoveLast
    QCOMPARE(ordered.value(QStringLiteral("ART")), QStringLiteral("00003"));
    ordered.moveNext();
    QVERIFY(ordered.eof());
    ordered.moveFirst();
    QStringList codes;
    while (!ordered.eof()) {
        codes << ordered.value(QStringLiteral("ART"));
        ordered.moveNext();
    }
    QCOMPARE(codes, (QStringList{"00001", "00002", "00003"}));
    ordered.movePrevious();  // back from EOF onto the last
    QCOMPARE(ordered.value(QStringLiteral("ART")), QStringLiteral("00003"));
}

void TestRecordStore::emptyTableIsBofAndEof()
{
    auto db = m_folder->open(store::files::Proveedores);
    TableView v(*db, QStringLiteral("Proveedores"));
    QVERIFY(v.bof());
    QVERIFY(v.eof());
    v.moveLast();
    QVERIFY(v.bof() && v.eof());
    QCOMPARE(v.recordCount(), 0LL);
}

void TestRecordStore::valuesRoundTrip_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("read");
    QTest::newRow("decimal comma") << "COS" << "10,5" << "10,5";
    QTest::newRow("two decimals") << "NE1" << "173,03" << "173,03";
    QTest::newRow("point typed") << "COS" << "10.50" << "10,5";
    QTest::newRow("whole") << "PAC" << "12" << "12";
    QTest::newRow("negative") << "POT" << "-10" << "-10";
    QTest::newRow("empty number") << "STO" << "" << "";
    QTest::newRow("date") << "FUC" << "09/12/2026" << "09/12/2026";
    QTest::newRow("short date") << "FUC" << "9/1/2026" << "09/01/2026";
    QTest::newRow("empty date") << "FUC" << "" << "";
    QTest::newRow("text with accents") << "DES" << "CAÑO PVC 1/2\" ¿O'HIGGINS?" << "CAÑO PVC 1/2\" ¿O'HIGGINS?";
    QTest::newRow("empty text") << "SIG" << "" << "";
}

void TestRecordStore::valuesRoundTrip()
{
    QFETCH(QString, field);
    QFETCH(QString, written);
    QFETCH(QString, read);
    {
        auto db = m_folder->open(store::files::Articulos);
        TableView v(*db, QStringLiteral("Articulos"));
        v.addNew();
        v.setValue(QStringLiteral("ART"), QStringLiteral("00001"));
        v.setValue(field, written);
        v.update();
        QCOMPARE(v.value(field), read);
    }
    auto db = m_folder->open(store::files::Articulos);  // read back through a new connection
    TableView v(*db, QStringLiteral("Articulos"));
    v.setIndex(QStringLiteral("art"));
    QVERIFY(v.seek(QStringLiteral("00001")));
    QCOMPARE(v.value(field), read);
}

void TestRecordStore::badValueIsRefusedAndNothingWritten_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("letters in number") << "COS" << "diez";
    QTest::newRow("thousands separator") << "COS" << "1.234,5";
    QTest::newRow("not a date") << "FUC" << "31/02/2026";
    QTest::newRow("words for date") << "FUC" << "mañana";
}

void TestRecordStore::badValueIsRefusedAndNothingWritten()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    auto db = m_folder->open(store::files::Articulos);
    TableView v(*db, QStringLiteral("Articulos"));
    addArticle(v, QStringLiteral("00001"), QStringLiteral("ORIGINAL"), QStringLiteral("5"));

    // A change: the good field set before the bad one is not written either.
    v.edit();
    v.setValue(QStringLiteral("DES"), QStringLiteral("CAMBIADO"));
    try {
        v.setValue(field, text);
        QFAIL("bad value accepted");
    } catch (const StoreError &e) {
        QCOMPARE(e.kind(), StoreError::Kind::BadValue);
        QVERIFY2(e.message().contains(field) && e.message().contains(QStringLiteral("Articulos.mdb")),
                 qPrintable(e.message()));
    }
    QCOMPARE(kindOf([&] { v.update(); }), StoreError::Kind::BadValue);
    v.cancelUpdate();
    v.setIndex(QStringLiteral("art"));
    QVERIFY(v.seek(QStringLiteral("00001")));
    QCOMPARE(v.value(QStringLiteral("DES")), QStringLiteral("ORIGINAL"));
    QCOMPARE(v.value(QStringLiteral("COS")), QStringLiteral("5"));

    // A new record with a bad value is not added.
    v.addNew();
    v.setValue(QStringLiteral("ART"), QStringLiteral("00002"));
    QCOMPARE(kindOf([&] { v.setValue(field, text); }), StoreError::Kind::BadValue);
    QCOMPARE(kindOf([&] { v.update(); }), StoreError::Kind::BadValue);
    QCOMPARE(v.recordCount(), 1LL);
}

void TestRecordStore::editWritesOnlyTheFieldsSet()
{
    auto a = m_folder->open(store::files::Clientes);
    auto b = m_folder->open(store::files::Clientes);
    TableView va(*a, QStringLiteral("CLIENTES"));
    va.addNew();
    va.setValue(QStringLiteral("COD_CLIENT"), QStringLiteral("0001"));
    va.setValue(QStringLiteral("RAZON_SOC"), QStringLiteral("GOMEZ"));
    va.update();
    QCOMPARE(va.value(QStringLiteral("SALDO")), QStringLiteral("0"));  // a new customer's balance reads 0

    va.edit();  // the customer window holds an edit of the name...
    TableView vb(*b, QStringLiteral("CLIENTES"));
    vb.setIndex(QStringLiteral("COD_CLIENT"));
    QVERIFY(vb.seek(QStringLiteral("0001")));
    vb.edit();  // ...while a delivery note charges the balance
    vb.setValue(QStringLiteral("SALDO"), QStringLiteral("250,5"));
    vb.update();
    va.setValue(QStringLiteral("RAZON_SOC"), QStringLiteral("GOMEZ JUAN"));
    va.update();
    QCOMPARE(va.value(QStringLiteral("SALDO")), QStringLiteral("250,5"));
    QCOMPARE(va.value(QStringLiteral("RAZON_SOC")), QStringLiteral("GOMEZ JUAN"));
}

void TestRecordStore::readsSeeOtherConnectionsWrites()
{
    auto a = m_folder->open(store::files::Articulos);
    auto b = m_folder->open(store::files::Articulos);
    TableView va(*a, QStringLiteral("Articulos"));
    addArticle(va, QStringLiteral("00001"), QStringLiteral("ANTES"));
    TableView vb(*b, QStringLiteral("Articulos"));
    vb.setIndex(QStringLiteral("art"));
    QVERIFY(vb.seek(QStringLiteral("00001")));
    QCOMPARE(vb.value(QStringLiteral("DES")), QStringLiteral("ANTES"));

    va.edit();
    va.setValue(QStringLiteral("DES"), QStringLiteral("DESPUES"));
    va.update();
    QCOMPARE(vb.value(QStringLiteral("DES")), QStringLiteral("DESPUES"));

    // Two views of one connection see each other's writes as well.
    TableView va2(*a, QStringLiteral("Articulos"));
    va.edit();
    va.setValue(QStringLiteral("DES"), QStringLiteral("OTRA VEZ"));
    va.update();
    QCOMPARE(va2.value(QStringLiteral("DES")), QStringLiteral("OTRA VEZ"));

    // A pass along the order sees a change made ahead of it by another
    // connection, also when the rows ahead were already read.
    for (int i = 2; i <= 9; ++i)
        addArticle(va, fmt::formatNumber(i, QStringLiteral("00000")), QStringLiteral("VIEJO"));
    TableView pass(*b, QStringLiteral("Articulos"));
    pass.moveFirst();
    pass.moveNext();
    pass.moveNext();
    QCOMPARE(pass.value(QStringLiteral("ART")), QStringLiteral("00003"));
    va.setIndex(QStringLiteral("art"));
    QVERIFY(va.seek(QStringLiteral("00004")));
    va.edit();
    va.setValue(QStringLiteral("DES"), QStringLiteral("NUEVO"));
    va.update();
    pass.moveNext();
    QCOMPARE(pass.value(QStringLiteral("DES")), QStringLiteral("NUEVO"));
}

void TestRecordStore::deleteLeavesPositionForMoves()
{
    auto db = m_folder->open(store::files::Articulos);
    TableView v(*db, QStringLiteral("Articulos"));
    for (const char *code : {"00001", "00002", "00003"})
        addArticle(v, QString::fromLatin1(code), QStringLiteral("X"));
    v.setIndex(QStringLiteral("art"));
    QVERIFY(v.seek(QStringLiteral("00002")));
    v.deleteCurrent();
    QVERIFY(!v.hasRecord());
    v.moveNext();
    QCOMPARE(v.value(QStringLiteral("ART")), QStringLiteral("00003"));
    QVERIFY(!v.seek(QStringLiteral("00002")));
    QCOMPARE(v.recordCount(), 2LL);
}

void TestRecordStore::duplicateKeyIsRefused()
{
    auto db = m_folder->open(store::files::Articulos);
    TableView v(*db, QStringLiteral("Articulos"));
    addArticle(v, QStringLiteral("00001"), QStringLiteral("PRIMERO"));
    QCOMPARE(kindOf([&] { addArticle(v, QStringLiteral("00001"), QStringLiteral("SEGUNDO")); }),
             StoreError::Kind::DuplicateKey);
    v.setIndex(QStringLiteral("art"));
    QVERIFY(v.seek(QStringLiteral("00001")));
    QCOMPARE(v.value(QStringLiteral("DES")), QStringLiteral("PRIMERO"));
}

void TestRecordStore::transactionRollsBackUnlessCommitted()
{
    auto db = m_folder->open(store::files::Tickets);
    {
        store::Transaction tx(*db);
        TableView head(*db, QStringLiteral("CtasCtes"));
        head.addNew();
        head.setValue(QStringLiteral("numero"), QStringLiteral("000001"));
        head.update();
        TableView lines(*db, QStringLiteral("CtasCtes1"));
        lines.addNew();
        lines.setValue(QStringLiteral("numero"), QStringLiteral("000001"));
        lines.update();
        // no commit: as if storing the document had failed half way
    }
    TableView head(*db, QStringLiteral("CtasCtes"));
    TableView lines(*db, QStringLiteral("CtasCtes1"));
    QCOMPARE(head.recordCount(), 0LL);
    QCOMPARE(lines.recordCount(), 0LL);
    {
        store::Transaction tx(*db);
        head.addNew();
        head.setValue(QStringLiteral("numero"), QStringLiteral("000001"));
        head.update();
        tx.commit();
    }
    QCOMPARE(head.recordCount(), 1LL);
}

void TestRecordStore::datesSortAsDates()
{
    auto db = m_folder->open(store::files::CtasCtes);
    TableView lines(*db, QStringLiteral("CtasCtes1"));
    for (const char *d : {"02/01/2027", "31/12/2026", "15/06/2026"}) {
        lines.addNew();
        lines.setValue(QStringLiteral("fecha"), QString::fromLatin1(d));
        lines.setValue(QStringLiteral("fechaf"), QString::fromLatin1(d));
        lines.update();
    }
    store::QueryView q(*db, QStringLiteral("SELECT fecha FROM CtasCtes1 WHERE fechaf >= '2026-12-01' ORDER BY fecha"));
    QCOMPARE(q.rowCount(), 2);
    QCOMPARE(q.value(0, 0), QStringLiteral("31/12/2026"));
    QCOMPARE(q.value(1, 0), QStringLiteral("02/01/2027"));
}

void TestRecordStore::queryViewFindsPrefixWithApostrophe()
{
    auto db = m_folder->open(store::files::Articulos);
    TableView v(*db, QStringLiteral("Articulos"));
    addArticle(v, QStringLiteral("00001"), QStringLiteral("TORNILLO"));
    addArticle(v, QStringLiteral("00002"), QStringLiteral("O'HIGGINS MATE"));
    addArticle(v, QStringLiteral("00003"), QStringLiteral("ATORNILLADOR"));
    addArticle(v, QStringLiteral("00004"), QStringLiteral("TORNO"), QStringLiteral("10,5"));
    store::QueryView q(*db, QStringLiteral("Select ART,DES,COS from Articulos order by DES"));
    QCOMPARE(q.rowCount(), 4);
    QVERIFY(q.findFirstPrefix(QStringLiteral("DES"), QStringLiteral("tor")));
    QCOMPARE(q.value(QStringLiteral("ART")), QStringLiteral("00001"));
    QVERIFY(q.findNextPrefix(QStringLiteral("DES"), QStringLiteral("TOR")));
    QCOMPARE(q.value(QStringLiteral("ART")), QStringLiteral("00004"));
    QCOMPARE(q.value(QStringLiteral("COS")), QStringLiteral("10,5"));
    QVERIFY(!q.findNextPrefix(QStringLiteral("DES"), QStringLiteral("TOR")));
    QVERIFY(q.eof());
    QVERIFY(q.findFirstPrefix(QStringLiteral("DES"), QStringLiteral("O'H")));
    QCOMPARE(q.value(QStringLiteral("ART")), QStringLiteral("00002"));
    QVERIFY(!q.findFirstPrefix(QStringLiteral("DES"), QStringLiteral("%")));

    // Typed text goes in as a bound value: quotes are plain characters.
    store::QueryView bound(*db, QStringLiteral("Select ART from Articulos where DES = ?1 order by ART"),
                           {QStringLiteral("O'HIGGINS MATE")});
    QCOMPARE(bound.rowCount(), 1);
    QCOMPARE(bound.value(0, 0), QStringLiteral("00002"));
}

void TestRecordStore::openFailuresNameTheFile()
{
    const QString rubros = m_folder->folder().locate(store::files::Rubros);
    // Wrong password, no password, and a password on a plain file.
    for (const QString &pw : {QStringLiteral(";PWD=Kex_Mt73"), QString()}) {
        try {
            store::Database::open(rubros, pw);
            QFAIL("opened an encrypted file without its password");
        } catch (const StoreError &e) {
            QCOMPARE(e.kind(), StoreError::Kind::Password);
            QVERIFY(e.message().contains(QStringLiteral("Rubros.mdb")));
        }
    }
    QVERIFY(store::Database::open(rubros, QStringLiteral(";PWD=Kex_Mt72")));
    QVERIFY(store::Database::open(rubros, QStringLiteral("Kex_Mt72")));

    try {
        store::Database::open(m_folder->path + QStringLiteral("/Nada.mdb"));
        QFAIL("opened a missing file");
    } catch (const StoreError &e) {
        QCOMPARE(e.kind(), StoreError::Kind::MissingFile);
        QVERIFY(e.message().contains(QStringLiteral("Nada.mdb")));
    }

    auto db = m_folder->open(store::files::Pagos);
    try {
        TableView v(*db, QStringLiteral("Articulos"));
        QFAIL("opened a missing table");
    } catch (const StoreError &e) {
        QCOMPARE(e.kind(), StoreError::Kind::Schema);
        QVERIFY(e.message().contains(QStringLiteral("Articulos")) && e.message().contains(QStringLiteral("Pagos.mdb")));
    }
}

void TestRecordStore::orderedListReadsPagesInOrder()
{
    auto db = m_folder->open(store::files::Articulos);
    TableView v(*db, QStringLiteral("Articulos"));
    {
        store::Transaction tx(*db);
        // 600 rows written in reverse description order, across several pages.
        for (int i = 600; i >= 1; --i)
            addArticle(v, fmt::formatNumber(i, QStringLiteral("00000")),
                       QStringLiteral("ITEM %1").arg(i, 4, 10, QLatin1Char('0')), QStringLiteral("1,5"));
        addArticle(v, QStringLiteral("00999"), QStringLiteral("o'higgins mate"));
        tx.commit();
    }
    store::OrderedList list(*db, QStringLiteral("Articulos"), {QStringLiteral("ART"), QStringLiteral("DES"), QStringLiteral("COS")},
                            QStringLiteral("DES"));
    QCOMPARE(list.rowCount(), 601);
    QCOMPARE(list.value(0, 1), QStringLiteral("ITEM 0001"));
    QCOMPARE(list.value(255, 1), QStringLiteral("ITEM 0256"));
    QCOMPARE(list.value(256, 1), QStringLiteral("ITEM 0257"));  // next page
    QCOMPARE(list.value(599, 0), QStringLiteral("00600"));
    QCOMPARE(list.value(599, 2), QStringLiteral("1,5"));
    QCOMPARE(list.value(600, 1), QStringLiteral("o'higgins mate"));  // letter case ignored in the order
    QCOMPARE(list.value(601, 1), QString());
    QCOMPARE(list.findFirstPrefix(QStringLiteral("item 03")), 299);
    QCOMPARE(list.findFirstPrefix(QStringLiteral("O'H")), 600);
    QCOMPARE(list.findFirstPrefix(QStringLiteral("TEM")), -1);   // begins with, not contains
    QCOMPARE(list.findFirstPrefix(QStringLiteral("%")), -1);
    QCOMPARE(list.findFirstPrefix(QStringLiteral("ITEM 9")), -1);

    addArticle(v, QStringLiteral("01000"), QStringLiteral("AAA PRIMERO"));
    QCOMPARE(list.rowCount(), 601);  // pages read stay until refresh
    list.refresh();
    QCOMPARE(list.rowCount(), 602);
    QCOMPARE(list.value(0, 1), QStringLiteral("AAA PRIMERO"));
}

QTEST_GUILESS_MAIN(TestRecordStore)
#include "tst_record_store.moc"

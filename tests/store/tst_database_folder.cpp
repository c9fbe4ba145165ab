#include "store/database_folder.h"
#include "test_support.h"
#include "utilities/demo_data.h"

#include <QFile>
#include <QtTest>

using store::DatabaseFolder;
using store::StoreError;

class TestDatabaseFolder : public QObject {
    Q_OBJECT
private slots:
    void createdFolderIsSound();
    void namesAreFoundWithoutRegardToCase();
    void checkNamesWhatIsMissing();
    void createRefusesAnExistingFolder();
    void passwordFilesAreEncrypted();
    void demoShopIsBelievable();
};

void TestDatabaseFolder::createdFolderIsSound()
{
    TempDatabaseFolder f;
    QCOMPARE(f.folder().check(), QStringList());
    auto db = f.open(store::files::CtasCtes);
    store::TableView params(*db, QStringLiteral("Consultas"));
    QCOMPARE(params.recordCount(), 1LL);  // the statement parameters' one record
}

void TestDatabaseFolder::namesAreFoundWithoutRegardToCase()
{
    TempDatabaseFolder f;
    QFile::rename(f.path + QStringLiteral("/Articulos.mdb"), f.path + QStringLiteral("/ARTICULOS.MDB"));
    const QString upper = f.dir.path() + QStringLiteral("/BASES");
    const QString mixed = f.dir.path() + QStringLiteral("/Bases");
    const QString a = DatabaseFolder(upper).locate(store::files::Articulos);
    const QString b = DatabaseFolder(mixed).locate(QStringLiteral("articulos.mdb"));
    QVERIFY(!a.isEmpty());
    QCOMPARE(a, b);  // one and the same file
    QVERIFY(DatabaseFolder(upper).open(store::files::Articulos));
}

void TestDatabaseFolder::checkNamesWhatIsMissing()
{
    {
        const QStringList problems = DatabaseFolder(QStringLiteral("/no/such/folder")).check();
        QCOMPARE(problems.size(), 1);
        QVERIFY(problems[0].contains(QStringLiteral("/no/such/folder")));
    }
    TempDatabaseFolder f;
    QFile::remove(f.path + QStringLiteral("/Pagos.mdb"));
    {
        // A document file without its lines table.
        QFile::remove(f.path + QStringLiteral("/Tickets.mdb"));
        store::FileDef partial = *store::fileDef(store::files::Tickets);
        partial.tables.removeLast();
        store::Database::create(f.path + QStringLiteral("/Tickets.mdb"), partial);
    }
    const QStringList problems = f.folder().check();
    QCOMPARE(problems.size(), 2);
    QVERIFY(problems.join(QLatin1Char('\n')).contains(QStringLiteral("Pagos.mdb")));
    QVERIFY(problems.join(QLatin1Char('\n')).contains(QStringLiteral("«CtasCtes1»")));
    QVERIFY(problems.join(QLatin1Char('\n')).contains(QStringLiteral("Tickets.mdb")));
    try {
        f.open(store::files::Pagos);
        QFAIL("opened a missing file");
    } catch (const StoreError &e) {
        QCOMPARE(e.kind(), StoreError::Kind::MissingFile);
        QVERIFY(e.message().contains(QStringLiteral("Pagos.mdb")));
    }
}

void TestDatabaseFolder::createRefusesAnExistingFolder()
{
    TempDatabaseFolder f;
    auto db = f.open(store::files::Opcion);
    store::TableView users(*db, QStringLiteral("Usuarios"));
    QVERIFY_THROWS_EXCEPTION(StoreError, DatabaseFolder::create(f.path));
    QCOMPARE(users.recordCount(), 1LL);  // nothing overwritten
}

void TestDatabaseFolder::passwordFilesAreEncrypted()
{
    TempDatabaseFolder f;
    for (const QString &name : {store::files::Opcion, store::files::Rubros}) {
        QFile file(f.path + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(!file.read(16).startsWith("SQLite format 3"), qPrintable(name));
        QVERIFY_THROWS_EXCEPTION(StoreError, store::Database::open(file.fileName()));
    }
    QFile plain(f.path + QStringLiteral("/Articulos.mdb"));
    QVERIFY(plain.open(QIODevice::ReadOnly));
    QVERIFY(plain.read(16).startsWith("SQLite format 3"));
}

void TestDatabaseFolder::demoShopIsBelievable()
{
    TempDatabaseFolder f;
    demo::fillDemo(f.path);
    QCOMPARE(f.folder().check(), QStringList());

    auto articles = f.open(store::files::Articulos);
    store::TableView art(*articles, QStringLiteral("Articulos"));
    QVERIFY(art.recordCount() >= 200);
    int withBarCode = 0, withShortCode = 0;
    QSet<QString> categories;
    for (art.moveFirst(); !art.eof(); art.moveNext()) {
        withBarCode += art.value(QStringLiteral("COD")).size() == 13;
        withShortCode += !art.value(QStringLiteral("SIG")).isEmpty();
        categories.insert(art.value(QStringLiteral("CRU")));
        QVERIFY(!art.value(QStringLiteral("NE1")).isEmpty());
    }
    QVERIFY(withBarCode > 10);
    QVERIFY(withShortCode > 10);
    QVERIFY(categories.size() >= 5);

    auto customers = f.open(store::files::Clientes);
    store::QueryView vat(*customers, QStringLiteral("SELECT DISTINCT TIPO_IVA FROM CLIENTES"));
    QCOMPARE(vat.rowCount(), 5);

    auto tickets = f.open(store::files::Tickets);
    store::TableView head(*tickets, QStringLiteral("CtasCtes"));
    QVERIFY(head.recordCount() > 0);
    // Every stored delivery note is charged to its customer.
    auto notes = f.open(store::files::CtasCtes);
    store::QueryView totals(*notes, QStringLiteral("SELECT cod_cli, sum(total) AS t FROM CtasCtes GROUP BY cod_cli"));
    QVERIFY(totals.rowCount() > 0);
    store::TableView c(*customers, QStringLiteral("CLIENTES"));
    c.setIndex(QStringLiteral("COD_CLIENT"));
    for (int r = 0; r < totals.rowCount(); ++r) {
        QVERIFY(c.seek(totals.value(r, 0)));
        QCOMPARE(c.value(QStringLiteral("SALDO")), totals.value(r, 1));
    }
}

QTEST_GUILESS_MAIN(TestDatabaseFolder)
#include "tst_database_folder.moc"

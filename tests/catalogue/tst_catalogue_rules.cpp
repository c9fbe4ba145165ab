#include "catalogue/article_rules.h"
#include "catalogue/rubro_rules.h"
#include "catalogue_fixture.h"

#include <QTest>

using catalogue::ArticleTexts;
using catalogue::RubroBook;
using catalogue::SaveOutcome;

namespace {
const QString kToday = QStringLiteral("11/12/2026");

ArticleTexts newArticle(const QString &code, const QString &description)
{
    return {{QStringLiteral("ART"), code},
            {QStringLiteral("DES"), description},
            {QStringLiteral("COS"), QStringLiteral("100")},
            {QStringLiteral("POT"), QStringLiteral("10")},
            {QStringLiteral("PG1"), QStringLiteral("30")},
            {QStringLiteral("IV1"), QStringLiteral("21")}};
}
} // namespace

class TstCatalogueRules : public QObject {
    Q_OBJECT

private slots:
    // ---- code proposal
    void proposeArticleCode_data()
    {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("empty table") << QStringList{} << "00001";
        QTest::newRow("last plus one") << QStringList{"00001", "00041", "00007"} << "00042";
        QTest::newRow("last in text order is not a number") << QStringList{"00007", "ABC", "00003"} << "00008";
        QTest::newRow("no whole-number code") << QStringList{"ABC", "X-1"} << "00001";
        QTest::newRow("beyond five digits") << QStringList{"99999"} << "100000";
        QTest::newRow("beyond a 16-bit number") << QStringList{"32767"} << "32768";
        QTest::newRow("a bar code typed as a code takes no part")
            << QStringList{"00005", "7791234567890"} << "00006";
        QTest::newRow("a short code typed by hand sorting last") << QStringList{"00012", "7"} << "00013";
    }
    void proposeArticleCode()
    {
        QFETCH(QStringList, codes);
        QFETCH(QString, proposed);
        CatalogueFixture f;
        for (const QString &code : codes)
            f.addArticle({{QStringLiteral("ART"), code}});
        auto db = f.open(store::files::Articulos);
        QCOMPARE(catalogue::proposeArticleCode(*db), proposed);
    }

    // ---- save: add or change, decided at the moment of saving
    void saveAddsAFormedArticle()
    {
        CatalogueFixture f;
        auto db = f.open(store::files::Articulos);
        store::TableView keyed(*db, QStringLiteral("Articulos"));
        ArticleTexts texts = newArticle(QStringLiteral("00010"), QStringLiteral("MARTILLO"));
        texts.insert(QStringLiteral("NE1"), QStringLiteral("5,00"));   // typed by hand
        const SaveOutcome out = catalogue::saveArticle(*db, keyed, texts, false, kToday);
        QCOMPARE(out.kind, SaveOutcome::Kind::Added);
        QCOMPARE(out.code, QStringLiteral("00010"));
        const auto stored = f.article(QStringLiteral("00010"));
        QCOMPARE(stored.value("DES"), QStringLiteral("MARTILLO"));
        QCOMPARE(stored.value("NE1"), QStringLiteral("173,03"));
        QCOMPARE(stored.value("FUC"), kToday);
        // The empty boxes of lists 3 and 4, pack, stock and freight are
        // stored as 0; lists 3 and 4, unused, keep no price.
        for (const char *field : {"PG3", "IV3", "NE3", "PG4", "IV4", "NE4", "PAC", "STO", "PFL"})
            QCOMPARE(stored.value(QLatin1String(field)), QStringLiteral("0"));
        QCOMPARE(texts.value("NE1"), QStringLiteral("173,03"));
    }

    void saveChangesAnExistingArticle()
    {
        CatalogueFixture f;
        f.addArticle({{"ART", "00010"}, {"DES", "VIEJO"}, {"GRP", "G1"}});
        auto db = f.open(store::files::Articulos);
        store::TableView keyed(*db, QStringLiteral("Articulos"));
        // Typed by hand: an existing code changes that article.
        ArticleTexts texts = newArticle(QStringLiteral("00010"), QStringLiteral("NUEVO"));
        QCOMPARE(catalogue::saveArticle(*db, keyed, texts, false, kToday).kind, SaveOutcome::Kind::Changed);
        QCOMPARE(f.count(store::files::Articulos, "Articulos"), 1);
        QCOMPARE(f.article("00010").value("DES"), QStringLiteral("NUEVO"));
        // Every field is written from its box: the empty group box empties it.
        QCOMPARE(f.article("00010").value("GRP"), QString());
    }

    void emptyCodeSavesNothing()
    {
        CatalogueFixture f;
        auto db = f.open(store::files::Articulos);
        store::TableView keyed(*db, QStringLiteral("Articulos"));
        ArticleTexts texts = newArticle(QString(), QStringLiteral("X"));
        QCOMPARE(catalogue::saveArticle(*db, keyed, texts, false, kToday).kind, SaveOutcome::Kind::Nothing);
        QCOMPARE(f.count(store::files::Articulos, "Articulos"), 0);
    }

    void notANumberSavesNothing_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("box");
        QTest::newRow("cost") << "COS" << "Costo";
        QTest::newRow("pack") << "PAC" << "Pack";
        QTest::newRow("stock") << "STO" << "Stock";
        QTest::newRow("VAT of list 2") << "IV2" << "IVA de la Lista 2";
    }
    void notANumberSavesNothing()
    {
        QFETCH(QString, field);
        QFETCH(QString, box);
        CatalogueFixture f;
        f.addArticle({{"ART", "00010"}, {"DES", "VIEJO"}, {"COS", "5"}});
        auto db = f.open(store::files::Articulos);
        store::TableView keyed(*db, QStringLiteral("Articulos"));
        ArticleTexts texts = newArticle(QStringLiteral("00010"), QStringLiteral("NUEVO"));
        texts.insert(field, QStringLiteral("DOCE"));
        const ArticleTexts before = texts;
        QVERIFY_THROWS_EXCEPTION(catalogue::NumberError, catalogue::saveArticle(*db, keyed, texts, false, kToday));
        try {
            catalogue::saveArticle(*db, keyed, texts, false, kToday);
        } catch (const catalogue::NumberError &e) {
            QCOMPARE(e.field(), field);
            QCOMPARE(e.box(), box);
        }
        QCOMPARE(texts, before);
        QCOMPARE(f.article("00010").value("DES"), QStringLiteral("VIEJO"));
        QCOMPARE(f.article("00010").value("COS"), QStringLiteral("5"));
    }

    // Two workstations start a new article at the same moment and are
    // offered the same code: the second save must not overwrite the first.
    void sameProposedCodeOnTwoWorkstations()
    {
        CatalogueFixture f;
        f.addArticle({{"ART", "00001"}, {"DES", "UNO"}});
        auto db1 = f.open(store::files::Articulos);
        auto db2 = f.open(store::files::Articulos);
        store::TableView keyed1(*db1, QStringLiteral("Articulos"));
        store::TableView keyed2(*db2, QStringLiteral("Articulos"));
        const QString code1 = catalogue::proposeArticleCode(*db1);
        const QString code2 = catalogue::proposeArticleCode(*db2);
        QCOMPARE(code1, QStringLiteral("00002"));
        QCOMPARE(code2, code1);

        ArticleTexts first = newArticle(code1, QStringLiteral("PRIMERO"));
        ArticleTexts second = newArticle(code2, QStringLiteral("SEGUNDO"));
        const SaveOutcome a = catalogue::saveArticle(*db1, keyed1, first, true, kToday);
        QCOMPARE(a.kind, SaveOutcome::Kind::Added);
        QVERIFY(a.takenCode.isEmpty());
        const SaveOutcome b = catalogue::saveArticle(*db2, keyed2, second, true, kToday);
        QCOMPARE(b.kind, SaveOutcome::Kind::Added);
        QCOMPARE(b.takenCode, QStringLiteral("00002"));
        QCOMPARE(b.code, QStringLiteral("00003"));
        QCOMPARE(second.value("ART"), QStringLiteral("00003"));

        QCOMPARE(f.article("00002").value("DES"), QStringLiteral("PRIMERO"));
        QCOMPARE(f.article("00003").value("DES"), QStringLiteral("SEGUNDO"));
        QCOMPARE(f.count(store::files::Articulos, "Articulos"), 3);
    }

    // ---- categories
    void rubroProposal_data()
    {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("0001 to 0007") << QStringList{"0001", "0002", "0003", "0004", "0005", "0006", "0007"}
                                      << "0008";
        QTest::newRow("empty table") << QStringList{} << "0001";
        QTest::newRow("last is not a number") << QStringList{"0003", "ZZ"} << "0004";
    }
    void rubroProposal()
    {
        QFETCH(QStringList, codes);
        QFETCH(QString, proposed);
        CatalogueFixture f;
        for (const QString &code : codes)
            f.addRubro(code, QStringLiteral("RUBRO ") + code);
        auto db = f.open(store::files::Rubros);
        RubroBook book(*db);
        QVERIFY(!book.bandera() && !book.banNuevo());
        QCOMPARE(book.agregar(), proposed);
        QVERIFY(book.bandera() && book.banNuevo());
        // An add never saved leaves no record.
        QCOMPARE(f.count(store::files::Rubros, "Rubros"), codes.size());
    }

    void rubroAddModifyDelete()
    {
        CatalogueFixture f;
        f.addRubro("0001", "BULONES");
        auto db = f.open(store::files::Rubros);
        RubroBook book(*db);
        QCOMPARE(book.grabar("0005", "X").saved, RubroBook::Saved::NothingToSave);
        QVERIFY(!book.modificar());
        QVERIFY(!book.eliminar());

        QCOMPARE(book.agregar(), QStringLiteral("0002"));
        QCOMPARE(book.grabar("0001", "OTRO").saved, RubroBook::Saved::CodeTaken);
        QVERIFY(book.bandera());
        QCOMPARE(book.grabar("", "OTRO").saved, RubroBook::Saved::EmptyCode);
        const auto added = book.grabar("0002", "FERRETERIA");
        QCOMPARE(added.saved, RubroBook::Saved::Added);
        QVERIFY(!book.bandera() && !book.banNuevo());
        QVERIFY(book.lookedUp().isEmpty());

        QCOMPARE(book.lookup("0002").value_or(QString()), QStringLiteral("FERRETERIA"));
        QVERIFY(book.modificar());
        QCOMPARE(book.grabar("0002", "FERRETERIA INDUSTRIAL").saved, RubroBook::Saved::Changed);
        QCOMPARE(f.rubros().value("0002"), QStringLiteral("FERRETERIA INDUSTRIAL"));

        QVERIFY(!book.lookup("0009"));
        QVERIFY(!book.eliminar());   // nothing looked up: nothing deleted
        QCOMPARE(f.count(store::files::Rubros, "Rubros"), 2);
        QVERIFY(book.lookup("0001"));
        QVERIFY(book.eliminar());
        QCOMPARE(f.rubros().keys(), QStringList{"0002"});
    }

    void sameProposedRubroOnTwoWorkstations()
    {
        CatalogueFixture f;
        f.addRubro("0001", "BULONES");
        auto db1 = f.open(store::files::Rubros);
        auto db2 = f.open(store::files::Rubros);
        RubroBook one(*db1), two(*db2);
        QCOMPARE(one.agregar(), QStringLiteral("0002"));
        QCOMPARE(two.agregar(), QStringLiteral("0002"));
        QCOMPARE(one.grabar("0002", "PINTURAS").saved, RubroBook::Saved::Added);
        const auto second = two.grabar("0002", "PLOMERIA");
        QCOMPARE(second.saved, RubroBook::Saved::Added);
        QCOMPARE(second.takenCode, QStringLiteral("0002"));
        QCOMPARE(second.code, QStringLiteral("0003"));
        const auto all = f.rubros();
        QCOMPARE(all.value("0002"), QStringLiteral("PINTURAS"));
        QCOMPARE(all.value("0003"), QStringLiteral("PLOMERIA"));
    }
};

QTEST_GUILESS_MAIN(TstCatalogueRules)
#include "tst_catalogue_rules.moc"

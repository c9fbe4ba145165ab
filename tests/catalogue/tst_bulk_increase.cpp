#include "catalogue/bulk_increase.h"
#include "catalogue/price_formation.h"
#include "catalogue_fixture.h"

#include <QTest>

namespace {
const QString kToday = QStringLiteral("11/12/2026");
}

class TstBulkIncrease : public QObject {
    Q_OBJECT

    // Articles of categories 0003 and 0004, plus one without category.
    void fill(CatalogueFixture &f)
    {
        f.addArticle({{"ART", "00001"}, {"CRU", "0003"}, {"COS", "100"}, {"POT", "10"}, {"PG1", "30"}, {"IV1", "21"},
                      {"PG2", "30"}, {"IV2", "21"}, {"PG3", "0"}, {"IV3", "0"}, {"NE3", "110"}, {"PG4", "30"}, {"IV4", "10,5"},
                      {"PFL", "50"}, {"FUC", "01/01/2020"}});
        // Nothing stored but the category: empty values count as 0, and
        // nothing is carried over from the article before.
        f.addArticle({{"ART", "00002"}, {"CRU", "0003"}});
        f.addArticle({{"ART", "00003"}, {"CRU", "0003"}, {"COS", "50"}, {"IV1", "21"}});
        f.addArticle({{"ART", "00004"}, {"CRU", "0004"}, {"COS", "100"}, {"IV1", "21"}, {"NE1", "121"},
                      {"FUC", "01/01/2020"}});
        f.addArticle({{"ART", "00005"}, {"CRU", ""}, {"COS", "100"}});
    }

private slots:
    void raisesTheCategory()
    {
        CatalogueFixture f;
        fill(f);
        const auto before = f.articles();
        auto db = f.open(store::files::Articulos);
        QCOMPARE(catalogue::aumentarCosto(*db, QStringLiteral("0003"), QStringLiteral("10"), kToday), 3);

        const auto a = f.article("00001");
        QCOMPARE(a.value("COS"), QStringLiteral("110"));
        // C = 121, P = 157.3, N = 190.333
        QCOMPARE(a.value("NE1"), QStringLiteral("190,33"));
        QCOMPARE(a.value("NE2"), QStringLiteral("190,33"));
        QCOMPARE(a.value("NE3"), QStringLiteral("121"));
        // List 4 with its own VAT: 157.3 * 1.105 = 173.8165
        QCOMPARE(a.value("NE4"), QStringLiteral("173,82"));
        QCOMPARE(a.value("FUC"), kToday);
        QCOMPARE(a.value("PFL"), QStringLiteral("50"));

        const auto empty = f.article("00002");
        QCOMPARE(empty.value("COS"), QStringLiteral("0"));
        for (const char *field : {"NE1", "NE2", "NE3", "NE4"})
            QCOMPARE(empty.value(QLatin1String(field)), QStringLiteral("0"));

        // 55 * 1.21 = 66.55: no other costs or margin from the article before.
        QCOMPARE(f.article("00003").value("NE1"), QStringLiteral("66,55"));
        // Lists the article does not use (no margin, VAT or price) keep no price.
        QCOMPARE(f.article("00003").value("NE2"), QStringLiteral("0"));

        const auto after = f.articles();
        QCOMPARE(after.value("00004"), before.value("00004"));
        QCOMPARE(after.value("00005"), before.value("00005"));
    }

    void percentages_data()
    {
        QTest::addColumn<QString>("percent");
        QTest::addColumn<QString>("cost");
        QTest::newRow("minus 10") << "-10" << "90";
        QTest::newRow("decimal comma") << "12,5" << "112,5";
        QTest::newRow("rounded to two decimals") << "0,333" << "100,33";
        QTest::newRow("zero") << "0" << "100";
    }
    void percentages()
    {
        QFETCH(QString, percent);
        QFETCH(QString, cost);
        CatalogueFixture f;
        fill(f);
        auto db = f.open(store::files::Articulos);
        catalogue::aumentarCosto(*db, QStringLiteral("0003"), percent, kToday);
        QCOMPARE(f.article("00001").value("COS"), cost);
    }

    // Prices are formed on the cost as stored, rounded to two decimals.
    void pricesFollowTheStoredCost()
    {
        CatalogueFixture f;
        f.addArticle({{"ART", "00001"}, {"CRU", "0001"}, {"COS", "10"}, {"IV1", "100"}});
        auto db = f.open(store::files::Articulos);
        // 10.0049 is stored as 10,00: the price is 20,00, not 20,01.
        catalogue::aumentarCosto(*db, QStringLiteral("0001"), QStringLiteral("0,049"), kToday);
        QCOMPARE(f.article("00001").value("COS"), QStringLiteral("10"));
        QCOMPARE(f.article("00001").value("NE1"), QStringLiteral("20"));
    }

    void codesThatMatchNothing_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("3 is not 0003") << "3";
        QTest::newRow("empty code") << "";
        QTest::newRow("unknown category") << "0099";
    }
    void codesThatMatchNothing()
    {
        QFETCH(QString, code);
        CatalogueFixture f;
        fill(f);
        const auto before = f.articles();
        auto db = f.open(store::files::Articulos);
        QCOMPARE(catalogue::aumentarCosto(*db, code, QStringLiteral("10"), kToday), 0);
        QCOMPARE(f.articles(), before);
    }

    void notANumberChangesNothing_data()
    {
        QTest::addColumn<QString>("percent");
        QTest::newRow("letters") << "DIEZ";
        QTest::newRow("two separators") << "1,2,3";
        QTest::newRow("empty") << "";
        QTest::newRow("percent sign") << "10%";
    }
    void notANumberChangesNothing()
    {
        QFETCH(QString, percent);
        CatalogueFixture f;
        fill(f);
        const auto before = f.articles();
        auto db = f.open(store::files::Articulos);
        QVERIFY_THROWS_EXCEPTION(catalogue::NumberError,
                                 catalogue::aumentarCosto(*db, QStringLiteral("0003"), percent, kToday));
        QCOMPARE(f.articles(), before);
    }
};

QTEST_GUILESS_MAIN(TstBulkIncrease)
#include "tst_bulk_increase.moc"

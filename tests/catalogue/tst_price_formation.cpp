#include "catalogue/price_formation.h"

#include <QTest>

using catalogue::PriceTexts;

class TstPriceFormation : public QObject {
    Q_OBJECT

private slots:
    void finalPrice_data()
    {
        QTest::addColumn<double>("cost");
        QTest::addColumn<double>("other");
        QTest::addColumn<double>("margin");
        QTest::addColumn<double>("vat");
        QTest::addColumn<QString>("net");
        QTest::newRow("worked example") << 100.0 << 10.0 << 30.0 << 21.0 << "173,03";
        QTest::newRow("no other costs nor margin: cost plus VAT") << 100.0 << 0.0 << 0.0 << 21.0 << "121,00";
        QTest::newRow("cost 0 whatever the percentages") << 0.0 << 15.0 << 40.0 << 21.0 << "0,00";
        QTest::newRow("negative margin lowers the price") << 100.0 << 0.0 << -10.0 << 21.0 << "108,90";
        QTest::newRow("negative other costs") << 100.0 << -50.0 << 0.0 << 0.0 << "50,00";
        QTest::newRow("a third of margin") << 10.0 << 0.0 << 33.333 << 0.0 << "13,33";
        QTest::newRow("a half rounds away from zero") << 1.0 << 0.0 << 12.5 << 0.0 << "1,13";
        QTest::newRow("negative half away from zero") << -1.0 << 0.0 << 12.5 << 0.0 << "-1,13";
        // Rounding C or P on the way would give 0,01.
        QTest::newRow("C and P not rounded on the way") << 0.01 << 40.0 << 10.0 << 10.0 << "0,02";
        QTest::newRow("large amount, no thousands separator") << 123456.78 << 0.0 << 0.0 << 21.0 << "149382,70";
    }
    void finalPrice()
    {
        QFETCH(double, cost);
        QFETCH(double, other);
        QFETCH(double, margin);
        QFETCH(double, vat);
        QFETCH(QString, net);
        QCOMPARE(catalogue::finalPriceText(cost, other, margin, vat), net);
    }

    // GenerarPrecios over box texts: empty boxes become "0", each list is
    // formed with its own margin and VAT, the freight takes no part, a net
    // typed by hand is recomputed.
    void generarPrecios()
    {
        PriceTexts t;
        t.cost = QStringLiteral("100");
        t.freight = QStringLiteral("");
        t.other = QStringLiteral("10");
        t.lists[0] = {QStringLiteral("30"), QStringLiteral("21"), QStringLiteral("999,99")};
        t.lists[1] = {QStringLiteral("30"), QStringLiteral("21"), QString()};
        t.lists[2] = {QString(), QString(), QString()};
        t.lists[3] = {QStringLiteral("30"), QStringLiteral("10,5"), QString()};
        catalogue::generarPrecios(t);
        QCOMPARE(t.cost, QStringLiteral("100"));
        QCOMPARE(t.freight, QStringLiteral("0"));
        QCOMPARE(t.lists[0].net, QStringLiteral("173,03"));
        QCOMPARE(t.lists[1].net, QStringLiteral("173,03"));
        QCOMPARE(t.lists[2].margin, QStringLiteral("0"));
        QCOMPARE(t.lists[2].vat, QStringLiteral("0"));
        QCOMPARE(t.lists[2].net, QStringLiteral("0"));  // a list not used keeps no price
        // 143 * 1.105 = 158.015
        QCOMPARE(t.lists[3].net, QStringLiteral("158,02"));
    }

    void freightNeverChangesAPrice()
    {
        PriceTexts a;
        a.cost = QStringLiteral("80");
        a.other = QStringLiteral("5");
        a.lists[0] = {QStringLiteral("25"), QStringLiteral("21"), {}};
        PriceTexts b = a;
        b.freight = QStringLiteral("35");
        catalogue::generarPrecios(a);
        catalogue::generarPrecios(b);
        QCOMPARE(b.lists[0].net, a.lists[0].net);
    }

    void emptyBoxesCountAsZero()
    {
        PriceTexts t;
        t.cost = QStringLiteral("50");
        t.lists[0].vat = QStringLiteral("21");
        QCOMPARE(catalogue::calculoNeto(t, 1), QStringLiteral("60,50"));
        QCOMPARE(catalogue::calculoNeto(t, 2), QStringLiteral("50,00"));
    }

    // A text that is not a number is reported with the box it is in, and
    // nothing is written.
    void notANumber_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("box");
        QTest::newRow("cost") << "COS" << "Costo";
        QTest::newRow("freight") << "PFL" << "Flete";
        QTest::newRow("other costs") << "POT" << "Otros";
        QTest::newRow("margin of list 3") << "PG3" << "V.A. de la Lista 3";
        QTest::newRow("VAT of list 4") << "IV4" << "IVA de la Lista 4";
    }
    void notANumber()
    {
        QFETCH(QString, field);
        QFETCH(QString, box);
        PriceTexts t;
        t.cost = QStringLiteral("100");
        t.lists[0] = {QStringLiteral("30"), QStringLiteral("21"), QStringLiteral("5")};
        const QString bad = QStringLiteral("12,5,1");
        if (field == QLatin1String("COS"))
            t.cost = bad;
        else if (field == QLatin1String("PFL"))
            t.freight = bad;
        else if (field == QLatin1String("POT"))
            t.other = bad;
        else if (field == QLatin1String("PG3"))
            t.lists[2].margin = bad;
        else
            t.lists[3].vat = bad;
        const PriceTexts before = t;
        try {
            catalogue::generarPrecios(t);
            QFAIL("no error for a text that is not a number");
        } catch (const catalogue::NumberError &e) {
            QCOMPARE(e.field(), field);
            QCOMPARE(e.box(), box);
            QVERIFY(e.message().contains(box));
            QVERIFY(e.message().contains(bad));
        }
        QCOMPARE(t.lists[0].net, before.lists[0].net);
        QCOMPARE(t.freight, before.freight);
        QCOMPARE(t.lists[2].margin, before.lists[2].margin);
    }

    void aNetTypedAsTextIsSimplyRecomputed()
    {
        PriceTexts t;
        t.cost = QStringLiteral("10");
        t.lists[1].net = QStringLiteral("ABC");
        catalogue::generarPrecios(t);
        QCOMPARE(t.lists[1].net, QStringLiteral("10,00"));
    }
};

QTEST_GUILESS_MAIN(TstPriceFormation)
#include "tst_price_formation.moc"

#include "sales/item_grid_rules.h"

#include <QtTest>

using sales::CodeKind;
using sales::GridRow;
using sales::RowField;

Q_DECLARE_METATYPE(sales::CodeKind)
Q_DECLARE_METATYPE(sales::RowField)
Q_DECLARE_METATYPE(sales::GridRow)

class TstItemGridRules : public QObject {
    Q_OBJECT

private slots:
    void codeKind_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<CodeKind>("kind");
        QTest::newRow("empty") << "" << CodeKind::Empty;
        QTest::newRow("blanks") << "   " << CodeKind::Empty;
        QTest::newRow("five characters") << "00012" << CodeKind::ArticleCode;
        QTest::newRow("five digits that look like a bar code") << "12345" << CodeKind::ArticleCode;
        QTest::newRow("five with blanks around") << " 00012 " << CodeKind::ArticleCode;
        QTest::newRow("thirteen digits") << "7790000000017" << CodeKind::BarCode;
        QTest::newRow("four characters") << "1234" << CodeKind::BarCode;
        QTest::newRow("six characters") << "000012" << CodeKind::BarCode;
    }
    void codeKind()
    {
        QFETCH(QString, code);
        QFETCH(CodeKind, kind);
        QCOMPARE(sales::classifyCode(code), kind);
    }

    void lineTotal_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("total");  // "-" for none
        QTest::newRow("2,5 x 10") << "2,5" << "10" << "25,00";
        QTest::newRow("point read as decimal") << "2.5" << "10" << "25,00";
        QTest::newRow("rounded half up") << "3" << "0,335" << "1,01";
        QTest::newRow("1 x 12,50") << "1" << "12,50" << "12,50";
        QTest::newRow("negative quantity") << "-1" << "12,5" << "-12,50";
        QTest::newRow("letters as quantity") << "dos" << "10" << "-";
        QTest::newRow("empty price") << "1" << "" << "-";
        QTest::newRow("thousands separator") << "1" << "1.234,50" << "-";
    }
    void lineTotal()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, price);
        QFETCH(QString, total);
        const auto t = sales::lineTotal(quantity, price);
        QCOMPARE(t.value_or(QStringLiteral("-")), total);
    }

    void priceForMark_data()
    {
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("price");  // "-" leaves the price unchanged
        QTest::newRow("1") << "1" << "12,5";
        QTest::newRow("2") << "2" << "11";
        QTest::newRow("3 without a list-3 price") << "3" << "";
        QTest::newRow("4 with a zero price") << "4" << "";
        QTest::newRow("X") << "X" << "-";
        QTest::newRow("empty") << "" << "-";
        QTest::newRow("5") << "5" << "-";
    }
    void priceForMark()
    {
        QFETCH(QString, mark);
        QFETCH(QString, price);
        const sales::ListPrices p{QStringLiteral("12,5"), QStringLiteral("11"), QString(), QStringLiteral("0")};
        QCOMPARE(sales::priceForMark(mark, p).value_or(QStringLiteral("-")), price);
    }

    void markKey_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("opensBarcodeWindow");
        QTest::addColumn<QString>("entered");
        QTest::newRow("digit") << "3" << false << "3";
        QTest::newRow("lower x") << "x" << false << "X";
        QTest::newRow("blank") << " " << false << "X";
        QTest::newRow("c") << "c" << true << "";
        QTest::newRow("C") << "C" << true << "";
    }
    void markKey()
    {
        QFETCH(QString, typed);
        QFETCH(bool, opensBarcodeWindow);
        QFETCH(QString, entered);
        const auto k = sales::markKey(typed);
        QCOMPARE(k.action == sales::MarkKey::Action::OpenBarcodeWindow, opensBarcodeWindow);
        if (!opensBarcodeWindow)
            QCOMPARE(k.text, entered);
    }

    void netPrice_data()
    {
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("vat");
        QTest::addColumn<QString>("net");
        QTest::newRow("121 at 21 %") << "121" << "21" << "100";
        QTest::newRow("ten and a half is written 10,5") << "12,705" << "21" << "10,5";
        QTest::newRow("rounded to cents") << "10" << "21" << "8,26";
        QTest::newRow("no rate") << "10" << "" << "";
    }
    void netPrice()
    {
        QFETCH(QString, price);
        QFETCH(QString, vat);
        QFETCH(QString, net);
        QCOMPARE(sales::netPriceText(price, vat), net);
    }

    void sumCountsEmptyAsZeroAndAddsCentsExactly()
    {
        QList<QString> totals(sales::kGridRows);
        QCOMPARE(sales::sumLineTotals(totals), QStringLiteral("0,00"));
        for (int i = 0; i < sales::kGridRows; ++i)
            totals[i] = QStringLiteral("0,10");
        QCOMPARE(sales::sumLineTotals(totals), QStringLiteral("3,00"));
        totals[4] = QStringLiteral("abc");  // left out; such a row stops the printing
        QCOMPARE(sales::sumLineTotals(totals), QStringLiteral("2,90"));
        totals[5] = QStringLiteral("-1,00");
        QCOMPARE(sales::sumLineTotals(totals), QStringLiteral("1,80"));
    }

    void rowProblems_data()
    {
        QTest::addColumn<GridRow>("row");
        QTest::addColumn<bool>("problem");
        QTest::addColumn<RowField>("field");
        auto r = [](const char *code, const char *qty, const char *price, const char *total) {
            GridRow g;
            g.code = QString::fromLatin1(code);
            g.quantity = QString::fromLatin1(qty);
            g.unitPrice = QString::fromLatin1(price);
            g.total = QString::fromLatin1(total);
            return g;
        };
        QTest::newRow("right") << r("00001", "2,5", "10", "25,00") << false << RowField::Code;
        QTest::newRow("empty row") << r("", "", "", "") << false << RowField::Code;
        QTest::newRow("quantity in letters") << r("00001", "dos", "10", "") << true << RowField::Quantity;
        QTest::newRow("empty quantity") << r("00001", "", "10", "") << true << RowField::Quantity;
        QTest::newRow("price in letters") << r("00001", "1", "diez", "") << true << RowField::UnitPrice;
        QTest::newRow("not totalled") << r("00001", "1", "10", "") << true << RowField::UnitPrice;
        QTest::newRow("changed without Enter") << r("00001", "3", "10", "25,00") << true << RowField::UnitPrice;
        QTest::newRow("total without code") << r("", "1", "10", "10,00") << true << RowField::Code;
    }
    void rowProblems()
    {
        QFETCH(GridRow, row);
        QFETCH(bool, problem);
        QFETCH(RowField, field);
        const auto p = sales::checkRow(6, row);
        QCOMPARE(p.has_value(), problem);
        if (p) {
            QCOMPARE(p->field, field);
            QCOMPARE(p->row, 6);
            QVERIFY2(p->message.contains(QStringLiteral("renglón 7")), qPrintable(p->message));
        }
    }

    void emptyGridIsAProblem()
    {
        QList<GridRow> rows(sales::kGridRows);
        QVERIFY(sales::checkRows(rows).has_value());
        rows[2].code = QStringLiteral("00001");
        rows[2].quantity = QStringLiteral("1");
        rows[2].unitPrice = QStringLiteral("10");
        rows[2].total = QStringLiteral("10,00");
        QVERIFY(!sales::checkRows(rows).has_value());
    }
};

QTEST_GUILESS_MAIN(TstItemGridRules)
#include "tst_item_grid_rules.moc"

#include "common/formats.h"

#include <QtTest>

class TestFormats : public QObject {
    Q_OBJECT
private slots:
    void format_data();
    void format();
    void plain_data();
    void plain();
    void parse_data();
    void parse();
    void dates_data();
    void dates();
};

void TestFormats::format_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    // Half away from zero on the decimal value, not on the binary double.
    QTest::newRow("1.125") << 1.125 << "0.00" << "1,13";
    QTest::newRow("2.675") << 2.675 << "0.00" << "2,68";
    QTest::newRow("1.005") << 1.005 << "0.00" << "1,01";
    QTest::newRow("negative half") << -2.675 << "0.00" << "-2,68";
    QTest::newRow("price formation noise") << 143.0 * 1.21 << "0.00" << "173,03";
    QTest::newRow("0.1+0.2") << 0.1 + 0.2 << "0.00" << "0,30";
    QTest::newRow("carry") << 9.995 << "0.00" << "10,00";
    QTest::newRow("zero") << 0.0 << "0.00" << "0,00";
    QTest::newRow("tiny negative is zero") << -0.001 << "0.00" << "0,00";
    QTest::newRow("#0.00") << 100.0 << "#0.00" << "100,00";
    QTest::newRow("#0.00 small") << 0.5 << "#0.00" << "0,50";
    QTest::newRow("number") << 123.0 << "000000" << "000123";
    QTest::newRow("code") << 41.0 << "0000" << "0041";
    QTest::newRow("article") << 7.0 << "00000" << "00007";
    QTest::newRow("wider than pattern") << 123456.0 << "0000" << "123456";
    QTest::newRow("quantity x1000") << 2.5 * 1000 << "00000000" << "00002500";
    QTest::newRow("price x100") << 12.5 * 100 << "0000000" << "0001250";
    QTest::newRow("vat x100") << 10.5 * 100 << "0000" << "1050";
    QTest::newRow("whole half") << 2.5 << "0" << "3";
    QTest::newRow("large") << 12345678.905 << "0.00" << "12345678,91";
}

void TestFormats::format()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(fmt::formatNumber(value, pattern), expected);
}

void TestFormats::plain_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("10.5") << 10.5 << "10,5";
    QTest::newRow("173.03") << 173.03 << "173,03";
    QTest::newRow("whole") << 3.0 << "3";
    QTest::newRow("negative") << -0.25 << "-0,25";
    QTest::newRow("sum noise") << 0.1 + 0.2 << "0,3";
    QTest::newRow("zero") << 0.0 << "0";
}

void TestFormats::plain()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(fmt::plainNumber(value), expected);
}

void TestFormats::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("comma") << "10,5" << true << 10.5;
    QTest::newRow("point") << "10.5" << true << 10.5;
    QTest::newRow("blanks") << " 7 " << true << 7.0;
    QTest::newRow("negative") << "-10" << true << -10.0;
    QTest::newRow("leading comma") << ",5" << true << 0.5;
    QTest::newRow("trailing comma") << "5," << true << 5.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("mixed") << "12a" << false << 0.0;
    QTest::newRow("two separators") << "1,234,5" << false << 0.0;
    QTest::newRow("thousands") << "1.234,50" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("sign only") << "-" << false << 0.0;
}

void TestFormats::parse()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const auto n = fmt::parseNumber(text);
    QCOMPARE(n.has_value(), ok);
    if (ok)
        QCOMPARE(*n, value);
    QCOMPARE(fmt::parseNumberOrZero(QString()).value(), 0.0);
}

void TestFormats::dates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected");
    QTest::newRow("plain") << "09/12/2026" << QDate(2026, 12, 9);
    QTest::newRow("short parts") << "9/1/2026" << QDate(2026, 1, 9);
    QTest::newRow("two-digit year") << "31/01/27" << QDate(2027, 1, 31);
    QTest::newRow("dashes") << "01-02-2026" << QDate(2026, 2, 1);
    QTest::newRow("not a day") << "31/02/2026" << QDate();
    QTest::newRow("text") << "ayer" << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void TestFormats::dates()
{
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    const auto d = fmt::parseDate(text);
    QCOMPARE(d.value_or(QDate()), expected);
    if (expected.isValid()) {
        QCOMPARE(fmt::parseDate(fmt::formatDate(expected)).value(), expected);
        QCOMPARE(fmt::formatDate(expected).size(), 10);
    }
}

QTEST_GUILESS_MAIN(TestFormats)
#include "tst_formats.moc"

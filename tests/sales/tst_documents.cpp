#include "sales/documents.h"
#include "store/database_folder.h"
#include "store/record_store.h"
#include "test_support.h"

#include <QtTest>

using sales::Document;
using sales::DocumentLine;
using sales::DocumentTables;

namespace {

Document ticket(const QString &number, int lines, const QString &tag = QStringLiteral("A"))
{
    Document d;
    d.number = number;
    d.date = QStringLiteral("11/12/2026");
    d.customerCode = QStringLiteral("0001");
    d.customerName = QStringLiteral("CONSUMIDOR FINAL");
    d.vatCategory = QStringLiteral("C.F.");
    d.cuit = QStringLiteral("0");
    for (int i = 1; i <= lines; ++i)
        d.lines.append({QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')), tag + QString::number(i),
                        QStringLiteral("2,5"), QStringLiteral("10"), QStringLiteral("25,00"), QString()});
    d.total = QStringLiteral("%1,00").arg(25 * lines);
    return d;
}

void storeRaw(store::Database &db, const QString &number)
{
    store::TableView h(db, QStringLiteral("CtasCtes"));
    h.addNew();
    h.setValue(QStringLiteral("numero"), number);
    h.update();
}

long long count(store::Database &db, const char *table)
{
    return store::TableView(db, QString::fromLatin1(table)).recordCount();
}

} // namespace

class TstDocuments : public QObject {
    Q_OBJECT

private slots:
    void typedNumberIsFormatted_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("formatted");
        QTest::newRow("5") << "5" << "000005";
        QTest::newRow("blanks") << " 42 " << "000042";
        QTest::newRow("already six") << "000123" << "000123";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("letters stay") << "ABC" << "ABC";
    }
    void typedNumberIsFormatted()
    {
        QFETCH(QString, typed);
        QFETCH(QString, formatted);
        QCOMPARE(sales::formatDocumentNumber(typed), formatted);
    }

    void nextNumberFollowsTheLastSixDigitNumber_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("next");
        QTest::newRow("empty table") << QStringList{} << "000001";
        QTest::newRow("consecutive") << QStringList{"000001", "000002"} << "000003";
        QTest::newRow("written out of order") << QStringList{"000041", "000007"} << "000042";
        QTest::newRow("letters at the end are passed over") << QStringList{"000007", "ABC"} << "000008";
        QTest::newRow("only letters") << QStringList{"ABC"} << "000001";
        QTest::newRow("a short number is not of the sequence") << QStringList{"000999", "12"} << "001000";
        QTest::newRow("past the 16-bit limit") << QStringList{"032767"} << "032768";
    }
    void nextNumberFollowsTheLastSixDigitNumber()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, next);
        TempDatabaseFolder f;
        auto db = f.open(store::files::Tickets);
        for (const QString &n : stored)
            storeRaw(*db, n);
        DocumentTables t(*db);
        QCOMPARE(t.nextNumber(), next);
    }

    void numberingEndsAtSixDigits()
    {
        TempDatabaseFolder f;
        auto db = f.open(store::files::Tickets);
        storeRaw(*db, QStringLiteral("999999"));
        DocumentTables t(*db);
        QVERIFY_THROWS_EXCEPTION(sales::NumberingError, t.nextNumber());
    }

    void storedDocumentIsFoundWithItsLinesInOrder()
    {
        TempDatabaseFolder f;
        auto db = f.open(store::files::Tickets);
        DocumentTables t(*db);
        // Another document's lines written in between must not mix in.
        QCOMPARE(t.store(ticket(QStringLiteral("000004"), 2, QStringLiteral("B"))).number, QStringLiteral("000004"));
        Document d = ticket(QStringLiteral("000005"), 3);
        d.lines[1].description = QStringLiteral("CAÑO");
        QCOMPARE(t.store(d).outcome, DocumentTables::Outcome::Stored);
        QVERIFY(t.store(ticket(QStringLiteral("000006"), 1, QStringLiteral("C"))).outcome
                == DocumentTables::Outcome::Stored);

        const auto found = t.find(QStringLiteral("5"));
        QVERIFY(found);
        QCOMPARE(found->number, QStringLiteral("000005"));
        QCOMPARE(found->date, QStringLiteral("11/12/2026"));
        QCOMPARE(found->customerName, QStringLiteral("CONSUMIDOR FINAL"));
        QCOMPARE(found->total, QStringLiteral("75"));
        QCOMPARE(found->lines.size(), 3);
        QCOMPARE(found->lines[0].description, QStringLiteral("A1"));
        QCOMPARE(found->lines[1].description, QStringLiteral("CAÑO"));
        QCOMPARE(found->lines[2].description, QStringLiteral("A3"));
        QCOMPARE(found->lines[0].quantity, QStringLiteral("2,5"));
        QCOMPARE(found->lines[0].total, QStringLiteral("25"));

        store::TableView lines(*db, QStringLiteral("CtasCtes1"));
        lines.moveFirst();
        while (!lines.eof()) {
            QCOMPARE(lines.value(QStringLiteral("pagado")), QStringLiteral("no"));
            QCOMPARE(lines.value(QStringLiteral("cod_cli")), QStringLiteral("0001"));
            lines.moveNext();
        }
        QVERIFY(!t.find(QStringLiteral("7")));
        QVERIFY(!t.find(QStringLiteral("ABC")));
    }

    void documentWithoutLinesHasAHeaderOnly()
    {
        TempDatabaseFolder f;
        auto db = f.open(store::files::Tickets);
        DocumentTables t(*db);
        t.store(ticket(QStringLiteral("000001"), 0));
        const auto found = t.find(QStringLiteral("1"));
        QVERIFY(found);
        QVERIFY(found->lines.isEmpty());
        QCOMPARE(count(*db, "CtasCtes1"), 0);
    }

    // A line that cannot be written leaves neither the header nor the lines
    // written before it.
    void failedLineLeavesNothing()
    {
        TempDatabaseFolder f;
        auto db = f.open(store::files::Tickets);
        DocumentTables t(*db);
        Document d = ticket(QStringLiteral("000001"), 3);
        d.lines[2].quantity = QStringLiteral("dos");
        QVERIFY_THROWS_EXCEPTION(store::StoreError, t.store(d));
        QCOMPARE(count(*db, "CtasCtes"), 0);
        QCOMPARE(count(*db, "CtasCtes1"), 0);
        // And the file is usable afterwards.
        QCOMPARE(t.store(ticket(QStringLiteral("000001"), 3)).outcome, DocumentTables::Outcome::Stored);
        QCOMPARE(count(*db, "CtasCtes1"), 3);
    }

    // Two workstations took the same number: the second store gets the next
    // free one, and each keeps its own lines.
    void numberTakenMeanwhileIsReplacedByTheNextFree()
    {
        TempDatabaseFolder f;
        auto first = f.open(store::files::Tickets);
        auto second = f.open(store::files::Tickets);
        DocumentTables a(*first);
        DocumentTables b(*second);
        const QString na = a.nextNumber();
        const QString nb = b.nextNumber();
        QCOMPARE(na, nb);

        const auto ra = a.store(ticket(na, 2, QStringLiteral("A")));
        const auto rb = b.store(ticket(nb, 3, QStringLiteral("B")));
        QCOMPARE(ra.outcome, DocumentTables::Outcome::Stored);
        QCOMPARE(ra.number, QStringLiteral("000001"));
        QCOMPARE(rb.outcome, DocumentTables::Outcome::Renumbered);
        QCOMPARE(rb.number, QStringLiteral("000002"));
        QCOMPARE(a.find(ra.number)->lines.size(), 2);
        QCOMPARE(a.find(rb.number)->lines.size(), 3);
        QCOMPARE(a.find(rb.number)->lines[0].description, QStringLiteral("B1"));
    }

    void reprintOfAnUnchangedCopyWritesNothing()
    {
        TempDatabaseFolder f;
        auto db = f.open(store::files::Tickets);
        DocumentTables t(*db);
        t.store(ticket(QStringLiteral("000001"), 3));
        Document again = *t.find(QStringLiteral("1"));
        const auto same = t.store(again, DocumentTables::StoreMode::Reprint);
        QCOMPARE(same.outcome, DocumentTables::Outcome::AlreadyStored);
        QCOMPARE(same.number, QStringLiteral("000001"));
        QCOMPARE(count(*db, "CtasCtes"), 1);
        QCOMPARE(count(*db, "CtasCtes1"), 3);

        again.lines[0].quantity = QStringLiteral("3");
        again.lines[0].total = QStringLiteral("30,00");
        const auto changed = t.store(again, DocumentTables::StoreMode::Reprint);
        QCOMPARE(changed.outcome, DocumentTables::Outcome::Renumbered);
        QCOMPARE(changed.number, QStringLiteral("000002"));
        QCOMPARE(count(*db, "CtasCtes1"), 6);
    }

    // The delivery notes write the statement date and the marks too.
    void deliveryNoteKeepsStatementDateAndMarks()
    {
        TempDatabaseFolder f;
        auto db = f.open(store::files::CtasCtes);
        DocumentTables t(*db);
        Document d = ticket(QStringLiteral("000007"), 2);
        d.statementDate = d.date;
        d.customerCode = QStringLiteral("0012");
        d.lines[0].mark = QStringLiteral("3");
        d.lines[1].mark = QStringLiteral("X");
        t.store(d);
        store::TableView lines(*db, QStringLiteral("CtasCtes1"));
        lines.moveFirst();
        QCOMPARE(lines.value(QStringLiteral("ref_pre")), QStringLiteral("3"));
        QCOMPARE(lines.value(QStringLiteral("fechaf")), QStringLiteral("11/12/2026"));
        QCOMPARE(lines.value(QStringLiteral("cod_cli")), QStringLiteral("0012"));
        lines.moveNext();
        QCOMPARE(lines.value(QStringLiteral("ref_pre")), QStringLiteral("X"));
        QCOMPARE(t.find(QStringLiteral("7"))->statementDate, QStringLiteral("11/12/2026"));
    }
};

QTEST_GUILESS_MAIN(TstDocuments)
#include "tst_documents.moc"

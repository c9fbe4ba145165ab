// Record-store figures on a 100,000-article table, each beside the same work
// written directly against SQLite with prepared statements.
//
//   bench_store [articles]
//
// Prints medians and ratios; it asserts nothing.

#include "common/formats.h"
#include "store/database_folder.h"

#include <sqlcipher/sqlite3.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void fillArticles(const store::DatabaseFolder &folder, int count)
{
    auto db = folder.open(store::files::Articulos);
    store::Transaction tx(*db);
    store::TableView v(*db, QStringLiteral("Articulos"));
    for (int i = 1; i <= count; ++i) {
        v.addNew();
        v.setValue(QStringLiteral("ART"), fmt::formatNumber(i, QStringLiteral("00000")));
        v.setValue(QStringLiteral("DES"), QStringLiteral("ARTICULO DE PRUEBA %1").arg(i * 7919 % count));
        v.setValue(QStringLiteral("CRU"), fmt::formatNumber(i % 10 + 1, QStringLiteral("0000")));
        v.setValue(QStringLiteral("COS"), fmt::plainNumber(10 + i % 1000 / 10.0));
        v.setValue(QStringLiteral("NE1"), fmt::plainNumber(12.1 + i % 1000 / 10.0));
        v.setValue(QStringLiteral("IV1"), QStringLiteral("21"));
        v.setValue(QStringLiteral("COD"), QStringLiteral("779%1").arg(1000000000LL + i));
        v.update();
    }
    tx.commit();
}

struct Direct {
    sqlite3 *db = nullptr;
    explicit Direct(const QString &path) { sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr); }
    ~Direct() { sqlite3_close(db); }
    sqlite3_stmt *prepare(const char *sql)
    {
        sqlite3_stmt *s = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
        return s;
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/Bases");
    store::DatabaseFolder::create(path);
    const store::DatabaseFolder folder(path);

    QElapsedTimer t;
    t.start();
    fillArticles(folder, count);
    std::printf("fill %d articles: %.0f ms\n", count, double(t.elapsed()));

    auto db = folder.open(store::files::Articulos);
    store::TableView view(*db, QStringLiteral("Articulos"));
    view.setIndex(QStringLiteral("art"));
    Direct direct(folder.locate(store::files::Articulos));
    sqlite3_stmt *seekStmt = direct.prepare("SELECT rowid, * FROM Articulos WHERE ART = ?1 LIMIT 1");

    // --- seek by code, then read description and price (what the item grid does)
    QRandomGenerator rng(7);
    const int seeks = 20000;
    std::vector<QString> codes;
    for (int i = 0; i < seeks; ++i)
        codes.push_back(fmt::formatNumber(rng.bounded(1, count + 1), QStringLiteral("00000")));
    std::vector<double> ours, theirs;
    QString sink;
    for (const QString &code : codes) {
        t.restart();
        view.seek(code);
        sink = view.value(QStringLiteral("DES")) + view.value(QStringLiteral("NE1"));
        ours.push_back(double(t.nsecsElapsed()) / 1000.0);

        t.restart();
        const QByteArray key = code.toUtf8();
        sqlite3_bind_text(seekStmt, 1, key.constData(), int(key.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(seekStmt) == SQLITE_ROW)
            sink = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(seekStmt, 2)))
                + QString::number(sqlite3_column_double(seekStmt, 19));
        sqlite3_reset(seekStmt);
        theirs.push_back(double(t.nsecsElapsed()) / 1000.0);
    }
    const double seekOurs = median(ours), seekDirect = median(theirs);
    std::printf("seek by code + 2 reads: median %.1f us; direct SQLite %.1f us; ratio %.2f\n", seekOurs, seekDirect,
                seekOurs / seekDirect);

    // --- whole ordered pass reading one field
    store::TableView ordered(*db, QStringLiteral("Articulos"));
    t.restart();
    long long n = 0;
    for (ordered.moveFirst(); !ordered.eof(); ordered.moveNext()) {
        sink = ordered.value(QStringLiteral("CRU"));
        ++n;
    }
    const double passOurs = double(t.elapsed());
    sqlite3_stmt *passStmt = direct.prepare("SELECT CRU FROM Articulos ORDER BY ART");
    t.restart();
    long long m = 0;
    while (sqlite3_step(passStmt) == SQLITE_ROW) {
        sink = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(passStmt, 0)));
        ++m;
    }
    const double passDirect = std::max(1.0, double(t.elapsed()));
    std::printf("ordered pass over %lld records: %.0f ms; direct SQLite (one select) %.0f ms; ratio %.1f\n", n,
                passOurs, passDirect, passOurs / passDirect);

    // --- a query view over the whole table, as the article pickers read it
    t.restart();
    store::QueryView picker(*db, QStringLiteral("Select ART,DES,NE1,NE2,NE3,NE4,SIG from Articulos order by DES"));
    std::printf("query view of %d rows ordered by description: %.0f ms\n", picker.rowCount(), double(t.elapsed()));
    t.restart();
    picker.findFirstPrefix(QStringLiteral("DES"), QStringLiteral("ARTICULO DE PRUEBA 9999"));
    std::printf("prefix find in it: %.1f ms\n", double(t.nsecsElapsed()) / 1e6);

    t.restart();
    store::OrderedList list(*db, QStringLiteral("Articulos"),
                            {QStringLiteral("ART"), QStringLiteral("DES"), QStringLiteral("NE1"), QStringLiteral("NE2"),
                             QStringLiteral("NE3"), QStringLiteral("NE4"), QStringLiteral("SIG")},
                            QStringLiteral("DES"));
    for (int r = 0; r < 30; ++r)
        sink = list.value(r, 1);
    std::printf("ordered list: count and first 30 rows by description: %.1f ms\n", double(t.nsecsElapsed()) / 1e6);
    t.restart();
    const int found = list.findFirstPrefix(QStringLiteral("ARTICULO DE PRUEBA 9999"));
    sink = list.value(found, 1);
    std::printf("ordered list: prefix find and its row: %.1f ms (row %d)\n", double(t.nsecsElapsed()) / 1e6, found);

    // --- storing one document of 30 lines (header + lines in one transaction)
    auto tickets = folder.open(store::files::Tickets);
    std::vector<double> docOurs, docDirect;
    for (int doc = 1; doc <= 30; ++doc) {
        t.restart();
        store::Transaction tx(*tickets);
        store::TableView head(*tickets, QStringLiteral("CtasCtes"));
        head.addNew();
        head.setValue(QStringLiteral("numero"), fmt::formatNumber(doc, QStringLiteral("000000")));
        head.setValue(QStringLiteral("fecha"), QStringLiteral("11/12/2026"));
        head.setValue(QStringLiteral("total"), QStringLiteral("1234,5"));
        head.update();
        store::TableView lines(*tickets, QStringLiteral("CtasCtes1"));
        for (int l = 0; l < 30; ++l) {
            lines.addNew();
            lines.setValue(QStringLiteral("numero"), fmt::formatNumber(doc, QStringLiteral("000000")));
            lines.setValue(QStringLiteral("cod_art"), QStringLiteral("00001"));
            lines.setValue(QStringLiteral("des_art"), QStringLiteral("ARTICULO"));
            lines.setValue(QStringLiteral("can_art"), QStringLiteral("1"));
            lines.setValue(QStringLiteral("pr1_art"), QStringLiteral("41,15"));
            lines.setValue(QStringLiteral("pr2_art"), QStringLiteral("41,15"));
            lines.setValue(QStringLiteral("fecha"), QStringLiteral("11/12/2026"));
            lines.setValue(QStringLiteral("cod_cli"), QStringLiteral("0001"));
            lines.setValue(QStringLiteral("pagado"), QStringLiteral("no"));
            lines.update();
        }
        tx.commit();
        docOurs.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    Direct directTickets(folder.locate(store::files::Tickets));
    sqlite3_stmt *insHead = directTickets.prepare(
        "INSERT INTO CtasCtes (numero, fecha, total) VALUES (?1, '2026-12-11', 1234.5)");
    sqlite3_stmt *insLine = directTickets.prepare(
        "INSERT INTO CtasCtes1 (numero, cod_art, des_art, can_art, pr1_art, pr2_art, fecha, cod_cli, pagado) "
        "VALUES (?1, '00001', 'ARTICULO', 1, 41.15, 41.15, '2026-12-11', '0001', 'no')");
    for (int doc = 101; doc <= 130; ++doc) {
        t.restart();
        sqlite3_exec(directTickets.db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        const QByteArray num = fmt::formatNumber(doc, QStringLiteral("000000")).toUtf8();
        sqlite3_bind_text(insHead, 1, num.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(insHead);
        sqlite3_reset(insHead);
        for (int l = 0; l < 30; ++l) {
            sqlite3_bind_text(insLine, 1, num.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_step(insLine);
            sqlite3_reset(insLine);
        }
        sqlite3_exec(directTickets.db, "COMMIT", nullptr, nullptr, nullptr);
        docDirect.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::printf("store a 30-line document: median %.2f ms; direct SQLite %.2f ms; ratio %.2f\n", median(docOurs),
                median(docDirect), median(docOurs) / median(docDirect));
    sqlite3_finalize(seekStmt);
    sqlite3_finalize(passStmt);
    sqlite3_finalize(insHead);
    sqlite3_finalize(insLine);
    return sink.isEmpty() ? 1 : 0;
}

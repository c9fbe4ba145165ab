// The bulk cost increase on a 100,000-article table with 10,000 articles in
// the category raised, beside one SQL UPDATE doing the same arithmetic
// directly in SQLite.
//
//   bench_catalogue [articles] [runs]
//
// Each run works on a fresh copy of the same file. Prints medians and their
// ratio; it asserts nothing.

#include "catalogue/bulk_increase.h"
#include "common/formats.h"
#include "store/database_folder.h"

#include <sqlcipher/sqlite3.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
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

// One article in ten belongs to category 0003.
void fillArticles(const store::DatabaseFolder &folder, int count)
{
    auto db = folder.open(store::files::Articulos);
    store::Transaction tx(*db);
    store::TableView v(*db, QStringLiteral("Articulos"));
    const QString zero = QStringLiteral("0");
    for (int i = 1; i <= count; ++i) {
        v.addNew();
        v.setValue(QStringLiteral("ART"), fmt::formatNumber(i, QStringLiteral("00000")));
        v.setValue(QStringLiteral("DES"), QStringLiteral("ARTICULO DE PRUEBA %1").arg(i));
        v.setValue(QStringLiteral("CRU"), fmt::formatNumber(i % 10 + 1, QStringLiteral("0000")));
        v.setValue(QStringLiteral("COS"), fmt::plainNumber(10 + i % 1000 / 10.0));
        v.setValue(QStringLiteral("PFL"), zero);
        v.setValue(QStringLiteral("POT"), QStringLiteral("5"));
        for (int k = 1; k <= 4; ++k) {
            v.setValue(QStringLiteral("PG%1").arg(k), QString::number(10 * k));
            v.setValue(QStringLiteral("IV%1").arg(k), k == 4 ? QStringLiteral("10,5") : QStringLiteral("21"));
            v.setValue(QStringLiteral("NE%1").arg(k), zero);
        }
        v.setValue(QStringLiteral("FUC"), QStringLiteral("01/01/2026"));
        v.update();
    }
    tx.commit();
}

// A fresh folder whose articles file is a copy of `source`.
QString copyFolder(const QString &root, const QString &name, const QString &source)
{
    const QString path = root + QLatin1Char('/') + name;
    store::DatabaseFolder::create(path);
    const QString target = store::DatabaseFolder(path).locate(store::files::Articulos);
    QFile::remove(target);
    QFile::copy(source, target);
    return path;
}

const char *kDirectUpdate =
    "UPDATE Articulos SET "
    " COS = round(ifnull(COS, 0) * (1 + ?1 / 100.0), 2),"
    " NE1 = round(round(ifnull(COS, 0) * (1 + ?1 / 100.0), 2) * (1 + ifnull(POT, 0) / 100.0)"
    "             * (1 + ifnull(PG1, 0) / 100.0) * (1 + ifnull(IV1, 0) / 100.0), 2),"
    " NE2 = round(round(ifnull(COS, 0) * (1 + ?1 / 100.0), 2) * (1 + ifnull(POT, 0) / 100.0)"
    "             * (1 + ifnull(PG2, 0) / 100.0) * (1 + ifnull(IV2, 0) / 100.0), 2),"
    " NE3 = round(round(ifnull(COS, 0) * (1 + ?1 / 100.0), 2) * (1 + ifnull(POT, 0) / 100.0)"
    "             * (1 + ifnull(PG3, 0) / 100.0) * (1 + ifnull(IV3, 0) / 100.0), 2),"
    " NE4 = round(round(ifnull(COS, 0) * (1 + ?1 / 100.0), 2) * (1 + ifnull(POT, 0) / 100.0)"
    "             * (1 + ifnull(PG4, 0) / 100.0) * (1 + ifnull(IV4, 0) / 100.0), 2),"
    " FUC = '2026-12-11'"
    " WHERE CRU = ?2 COLLATE BINARY";

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? atoi(argv[2]) : 3;
    QTemporaryDir dir;
    const QString basePath = dir.path() + QStringLiteral("/Base");
    store::DatabaseFolder::create(basePath);
    const store::DatabaseFolder base(basePath);

    QElapsedTimer t;
    t.start();
    fillArticles(base, count);
    std::printf("fill %d articles (%d in the category): %.0f ms\n", count, count / 10, double(t.elapsed()));
    const QString source = base.locate(store::files::Articulos);

    std::vector<double> ours, direct;
    int changedOurs = 0, changedDirect = 0;
    for (int r = 0; r < runs; ++r) {
        const store::DatabaseFolder a(copyFolder(dir.path(), QStringLiteral("Ours%1").arg(r), source));
        {
            auto db = a.open(store::files::Articulos);
            t.restart();
            changedOurs = catalogue::aumentarCosto(*db, QStringLiteral("0003"), QStringLiteral("10"),
                                                   QStringLiteral("11/12/2026"));
            ours.push_back(double(t.nsecsElapsed()) / 1e6);
        }

        const store::DatabaseFolder b(copyFolder(dir.path(), QStringLiteral("Direct%1").arg(r), source));
        sqlite3 *db = nullptr;
        sqlite3_open_v2(b.locate(store::files::Articulos).toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        t.restart();
        sqlite3_stmt *update = nullptr;
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_prepare_v2(db, kDirectUpdate, -1, &update, nullptr);
        sqlite3_bind_double(update, 1, 10.0);
        sqlite3_bind_text(update, 2, "0003", -1, SQLITE_STATIC);
        sqlite3_step(update);
        changedDirect = sqlite3_changes(db);
        sqlite3_finalize(update);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        direct.push_back(double(t.nsecsElapsed()) / 1e6);
        sqlite3_close(db);
    }

    const double o = median(ours), d = median(direct);
    std::printf("bulk cost increase, %d articles changed: median %.0f ms (%d runs)\n", changedOurs, o, runs);
    std::printf("one SQL UPDATE, %d articles changed: median %.0f ms\n", changedDirect, d);
    std::printf("ratio %.2f\n", d > 0 ? o / d : 0.0);
    return changedOurs == changedDirect ? 0 : 1;
}

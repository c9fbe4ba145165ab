// Article picker figures on a 100,000-article catalogue: opening
// ConsListaArticulo until its first rows are painted, and the description
// search. Runs on the offscreen platform unless another one is chosen.
//
//   bench_pickers [articles]
//
// Prints medians; it asserts nothing.

#include "catalogue/article_list_model.h"
#include "catalogue/article_picker.h"
#include "common/formats.h"
#include "common/session.h"
#include "store/database_folder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
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

double ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

const char *const kWords[] = {"TORNILLO", "MARTILLO", "ALICATE", "CLAVO", "DESTORNILLADOR", "LLAVE", "PINZA",
                              "TUERCA", "ARANDELA", "MECHA", "SIERRA", "CINTA", "PEGAMENTO", "PINTURA", "PINCEL",
                              "RODILLO", "CABLE", "ENCHUFE", "LAMPARA", "CANDADO", "BISAGRA", "MANGUERA", "CANILLA",
                              "TARUGO", "LIJA", "ESPATULA", "SERRUCHO", "NIVEL", "ESCUADRA", "METRO"};
const char *const kKinds[] = {"ACERO", "BRONCE", "GALVANIZADO", "PLASTICO", "MADERA", "CROMADO", "NEGRO", "BLANCO"};

void fillArticles(const store::DatabaseFolder &folder, int count)
{
    auto db = folder.open(store::files::Articulos);
    store::Transaction tx(*db);
    store::TableView v(*db, QStringLiteral("Articulos"));
    const int words = int(std::size(kWords));
    const int kinds = int(std::size(kKinds));
    for (int i = 1; i <= count; ++i) {
        const int k = i * 7919 % count;
        v.addNew();
        v.setValue(QStringLiteral("ART"), fmt::formatNumber(i, QStringLiteral("00000")));
        v.setValue(QStringLiteral("DES"), QStringLiteral("%1 %2 %3").arg(QLatin1String(kWords[k % words]),
                                                                          QLatin1String(kKinds[k / words % kinds]))
                                              .arg(k / (words * kinds)));
        v.setValue(QStringLiteral("SIG"), QStringLiteral("S%1").arg(i % 1000));
        v.setValue(QStringLiteral("NE1"), fmt::plainNumber(12.1 + i % 1000 / 10.0));
        v.setValue(QStringLiteral("NE2"), fmt::plainNumber(13.1 + i % 1000 / 10.0));
        v.setValue(QStringLiteral("NE3"), fmt::plainNumber(14.1 + i % 1000 / 10.0));
        v.setValue(QStringLiteral("NE4"), fmt::plainNumber(15.1 + i % 1000 / 10.0));
        v.update();
    }
    tx.commit();
}

// Notes when a widget has been painted.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// Lets the interface run until the list's rows have been painted.
void waitForPaint(PaintWatch &watch)
{
    QElapsedTimer guard;
    guard.start();
    while (!watch.painted && guard.elapsed() < 5000)
        QApplication::processEvents();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/Bases");
    store::DatabaseFolder::create(path);
    store::DatabaseFolder::setCurrent(path);
    const store::DatabaseFolder folder(path);

    QElapsedTimer t;
    t.start();
    fillArticles(folder, count);
    std::printf("fill %d articles: %.0f ms\n", count, ms(t));

    // Opening ConsListaArticulo until its first rows are painted.
    std::vector<double> open;
    int visibleRows = 0;
    for (int i = 0; i < 7; ++i) {
        t.restart();
        catalogue::ArticlePicker picker(catalogue::ArticlePickerKind::Lookup);
        auto *list = picker.findChild<QTableView *>(QStringLiteral("MSFlexGrid1"));
        PaintWatch watch;
        list->viewport()->installEventFilter(&watch);
        picker.show();
        waitForPaint(watch);
        open.push_back(ms(t));
        visibleRows = list->rowAt(list->viewport()->height() - 1) - list->rowAt(0) + 1;
        if (i == 0)
            std::printf("open ConsListaArticulo until its first rows show, first time: %.1f ms\n", open.back());
    }
    std::printf("open ConsListaArticulo until its first rows show: median %.1f ms over %zu (aim < 300 ms), "
                "%d rows in view\n",
                median(open), open.size(), visibleRows);

    // The list alone, without a window.
    {
        std::vector<double> model;
        for (int i = 0; i < 7; ++i) {
            t.restart();
            auto db = folder.open(store::files::Articulos);
            catalogue::ArticleListModel m(*db);
            QString last;
            for (int r = 0; r < 30; ++r)
                last = m.code(r);
            model.push_back(ms(t));
        }
        std::printf("list: open the file, count and read the first 30 rows: median %.2f ms\n", median(model));
    }

    // The description search, as Enter in the search box runs it: the row
    // found becomes current and is shown.
    {
        catalogue::ArticlePicker picker(catalogue::ArticlePickerKind::Ticket);
        auto *box = picker.findChild<QLineEdit *>(QStringLiteral("Text1"));
        auto *list = picker.findChild<QTableView *>(QStringLiteral("MSFlexGrid1"));
        PaintWatch watch;
        list->viewport()->installEventFilter(&watch);
        picker.show();
        waitForPaint(watch);
        const char *const searches[] = {"ALICATE", "LLAVE NEGRO 3", "MECHA", "TORNILLO BLANCO", "METRO",
                                        "ZZZ (no match)", "D'ALESSANDRO (no match)"};
        for (const char *text : searches) {
            const QString prefix = QString::fromLatin1(text).section(QStringLiteral(" ("), 0, 0);
            std::vector<double> runs;
            int row = -1;
            for (int i = 0; i < 9; ++i) {
                box->setText(prefix);
                watch.painted = false;
                t.restart();
                picker.BuscarGrid();
                waitForPaint(watch);
                runs.push_back(ms(t));
                row = list->currentIndex().isValid() ? list->currentIndex().row() : -1;
            }
            std::printf("search \"%s\": row %d, median %.2f ms (shown)\n", text, row, median(runs));
        }
        std::vector<double> bare;
        auto db = folder.open(store::files::Articulos);
        catalogue::ArticleListModel m(*db);
        for (int i = 0; i < 9; ++i) {
            t.restart();
            m.findFirstPrefix(QStringLiteral("TORNILLO BLANCO"));
            bare.push_back(ms(t));
        }
        std::printf("search in the list alone (\"TORNILLO BLANCO\"): median %.2f ms\n", median(bare));
    }

    // For comparison: the whole query read into memory at once.
    {
        auto db = folder.open(store::files::Articulos);
        t.restart();
        store::QueryView q(*db, QStringLiteral("Select ART,DES,NE1,NE2,NE3,NE4,SIG from Articulos order by DES"));
        std::printf("for comparison, QueryView reading all %d rows: %.0f ms\n", q.rowCount(), ms(t));
    }
    return 0;
}

// Counter-sale figures on a catalogue of 100,000 articles:
//  - one scanned line: from Enter in a row's code field until the focus
//    stands on the next row's code field (lookup, line total, total,
//    scrolling), with the tenth-of-a-second pause set to zero;
//  - storing a 30-line ticket (header and lines in one unit of work).
// Prints the figures; checks nothing.

#include "common/formats.h"
#include "common/services.h"
#include "sales/documents.h"
#include "sales/fiscal_backend.h"
#include "sales/fiscal_recorder.h"
#include "sales/item_grid.h"
#include "sales/ticket_window.h"
#include "store/database_folder.h"
#include "store/record_store.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kArticles = 100000;
constexpr int kTickets = 40;
constexpr int kStores = 300;

class CountingMessages final : public services::MessageService {
public:
    services::Answer show(const services::Message &m) override
    {
        ++shown;
        std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
        return m.yesNo ? services::Answer::No : services::Answer::Ok;
    }
    int shown = 0;
};

QString code(int n) { return fmt::formatNumber(n, QStringLiteral("00000")); }
QString barCode(int n) { return QStringLiteral("779%1").arg(1000000000LL + n * 7919LL); }

void fillArticles(const store::DatabaseFolder &folder)
{
    auto db = folder.open(store::files::Articulos);
    store::Transaction tx(*db);
    store::TableView v(*db, QStringLiteral("Articulos"));
    for (int n = 0; n < kArticles; ++n) {
        v.addNew();
        v.setValue(QStringLiteral("ART"), code(n));
        v.setValue(QStringLiteral("DES"), QStringLiteral("ARTICULO DE PRUEBA %1").arg(n));
        v.setValue(QStringLiteral("COD"), barCode(n));
        v.setValue(QStringLiteral("NE1"), fmt::formatNumber(10 + n % 997 / 10.0, QStringLiteral("0.00")));
        v.setValue(QStringLiteral("IV1"), n % 2 ? QStringLiteral("21") : QStringLiteral("10,5"));
        v.update();
    }
    tx.commit();
}

struct Figures {
    double mean, median, p95, max;
};

Figures figures(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double v : ms)
        sum += v;
    return {sum / double(ms.size()), ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 95 / 100)], ms.back()};
}

void print(const char *what, const Figures &f, std::size_t n, const char *aim)
{
    std::printf("%-44s n=%4zu  mean %7.3f ms  median %7.3f ms  p95 %7.3f ms  max %7.3f ms  (aim: %s)\n", what, n,
                f.mean, f.median, f.p95, f.max, aim);
}

void benchScanning(QRandomGenerator &rng)
{
    sales::Ticket ticket;
    ticket.show();
    QElapsedTimer wait;
    wait.start();
    while (!ticket.isActiveWindow() && wait.elapsed() < 5000)
        QApplication::processEvents();
    ticket.activateWindow();

    sales::ItemGrid *grid = ticket.grid();
    std::vector<double> byCode, byBarCode, scrolling;
    for (int t = 0; t < kTickets; ++t) {
        ticket.Blanquear();
        for (int r = 0; r < sales::kGridRows - 1; ++r) {
            QLineEdit *field = grid->cell(sales::ItemGrid::Column::Code, r);
            const int n = int(rng.bounded(kArticles));
            const bool scanned = (r % 2) == 0;
            field->setFocus();
            field->setText(scanned ? barCode(n) : code(n));
            QElapsedTimer clock;
            clock.start();
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            QApplication::sendEvent(field, &enter);
            const double ms = double(clock.nsecsElapsed()) / 1e6;
            if (ticket.focusWidget() != grid->cell(sales::ItemGrid::Column::Code, r + 1)) {
                std::fprintf(stderr, "row %d: the focus did not reach the next code field\n", r + 1);
                return;
            }
            (scanned ? byBarCode : byCode).push_back(ms);
            if (r + 1 >= sales::kFirstScrollingRow)
                scrolling.push_back(ms);
        }
    }
    std::vector<double> all = byCode;
    all.insert(all.end(), byBarCode.begin(), byBarCode.end());
    print("scanned line, five-character code", figures(byCode), byCode.size(), "< 2 ms");
    print("scanned line, 13-digit bar code", figures(byBarCode), byBarCode.size(), "< 2 ms");
    print("scanned line, moving on to rows 16-29", figures(scrolling), scrolling.size(), "< 2 ms");
    print("scanned line, all", figures(all), all.size(), "< 2 ms");
}

void benchStoring(const store::DatabaseFolder &folder)
{
    auto db = folder.open(store::files::Tickets);
    sales::DocumentTables tables(*db);
    std::vector<double> ms;
    for (int i = 0; i < kStores; ++i) {
        sales::Document d;
        d.number = tables.nextNumber();
        d.date = QStringLiteral("11/12/2026");
        d.customerCode = QStringLiteral("0001");
        d.customerName = QStringLiteral("CONSUMIDOR FINAL");
        d.vatCategory = QStringLiteral("C.F.");
        d.cuit = QStringLiteral("0");
        d.total = QStringLiteral("375,00");
        for (int l = 0; l < sales::kGridRows; ++l)
            d.lines.append({code(l * 37), QStringLiteral("ARTICULO DE PRUEBA %1").arg(l * 37), QStringLiteral("1"),
                            QStringLiteral("12,5"), QStringLiteral("12,50"), {}});
        QElapsedTimer clock;
        clock.start();
        tables.store(d);
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    print("storing a 30-line ticket", figures(ms), ms.size(), "< 10 ms");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/Bases");
    store::DatabaseFolder::create(path);
    store::DatabaseFolder::setCurrent(path);

    QElapsedTimer clock;
    clock.start();
    fillArticles(store::DatabaseFolder(path));
    std::printf("catalogue of %d articles written in %.1f s\n", kArticles, double(clock.elapsed()) / 1000);

    auto messages = std::make_shared<CountingMessages>();
    services::setMessages(messages);
    sales::setFiscalDevice(std::make_shared<sales::FiscalRecorder>());
    services::setPauseScale(0);

    QRandomGenerator rng(20261211);
    benchScanning(rng);
    benchStoring(store::DatabaseFolder(path));
    if (messages->shown > 0)
        std::printf("(%d messages were shown: the figures include them)\n", messages->shown);
    return 0;
}

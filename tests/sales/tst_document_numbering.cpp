#include "common/formats.h"
#include "sales/documents.h"
#include "store/database_folder.h"
#include "store/record_store.h"
#include "test_support.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QThread>
#include <QtTest>

// Several workstations (processes) sell at the same time on one ticket
// file: each takes a number as the ticket window does and stores its ticket
// a moment later. Every ticket must end up with a number of its own and
// every line under its own header.

namespace {

constexpr int kProcesses = 4;
constexpr int kTicketsEach = 30;
constexpr int kLinesEach = 3;

// The tag of a ticket: which process, which of its tickets.
QString tagOf(int process, int ticket) { return QStringLiteral("P%1-T%2").arg(process).arg(ticket); }

int runChild(const QString &folder, int process)
{
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(folder + QStringLiteral("/go")) && waited.elapsed() < 60000)
        QThread::msleep(1);
    auto db = store::DatabaseFolder(folder).open(store::files::Tickets);
    sales::DocumentTables tables(*db);
    int renumbered = 0;
    for (int i = 0; i < kTicketsEach; ++i) {
        sales::Document d;
        // The first ticket of every workstation has the number all of them
        // saw at the same moment; the later ones take it as the window does.
        d.number = i == 0 ? QStringLiteral("000001") : tables.nextNumber();
        d.date = QStringLiteral("11/12/2026");
        d.customerCode = QStringLiteral("0001");
        d.customerName = tagOf(process, i);
        for (int l = 0; l < kLinesEach; ++l)
            d.lines.append({QStringLiteral("0000%1").arg(l + 1), tagOf(process, i), QStringLiteral("1"),
                            QStringLiteral("10"), QStringLiteral("10,00"), QString()});
        d.total = QStringLiteral("30,00");
        QThread::usleep(200 * (process + 1));  // the operator takes the payment
        if (tables.store(d).outcome == sales::DocumentTables::Outcome::Renumbered)
            ++renumbered;
    }
    printf("renumbered %d\n", renumbered);
    fflush(stdout);
    return 0;
}

} // namespace

class TstDocumentNumbering : public QObject {
    Q_OBJECT
private slots:
    void simultaneousSalesGetDistinctNumbers();
};

void TstDocumentNumbering::simultaneousSalesGetDistinctNumbers()
{
    TempDatabaseFolder f;
    QList<QProcess *> children;
    for (int i = 0; i < kProcesses; ++i) {
        auto *p = new QProcess(this);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), f.path, QString::number(i)});
        children << p;
    }
    for (QProcess *p : children)
        QVERIFY(p->waitForStarted());
    QThread::msleep(300);
    QFile go(f.path + QStringLiteral("/go"));
    QVERIFY(go.open(QIODevice::WriteOnly));
    go.close();
    int renumbered = 0;
    for (QProcess *p : children) {
        QVERIFY(p->waitForFinished(120000));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
        const QString out = QString::fromLocal8Bit(p->readAllStandardOutput()).trimmed();
        QVERIFY2(out.startsWith(QLatin1String("renumbered ")), qPrintable(out));
        renumbered += out.section(QLatin1Char(' '), 1).toInt();
    }
    // All of them started with the same number: all but one had to move on.
    QVERIFY2(renumbered >= kProcesses - 1, qPrintable(QString::number(renumbered)));

    auto db = f.open(store::files::Tickets);
    store::TableView headers(*db, QStringLiteral("CtasCtes"));
    QCOMPARE(headers.recordCount(), kProcesses * kTicketsEach);
    QHash<QString, QString> tagOfNumber;
    headers.moveFirst();
    while (!headers.eof()) {
        const QString number = headers.value(QStringLiteral("numero"));
        QVERIFY2(!tagOfNumber.contains(number), qPrintable(number));
        tagOfNumber.insert(number, headers.value(QStringLiteral("des_cli")));
        headers.moveNext();
    }
    // The numbers run 1..N without gaps: each was the next free one.
    for (int n = 1; n <= kProcesses * kTicketsEach; ++n)
        QVERIFY(tagOfNumber.contains(fmt::formatNumber(n, QStringLiteral("000000"))));
    QCOMPARE(QSet<QString>(tagOfNumber.cbegin(), tagOfNumber.cend()).size(), kProcesses * kTicketsEach);

    store::TableView lines(*db, QStringLiteral("CtasCtes1"));
    QCOMPARE(lines.recordCount(), kProcesses * kTicketsEach * kLinesEach);
    QHash<QString, int> linesOfNumber;
    lines.moveFirst();
    while (!lines.eof()) {
        const QString number = lines.value(QStringLiteral("numero"));
        QVERIFY2(tagOfNumber.contains(number), qPrintable(number));
        QCOMPARE(lines.value(QStringLiteral("des_art")), tagOfNumber.value(number));
        ++linesOfNumber[number];
        lines.moveNext();
    }
    for (auto it = linesOfNumber.cbegin(); it != linesOfNumber.cend(); ++it)
        QCOMPARE(it.value(), kLinesEach);
}

int main(int argc, char **argv)
{
    return runTestOrChild<TstDocumentNumbering>(argc, argv, runChild);
}
#include "tst_document_numbering.moc"

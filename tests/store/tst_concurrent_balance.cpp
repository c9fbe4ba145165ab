#include "common/formats.h"
#include "store/database_folder.h"
#include "test_support.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QtTest>

// Several processes add to one customer's balance at the same time, each in
// its own read-modify-write; none of the additions may be lost.

namespace {

constexpr int kProcesses = 4;
constexpr int kAdditionsEach = 150;

int runChild(const QString &folder, int additions)
{
    // Everybody starts together once the parent says so.
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(folder + QStringLiteral("/go")) && waited.elapsed() < 60000)
        QThread::msleep(1);
    auto db = store::DatabaseFolder(folder).open(store::files::Clientes);
    store::TableView c(*db, QStringLiteral("CLIENTES"));
    c.setIndex(QStringLiteral("COD_CLIENT"));
    for (int i = 0; i < additions; ++i) {
        store::Transaction tx(*db);
        if (!c.seek(QStringLiteral("0001")))
            return 2;
        c.edit();
        c.setValue(QStringLiteral("SALDO"), fmt::plainNumber(c.number(QStringLiteral("SALDO")) + 0.25));
        c.update();
        tx.commit();
    }
    return 0;
}

} // namespace

class TestConcurrentBalance : public QObject {
    Q_OBJECT
private slots:
    void additionsFromSeveralProcessesAreAllKept();
};

void TestConcurrentBalance::additionsFromSeveralProcessesAreAllKept()
{
    TempDatabaseFolder f;
    {
        auto db = f.open(store::files::Clientes);
        store::TableView c(*db, QStringLiteral("CLIENTES"));
        c.addNew();
        c.setValue(QStringLiteral("COD_CLIENT"), QStringLiteral("0001"));
        c.setValue(QStringLiteral("SALDO"), QStringLiteral("100"));
        c.update();
    }
    QList<QProcess *> children;
    for (int i = 0; i < kProcesses; ++i) {
        auto *p = new QProcess(this);
        p->setProcessChannelMode(QProcess::ForwardedChannels);
        p->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--child"), f.path, QString::number(kAdditionsEach)});
        children << p;
    }
    for (QProcess *p : children)
        QVERIFY(p->waitForStarted());
    QThread::msleep(300);
    QFile go(f.path + QStringLiteral("/go"));
    QVERIFY(go.open(QIODevice::WriteOnly));
    go.close();
    for (QProcess *p : children) {
        QVERIFY(p->waitForFinished(120000));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
    }
    auto db = f.open(store::files::Clientes);
    store::TableView c(*db, QStringLiteral("CLIENTES"));
    c.setIndex(QStringLiteral("COD_CLIENT"));
    QVERIFY(c.seek(QStringLiteral("0001")));
    QCOMPARE(c.value(QStringLiteral("SALDO")), fmt::plainNumber(100 + kProcesses * kAdditionsEach * 0.25));
}

int main(int argc, char **argv)
{
    return runTestOrChild<TestConcurrentBalance>(argc, argv, runChild);
}
#include "tst_concurrent_balance.moc"

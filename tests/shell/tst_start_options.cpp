#include "shell/start_options.h"

#include <QTest>

class TstStartOptions : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        qunsetenv("TORVI_BASES");
    }

    void parse_data();
    void parse();
    void databaseFolderChoice();
    void displayCheck();
};

void TstStartOptions::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("bases");
    QTest::addColumn<QString>("impresora");
    QTest::addColumn<QString>("cinta");
    QTest::addColumn<QString>("crearBase");
    QTest::addColumn<bool>("demo");
    QTest::addColumn<bool>("error");

    QTest::newRow("nothing") << QStringList{} << "" << "" << "" << "" << false << false;
    QTest::newRow("all run options")
        << QStringList{"--bases", "/srv/Torvi Bases", "--impresora", "registro", "--cinta", "c.txt"}
        << "/srv/Torvi Bases" << "registro" << "c.txt" << "" << false << false;
    QTest::newRow("name=value") << QStringList{"--bases=//SERVIDOR/Torvi/Bases", "--impresora=emulador"}
                                << "//SERVIDOR/Torvi/Bases" << "emulador" << "" << "" << false << false;
    QTest::newRow("create with demo") << QStringList{"--crear-base", "/tmp/b", "--demo"} << "" << "" << ""
                                      << "/tmp/b" << true << false;
    QTest::newRow("toolkit options pass") << QStringList{"-platform", "offscreen", "--bases", "b"} << "b" << ""
                                          << "" << "" << false << false;
    QTest::newRow("missing value") << QStringList{"--bases"} << "" << "" << "" << "" << false << true;
    QTest::newRow("option as value") << QStringList{"--bases", "--demo"} << "" << "" << "" << "" << true << true;
    QTest::newRow("empty value") << QStringList{"--bases="} << "" << "" << "" << "" << false << true;
    QTest::newRow("unknown option") << QStringList{"--base", "x"} << "" << "" << "" << "" << false << true;
    QTest::newRow("stray argument") << QStringList{"Bases"} << "" << "" << "" << "" << false << true;
    QTest::newRow("demo alone") << QStringList{"--demo"} << "" << "" << "" << "" << true << true;
}

void TstStartOptions::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, bases);
    QFETCH(QString, impresora);
    QFETCH(QString, cinta);
    QFETCH(QString, crearBase);
    QFETCH(bool, demo);
    QFETCH(bool, error);

    const auto options = shell::parseCommandLine(QStringList{QStringLiteral("torvi")} + arguments);
    QCOMPARE(!options.error.isEmpty(), error);
    if (error)
        return;
    QCOMPARE(options.bases, bases);
    QCOMPARE(options.impresora, impresora);
    QCOMPARE(options.cinta, cinta);
    QCOMPARE(options.crearBase, crearBase);
    QCOMPARE(options.demo, demo);
}

void TstStartOptions::databaseFolderChoice()
{
    shell::StartOptions options;
    QCOMPARE(shell::chosenDatabaseFolder(options), shell::defaultDatabaseFolder());
    qputenv("TORVI_BASES", "/desde/entorno");
    QCOMPARE(shell::chosenDatabaseFolder(options), QStringLiteral("/desde/entorno"));
    options.bases = QStringLiteral("/desde/linea");
    QCOMPARE(shell::chosenDatabaseFolder(options), QStringLiteral("/desde/linea"));
}

void TstStartOptions::displayCheck()
{
#if defined(Q_OS_LINUX)
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("QT_QPA_PLATFORM");
    shell::StartOptions options;
    const bool none = shell::displayAvailable(options);
    options.toolkitPlatform = true;
    const bool withPlatform = shell::displayAvailable(options);
    qputenv("DISPLAY", ":99");
    const bool withDisplay = shell::displayAvailable(shell::StartOptions{});
    for (const auto &[name, value] : {std::pair{"DISPLAY", display}, std::pair{"WAYLAND_DISPLAY", wayland},
                                      std::pair{"QT_QPA_PLATFORM", platform}}) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    QVERIFY(!none);
    QVERIFY(withPlatform);
    QVERIFY(withDisplay);
    QVERIFY(shell::noDisplayText(QStringLiteral("torvi")).contains(QStringLiteral("xvfb-run -a torvi")));
#else
    QVERIFY(shell::displayAvailable(shell::StartOptions{}));
#endif
}

QTEST_GUILESS_MAIN(TstStartOptions)
#include "tst_start_options.moc"

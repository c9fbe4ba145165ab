#pragma once

#include "store/database_folder.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <functional>
#include <QtTest>

// A fresh database folder with every file and table and the ADMIN user, in
// a temporary directory removed at the end of the test.
class TempDatabaseFolder {
public:
    TempDatabaseFolder()
    {
        path = dir.path() + QStringLiteral("/Bases");
        store::DatabaseFolder::create(path);
    }
    store::DatabaseFolder folder() const { return store::DatabaseFolder(path); }
    std::unique_ptr<store::Database> open(const QString &file) const { return folder().open(file); }

    QTemporaryDir dir;
    QString path;
};

// main() of a test that starts copies of itself as other workstations:
// "<program> --child <folder> <count>" runs `child` in a process of its own
// (a failure thrown there is printed and ends it with a non-zero code);
// anything else runs the test object.
template <typename Test>
int runTestOrChild(int argc, char **argv, const std::function<int(const QString &, int)> &child)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0) {
        try {
            return child(QString::fromLocal8Bit(argv[2]), atoi(argv[3]));
        } catch (const std::exception &e) {
            qWarning("%s", e.what());
            return 3;
        }
    }
    Test test;
    return QTest::qExec(&test, argc, argv);
}

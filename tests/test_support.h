#pragma once

#include "store/database_folder.h"

#include <QTemporaryDir>
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

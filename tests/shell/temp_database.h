#pragma once

#include "store/database_folder.h"
#include "store/record_store.h"

#include <QMap>
#include <QTemporaryDir>
#include <QTest>

// A fresh database folder in a temporary directory, made the current one,
// with helpers for the users table. A new folder holds the user ADMIN with
// the password KIVOR.
class TempDatabase {
public:
    TempDatabase()
    {
        QVERIFY2(m_dir.isValid(), "no temporary directory");
        m_path = m_dir.filePath(QStringLiteral("Bases"));
        store::DatabaseFolder::create(m_path);
        store::DatabaseFolder::setCurrent(m_path);
    }
    ~TempDatabase() { store::DatabaseFolder::setCurrent(QString()); }

    QString path() const { return m_path; }

    // Adds the user, or changes it when the name is stored.
    void setUser(const QString &name, const QString &password, const QString &estado = QString())
    {
        auto db = store::DatabaseFolder(m_path).open(store::files::Opcion);
        store::TableView users(*db, QStringLiteral("Usuarios"));
        users.setIndex(QStringLiteral("usuario"));
        if (users.seek(name)) {
            users.edit();
        } else {
            users.addNew();
            users.setValue(QStringLiteral("usuario"), name);
        }
        users.setValue(QStringLiteral("contrasena"), password);
        users.setValue(QStringLiteral("estado"), estado);
        users.update();
    }

    void removeAllUsers()
    {
        auto db = store::DatabaseFolder(m_path).open(store::files::Opcion);
        store::TableView users(*db, QStringLiteral("Usuarios"));
        for (users.moveFirst(); !users.eof(); users.moveNext())
            users.deleteCurrent();
    }

    // estado of every user, read through a connection of its own (as another
    // workstation would see the table).
    QMap<QString, QString> estados() const
    {
        QMap<QString, QString> result;
        auto db = store::DatabaseFolder(m_path).open(store::files::Opcion);
        store::TableView users(*db, QStringLiteral("Usuarios"));
        for (users.moveFirst(); !users.eof(); users.moveNext())
            result.insert(users.value(QStringLiteral("usuario")), users.value(QStringLiteral("estado")));
        return result;
    }

    // The users marked "Activo".
    QStringList activos() const
    {
        QStringList result;
        const auto all = estados();
        for (auto it = all.begin(); it != all.end(); ++it)
            if (it.value() == QLatin1String("Activo"))
                result << it.key();
        return result;
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

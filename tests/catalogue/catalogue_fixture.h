#pragma once

#include "store/database_folder.h"
#include "store/record_store.h"
#include "test_support.h"

#include <QHash>
#include <QStringList>

// A fresh database folder, made the current one, with helpers to store and
// read articles, categories and suppliers.
struct CatalogueFixture {
    using Fields = QHash<QString, QString>;

    TempDatabaseFolder folder;

    CatalogueFixture() { store::DatabaseFolder::setCurrent(folder.path); }
    ~CatalogueFixture() { store::DatabaseFolder::setCurrent(QString()); }

    std::unique_ptr<store::Database> open(const QString &file) const { return folder.open(file); }

    static void add(store::Database &db, const QString &table, const Fields &fields)
    {
        store::TableView view(db, table);
        view.addNew();
        for (auto it = fields.cbegin(); it != fields.cend(); ++it)
            view.setValue(it.key(), it.value());
        view.update();
    }

    void addArticle(const Fields &fields) const
    {
        auto db = open(store::files::Articulos);
        add(*db, QStringLiteral("Articulos"), fields);
    }
    void addRubro(const QString &code, const QString &description) const
    {
        auto db = open(store::files::Rubros);
        add(*db, QStringLiteral("Rubros"), {{QStringLiteral("COD_RUB"), code}, {QStringLiteral("DESCRI"), description}});
    }
    void addProveedor(const QString &code, const QString &name, const QString &cuit = QString()) const
    {
        auto db = open(store::files::Proveedores);
        add(*db, QStringLiteral("Proveedores"),
            {{QStringLiteral("COD_PROV"), code}, {QStringLiteral("RAZON_SOC"), name}, {QStringLiteral("CUIT"), cuit}});
    }

    // Every field of the article with that code (empty when there is none),
    // read through a connection of its own.
    Fields article(const QString &code) const
    {
        auto db = open(store::files::Articulos);
        store::TableView view(*db, QStringLiteral("Articulos"));
        view.setIndex(QStringLiteral("art"));
        Fields fields;
        if (!view.seek(code))
            return fields;
        for (const store::FieldDef &f : view.definition().fields)
            fields.insert(f.name, view.value(f.name));
        return fields;
    }
    // Every article, code -> fields.
    QHash<QString, Fields> articles() const
    {
        QHash<QString, Fields> all;
        auto db = open(store::files::Articulos);
        store::TableView view(*db, QStringLiteral("Articulos"));
        for (view.moveFirst(); !view.eof(); view.moveNext()) {
            Fields fields;
            for (const store::FieldDef &f : view.definition().fields)
                fields.insert(f.name, view.value(f.name));
            all.insert(view.value(QStringLiteral("ART")), fields);
        }
        return all;
    }
    long long count(const QString &file, const QString &table) const
    {
        auto db = open(file);
        return store::TableView(*db, table).recordCount();
    }
    // code -> description of every category.
    QHash<QString, QString> rubros() const
    {
        QHash<QString, QString> all;
        auto db = open(store::files::Rubros);
        store::TableView view(*db, QStringLiteral("Rubros"));
        for (view.moveFirst(); !view.eof(); view.moveNext())
            all.insert(view.value(QStringLiteral("COD_RUB")), view.value(QStringLiteral("DESCRI")));
        return all;
    }
};

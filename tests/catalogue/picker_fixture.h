#pragma once

#include "common/services.h"
#include "common/session.h"
#include "store/database_folder.h"
#include "store/record_store.h"
#include "test_support.h"

#include <QDate>
#include <QTest>

// A fresh database folder, made the current one, with a small catalogue
// whose descriptions exercise the description search: two articles
// beginning with TOR, one with TOR further in, mixed letter case, an
// apostrophe and the LIKE wildcards.
struct PickerFixture {
    struct Article {
        const char *art;
        const char *des;
        const char *ne1;
        const char *sig;
        const char *cod;
    };

    // In description order (letter case ignored): row numbers of the list.
    static constexpr Article catalogue[] = {
        {"00008", "ALICATE UNIVERSAL", "1500,5", "ALI", ""},
        {"00009", "CLAVO 100 X 1KG", "900", "", ""},
        {"00007", "D'ALESSANDRO PINZA", "2100", "", ""},
        {"00005", "LLAVE TORX T20", "850", "LLT", ""},
        {"00002", "MARTILLO GALPONERO", "12345,67", "MAR", "7791234567890"},
        {"00010", "MASILLA 1/2 KG", "700", "", ""},
        {"00003", "TORNILLO 3/8", "10", "", ""},
        {"00006", "tornillo fino", "11", "", ""},
        {"00004", "TORNO DE BANCO", "99999", "TOR", ""},
    };
    static constexpr int size = int(std::size(catalogue));

    TempDatabaseFolder folder;

    PickerFixture()
    {
        store::DatabaseFolder::setCurrent(folder.path);
        auto db = folder.open(store::files::Articulos);
        store::TableView view(*db, QStringLiteral("Articulos"));
        // Stored in code order, so that the list's order is the search's work.
        QList<Article> byCode(std::begin(catalogue), std::end(catalogue));
        std::sort(byCode.begin(), byCode.end(), [](const Article &a, const Article &b) { return qstrcmp(a.art, b.art) < 0; });
        for (const Article &a : byCode) {
            view.addNew();
            view.setValue(QStringLiteral("ART"), QString::fromUtf8(a.art));
            view.setValue(QStringLiteral("DES"), QString::fromUtf8(a.des));
            view.setValue(QStringLiteral("NE1"), QString::fromUtf8(a.ne1));
            view.setValue(QStringLiteral("NE2"), QStringLiteral("2"));
            view.setValue(QStringLiteral("SIG"), QString::fromUtf8(a.sig));
            view.setValue(QStringLiteral("COD"), QString::fromUtf8(a.cod));
            view.update();
        }
    }
    ~PickerFixture() { store::DatabaseFolder::setCurrent(QString()); }

    // The row of an article code in the list, -1 when it is not there.
    static int rowOf(const QString &code)
    {
        for (int i = 0; i < size; ++i)
            if (code == QLatin1String(catalogue[i].art))
                return i;
        return -1;
    }

    // A field of one stored article, read afresh.
    QString stored(const QString &code, const QString &field) const
    {
        auto db = folder.open(store::files::Articulos);
        store::TableView view(*db, QStringLiteral("Articulos"));
        view.setIndex(QStringLiteral("art"));
        if (!view.seek(code))
            return QStringLiteral("<missing>");
        return view.value(field);
    }
};

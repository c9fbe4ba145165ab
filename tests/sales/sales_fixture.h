#pragma once

#include "common/services.h"
#include "common/session.h"
#include "fake_messages.h"
#include "sales/fiscal_backend.h"
#include "sales/fiscal_recorder.h"
#include "store/database_folder.h"
#include "store/record_store.h"
#include "test_support.h"

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QTest>
#include <QList>
#include <QPair>
#include <memory>
#include <optional>

// A few articles with known prices, VAT rates and bar codes.
//
//   00001  TORNILLO 3/8         12,50 / 11 / - / 9,75   21 %   7790000000017
//   00002  CAÑO PVC 40          100                     10,5 % 7790000000024
//   00003  PINTURA LATEX 4L     10 / 9 / 8 / 7          21 %
//   00004  ARTICULO SIN PRECIO  -                       21 %
//   1234   CODIGO CORTO         5                       21 %   (four-character code)
//   00006  CON BARRAS DE CINCO  3                       21 %   12345 (five-character bar code)
namespace salestest {

using Fields = QList<QPair<const char *, QString>>;

inline void addArticle(store::TableView &v, const Fields &fields)
{
    v.addNew();
    for (const auto &[name, value] : fields)
        v.setValue(QString::fromLatin1(name), value);
    v.update();
}

inline void addShopArticles(const store::DatabaseFolder &folder)
{
    auto db = folder.open(store::files::Articulos);
    store::Transaction tx(*db);
    store::TableView v(*db, QStringLiteral("Articulos"));
    addArticle(v, {{"ART", "00001"}, {"DES", "TORNILLO 3/8"}, {"NE1", "12,5"}, {"NE2", "11"},
                   {"NE4", "9,75"}, {"IV1", "21"}, {"COD", "7790000000017"}});
    addArticle(v, {{"ART", "00002"}, {"DES", QStringLiteral("CAÑO PVC 40")}, {"NE1", "100"}, {"IV1", "10,5"},
                   {"COD", "7790000000024"}});
    addArticle(v, {{"ART", "00003"}, {"DES", "PINTURA LATEX 4L"}, {"NE1", "10"}, {"NE2", "9"}, {"NE3", "8"},
                   {"NE4", "7"}, {"IV1", "21"}});
    addArticle(v, {{"ART", "00004"}, {"DES", "ARTICULO SIN PRECIO"}, {"IV1", "21"}});
    addArticle(v, {{"ART", "1234"}, {"DES", "CODIGO CORTO"}, {"NE1", "5"}, {"IV1", "21"}});
    addArticle(v, {{"ART", "00006"}, {"DES", "CON BARRAS DE CINCO"}, {"NE1", "3"}, {"IV1", "21"}, {"COD", "12345"}});
    tx.commit();
}

// A fresh shop folder made current, a recording printer, recorded
// messages, no pauses and a fixed date, all undone at the end.
// "Window.Field" of the widget that has the focus, for readable failures.
inline QString focusName()
{
    QWidget *w = QApplication::focusWidget();
    return w ? w->window()->objectName() + QLatin1Char('.') + w->objectName() : QStringLiteral("(none)");
}

inline sales::FiscalCall call(const char *name, const QStringList &args = {})
{
    return {QString::fromLatin1(name), args};
}

// Types `text` into a field over what it held (or empties it) and presses
// Enter, as the operator does.
inline void typeAndEnter(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    if (!text.isEmpty())
        QTest::keyClicks(field, text);
    else
        QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClick(field, Qt::Key_Return);
}

class SalesFixture {
public:
    SalesFixture()
    {
        store::DatabaseFolder::setCurrent(folder.path);
        addShopArticles(folder.folder());
        recorder = std::make_shared<sales::FiscalRecorder>();
        m_previousDevice = sales::setFiscalDevice(recorder);
        services::setPauseScale(0);
        services::setToday(QDate(2026, 12, 11));
        session::FilaActual() = 0;
    }
    ~SalesFixture()
    {
        sales::setFiscalDevice(m_previousDevice);
        services::setPauseScale(1);
        services::setToday(QDate());
    }
    SalesFixture(const SalesFixture &) = delete;
    SalesFixture &operator=(const SalesFixture &) = delete;

    std::unique_ptr<store::Database> tickets() const { return folder.open(store::files::Tickets); }

    // Stored headers and lines of Tickets.mdb, as (numero, field) texts.
    long long headerCount() const
    {
        auto db = tickets();
        return store::TableView(*db, QStringLiteral("CtasCtes")).recordCount();
    }
    long long lineCount() const
    {
        auto db = tickets();
        return store::TableView(*db, QStringLiteral("CtasCtes1")).recordCount();
    }

    TempDatabaseFolder folder;
    MessagesGuard messages;
    std::shared_ptr<sales::FiscalRecorder> recorder;

private:
    std::shared_ptr<sales::FiscalDevice> m_previousDevice;
};

} // namespace salestest

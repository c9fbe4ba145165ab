// The bar-code entry of the sales windows and the Code 128 drawing it
// shares with the delivery note's.

#include "catalogue/barcode_view.h"
#include "catalogue/codigo_barras_ticket.h"
#include "fake_messages.h"
#include "picker_fixture.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QtTest>

using catalogue::CodigoBarrasTicket;

class TestCodigoBarrasTicket : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void looks();
    void writesOnTheViewsArticle_data();
    void writesOnTheViewsArticle();
    void refusesWithoutArticle_data();
    void refusesWithoutArticle();
    void escapeStoresNothing();

    void code128Structure_data();
    void code128Structure();
    void paintsBars();

private:
    std::unique_ptr<PickerFixture> m_fixture;
    std::unique_ptr<MessagesGuard> m_messages;
};

void TestCodigoBarrasTicket::init()
{
    services::setPauseScale(0);
    m_fixture = std::make_unique<PickerFixture>();
    m_messages = std::make_unique<MessagesGuard>();
}

void TestCodigoBarrasTicket::cleanup()
{
    m_messages.reset();
    m_fixture.reset();
    services::setPauseScale(1);
}

static QLineEdit *box(QDialog &d)
{
    return d.findChild<QLineEdit *>(QStringLiteral("Text1"));
}

void TestCodigoBarrasTicket::looks()
{
    auto db = m_fixture->folder.open(store::files::Articulos);
    store::TableView view(*db, QStringLiteral("Articulos"));
    CodigoBarrasTicket d(&view);
    d.open();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QCOMPARE(d.windowTitle(), QStringLiteral("Codigo de Barras"));
    QVERIFY(d.isModal());
    QCOMPARE(box(d)->text(), QString());
    QCOMPARE(QApplication::focusWidget(), box(d));
    auto *bars = d.findChild<catalogue::BarcodeView *>(QStringLiteral("Barras"));
    QVERIFY(bars);
    QVERIFY(!bars->hasBars());
    QTest::keyClicks(box(d), QStringLiteral("779123"));
    QCOMPARE(bars->text(), QStringLiteral("779123"));
    QVERIFY(bars->hasBars());
}

void TestCodigoBarrasTicket::writesOnTheViewsArticle_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("scanned EAN-13") << "7790001112223";
    QTest::newRow("lower case kept") << "abc-12x";
    QTest::newRow("empty box stores an empty bar code") << "";
}

void TestCodigoBarrasTicket::writesOnTheViewsArticle()
{
    QFETCH(QString, typed);
    // The sales window's keyed view, standing on the article looked up last.
    auto db = m_fixture->folder.open(store::files::Articulos);
    store::TableView view(*db, QStringLiteral("Articulos"));
    view.setIndex(QStringLiteral("art"));
    QVERIFY(view.seek(QStringLiteral("00002")));
    // Another window's view stands on another article.
    store::TableView otherWindow(*db, QStringLiteral("Articulos"));
    otherWindow.setIndex(QStringLiteral("art"));
    QVERIFY(otherWindow.seek(QStringLiteral("00005")));

    CodigoBarrasTicket d(&view);
    d.open();
    QTest::keyClicks(box(d), typed);
    QCOMPARE(box(d)->text(), typed);
    QTest::keyClick(box(d), Qt::Key_Return);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(m_fixture->stored(QStringLiteral("00002"), QStringLiteral("COD")), typed);
    QCOMPARE(m_fixture->stored(QStringLiteral("00002"), QStringLiteral("NE1")), QStringLiteral("12345,67"));
    QCOMPARE(m_fixture->stored(QStringLiteral("00005"), QStringLiteral("COD")), QString());
    QVERIFY(m_messages->fake->shown.isEmpty());
    // The stored code finds the article by index "cod".
    if (!typed.isEmpty()) {
        view.setIndex(QStringLiteral("cod"));
        QVERIFY(view.seek(typed));
        QCOMPARE(view.value(QStringLiteral("ART")), QStringLiteral("00002"));
    }
}

void TestCodigoBarrasTicket::refusesWithoutArticle_data()
{
    QTest::addColumn<bool>("failedLookup");   // else nothing looked up: no view at all
    QTest::newRow("last lookup failed") << true;
    QTest::newRow("no view") << false;
}

void TestCodigoBarrasTicket::refusesWithoutArticle()
{
    QFETCH(bool, failedLookup);
    auto db = m_fixture->folder.open(store::files::Articulos);
    store::TableView view(*db, QStringLiteral("Articulos"));
    view.setIndex(QStringLiteral("art"));
    QVERIFY(view.seek(QStringLiteral("00002")));
    QVERIFY(!view.seek(QStringLiteral("77777")));

    CodigoBarrasTicket d(failedLookup ? &view : nullptr);
    d.open();
    QTest::keyClicks(box(d), QStringLiteral("7790001112223"));
    QTest::keyClick(box(d), Qt::Key_Return);
    QCOMPARE(m_messages->fake->shown.size(), 1);
    QCOMPARE(m_messages->fake->shown.first().title, QStringLiteral("Error"));
    QCOMPARE(m_messages->fake->shown.first().icon, services::Icon::Critical);
    QVERIFY(m_messages->fake->shown.first().text.contains(QStringLiteral("No se guardó nada")));
    QVERIFY(!d.isVisible());
    for (const auto &a : PickerFixture::catalogue)
        QCOMPARE(m_fixture->stored(QString::fromUtf8(a.art), QStringLiteral("COD")), QString::fromUtf8(a.cod));
}

void TestCodigoBarrasTicket::escapeStoresNothing()
{
    auto db = m_fixture->folder.open(store::files::Articulos);
    store::TableView view(*db, QStringLiteral("Articulos"));
    view.setIndex(QStringLiteral("art"));
    QVERIFY(view.seek(QStringLiteral("00002")));
    CodigoBarrasTicket d(&view);
    d.open();
    QTest::keyClicks(box(d), QStringLiteral("123"));
    QTest::keyClick(box(d), Qt::Key_Escape);
    QVERIFY(!d.isVisible());
    QCOMPARE(m_fixture->stored(QStringLiteral("00002"), QStringLiteral("COD")), QStringLiteral("7791234567890"));
}

void TestCodigoBarrasTicket::code128Structure_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("digits") << "7790001112223" << true;
    QTest::newRow("letters") << "Abc-12 x" << true;
    QTest::newRow("one character") << "A" << true;
    QTest::newRow("Latin-1 letter") << "ÑANDÚ" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("outside Latin-1") << "A€" << false;
}

// A Code 128 symbol is a start character, the data, a check character (11
// modules and 3 bars each) and the stop pattern (13 modules, 4 bars).
void TestCodigoBarrasTicket::code128Structure()
{
    QFETCH(QString, text);
    QFETCH(bool, drawn);
    const catalogue::Code128Bars bars = catalogue::code128Bars(text);
    QCOMPARE(!bars.isEmpty(), drawn);
    if (!drawn)
        return;
    const int modules = qRound(bars.width);
    QCOMPARE((modules - 13) % 11, 0);
    const int characters = (modules - 13) / 11;
    QVERIFY(characters >= 3);
    QCOMPARE(int(bars.bars.size()), 3 * characters + 4);
    double previousEnd = 0;
    for (const QRectF &bar : bars.bars) {
        QVERIFY(bar.left() >= previousEnd - 1e-6);   // left to right, no overlap
        QVERIFY(bar.width() >= 1 - 1e-6 && bar.width() <= 4 + 1e-6);
        previousEnd = bar.right();
    }
    QVERIFY(previousEnd <= bars.width + 1e-6);
}

void TestCodigoBarrasTicket::paintsBars()
{
    QImage image(400, 60, QImage::Format_RGB32);
    auto blackColumns = [&image] {
        int n = 0;
        for (int x = 0; x < image.width(); ++x)
            n += qGray(image.pixel(x, image.height() / 2)) < 128;
        return n;
    };
    image.fill(Qt::white);
    {
        QPainter p(&image);
        QVERIFY(catalogue::paintCode128(p, QRectF(image.rect()), QStringLiteral("7790001112223")));
    }
    QVERIFY(blackColumns() > 40);
    // The quiet margins stay white.
    QCOMPARE(qGray(image.pixel(2, 30)), 255);
    QCOMPARE(qGray(image.pixel(397, 30)), 255);

    image.fill(Qt::white);
    {
        QPainter p(&image);
        QVERIFY(!catalogue::paintCode128(p, QRectF(image.rect()), QString()));
    }
    QCOMPARE(blackColumns(), 0);
}

QTEST_MAIN(TestCodigoBarrasTicket)
#include "tst_codigo_barras_ticket.moc"

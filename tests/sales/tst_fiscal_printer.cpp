#include "sales/fiscal_backend.h"
#include "sales/fiscal_emulator.h"
#include "sales/fiscal_printer.h"
#include "sales/fiscal_recorder.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using sales::FiscalCall;
using sales::FiscalEmulator;
using sales::FiscalRecorder;
using sales::PrinterFiscal;

Q_DECLARE_METATYPE(QList<sales::FiscalCall>)

namespace {

// ---- Commands as the sales windows send them --------------------------------

const FiscalCall kOpenTicket{QStringLiteral("AbrirTicket"), {QStringLiteral("G")}};
const FiscalCall kOption{QStringLiteral("OpcionTicket"), {QStringLiteral("1")}};
const FiscalCall kCode{QStringLiteral("LineaCodigo"), {QStringLiteral("00012")}};
const FiscalCall kItemTicket{QStringLiteral("ItemTicket"),
                             {QStringLiteral("COCA COLA"), QStringLiteral("00002000"),
                              QStringLiteral("0001250"), QStringLiteral("2100"),
                              QStringLiteral("M"), QStringLiteral("0"), QStringLiteral("0")}};
const FiscalCall kSubtotalTicket{QStringLiteral("SubtotalTicket"),
                                 {QStringLiteral("P"), QStringLiteral("SUB TOTAL(NumInt:000123)")}};
const FiscalCall kPayTicket{QStringLiteral("PagoTicket"),
                            {QStringLiteral("Pago con: "), QStringLiteral("100,00"),
                             QStringLiteral("T")}};
const FiscalCall kCloseTicket{QStringLiteral("CerrarTicket"), {}};

const FiscalCall kItemFactura{
    QStringLiteral("ItemFactura"),
    {QStringLiteral("YERBA"), QStringLiteral("00001000"), QStringLiteral("0010000"),
     QStringLiteral("2100"), QStringLiteral("M"), QStringLiteral("0"), QStringLiteral("0"),
     QString(), QString(), QString(), QStringLiteral("0000"),
     QStringLiteral("00000000000000000")}};
const FiscalCall kSubtotalFactura{QStringLiteral("SubtotalFactura"),
                                  {QStringLiteral("P"), QStringLiteral("SUB TOTAL(NumInt:000124)")}};
const FiscalCall kPayFactura{QStringLiteral("PagoFactura"),
                             {QStringLiteral("Pago con: "), QStringLiteral("200,00"),
                              QStringLiteral("T")}};
const FiscalCall kCloseFactura{QStringLiteral("CerrarFactura"),
                               {QStringLiteral("T"), QStringLiteral("A"), QString()}};

const FiscalCall kOpenNonFiscal{QStringLiteral("AbrirNoFiscal"), {}};
const FiscalCall kLineNonFiscal{QStringLiteral("LineaNoFiscal"),
                                {QStringLiteral("----------------------------------------")}};
const FiscalCall kCloseNonFiscal{QStringLiteral("CerrarNoFiscal"), {}};

const FiscalCall kCloseZ{QStringLiteral("CierreDiario"), {QStringLiteral("Z")}};
const FiscalCall kCloseX{QStringLiteral("CierreDiario"), {QStringLiteral("X"), QStringLiteral("P")}};

// The 19 values of AbrirFactura for documentType "T"/"M", letter and the
// customer's VAT letter.
FiscalCall openFactura(const QString &type, const QString &letter, const QString &customerVat)
{
    const QString blanks30(30, QLatin1Char(' '));
    return {QStringLiteral("AbrirFactura"),
            {type, QStringLiteral("C"), letter, QStringLiteral("1"), QStringLiteral("P"),
             QStringLiteral("12"), QStringLiteral("I"), customerVat,
             QStringLiteral("PEREZ JUAN").leftJustified(30), blanks30, QStringLiteral("CUIT"),
             QStringLiteral("20123456789"), QStringLiteral("N"),
             QStringLiteral("SAN MARTIN 123").leftJustified(30),
             QStringLiteral("ROSARIO - SANTA FE").leftJustified(30), QString(),
             QChar(127) + QStringLiteral("REM 1"), QChar(127) + QStringLiteral("REM 2"),
             QStringLiteral("G")}};
}

const FiscalCall kOpenFacturaA = openFactura(QStringLiteral("T"), QStringLiteral("A"), QStringLiteral("I"));

// A copy of call with argument index replaced (or removed when value is null).
FiscalCall with(FiscalCall call, int index, const QString &value)
{
    if (value.isNull())
        call.args.removeAt(index);
    else
        call.args[index] = value;
    return call;
}

FiscalCall withArgs(FiscalCall call, const QStringList &args)
{
    call.args = args;
    return call;
}

const QList<FiscalCall> kFullTicket{kOpenTicket, kOption, kCode, kItemTicket,
                                    kSubtotalTicket, kPayTicket, kCloseTicket};
const QList<FiscalCall> kFullFacturaA{kOpenFacturaA, kOption, kCode, kItemFactura,
                                      kSubtotalFactura, kPayFactura, kCloseFactura};

QList<FiscalCall> operator+(QList<FiscalCall> a, const FiscalCall &b)
{
    a.append(b);
    return a;
}

// ---- A caller as the sales windows are written ------------------------------

struct Row {
    QString code;
    QString description;
    QString quantity;
    QString price;
    QString vat;
};

// One success flag: each operation only while the flag holds, a false result
// ends the document silently.
void printTicket(PrinterFiscal &printer, const QList<Row> &rows)
{
    bool ok = printer.AbrirTicket(QStringLiteral("G"));
    if (ok)
        ok = printer.OpcionTicket(1);
    for (const Row &row : rows) {
        if (ok)
            ok = printer.LineaCodigo(row.code);
        if (ok)
            ok = printer.ItemTicket(row.description, row.quantity, row.price, row.vat,
                                    QStringLiteral("M"), QStringLiteral("0"), QStringLiteral("0"));
    }
    if (ok && printer.SubtotalTicket(QStringLiteral("P"), QStringLiteral("SUB TOTAL(NumInt:000007)"))
        && printer.PagoTicket(QStringLiteral("Pago con: "), QStringLiteral("50,00"),
                              QStringLiteral("T")))
        printer.CerrarTicket();
}

const QList<Row> kThreeRows{
    {QStringLiteral("00001"), QStringLiteral("ARROZ"), QStringLiteral("00001000"),
     QStringLiteral("0000500"), QStringLiteral("2100")},
    {QStringLiteral("00002"), QStringLiteral("FIDEOS"), QStringLiteral("00002000"),
     QStringLiteral("0000300"), QStringLiteral("1050")},
    {QStringLiteral("00003"), QStringLiteral("ACEITE"), QStringLiteral("00001000"),
     QStringLiteral("0001000"), QStringLiteral("2100")},
};

} // namespace

class TestFiscalPrinter : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sequence_data();
    void sequence();
    void refusedCommandLeavesDocumentOpen();

    void tapeTicket();
    void tapeFactura();
    void tapeNonFiscal();
    void tapeClosesXThenZ();

    void injectedRefusalStopsDocument_data();
    void injectedRefusalStopsDocument();
    void injectedRefusalOnEmulatorTape();

    void persistenceAcrossInstances();
    void documentLeftOpenIsCancelledAtStart();
    void unwritableTapeRefuses();

    void printerPassesArgumentsInOrder();
    void instancesShareOneDevice();
    void recorderClearAndRefusedCalls();

    void refusalText_data();
    void refusalText();
    void refusalCountsFromNow();
    void configuration();

private:
    std::unique_ptr<FiscalEmulator> makeEmulator() const;
    QStringList tape() const;
    QString tapePath() const { return m_dir->filePath(QStringLiteral("cinta.txt")); }
    static void send(FiscalEmulator &emulator, const QList<FiscalCall> &calls);

    std::unique_ptr<QTemporaryDir> m_dir;
};

// ---- Fixture ------------------------------------------------------------------

void TestFiscalPrinter::initTestCase()
{
    // Nothing here may touch the user's real tape.
    QStandardPaths::setTestModeEnabled(true);
}

void TestFiscalPrinter::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestFiscalPrinter::cleanup()
{
    sales::configureFiscalDevice(QString(), QString());
    qunsetenv("TORVI_IMPRESORA");
    qunsetenv("TORVI_CINTA");
    qunsetenv("TORVI_IMPRESORA_RECHAZA");
    m_dir.reset();
}

std::unique_ptr<FiscalEmulator> TestFiscalPrinter::makeEmulator() const
{
    auto emulator = std::make_unique<FiscalEmulator>(tapePath());
    emulator->setClock([] { return QDateTime(QDate(2026, 3, 25), QTime(10, 15, 0)); });
    return emulator;
}

QStringList TestFiscalPrinter::tape() const
{
    QFile file(tapePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void TestFiscalPrinter::send(FiscalEmulator &emulator, const QList<FiscalCall> &calls)
{
    for (const FiscalCall &call : calls)
        QVERIFY2(emulator.command(call.name, call.args), qPrintable(QDebug::toString(call)));
}

// ---- Sequence rules -------------------------------------------------------------

void TestFiscalPrinter::sequence_data()
{
    QTest::addColumn<QList<FiscalCall>>("calls");
    // Index of the one refused call (always the last), or -1: all accepted.
    QTest::addColumn<int>("refusedAt");

    auto allowed = [](const char *name, const QList<FiscalCall> &calls) {
        QTest::newRow(name) << calls << -1;
    };
    auto refused = [](const char *name, const QList<FiscalCall> &calls) {
        QTest::newRow(name) << calls << int(calls.size() - 1);
    };

    allowed("full ticket", kFullTicket);
    allowed("ticket without option or code lines",
            {kOpenTicket, kItemTicket, kSubtotalTicket, kPayTicket, kCloseTicket});
    allowed("ticket paid in two payments",
            {kOpenTicket, kItemTicket, kSubtotalTicket, kPayTicket, kPayTicket, kCloseTicket});
    allowed("two tickets in a row", kFullTicket + kFullTicket);
    allowed("full factura A", kFullFacturaA);
    allowed("credit note B",
            {openFactura(QStringLiteral("M"), QStringLiteral("B"), QStringLiteral("M")), kOption,
             kCode, kItemFactura, kSubtotalFactura, kPayFactura, kCloseFactura});
    allowed("non-fiscal document", {kOpenNonFiscal, kLineNonFiscal, kLineNonFiscal, kCloseNonFiscal});
    allowed("empty non-fiscal document", {kOpenNonFiscal, kCloseNonFiscal});
    allowed("X and Z with nothing open", {kCloseX, kCloseZ, kCloseZ});
    allowed("closes between documents", kFullTicket + kCloseX + kOpenNonFiscal + kCloseNonFiscal + kCloseZ);

    // Outside an open document of the right kind.
    refused("item without a document", {kItemTicket});
    refused("code line without a document", {kCode});
    refused("option without a document", {kOption});
    refused("subtotal without a document", {kSubtotalTicket});
    refused("payment without a document", {kPayFactura});
    refused("close without a document", {kCloseTicket});
    refused("non-fiscal line without a document", {kLineNonFiscal});
    refused("non-fiscal close without a document", {kCloseNonFiscal});
    refused("factura item in a ticket", {kOpenTicket, kItemFactura});
    refused("ticket item in a factura", {kOpenFacturaA, kItemTicket});
    refused("ticket subtotal in a factura", {kOpenFacturaA, kItemFactura, kSubtotalTicket});
    refused("factura close on a ticket",
            {kOpenTicket, kItemTicket, kSubtotalTicket, kPayTicket, kCloseFactura});
    refused("non-fiscal line in a ticket", {kOpenTicket, kLineNonFiscal});
    refused("ticket item in a non-fiscal document", {kOpenNonFiscal, kItemTicket});
    refused("code line in a non-fiscal document", {kOpenNonFiscal, kCode});
    refused("ticket close on a non-fiscal document", {kOpenNonFiscal, kCloseTicket});
    refused("ticket after a finished ticket's close", kFullTicket + kCloseTicket);

    // One document at a time.
    refused("ticket while a ticket is open", {kOpenTicket, kOpenTicket});
    refused("factura while a ticket is open", {kOpenTicket, kItemTicket, kOpenFacturaA});
    refused("non-fiscal while a factura is open", {kOpenFacturaA, kOpenNonFiscal});
    refused("ticket while a non-fiscal is open", {kOpenNonFiscal, kOpenTicket});
    refused("Z while a ticket is open", {kOpenTicket, kItemTicket, kCloseZ});
    refused("X while a non-fiscal is open", {kOpenNonFiscal, kCloseX});

    // Order inside a document.
    refused("subtotal without items", {kOpenTicket, kOption, kSubtotalTicket});
    refused("payment before subtotal", {kOpenTicket, kItemTicket, kPayTicket});
    refused("close before payment", {kOpenTicket, kItemTicket, kSubtotalTicket, kCloseTicket});
    refused("close right after opening", {kOpenTicket, kCloseTicket});
    refused("item after subtotal", {kOpenTicket, kItemTicket, kSubtotalTicket, kItemTicket});
    refused("code line after subtotal", {kOpenTicket, kItemTicket, kSubtotalTicket, kCode});
    refused("factura payment before subtotal", {kOpenFacturaA, kItemFactura, kPayFactura});
    refused("subtotal after payment",
            {kOpenTicket, kItemTicket, kSubtotalTicket, kPayTicket, kSubtotalTicket});

    // Argument counts.
    refused("ItemTicket with 6 arguments", {kOpenTicket, with(kItemTicket, 6, QString())});
    refused("ItemFactura with 11 arguments", {kOpenFacturaA, with(kItemFactura, 11, QString())});
    refused("AbrirFactura with 18 arguments", {with(kOpenFacturaA, 18, QString())});
    refused("CerrarTicket with an argument",
            {kOpenTicket, kItemTicket, kSubtotalTicket, kPayTicket,
             withArgs(kCloseTicket, {QStringLiteral("T")})});
    refused("LineaNoFiscal without its line", {kOpenNonFiscal, withArgs(kLineNonFiscal, {})});
    refused("CierreDiario without arguments", {withArgs(kCloseZ, {})});
    refused("CierreDiario Z with a second argument",
            {withArgs(kCloseZ, {QStringLiteral("Z"), QStringLiteral("P")})});
    refused("CierreDiario X without P", {withArgs(kCloseX, {QStringLiteral("X")})});
    refused("CierreDiario with three arguments",
            {withArgs(kCloseX, {QStringLiteral("X"), QStringLiteral("P"), QStringLiteral("P")})});

    // Fixed-format numbers.
    refused("quantity too short", {kOpenTicket, with(kItemTicket, 1, QStringLiteral("1000"))});
    refused("quantity with decimal comma", {kOpenTicket, with(kItemTicket, 1, QStringLiteral("0001,000"))});
    refused("negative quantity", {kOpenTicket, with(kItemTicket, 1, QStringLiteral("-0001000"))});
    refused("quantity of 9 digits", {kOpenTicket, with(kItemTicket, 1, QStringLiteral("100000000"))});
    refused("price of 8 digits", {kOpenTicket, with(kItemTicket, 2, QStringLiteral("00012500"))});
    refused("price as shown on screen", {kOpenTicket, with(kItemTicket, 2, QStringLiteral("12,50"))});
    refused("VAT rate as a percent", {kOpenTicket, with(kItemTicket, 3, QStringLiteral("21"))});
    refused("VAT rate with letters", {kOpenTicket, with(kItemTicket, 3, QStringLiteral("21.0"))});
    refused("factura item with a short price", {kOpenFacturaA, with(kItemFactura, 2, QStringLiteral("100"))});
    refused("payment amount not a number",
            {kOpenTicket, kItemTicket, kSubtotalTicket, with(kPayTicket, 1, QStringLiteral("cien"))});
    refused("unknown document type", {with(kOpenFacturaA, 0, QStringLiteral("X"))});
    refused("unknown document letter", {with(kOpenFacturaA, 2, QStringLiteral("Z"))});
    refused("unknown command", {FiscalCall{QStringLiteral("AbrirCajon"), {}}});
}

void TestFiscalPrinter::sequence()
{
    QFETCH(QList<FiscalCall>, calls);
    QFETCH(int, refusedAt);

    auto emulator = makeEmulator();
    for (int i = 0; i < calls.size(); ++i) {
        const bool accepted = emulator->command(calls[i].name, calls[i].args);
        QVERIFY2(accepted == (i != refusedAt),
                 qPrintable(QStringLiteral("call %1 %2 was %3").arg(i).arg(QDebug::toString(calls[i]),
                            accepted ? QStringLiteral("accepted") : QStringLiteral("refused"))));
    }
    if (refusedAt >= 0) {
        const QStringList lines = tape();
        QVERIFY(!lines.isEmpty());
        QVERIFY2(lines.last().startsWith(QStringLiteral("*** RECHAZADO: ") + calls[refusedAt].name + '('),
                 qPrintable(lines.last()));
    }
}

void TestFiscalPrinter::refusedCommandLeavesDocumentOpen()
{
    auto emulator = makeEmulator();
    send(*emulator, {kOpenTicket, kItemTicket});
    QVERIFY(!emulator->command(kPayTicket.name, kPayTicket.args)); // before subtotal
    QVERIFY(emulator->documentOpen());

    // Still the same ticket: it goes on where it stood and closes normally.
    send(*emulator, {kSubtotalTicket, kPayTicket, kCloseTicket});
    QVERIFY(!emulator->documentOpen());
    QCOMPARE(emulator->dayTotals().salesDocuments, 1);
    QCOMPARE(emulator->dayTotals().salesCents, 2500);
}

// ---- Tape contents ---------------------------------------------------------------

void TestFiscalPrinter::tapeTicket()
{
    auto emulator = makeEmulator();
    const QString withYen = QStringLiteral("CA¥A DE AZUCAR ñ");
    send(*emulator, {kOpenTicket, kOption, kCode, kItemTicket, with(kCode, 0, QStringLiteral("00031")),
                     FiscalCall{QStringLiteral("ItemTicket"),
                                {withYen, QStringLiteral("00002500"), QStringLiteral("0000199"),
                                 QStringLiteral("1050"), QStringLiteral("M"), QStringLiteral("0"),
                                 QStringLiteral("0")}},
                     kSubtotalTicket, kPayTicket, kCloseTicket});

    const QStringList expected{
        QStringLiteral("========================================"),
        QStringLiteral("TICKET Nº 00000001  25/03/2026 10:15:00"),
        QStringLiteral("(opción 1)"),
        QStringLiteral("Código: 00012"),
        QStringLiteral("COCA COLA"),
        QStringLiteral("  2 x 12,50  IVA 21 %              25,00"),
        QStringLiteral("Código: 00031"),
        withYen,
        QStringLiteral("  2,5 x 1,99  IVA 10,5 %            4,98"),
        QStringLiteral("SUB TOTAL(NumInt:000123)           29,98"),
        QStringLiteral("Pago con: 100,00"),
        QStringLiteral("Vuelto                             70,02"),
        QStringLiteral("TOTAL                              29,98"),
        QStringLiteral("--- fin de TICKET Nº 00000001 ---"),
    };
    QCOMPARE(tape(), expected);
}

void TestFiscalPrinter::tapeFactura()
{
    auto emulator = makeEmulator();
    // Class A: the price goes without VAT and the printer adds it.
    send(*emulator, kFullFacturaA);
    const QStringList expected{
        QStringLiteral("========================================"),
        QStringLiteral("FACTURA A Nº 00000001  25/03/2026 10:15:00"),
        QStringLiteral("Cliente: PEREZ JUAN"),
        QStringLiteral("IVA: I"),
        QStringLiteral("CUIT 20123456789"),
        QStringLiteral("SAN MARTIN 123"),
        QStringLiteral("ROSARIO - SANTA FE"),
        QStringLiteral("Ref.: <7F>REM 1"),
        QStringLiteral("Ref.: <7F>REM 2"),
        QStringLiteral("(opción 1)"),
        QStringLiteral("Código: 00012"),
        QStringLiteral("YERBA"),
        QStringLiteral("  1 x 100,00  IVA 21 %            100,00"),
        QStringLiteral("Neto gravado                      100,00"),
        QStringLiteral("IVA                                21,00"),
        QStringLiteral("SUB TOTAL(NumInt:000124)          121,00"),
        QStringLiteral("Pago con: 200,00"),
        QStringLiteral("Vuelto                             79,00"),
        QStringLiteral("TOTAL                             121,00"),
        QStringLiteral("--- fin de FACTURA A Nº 00000001 ---"),
    };
    QCOMPARE(tape(), expected);

    // Class B and credit notes are numbered on their own; B prices include VAT.
    send(*emulator, {openFactura(QStringLiteral("M"), QStringLiteral("B"), QStringLiteral("M")),
                     kItemFactura, kSubtotalFactura});
    QVERIFY(tape().contains(QStringLiteral("NOTA DE CREDITO B Nº 00000001  25/03/2026 10:15:00")));
    QCOMPARE(tape().last(), QStringLiteral("SUB TOTAL(NumInt:000124)          100,00"));
}

void TestFiscalPrinter::tapeNonFiscal()
{
    auto emulator = makeEmulator();
    const QStringList lines{
        QStringLiteral("----------------------------------------"),
        QChar(242) + QStringLiteral("         R  E  M  I  T  O     R        "),
        QChar(241) + QStringLiteral("                      NUM.0000-000123"),
        QStringLiteral("   PEREZ JUAN"),
        QStringLiteral("00012                            2,5"),
    };
    sales::setFiscalDevice(std::shared_ptr<FiscalEmulator>(emulator.release()));
    PrinterFiscal printer;
    printer.AbrirNoFiscal();
    for (const QString &line : lines)
        printer.LineaNoFiscal(line);
    printer.CerrarNoFiscal();

    const QStringList expected = QStringList{
                                     QStringLiteral("========================================"),
                                     QStringLiteral("DOCUMENTO NO FISCAL Nº 00000001  25/03/2026 10:15:00")}
                                 + lines
                                 + QStringList{QStringLiteral("--- fin de DOCUMENTO NO FISCAL Nº 00000001 ---")};
    QCOMPARE(tape(), expected);
}

void TestFiscalPrinter::tapeClosesXThenZ()
{
    auto emulator = makeEmulator();
    send(*emulator, kFullTicket);   // 25,00
    send(*emulator, kFullFacturaA); // 121,00
    send(*emulator, {openFactura(QStringLiteral("M"), QStringLiteral("B"), QStringLiteral("M")),
                     kItemFactura, kSubtotalFactura, kPayFactura, kCloseFactura}); // 100,00
    send(*emulator, {kOpenNonFiscal, kLineNonFiscal, kCloseNonFiscal});
    const qsizetype before = tape().size();

    send(*emulator, {kCloseX, kCloseZ, kCloseX});
    const QStringList closes = tape().mid(before);
    const QStringList expected{
        QStringLiteral("========================================"),
        QStringLiteral("INFORME X Nº 0001  25/03/2026 10:15:00"),
        QStringLiteral("Tickets y facturas:                    2"),
        QStringLiteral("Total tickets y facturas:         146,00"),
        QStringLiteral("Notas de crédito:                      1"),
        QStringLiteral("Total notas de crédito:           100,00"),
        QStringLiteral("Documentos no fiscales:                1"),
        QStringLiteral("Totales del día sin cambios"),
        QStringLiteral("========================================"),
        QStringLiteral("CIERRE Z Nº 0001  25/03/2026 10:15:00"),
        QStringLiteral("Tickets y facturas:                    2"),
        QStringLiteral("Total tickets y facturas:         146,00"),
        QStringLiteral("Notas de crédito:                      1"),
        QStringLiteral("Total notas de crédito:           100,00"),
        QStringLiteral("Documentos no fiscales:                1"),
        QStringLiteral("Totales del día puestos a cero"),
        QStringLiteral("========================================"),
        QStringLiteral("INFORME X Nº 0002  25/03/2026 10:15:00"),
        QStringLiteral("Tickets y facturas:                    0"),
        QStringLiteral("Total tickets y facturas:           0,00"),
        QStringLiteral("Notas de crédito:                      0"),
        QStringLiteral("Total notas de crédito:             0,00"),
        QStringLiteral("Documentos no fiscales:                0"),
        QStringLiteral("Totales del día sin cambios"),
    };
    QCOMPARE(closes, expected);
    QCOMPARE(emulator->lastZNumber(), 1);

    // Document numbers run on after a Z.
    send(*emulator, kFullTicket);
    QVERIFY(tape().contains(QStringLiteral("TICKET Nº 00000002  25/03/2026 10:15:00")));
}

// ---- Refusal injection -------------------------------------------------------------

void TestFiscalPrinter::injectedRefusalStopsDocument_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<QStringList>("sent");

    const QString open = QStringLiteral("AbrirTicket");
    const QString option = QStringLiteral("OpcionTicket");
    const QString code = QStringLiteral("LineaCodigo");
    const QString item = QStringLiteral("ItemTicket");
    const QString subtotal = QStringLiteral("SubtotalTicket");
    const QString pay = QStringLiteral("PagoTicket");
    const QString close = QStringLiteral("CerrarTicket");

    QTest::newRow("open refused: nothing else")
        << open << 1 << QStringList{open};
    QTest::newRow("second item refused: no third row, subtotal, payment, close")
        << item << 2 << QStringList{open, option, code, item, code, item};
    QTest::newRow("code line of the first row refused")
        << code << 1 << QStringList{open, option, code};
    QTest::newRow("subtotal refused: no payment, no close")
        << subtotal << 1 << QStringList{open, option, code, item, code, item, code, item, subtotal};
    QTest::newRow("payment refused: no close")
        << pay << 1 << QStringList{open, option, code, item, code, item, code, item, subtotal, pay};
    QTest::newRow("close refused: everything sent")
        << close << 1
        << QStringList{open, option, code, item, code, item, code, item, subtotal, pay, close};
}

void TestFiscalPrinter::injectedRefusalStopsDocument()
{
    QFETCH(QString, command);
    QFETCH(int, occurrence);
    QFETCH(QStringList, sent);

    auto recorder = std::make_shared<FiscalRecorder>();
    recorder->refuse(command, occurrence);
    sales::setFiscalDevice(recorder);

    PrinterFiscal printer;
    printTicket(printer, kThreeRows);
    QCOMPARE(recorder->names(), sent);
    QCOMPARE(recorder->refusedCalls().size(), 1);
    QCOMPARE(recorder->refusedCalls().first(), recorder->calls().last());
}

void TestFiscalPrinter::injectedRefusalOnEmulatorTape()
{
    auto owned = makeEmulator();
    FiscalEmulator *emulator = owned.get();
    emulator->refuse(QStringLiteral("ItemTicket"), 2);
    sales::setFiscalDevice(std::shared_ptr<FiscalEmulator>(owned.release()));

    PrinterFiscal printer;
    printTicket(printer, kThreeRows);
    const QStringList lines = tape();
    QCOMPARE(lines.last(),
             QStringLiteral("*** RECHAZADO: ItemTicket(\"FIDEOS\", \"00002000\", \"0000300\", "
                            "\"1050\", \"M\", \"0\", \"0\") - rechazo provocado"));
    QCOMPARE(lines.filter(QStringLiteral("ACEITE")).size(), 0);
    QCOMPARE(lines.filter(QStringLiteral("SUB TOTAL")).size(), 0);

    // The ticket stays open, as on a real printer: the next sale cannot open.
    QVERIFY(emulator->documentOpen());
    QVERIFY(!printer.AbrirTicket(QStringLiteral("G")));
    QVERIFY(tape().last().contains(QStringLiteral("ya hay un documento abierto (TICKET Nº 00000001)")));
    QVERIFY(!printer.CierreDiario(QStringLiteral("Z")));
    QCOMPARE(emulator->dayTotals().salesDocuments, 0);
}

// ---- Persistence ---------------------------------------------------------------------

void TestFiscalPrinter::persistenceAcrossInstances()
{
    {
        auto first = makeEmulator();
        send(*first, kFullTicket);                 // 25,00
        send(*first, {kCloseZ});                    // Z 1, totals to zero
        send(*first, kFullTicket);                  // 25,00 after the Z
        send(*first, {kOpenNonFiscal, kCloseNonFiscal, kCloseX});
    }
    auto second = makeEmulator();
    QCOMPARE(second->lastZNumber(), 1);
    QCOMPARE(second->lastXNumber(), 1);
    QCOMPARE(second->dayTotals().salesDocuments, 1);
    QCOMPARE(second->dayTotals().salesCents, 2500);
    QCOMPARE(second->dayTotals().nonFiscalDocuments, 1);

    send(*second, kFullTicket);
    QVERIFY(tape().contains(QStringLiteral("TICKET Nº 00000003  25/03/2026 10:15:00")));
    send(*second, {kCloseZ});
    const QStringList lines = tape();
    const qsizetype z = lines.indexOf(QStringLiteral("CIERRE Z Nº 0002  25/03/2026 10:15:00"));
    QVERIFY(z > 0);
    QCOMPARE(lines.at(z + 1), QStringLiteral("Tickets y facturas:                    2"));
    QCOMPARE(lines.at(z + 2), QStringLiteral("Total tickets y facturas:          50,00"));
    QCOMPARE(second->dayTotals().salesDocuments, 0);
}

void TestFiscalPrinter::documentLeftOpenIsCancelledAtStart()
{
    {
        auto first = makeEmulator();
        send(*first, {kOpenTicket, kItemTicket});
    }
    auto second = makeEmulator();
    QVERIFY(!second->documentOpen());
    QCOMPARE(tape().last(),
             QStringLiteral("*** TICKET Nº 00000001 CANCELADO AL ENCENDER LA IMPRESORA"));
    send(*second, kFullTicket);
    QVERIFY(tape().contains(QStringLiteral("TICKET Nº 00000002  25/03/2026 10:15:00")));
    QCOMPARE(second->dayTotals().salesDocuments, 1); // the cancelled one does not count
}

void TestFiscalPrinter::unwritableTapeRefuses()
{
    // The tape's folder is a plain file: nothing can be printed.
    QFile blocker(m_dir->filePath(QStringLiteral("bloqueo")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    FiscalEmulator emulator(m_dir->filePath(QStringLiteral("bloqueo/cinta.txt")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Impresora fiscal: .*")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Impresora fiscal: .*")));
    QVERIFY(!emulator.command(kOpenTicket.name, kOpenTicket.args));
    QVERIFY(!emulator.documentOpen());
}

// ---- PrinterFiscal and the recorder ---------------------------------------------------

void TestFiscalPrinter::printerPassesArgumentsInOrder()
{
    auto recorder = std::make_shared<FiscalRecorder>();
    sales::setFiscalDevice(recorder);
    PrinterFiscal p;

    // Distinct values show any swapped or dropped argument.
    auto v = [](int i) { return QStringLiteral("a%1").arg(i); };
    QVERIFY(p.CierreDiario(QStringLiteral("Z")));
    QVERIFY(p.CierreDiario(QStringLiteral("X"), QStringLiteral("P")));
    QVERIFY(p.AbrirTicket(v(1)));
    QVERIFY(p.OpcionTicket(1));
    QVERIFY(p.LineaCodigo(v(1)));
    QVERIFY(p.ItemTicket(v(1), v(2), v(3), v(4), v(5), v(6), v(7)));
    QVERIFY(p.SubtotalTicket(v(1), v(2)));
    QVERIFY(p.PagoTicket(v(1), v(2), v(3)));
    QVERIFY(p.CerrarTicket());
    QVERIFY(p.AbrirFactura(v(1), v(2), v(3), v(4), v(5), v(6), v(7), v(8), v(9), v(10), v(11),
                           v(12), v(13), v(14), v(15), v(16), v(17), v(18), v(19)));
    QVERIFY(p.ItemFactura(v(1), v(2), v(3), v(4), v(5), v(6), v(7), v(8), v(9), v(10), v(11),
                          v(12)));
    QVERIFY(p.SubtotalFactura(v(1), v(2)));
    QVERIFY(p.PagoFactura(v(1), v(2), v(3)));
    QVERIFY(p.CerrarFactura(v(1), v(2), QString()));
    p.AbrirNoFiscal();
    p.LineaNoFiscal(v(1));
    p.CerrarNoFiscal();

    auto args = [&v](int n) {
        QStringList list;
        for (int i = 1; i <= n; ++i)
            list << v(i);
        return list;
    };
    const QList<FiscalCall> expected{
        {QStringLiteral("CierreDiario"), {QStringLiteral("Z")}},
        {QStringLiteral("CierreDiario"), {QStringLiteral("X"), QStringLiteral("P")}},
        {QStringLiteral("AbrirTicket"), args(1)},
        {QStringLiteral("OpcionTicket"), {QStringLiteral("1")}},
        {QStringLiteral("LineaCodigo"), args(1)},
        {QStringLiteral("ItemTicket"), args(7)},
        {QStringLiteral("SubtotalTicket"), args(2)},
        {QStringLiteral("PagoTicket"), args(3)},
        {QStringLiteral("CerrarTicket"), {}},
        {QStringLiteral("AbrirFactura"), args(19)},
        {QStringLiteral("ItemFactura"), args(12)},
        {QStringLiteral("SubtotalFactura"), args(2)},
        {QStringLiteral("PagoFactura"), args(3)},
        {QStringLiteral("CerrarFactura"), args(2) << QString()},
        {QStringLiteral("AbrirNoFiscal"), {}},
        {QStringLiteral("LineaNoFiscal"), args(1)},
        {QStringLiteral("CerrarNoFiscal"), {}},
    };
    QCOMPARE(recorder->calls(), expected);
}

void TestFiscalPrinter::instancesShareOneDevice()
{
    auto recorder = std::make_shared<FiscalRecorder>();
    sales::setFiscalDevice(recorder);
    PrinterFiscal mainWindow;
    PrinterFiscal salesWindow;
    salesWindow.AbrirTicket(QStringLiteral("G"));
    mainWindow.CierreDiario(QStringLiteral("Z"));
    QCOMPARE(recorder->names(), (QStringList{QStringLiteral("AbrirTicket"), QStringLiteral("CierreDiario")}));

    // A device installed later is used by instances made before it.
    auto other = std::make_shared<FiscalRecorder>();
    QCOMPARE(sales::setFiscalDevice(other), recorder);
    mainWindow.CierreDiario(QStringLiteral("X"), QStringLiteral("P"));
    QCOMPARE(other->calls().size(), 1);
    QCOMPARE(recorder->calls().size(), 2);
}

void TestFiscalPrinter::recorderClearAndRefusedCalls()
{
    FiscalRecorder recorder;
    recorder.refuse(QStringLiteral("LineaCodigo"));
    QVERIFY(recorder.command(kOpenTicket.name, kOpenTicket.args));
    QVERIFY(!recorder.command(kCode.name, kCode.args));
    QVERIFY(recorder.command(kCode.name, kCode.args)); // only the first
    QCOMPARE(recorder.calls(), (QList<FiscalCall>{kOpenTicket, kCode, kCode}));
    QCOMPARE(recorder.refusedCalls(), QList<FiscalCall>{kCode});

    recorder.refuse(QStringLiteral("CerrarTicket"));
    recorder.clear();
    QVERIFY(recorder.calls().isEmpty());
    QVERIFY(recorder.refusedCalls().isEmpty());
    QVERIFY(recorder.command(kCloseTicket.name, {})); // pending refusal cleared too
}

// ---- Refusal plans and configuration -----------------------------------------------------

void TestFiscalPrinter::refusalText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("refusedItemCall"); // which ItemTicket call fails, 0: none

    QTest::newRow("command and occurrence") << "ItemTicket:2" << true << 2;
    QTest::newRow("command alone means the first") << "ItemTicket" << true << 1;
    QTest::newRow("list with blanks, any case") << " cerrarticket , itemticket:3 " << true << 3;
    QTest::newRow("other command only") << "CerrarTicket:1" << true << 0;
    QTest::newRow("zero occurrence") << "ItemTicket:0" << false << 0;
    QTest::newRow("occurrence not a number") << "ItemTicket:dos" << false << 0;
    QTest::newRow("missing command") << ":2" << false << 0;
    QTest::newRow("good item kept beside a bad one") << "ItemTicket:x,ItemTicket:2" << false << 2;
}

void TestFiscalPrinter::refusalText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, refusedItemCall);

    sales::RefusalPlan plan;
    QString error;
    QCOMPARE(plan.addFromText(text, &error), valid);
    QCOMPARE(error.isEmpty(), valid);
    int refused = 0;
    for (int call = 1; call <= 4; ++call)
        if (plan.takeCall(QStringLiteral("ItemTicket")))
            refused = call;
    QCOMPARE(refused, refusedItemCall);
}

void TestFiscalPrinter::refusalCountsFromNow()
{
    FiscalRecorder recorder;
    recorder.command(kItemTicket.name, kItemTicket.args);
    recorder.command(kItemTicket.name, kItemTicket.args);
    recorder.refuse(QStringLiteral("ItemTicket"), 2);
    recorder.refuse(QStringLiteral("ItemTicket"), 1);
    QList<bool> results;
    for (int i = 0; i < 4; ++i)
        results << recorder.command(kItemTicket.name, kItemTicket.args);
    QCOMPARE(results, (QList<bool>{false, false, true, true}));
}

void TestFiscalPrinter::configuration()
{
    // Command line: the recorder, with the refusals of the environment.
    qputenv("TORVI_IMPRESORA_RECHAZA", "AbrirTicket");
    QVERIFY(sales::configureFiscalDevice(QStringLiteral(" Registro "), QString()));
    auto *recorder = dynamic_cast<FiscalRecorder *>(&sales::fiscalDevice());
    QVERIFY(recorder);
    PrinterFiscal printer;
    QVERIFY(!printer.AbrirTicket(QStringLiteral("G")));
    QVERIFY(printer.AbrirTicket(QStringLiteral("G")));
    qunsetenv("TORVI_IMPRESORA_RECHAZA");

    // An unknown kind changes nothing and says why.
    QString error;
    QVERIFY(!sales::configureFiscalDevice(QStringLiteral("epson"), QString(), &error));
    QVERIFY(error.contains(QStringLiteral("epson")));
    QCOMPARE(&sales::fiscalDevice(), static_cast<sales::FiscalDevice *>(recorder));

    // Environment: emulator on TORVI_CINTA; the command line's tape wins.
    const QString envTape = m_dir->filePath(QStringLiteral("env/cinta.txt"));
    const QString cliTape = m_dir->filePath(QStringLiteral("cli/cinta.txt"));
    qputenv("TORVI_IMPRESORA", "emulador");
    qputenv("TORVI_CINTA", envTape.toUtf8());
    QVERIFY(sales::configureFiscalDevice(QString(), QString()));
    auto *emulator = dynamic_cast<FiscalEmulator *>(&sales::fiscalDevice());
    QVERIFY(emulator);
    QCOMPARE(emulator->tapePath(), envTape);
    QVERIFY(printer.CierreDiario(QStringLiteral("X"), QStringLiteral("P")));
    QVERIFY(QFile::exists(envTape));
    QVERIFY(QFile::exists(FiscalEmulator::statePathFor(envTape)));

    QVERIFY(sales::configureFiscalDevice(QStringLiteral("emulador"), cliTape));
    emulator = dynamic_cast<FiscalEmulator *>(&sales::fiscalDevice());
    QVERIFY(emulator);
    QCOMPARE(emulator->tapePath(), cliTape);

    // Environment kind, built lazily after a test device is removed.
    qputenv("TORVI_IMPRESORA", "registro");
    QVERIFY(sales::configureFiscalDevice(QString(), QString()));
    sales::setFiscalDevice(nullptr);
    QVERIFY(dynamic_cast<FiscalRecorder *>(&sales::fiscalDevice()));

    QCOMPARE(QFileInfo(sales::defaultTapePath()).fileName(), QStringLiteral("cinta-fiscal.txt"));
}

QTEST_GUILESS_MAIN(TestFiscalPrinter)
#include "tst_fiscal_printer.moc"

#include "sales/fiscal_emulator.h"

#include "common/formats.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cmath>
#include <optional>

namespace sales {

namespace {

constexpr int kTapeWidth = 40;

QString ruleLine()
{
    return QString(kTapeWidth, QLatin1Char('='));
}

// Control characters become <XX> so that they show on the tape.
QString visible(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            out += QLatin1Char('<')
                   + QString::number(c.unicode(), 16).toUpper().rightJustified(2, QLatin1Char('0'))
                   + QLatin1Char('>');
        else
            out += c;
    }
    return out;
}

QString describe(const QString &name, const QStringList &args)
{
    QStringList quoted;
    quoted.reserve(args.size());
    for (const QString &arg : args)
        quoted.append(QLatin1Char('"') + visible(arg) + QLatin1Char('"'));
    return visible(name) + QLatin1Char('(') + quoted.join(QStringLiteral(", ")) + QLatin1Char(')');
}

// left and right on one line, right ending at the tape width when they fit.
QString columns(const QString &left, const QString &right)
{
    const qsizetype gap = qMax<qsizetype>(1, kTapeWidth - left.size() - right.size());
    return left + QString(gap, QLatin1Char(' ')) + right;
}

QString money(qint64 cents)
{
    return fmt::formatNumber(double(cents) / 100.0, QStringLiteral("0.00"));
}

QString documentNumber(int number)
{
    return fmt::formatNumber(number, QStringLiteral("00000000"));
}

QString closeNumber(int number)
{
    return fmt::formatNumber(number, QStringLiteral("0000"));
}

// A fixed-width field of digits only: "00001000" with width 8.
std::optional<qint64> fixedDigits(const QString &text, int width)
{
    if (text.size() != width)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

QString malformed(const QString &what, int width, const QString &text)
{
    return QStringLiteral("%1 mal formado: se esperan %2 dígitos y llegó \"%3\"")
        .arg(what)
        .arg(width)
        .arg(visible(text));
}

const QString kTicket = QStringLiteral("TICKET");
const QString kNonFiscal = QStringLiteral("DOCUMENTO NO FISCAL");

QJsonObject totalsToJson(const FiscalEmulator::DayTotals &day)
{
    QJsonObject o;
    o[QStringLiteral("ventas")] = day.salesDocuments;
    o[QStringLiteral("ventasCentavos")] = double(day.salesCents);
    o[QStringLiteral("notasCredito")] = day.creditNotes;
    o[QStringLiteral("notasCreditoCentavos")] = double(day.creditCents);
    o[QStringLiteral("noFiscales")] = day.nonFiscalDocuments;
    return o;
}

FiscalEmulator::DayTotals totalsFromJson(const QJsonObject &o)
{
    FiscalEmulator::DayTotals day;
    day.salesDocuments = o.value(QStringLiteral("ventas")).toInt();
    day.salesCents = qint64(o.value(QStringLiteral("ventasCentavos")).toDouble());
    day.creditNotes = o.value(QStringLiteral("notasCredito")).toInt();
    day.creditCents = qint64(o.value(QStringLiteral("notasCreditoCentavos")).toDouble());
    day.nonFiscalDocuments = o.value(QStringLiteral("noFiscales")).toInt();
    return day;
}

} // namespace

FiscalEmulator::FiscalEmulator(const QString &tapePath)
    : m_tapePath(tapePath)
    , m_statePath(statePathFor(tapePath))
    , m_clock([] { return QDateTime::currentDateTime(); })
{
    loadState();
}

QString FiscalEmulator::statePathFor(const QString &tapePath)
{
    const QFileInfo info(tapePath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".estado.json"));
}

void FiscalEmulator::refuse(const QString &command, int occurrence)
{
    m_refusals.refuse(command, occurrence);
}

void FiscalEmulator::setClock(std::function<QDateTime()> clock)
{
    m_clock = clock ? std::move(clock) : [] { return QDateTime::currentDateTime(); };
}

const QMap<QString, FiscalEmulator::CommandRule> &FiscalEmulator::rules()
{
    static const QMap<QString, CommandRule> table{
        {QStringLiteral("CierreDiario"), {-1, &FiscalEmulator::cierreDiario, DocType::None}},
        {QStringLiteral("AbrirTicket"), {1, &FiscalEmulator::abrir, DocType::Ticket}},
        {QStringLiteral("OpcionTicket"), {1, &FiscalEmulator::opcionTicket, DocType::None}},
        {QStringLiteral("LineaCodigo"), {1, &FiscalEmulator::lineaCodigo, DocType::None}},
        {QStringLiteral("ItemTicket"), {7, &FiscalEmulator::item, DocType::Ticket}},
        {QStringLiteral("SubtotalTicket"), {2, &FiscalEmulator::subtotal, DocType::Ticket}},
        {QStringLiteral("PagoTicket"), {3, &FiscalEmulator::pago, DocType::Ticket}},
        {QStringLiteral("CerrarTicket"), {0, &FiscalEmulator::cerrar, DocType::Ticket}},
        {QStringLiteral("AbrirFactura"), {19, &FiscalEmulator::abrirFactura, DocType::Factura}},
        {QStringLiteral("ItemFactura"), {12, &FiscalEmulator::item, DocType::Factura}},
        {QStringLiteral("SubtotalFactura"), {2, &FiscalEmulator::subtotal, DocType::Factura}},
        {QStringLiteral("PagoFactura"), {3, &FiscalEmulator::pago, DocType::Factura}},
        {QStringLiteral("CerrarFactura"), {3, &FiscalEmulator::cerrar, DocType::Factura}},
        {QStringLiteral("AbrirNoFiscal"), {0, &FiscalEmulator::abrir, DocType::NonFiscal}},
        {QStringLiteral("LineaNoFiscal"), {1, &FiscalEmulator::lineaNoFiscal, DocType::NonFiscal}},
        {QStringLiteral("CerrarNoFiscal"), {0, &FiscalEmulator::cerrar, DocType::NonFiscal}},
    };
    return table;
}

bool FiscalEmulator::command(const QString &name, const QStringList &args)
{
    if (m_refusals.takeCall(name))
        return refuseWith(name, args, QStringLiteral("rechazo provocado"));

    const auto rule = rules().constFind(name);
    if (rule == rules().constEnd())
        return refuseWith(name, args, QStringLiteral("comando desconocido"));
    if (rule->argCount >= 0 && args.size() != rule->argCount)
        return refuseWith(name, args,
                          QStringLiteral("se esperaban %1 argumentos y llegaron %2")
                              .arg(rule->argCount)
                              .arg(args.size()));

    Step step{m_state, m_doc, {}};
    const QString reason = (this->*(rule->handler))(args, step, rule->type);
    if (!reason.isEmpty())
        return refuseWith(name, args, reason);
    return commit(std::move(step));
}

// ---- Handlers ---------------------------------------------------------------

QString FiscalEmulator::cierreDiario(const QStringList &args, Step &step, DocType) const
{
    const bool z = args == QStringList{QStringLiteral("Z")};
    const bool x = args == QStringList{QStringLiteral("X"), QStringLiteral("P")};
    if (!z && !x) {
        if (args.isEmpty() || args.size() > 2)
            return QStringLiteral("se esperaban 1 o 2 argumentos y llegaron %1").arg(args.size());
        return QStringLiteral("se esperaba (\"Z\") o (\"X\", \"P\")");
    }
    if (step.doc.type != DocType::None)
        return QStringLiteral("hay un documento abierto (%1 Nº %2)")
            .arg(step.doc.kind, documentNumber(step.doc.number));

    step.lines << ruleLine();
    if (z) {
        step.state.lastZ += 1;
        step.lines << QStringLiteral("CIERRE Z Nº %1  %2").arg(closeNumber(step.state.lastZ), headerTime());
        printDayTotals(step.state.day, step.lines);
        step.lines << QStringLiteral("Totales del día puestos a cero");
        step.state.day = DayTotals{};
    } else {
        step.state.lastX += 1;
        step.lines << QStringLiteral("INFORME X Nº %1  %2").arg(closeNumber(step.state.lastX), headerTime());
        printDayTotals(step.state.day, step.lines);
        step.lines << QStringLiteral("Totales del día sin cambios");
    }
    return {};
}

QString FiscalEmulator::abrir(const QStringList &, Step &step, DocType type) const
{
    return openDocument(step, type, type == DocType::Ticket ? kTicket : kNonFiscal);
}

QString FiscalEmulator::abrirFactura(const QStringList &args, Step &step, DocType type) const
{
    QString kind;
    if (args.at(0) == QLatin1String("T"))
        kind = QStringLiteral("FACTURA");
    else if (args.at(0) == QLatin1String("M"))
        kind = QStringLiteral("NOTA DE CREDITO");
    else
        return QStringLiteral("tipo de documento desconocido: \"%1\"").arg(visible(args.at(0)));
    const QString letter = args.at(2);
    if (letter != QLatin1String("A") && letter != QLatin1String("B") && letter != QLatin1String("C"))
        return QStringLiteral("letra de documento desconocida: \"%1\"").arg(visible(letter));

    const QString reason = openDocument(step, type, kind + QLatin1Char(' ') + letter);
    if (!reason.isEmpty())
        return reason;
    step.doc.pricesWithoutVat = letter == QLatin1String("A");
    step.doc.creditNote = args.at(0) == QLatin1String("M");

    // Customer block: positions 8 to 18, blank ones left out.
    auto add = [&step](const QString &label, const QString &value) {
        const QString v = visible(value).trimmed();
        if (!v.isEmpty())
            step.lines << label + v;
    };
    add(QStringLiteral("Cliente: "), args.at(8));
    add(QStringLiteral("         "), args.at(9));
    add(QStringLiteral("IVA: "), args.at(7));
    add(QString(), (args.at(10).trimmed() + QLatin1Char(' ') + args.at(11).trimmed()));
    for (int i = 13; i <= 15; ++i)
        add(QString(), args.at(i));
    add(QStringLiteral("Ref.: "), args.at(16));
    add(QStringLiteral("Ref.: "), args.at(17));
    return {};
}

QString FiscalEmulator::opcionTicket(const QStringList &args, Step &step, DocType) const
{
    const QString reason = requireFiscalItems(step);
    if (!reason.isEmpty())
        return reason;
    bool ok = false;
    const int option = args.at(0).toInt(&ok);
    if (!ok)
        return QStringLiteral("opción mal formada: \"%1\"").arg(visible(args.at(0)));
    step.lines << QStringLiteral("(opción %1)").arg(option);
    return {};
}

QString FiscalEmulator::lineaCodigo(const QStringList &args, Step &step, DocType) const
{
    const QString reason = requireFiscalItems(step);
    if (!reason.isEmpty())
        return reason;
    step.lines << QStringLiteral("Código: ") + visible(args.at(0));
    return {};
}

QString FiscalEmulator::item(const QStringList &args, Step &step, DocType type) const
{
    QString reason = requireDocument(step, type);
    if (reason.isEmpty() && step.doc.phase != Phase::Items)
        reason = QStringLiteral("después del subtotal no se aceptan ítems");
    if (!reason.isEmpty())
        return reason;

    const auto quantity = fixedDigits(args.at(1), 8); // thousandths
    if (!quantity)
        return malformed(QStringLiteral("cantidad"), 8, args.at(1));
    const auto price = fixedDigits(args.at(2), 7); // cents
    if (!price)
        return malformed(QStringLiteral("precio unitario"), 7, args.at(2));
    const auto rate = fixedDigits(args.at(3), 4); // hundredths of a percent
    if (!rate)
        return malformed(QStringLiteral("tasa de IVA"), 4, args.at(3));

    const qint64 amount = (*quantity * *price + 500) / 1000;
    const qint64 vat = step.doc.pricesWithoutVat ? (amount * *rate + 5000) / 10000 : 0;
    step.doc.items += 1;
    step.doc.netCents += amount;
    step.doc.vatCents += vat;

    step.lines << visible(args.at(0));
    if (type == DocType::Factura) {
        for (int i = 7; i <= 9; ++i)
            if (!args.at(i).isEmpty())
                step.lines << visible(args.at(i));
    }
    step.lines << columns(QStringLiteral("  %1 x %2  IVA %3 %")
                              .arg(fmt::plainNumber(double(*quantity) / 1000.0), money(*price),
                                   fmt::plainNumber(double(*rate) / 100.0)),
                          money(amount));
    return {};
}

QString FiscalEmulator::subtotal(const QStringList &args, Step &step, DocType type) const
{
    QString reason = requireDocument(step, type);
    if (!reason.isEmpty())
        return reason;
    if (step.doc.phase == Phase::Paid)
        return QStringLiteral("el documento ya tiene un pago");
    if (step.doc.items == 0)
        return QStringLiteral("el documento no tiene ítems");

    step.doc.phase = Phase::Subtotal;
    if (step.doc.pricesWithoutVat) {
        step.lines << columns(QStringLiteral("Neto gravado"), money(step.doc.netCents));
        step.lines << columns(QStringLiteral("IVA"), money(step.doc.vatCents));
    }
    step.lines << columns(visible(args.at(1)), money(step.doc.netCents + step.doc.vatCents));
    return {};
}

QString FiscalEmulator::pago(const QStringList &args, Step &step, DocType type) const
{
    QString reason = requireDocument(step, type);
    if (!reason.isEmpty())
        return reason;
    if (step.doc.phase == Phase::Items)
        return QStringLiteral("el pago requiere un subtotal previo");
    const auto amount = fmt::parseNumber(args.at(1));
    if (!amount || *amount < 0)
        return QStringLiteral("importe del pago mal formado: \"%1\"").arg(visible(args.at(1)));

    const qint64 total = step.doc.netCents + step.doc.vatCents;
    step.doc.phase = Phase::Paid;
    step.doc.paidCents += std::llround(*amount * 100.0);
    step.lines << visible(args.at(0)) + visible(args.at(1));
    if (step.doc.paidCents >= total)
        step.lines << columns(QStringLiteral("Vuelto"), money(step.doc.paidCents - total));
    return {};
}

QString FiscalEmulator::cerrar(const QStringList &, Step &step, DocType type) const
{
    QString reason = requireDocument(step, type);
    if (!reason.isEmpty())
        return reason;

    const Document &doc = step.doc;
    DayTotals &day = step.state.day;
    if (type == DocType::NonFiscal) {
        day.nonFiscalDocuments += 1;
    } else {
        if (doc.phase != Phase::Paid)
            return QStringLiteral("el cierre requiere un pago previo");
        const qint64 total = doc.netCents + doc.vatCents;
        step.lines << columns(QStringLiteral("TOTAL"), money(total));
        if (doc.creditNote) {
            day.creditNotes += 1;
            day.creditCents += total;
        } else {
            day.salesDocuments += 1;
            day.salesCents += total;
        }
    }
    step.lines << QStringLiteral("--- fin de %1 Nº %2 ---").arg(doc.kind, documentNumber(doc.number));
    step.state.openKind.clear();
    step.state.openNumber = 0;
    step.doc = Document{};
    return {};
}

QString FiscalEmulator::lineaNoFiscal(const QStringList &args, Step &step, DocType type) const
{
    const QString reason = requireDocument(step, type);
    if (!reason.isEmpty())
        return reason;
    step.lines << visible(args.at(0));
    return {};
}

// ---- Sequence helpers -------------------------------------------------------

QString FiscalEmulator::openDocument(Step &step, DocType type, const QString &kind) const
{
    if (step.doc.type != DocType::None)
        return QStringLiteral("ya hay un documento abierto (%1 Nº %2)")
            .arg(step.doc.kind, documentNumber(step.doc.number));
    const int number = step.state.lastNumbers.value(kind) + 1;
    step.state.lastNumbers[kind] = number;
    step.state.openKind = kind;
    step.state.openNumber = number;
    step.doc = Document{};
    step.doc.type = type;
    step.doc.kind = kind;
    step.doc.number = number;
    step.lines << ruleLine()
               << QStringLiteral("%1 Nº %2  %3").arg(kind, documentNumber(number), headerTime());
    return {};
}

QString FiscalEmulator::requireDocument(const Step &step, DocType type) const
{
    if (step.doc.type == type)
        return {};
    QString reason;
    switch (type) {
    case DocType::Ticket:
        reason = QStringLiteral("no hay un ticket abierto");
        break;
    case DocType::Factura:
        reason = QStringLiteral("no hay una factura ni una nota de crédito abierta");
        break;
    case DocType::NonFiscal:
        reason = QStringLiteral("no hay un documento no fiscal abierto");
        break;
    case DocType::None:
        break;
    }
    if (step.doc.type != DocType::None)
        reason += QStringLiteral(" (está abierto %1 Nº %2)")
                      .arg(step.doc.kind, documentNumber(step.doc.number));
    return reason;
}

// OpcionTicket and LineaCodigo: inside a ticket or a factura, before the
// subtotal.
QString FiscalEmulator::requireFiscalItems(const Step &step) const
{
    if (step.doc.type != DocType::Ticket && step.doc.type != DocType::Factura) {
        QString reason = QStringLiteral("no hay un ticket ni una factura abiertos");
        if (step.doc.type != DocType::None)
            reason += QStringLiteral(" (está abierto %1 Nº %2)")
                          .arg(step.doc.kind, documentNumber(step.doc.number));
        return reason;
    }
    if (step.doc.phase != Phase::Items)
        return QStringLiteral("después del subtotal no se aceptan líneas");
    return {};
}

void FiscalEmulator::printDayTotals(const DayTotals &day, QStringList &lines) const
{
    lines << columns(QStringLiteral("Tickets y facturas:"), QString::number(day.salesDocuments))
          << columns(QStringLiteral("Total tickets y facturas:"), money(day.salesCents))
          << columns(QStringLiteral("Notas de crédito:"), QString::number(day.creditNotes))
          << columns(QStringLiteral("Total notas de crédito:"), money(day.creditCents))
          << columns(QStringLiteral("Documentos no fiscales:"),
                     QString::number(day.nonFiscalDocuments));
}

QString FiscalEmulator::headerTime() const
{
    const QDateTime now = m_clock();
    return fmt::formatDate(now.date()) + QLatin1Char(' ')
           + now.time().toString(QStringLiteral("HH:mm:ss"));
}

// ---- Tape and state ---------------------------------------------------------

bool FiscalEmulator::refuseWith(const QString &name, const QStringList &args, const QString &reason)
{
    appendToTape({QStringLiteral("*** RECHAZADO: ") + describe(name, args) + QStringLiteral(" - ")
                  + reason});
    return false;
}

// Saves the state first (the printer's memory), then prints; a tape that
// cannot be written puts the saved state back and refuses the command.
bool FiscalEmulator::commit(Step &&step)
{
    const bool stateChanged = serialize(step.state) != serialize(m_state);
    if (stateChanged && !saveState(step.state)) {
        appendToTape({QStringLiteral("*** ERROR: no se pudo guardar la memoria fiscal en ")
                      + m_statePath});
        return false;
    }
    if (!appendToTape(step.lines)) {
        if (stateChanged)
            saveState(m_state);
        return false;
    }
    m_state = std::move(step.state);
    m_doc = std::move(step.doc);
    return true;
}

bool FiscalEmulator::appendToTape(const QStringList &lines)
{
    if (lines.isEmpty())
        return true;
    const QFileInfo info(m_tapePath);
    if (!QDir().mkpath(info.absolutePath())) {
        qWarning().noquote() << "Impresora fiscal: no se pudo crear la carpeta de la cinta"
                             << info.absolutePath();
        return false;
    }
    QFile file(m_tapePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        qWarning().noquote() << "Impresora fiscal: no se pudo abrir la cinta" << m_tapePath << ":"
                             << file.errorString();
        return false;
    }
    const QByteArray bytes = (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    const bool ok = file.write(bytes) == bytes.size() && file.flush();
    if (!ok)
        qWarning().noquote() << "Impresora fiscal: no se pudo escribir la cinta" << m_tapePath
                             << ":" << file.errorString();
    return ok;
}

void FiscalEmulator::loadState()
{
    QFile file(m_statePath);
    if (!file.exists())
        return;
    QJsonParseError error{};
    QJsonDocument json;
    if (file.open(QIODevice::ReadOnly))
        json = QJsonDocument::fromJson(file.readAll(), &error);
    file.close();
    if (!json.isObject()) {
        // Keep the unreadable file aside rather than overwrite it.
        const QString aside = m_statePath + QStringLiteral(".ilegible");
        QFile::remove(aside);
        QFile::rename(m_statePath, aside);
        qWarning().noquote() << "Impresora fiscal: memoria ilegible" << m_statePath
                             << "- guardada como" << aside;
        appendToTape({QStringLiteral("*** MEMORIA FISCAL ILEGIBLE: contadores y totales a cero")});
        return;
    }

    const QJsonObject o = json.object();
    const QJsonObject numbers = o.value(QStringLiteral("numeros")).toObject();
    for (auto it = numbers.constBegin(); it != numbers.constEnd(); ++it)
        m_state.lastNumbers.insert(it.key(), it.value().toInt());
    m_state.lastZ = o.value(QStringLiteral("ultimoZ")).toInt();
    m_state.lastX = o.value(QStringLiteral("ultimoX")).toInt();
    m_state.day = totalsFromJson(o.value(QStringLiteral("dia")).toObject());
    m_state.openKind = o.value(QStringLiteral("abierto")).toString();
    m_state.openNumber = o.value(QStringLiteral("abiertoNumero")).toInt();

    // A document left open by the previous run is cancelled, as a printer
    // does when it is switched on.
    if (!m_state.openKind.isEmpty()) {
        appendToTape({QStringLiteral("*** %1 Nº %2 CANCELADO AL ENCENDER LA IMPRESORA")
                          .arg(m_state.openKind, documentNumber(m_state.openNumber))});
        m_state.openKind.clear();
        m_state.openNumber = 0;
        saveState(m_state);
    }
}

QByteArray FiscalEmulator::serialize(const State &state)
{
    QJsonObject numbers;
    for (auto it = state.lastNumbers.cbegin(); it != state.lastNumbers.cend(); ++it)
        numbers[it.key()] = it.value();
    const QJsonObject o{{QStringLiteral("numeros"), numbers},
                        {QStringLiteral("ultimoZ"), state.lastZ},
                        {QStringLiteral("ultimoX"), state.lastX},
                        {QStringLiteral("dia"), totalsToJson(state.day)},
                        {QStringLiteral("abierto"), state.openKind},
                        {QStringLiteral("abiertoNumero"), state.openNumber}};
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

bool FiscalEmulator::saveState(const State &state) const
{
    QDir().mkpath(QFileInfo(m_statePath).absolutePath());
    QSaveFile file(m_statePath);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning().noquote() << "Impresora fiscal: no se pudo guardar" << m_statePath << ":"
                             << file.errorString();
        return false;
    }
    file.write(serialize(state));
    if (!file.commit()) {
        qWarning().noquote() << "Impresora fiscal: no se pudo guardar" << m_statePath << ":"
                             << file.errorString();
        return false;
    }
    return true;
}

} // namespace sales

#pragma once

#include "sales/fiscal_backend.h"

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

namespace sales {

// A fiscal printer in software. It enforces the command sequence of a real
// fiscal printer and prints a readable tape file instead of paper.
//
// Sequence rules (a command that breaks one is refused):
//  - one document at a time: AbrirTicket, AbrirFactura and AbrirNoFiscal are
//    refused while a document is open, and so is CierreDiario;
//  - OpcionTicket, LineaCodigo and the item lines only inside an open ticket
//    (ItemTicket) or an open factura/credit note (ItemFactura), and only
//    before its subtotal;
//  - Subtotal only after at least one item line; payment only after the
//    subtotal (more than one payment is allowed); close only after a payment;
//  - LineaNoFiscal and CerrarNoFiscal only inside an open non-fiscal
//    document;
//  - every command takes its fixed number of arguments; CierreDiario takes
//    exactly ("Z") or ("X", "P");
//  - item quantity is 8 digits (thousandths), unit price 7 digits (cents),
//    VAT rate 4 digits (hundredths of a percent); the payment amount a
//    number with decimal comma; AbrirFactura's document type "T" (factura)
//    or "M" (credit note) and letter "A", "B" or "C".
// A refused command changes nothing: an open document stays open, as on a
// real printer, and the caller is expected to stop sending. A document left
// open when the emulator starts (the program ended in the middle of one) is
// cancelled on start-up, as a printer does when switched on.
//
// Tape: UTF-8 text, appended. Each document starts with a rule line and a
// header line "<KIND> Nº <number>  dd/mm/yyyy hh:mm:ss"; item lines show the
// description and quantity, unit price, VAT rate and amount as numbers with
// decimal comma; subtotal, payment and close follow; non-fiscal lines are
// written as received. Control characters are written as <XX> (hex) so that
// they stay visible. Refusals are written as "*** RECHAZADO: Command(args)
// - reason". Z and X closes print the day's totals; Z then sets them to zero
// and counts one more Z, X leaves them.
//
// Counters (document numbers per kind, Z and X numbers), the day's totals and
// the open document live in a state file next to the tape
// ("<tape base name>.estado.json"), so they survive a restart. Only one
// emulator may use a tape at a time.
//
// The tape is the printer's paper: when it cannot be written, commands are
// refused (with a warning on the error stream).
class FiscalEmulator final : public FiscalDevice {
public:
    struct DayTotals {
        int salesDocuments = 0;    // tickets and facturas closed
        qint64 salesCents = 0;     // their totals, VAT included
        int creditNotes = 0;       // credit notes closed
        qint64 creditCents = 0;    // their totals, VAT included
        int nonFiscalDocuments = 0;
    };

    explicit FiscalEmulator(const QString &tapePath);

    bool command(const QString &name, const QStringList &args) override;

    // Refuse the occurrence-th call of command received from now on
    // (written on the tape as a refusal, state unchanged).
    void refuse(const QString &command, int occurrence = 1);
    RefusalPlan &refusals() { return m_refusals; }

    // The time printed on headers; tests fix it. Defaults to the clock.
    void setClock(std::function<QDateTime()> clock);

    QString tapePath() const { return m_tapePath; }
    QString statePath() const { return m_statePath; }
    static QString statePathFor(const QString &tapePath);

    DayTotals dayTotals() const { return m_state.day; }
    int lastZNumber() const { return m_state.lastZ; }
    int lastXNumber() const { return m_state.lastX; }
    bool documentOpen() const { return m_doc.type != DocType::None; }

private:
    enum class DocType { None, Ticket, Factura, NonFiscal };
    enum class Phase { Items, Subtotal, Paid };

    // What survives a restart.
    struct State {
        QMap<QString, int> lastNumbers; // per document kind
        int lastZ = 0;
        int lastX = 0;
        DayTotals day;
        QString openKind; // document open at the moment, if any
        int openNumber = 0;
    };

    // The document being printed.
    struct Document {
        DocType type = DocType::None;
        Phase phase = Phase::Items;
        QString kind;       // "TICKET", "FACTURA A", ...
        int number = 0;
        bool pricesWithoutVat = false; // class A: VAT added on top
        bool creditNote = false;
        int items = 0;
        qint64 netCents = 0;
        qint64 vatCents = 0;
        qint64 paidCents = 0;
    };

    // A command's effect, worked out on copies before anything is written.
    struct Step {
        State state;
        Document doc;
        QStringList lines;
    };

    // Each handler checks one command against the sequence and works out its
    // effect on step; it returns the reason for a refusal, or an empty text.
    // type is the document kind the command belongs to, where it matters.
    using Handler = QString (FiscalEmulator::*)(const QStringList &args, Step &step,
                                                DocType type) const;
    struct CommandRule {
        int argCount; // -1: checked by the handler
        Handler handler;
        DocType type;
    };
    static const QMap<QString, CommandRule> &rules();

    QString cierreDiario(const QStringList &args, Step &step, DocType type) const;
    QString abrir(const QStringList &args, Step &step, DocType type) const;
    QString abrirFactura(const QStringList &args, Step &step, DocType type) const;
    QString opcionTicket(const QStringList &args, Step &step, DocType type) const;
    QString lineaCodigo(const QStringList &args, Step &step, DocType type) const;
    QString item(const QStringList &args, Step &step, DocType type) const;
    QString subtotal(const QStringList &args, Step &step, DocType type) const;
    QString pago(const QStringList &args, Step &step, DocType type) const;
    QString cerrar(const QStringList &args, Step &step, DocType type) const;
    QString lineaNoFiscal(const QStringList &args, Step &step, DocType type) const;

    QString openDocument(Step &step, DocType type, const QString &kind) const;
    QString requireDocument(const Step &step, DocType type) const;
    QString requireFiscalItems(const Step &step) const;
    void printDayTotals(const DayTotals &day, QStringList &lines) const;
    QString headerTime() const;

    bool refuseWith(const QString &name, const QStringList &args, const QString &reason);
    bool commit(Step &&step);
    bool appendToTape(const QStringList &lines);
    void loadState();
    bool saveState(const State &state) const;
    static QByteArray serialize(const State &state);

    QString m_tapePath;
    QString m_statePath;
    State m_state;
    Document m_doc;
    RefusalPlan m_refusals;
    std::function<QDateTime()> m_clock;
};

} // namespace sales

#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

// The device behind every PrinterFiscal of the program, and how it is chosen.
//
// All PrinterFiscal objects of one process (main window, each sales window,
// the delivery-note window) send their commands to the same device: the
// fiscal printer of the till. The device is created on first use from the
// configuration below and lives until the process ends or a test replaces it.
//
// Configuration (the command line wins over the environment, the environment
// over the defaults):
//
//   TORVI_IMPRESORA   which device to use:
//                       "emulador"  (default) the emulator: checks the command
//                                   sequence like a real fiscal printer and
//                                   prints a readable tape file;
//                       "registro"  the recording fake: accepts everything,
//                                   keeps the calls in memory, writes nothing.
//                     An unknown value falls back to "emulador" with a warning.
//   TORVI_CINTA       path of the emulator's tape file. Default:
//                     "cinta-fiscal.txt" in the application's local data
//                     folder (QStandardPaths::AppLocalDataLocation). The
//                     emulator keeps its counters and the day's totals in a
//                     small state file next to it ("cinta-fiscal.estado.json").
//   TORVI_IMPRESORA_RECHAZA
//                     commands the configured device refuses, to try the
//                     failure paths by hand: a comma-separated list of
//                     "Command" or "Command:n" (refuse the n-th call of that
//                     command, counted from start-up; n defaults to 1),
//                     e.g. "ItemTicket:2" or "AbrirTicket,CerrarFactura:3".
//
// main() passes its command-line values to configureFiscalDevice(); an empty
// value there leaves that setting to the environment or the default.
//
// Everything here is meant for the user-interface thread only.
namespace sales {

// One fiscal printer. Commands are the operation names of PrinterFiscal
// ("AbrirTicket", "ItemTicket", "CierreDiario", ...) with their arguments as
// texts, exactly as the caller gave them (OpcionTicket's number as decimal
// text). The result is true when the printer accepted the command.
class FiscalDevice {
public:
    virtual ~FiscalDevice() = default;
    virtual bool command(const QString &name, const QStringList &args) = 0;
};

// The process-wide device; created from the configuration on first use.
FiscalDevice &fiscalDevice();

// Replaces the process-wide device (tests install a recorder or an emulator
// on a temporary tape) and returns the previous one, which may be null.
// Passing nullptr makes the next fiscalDevice() build the configured device
// again.
std::shared_ptr<FiscalDevice> setFiscalDevice(std::shared_ptr<FiscalDevice> device);

// Chooses the device from the program's command-line values: kind is
// "emulador" or "registro" (case and surrounding blanks ignored), tapePath
// the emulator's tape file. An empty argument leaves that setting to
// TORVI_IMPRESORA / TORVI_CINTA or the default. The current device is
// dropped and the configured one is built on next use. An unknown kind changes nothing, returns
// false and, when error is given, describes the problem in Spanish for the
// operator.
bool configureFiscalDevice(const QString &kind, const QString &tapePath = QString(),
                           QString *error = nullptr);

// "cinta-fiscal.txt" in QStandardPaths::AppLocalDataLocation.
QString defaultTapePath();

// Commands to refuse on purpose, shared by the emulator and the recorder.
// refuse("ItemTicket", 2) makes the second ItemTicket received from now on
// fail; several plans for the same or other commands may be pending at once.
// Command names compare without regard to case.
class RefusalPlan {
public:
    // occurrence below 1 counts as 1 (the next call).
    void refuse(const QString &command, int occurrence = 1);
    // Counts one received call of command; true when that call is to fail.
    bool takeCall(const QString &command);
    void clear();
    bool isEmpty() const { return m_pending.isEmpty(); }

    // Adds the plans of a TORVI_IMPRESORA_RECHAZA text ("ItemTicket:2,
    // CerrarTicket"). Malformed items are skipped and reported in error
    // (Spanish, one line per item); returns false when any was skipped.
    bool addFromText(const QString &text, QString *error = nullptr);

private:
    struct Pending {
        QString command;
        int remaining; // calls still to let through before refusing one
    };
    QList<Pending> m_pending;
};

} // namespace sales

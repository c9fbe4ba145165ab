#include "sales/fiscal_backend.h"

#include "sales/fiscal_emulator.h"
#include "sales/fiscal_recorder.h"

#include <QDebug>
#include <QDir>
#include <QStandardPaths>

namespace sales {

namespace {

const QString kEmulator = QStringLiteral("emulador");
const QString kRecorder = QStringLiteral("registro");

struct Selection {
    std::shared_ptr<FiscalDevice> device;
    QString kind;     // from the command line; empty: environment or default
    QString tapePath; // likewise
};

Selection &selection()
{
    static Selection s;
    return s;
}

QString environment(const char *name)
{
    return qEnvironmentVariable(name).trimmed();
}

std::shared_ptr<FiscalDevice> buildConfiguredDevice()
{
    const Selection &s = selection();
    QString kind = s.kind.isEmpty() ? environment("TORVI_IMPRESORA") : s.kind;
    kind = kind.trimmed().toLower();
    if (kind.isEmpty())
        kind = kEmulator;
    if (kind != kEmulator && kind != kRecorder) {
        qWarning().noquote() << "TORVI_IMPRESORA: impresora desconocida" << kind
                             << "- se usa el emulador";
        kind = kEmulator;
    }

    const QString refusals = environment("TORVI_IMPRESORA_RECHAZA");
    QString refusalError;
    auto addRefusals = [&](RefusalPlan &plan) {
        if (!refusals.isEmpty() && !plan.addFromText(refusals, &refusalError))
            qWarning().noquote() << "TORVI_IMPRESORA_RECHAZA:" << refusalError;
    };

    if (kind == kRecorder) {
        auto recorder = std::make_shared<FiscalRecorder>();
        addRefusals(recorder->refusals());
        return recorder;
    }
    QString tape = s.tapePath.isEmpty() ? environment("TORVI_CINTA") : s.tapePath;
    if (tape.isEmpty())
        tape = defaultTapePath();
    auto emulator = std::make_shared<FiscalEmulator>(tape);
    addRefusals(emulator->refusals());
    return emulator;
}

} // namespace

FiscalDevice &fiscalDevice()
{
    Selection &s = selection();
    if (!s.device)
        s.device = buildConfiguredDevice();
    return *s.device;
}

std::shared_ptr<FiscalDevice> setFiscalDevice(std::shared_ptr<FiscalDevice> device)
{
    Selection &s = selection();
    auto previous = std::move(s.device);
    s.device = std::move(device);
    return previous;
}

bool configureFiscalDevice(const QString &kind, const QString &tapePath, QString *error)
{
    const QString k = kind.trimmed().toLower();
    if (!k.isEmpty() && k != kEmulator && k != kRecorder) {
        if (error)
            *error = QStringLiteral("Impresora fiscal desconocida: \"%1\". Use \"%2\" o \"%3\".")
                         .arg(kind.trimmed(), kEmulator, kRecorder);
        return false;
    }
    Selection &s = selection();
    s.kind = k;
    s.tapePath = tapePath.trimmed();
    s.device.reset(); // built from the new settings on next use
    return true;
}

QString defaultTapePath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return QDir(folder).filePath(QStringLiteral("cinta-fiscal.txt"));
}

// ---- RefusalPlan ------------------------------------------------------------

void RefusalPlan::refuse(const QString &command, int occurrence)
{
    m_pending.append({command, qMax(1, occurrence) - 1});
}

bool RefusalPlan::takeCall(const QString &command)
{
    bool refused = false;
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        if (it->command.compare(command, Qt::CaseInsensitive) != 0) {
            ++it;
        } else if (it->remaining == 0) {
            refused = true;
            it = m_pending.erase(it);
        } else {
            --it->remaining;
            ++it;
        }
    }
    return refused;
}

void RefusalPlan::clear()
{
    m_pending.clear();
}

bool RefusalPlan::addFromText(const QString &text, QString *error)
{
    QStringList problems;
    const QStringList items = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &raw : items) {
        const QString item = raw.trimmed();
        if (item.isEmpty())
            continue;
        const QStringList parts = item.split(QLatin1Char(':'));
        const QString command = parts.at(0).trimmed();
        bool ok = !command.isEmpty() && parts.size() <= 2;
        int occurrence = 1;
        if (ok && parts.size() == 2) {
            occurrence = parts.at(1).trimmed().toInt(&ok);
            ok = ok && occurrence >= 1;
        }
        if (!ok) {
            problems.append(QStringLiteral("\"%1\" no es Comando o Comando:n").arg(item));
            continue;
        }
        refuse(command, occurrence);
    }
    if (error)
        *error = problems.join(QLatin1Char('\n'));
    return problems.isEmpty();
}

} // namespace sales

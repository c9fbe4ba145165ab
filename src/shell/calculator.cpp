#include "calculator.h"

#include "common/services.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace shell {

namespace {
QString g_command;

QString platformCalculator()
{
#ifdef Q_OS_WIN
    return QStringLiteral("calc.exe");
#else
    static const char *const candidates[] = {"gnome-calculator", "kcalc", "mate-calc",
                                             "galculator", "qalculate-gtk", "xcalc"};
    for (const char *name : candidates) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return {};
#endif
}
} // namespace

QString calculatorCommand()
{
    if (!g_command.trimmed().isEmpty())
        return g_command.trimmed();
    const QString fromEnvironment = qEnvironmentVariable("TORVI_CALCULADORA").trimmed();
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return platformCalculator();
}

void setCalculatorCommand(const QString &command)
{
    g_command = command;
}

bool startCalculator()
{
    const QString command = calculatorCommand();
    // A path with blanks ("C:\Program Files\...") names the program alone;
    // otherwise the text may carry arguments after the program.
    QStringList arguments = QFileInfo(command).isFile() ? QStringList{command} : QProcess::splitCommand(command);
    const QString program = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (program.isEmpty()) {
        services::critical(QStringLiteral("Error"),
                           QStringLiteral("No se encontró una calculadora en este equipo. "
                                          "Indique el programa en la variable TORVI_CALCULADORA."));
        return false;
    }
    if (!QProcess::startDetached(program, arguments)) {
        services::critical(QStringLiteral("Error"),
                           QStringLiteral("No se pudo iniciar la calculadora «%1».").arg(program));
        return false;
    }
    return true;
}

} // namespace shell

#include "start_options.h"

#include <QDir>

namespace shell {

namespace {
// Toolkit options that take a value in the next argument.
bool toolkitOptionTakesValue(const QString &option)
{
    static const QStringList withValue = {
        QStringLiteral("-platform"), QStringLiteral("-platformpluginpath"), QStringLiteral("-platformtheme"),
        QStringLiteral("-plugin"), QStringLiteral("-style"), QStringLiteral("-stylesheet"),
        QStringLiteral("-session"), QStringLiteral("-display"), QStringLiteral("-geometry"),
        QStringLiteral("-qwindowgeometry"), QStringLiteral("-qwindowtitle"), QStringLiteral("-qwindowicon"),
        QStringLiteral("-screen"), QStringLiteral("-title"), QStringLiteral("-name"),
    };
    return withValue.contains(option);
}
} // namespace

StartOptions parseCommandLine(const QStringList &arguments)
{
    StartOptions options;
    const auto fail = [&options](const QString &text) {
        if (options.error.isEmpty())
            options.error = text;
    };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString argument = arguments.at(i);
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")
            || argument == QLatin1String("--ayuda")) {
            options.help = true;
            continue;
        }
        if (!argument.startsWith(QLatin1String("--"))) {
            if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
                if (argument == QLatin1String("-platform"))
                    options.toolkitPlatform = true;
                if (toolkitOptionTakesValue(argument))
                    ++i;
                continue;
            }
            fail(QStringLiteral("Argumento no reconocido: «%1».").arg(argument));
            continue;
        }
        QString name = argument;
        QString value;
        bool hasValue = false;
        if (const qsizetype eq = argument.indexOf(QLatin1Char('=')); eq > 0) {
            name = argument.left(eq);
            value = argument.mid(eq + 1);
            hasValue = true;
        }
        if (name == QLatin1String("--demo")) {
            if (hasValue)
                fail(QStringLiteral("La opción --demo no lleva valor."));
            options.demo = true;
            continue;
        }
        QString *target = nullptr;
        if (name == QLatin1String("--bases"))
            target = &options.bases;
        else if (name == QLatin1String("--impresora"))
            target = &options.impresora;
        else if (name == QLatin1String("--cinta"))
            target = &options.cinta;
        else if (name == QLatin1String("--crear-base"))
            target = &options.crearBase;
        if (!target) {
            fail(QStringLiteral("Opción desconocida: «%1».").arg(name));
            continue;
        }
        if (!hasValue) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).startsWith(QLatin1String("--"))) {
                fail(QStringLiteral("Falta el valor de la opción %1.").arg(name));
                continue;
            }
            value = arguments.at(++i);
        }
        if (value.trimmed().isEmpty())
            fail(QStringLiteral("La opción %1 necesita un valor.").arg(name));
        *target = value;
    }
    if (options.demo && options.crearBase.isEmpty())
        fail(QStringLiteral("La opción --demo sólo se usa junto con --crear-base."));
    return options;
}

QString usageText()
{
    return QStringLiteral(
        "Uso:\n"
        "  torvi [--bases <carpeta>] [--impresora emulador|registro] [--cinta <archivo>]\n"
        "  torvi --crear-base <carpeta> [--demo]\n"
        "\n"
        "  --bases <carpeta>       carpeta de las bases de datos (si no: variable TORVI_BASES,\n"
        "                          si no: %1)\n"
        "  --impresora <tipo>      impresora fiscal: emulador o registro (si no: TORVI_IMPRESORA)\n"
        "  --cinta <archivo>       cinta del emulador de impresora fiscal (si no: TORVI_CINTA)\n"
        "  --crear-base <carpeta>  crea las bases de datos vacías en la carpeta y termina\n"
        "  --demo                  con --crear-base: carga datos de demostración\n")
        .arg(QDir::toNativeSeparators(defaultDatabaseFolder()));
}

QString chosenDatabaseFolder(const StartOptions &options)
{
    if (!options.bases.trimmed().isEmpty())
        return options.bases.trimmed();
    const QString fromEnvironment = qEnvironmentVariable("TORVI_BASES").trimmed();
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return defaultDatabaseFolder();
}

} // namespace shell

// Platform specifics of start-up: the default database folder and whether a
// display is there.

#include "start_options.h"

#include <QDir>

namespace shell {

QString defaultDatabaseFolder()
{
#ifdef Q_OS_WIN
    // The shop's file server shares the folder as \\SERVIDOR\Torvi\Bases;
    // TORVI_SERVIDOR names the server of an installation.
    const QString server = qEnvironmentVariable("TORVI_SERVIDOR", QStringLiteral("SERVIDOR"));
    return QStringLiteral("\\\\") + server + QStringLiteral("\\Torvi\\Bases");
#else
    return QDir::homePath() + QStringLiteral("/Torvi/Bases");
#endif
}

bool displayAvailable(const StartOptions &options)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && !defined(Q_OS_ANDROID)
    return options.toolkitPlatform || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        || !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    Q_UNUSED(options);
    return true;
#endif
}

QString noDisplayText(const QString &program)
{
    return QStringLiteral("No hay una pantalla gráfica disponible (ni DISPLAY ni WAYLAND_DISPLAY están definidas).\n"
                          "Para usar el programa sin pantalla, ejecútelo dentro de una pantalla virtual:\n"
                          "    xvfb-run -a %1\n")
        .arg(program);
}

} // namespace shell

#pragma once

#include <QString>
#include <QStringList>

// The program's command line:
//
//   torvi [--bases <carpeta>] [--impresora emulador|registro] [--cinta <archivo>]
//   torvi --crear-base <carpeta> [--demo]
//   torvi --ayuda
//
// Options may also be written --name=value. Options of the Qt toolkit
// (a single dash, as in "-platform offscreen") are left to the toolkit.
namespace shell {

struct StartOptions {
    QString bases;        // --bases; empty: TORVI_BASES or the platform default
    QString impresora;    // --impresora; empty: TORVI_IMPRESORA or the default
    QString cinta;        // --cinta; empty: TORVI_CINTA or the default
    QString crearBase;    // --crear-base: create that folder and end
    bool demo = false;    // --demo: fill the new folder with sample data
    bool help = false;    // --ayuda, --help, -h
    bool toolkitPlatform = false;  // "-platform" given for the toolkit
    QString error;        // a Spanish description of a malformed command line
};

// Reads the arguments (the first one is the program itself).
StartOptions parseCommandLine(const QStringList &arguments);

// The usage text printed for --ayuda and after a malformed command line.
QString usageText();

// The database folder to work on: --bases, else the environment variable
// TORVI_BASES, else defaultDatabaseFolder().
QString chosenDatabaseFolder(const StartOptions &options);

// ---- Platform specifics (platform.cpp) ----

// The database folder when none is configured.
QString defaultDatabaseFolder();

// Whether a windowing system can be reached. Where it cannot (a Linux
// session without DISPLAY or WAYLAND_DISPLAY, and no QT_QPA_PLATFORM or
// "-platform" naming another platform) the toolkit would abort.
bool displayAvailable(const StartOptions &options);

// What to tell the operator when there is no display.
QString noDisplayText(const QString &program);

} // namespace shell

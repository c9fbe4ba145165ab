#include "common/services.h"
#include "common/ui/application.h"
#include "common/ui/message_box.h"
#include "sales/fiscal_backend.h"
#include "shell/start_options.h"
#include "shell/startup.h"
#include "store/database_folder.h"
#include "utilities/demo_data.h"

#include <QDir>
#include <QFileInfo>
#include <QStyleFactory>
#include <QTextStream>
#include <cstdio>

namespace {

QStringList argumentList(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// The administrator's command --crear-base: creates the folder's files
// (and, with demo, fills them with sample data). Reports on the standard
// output, or the failure on the error stream; returns the exit code.
int createDatabaseFolder(const QString &path, bool demo)
{
    try {
        store::DatabaseFolder::create(path);
        if (demo)
            demo::fillDemo(path);
    } catch (const std::exception &e) {
        QTextStream(stderr) << QString::fromUtf8(e.what()) << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << (demo ? QStringLiteral("Bases de datos creadas, con datos de demostración, en «%1».")
                                 : QStringLiteral("Bases de datos creadas en «%1»."))
                                   .arg(QDir::toNativeSeparators(path))
                        << Qt::endl;
    return 0;
}

// Tells the operator on the error stream and in a critical message box.
void refuse(const QString &text)
{
    QTextStream(stderr) << text << Qt::endl;
    services::critical(QStringLiteral("Error"), text);
}

} // namespace

int main(int argc, char **argv)
{
    const QStringList arguments = argumentList(argc, argv);
    const QString program = QFileInfo(arguments.value(0, QStringLiteral("torvi"))).fileName();
    const shell::StartOptions options = shell::parseCommandLine(arguments);

    if (options.help) {
        QTextStream(stdout) << shell::usageText();
        return 0;
    }
    if (!options.error.isEmpty()) {
        QTextStream(stderr) << options.error << "\n\n" << shell::usageText();
        return 2;
    }
    if (!options.crearBase.isEmpty()) {
        QCoreApplication app(argc, argv);
        return createDatabaseFolder(options.crearBase, options.demo);
    }
    if (!shell::displayAvailable(options)) {
        // The command to type again under a virtual display, as it was given.
        QStringList command = arguments;
        if (!command.isEmpty())
            command[0] = QDir::toNativeSeparators(QFileInfo(command[0]).absoluteFilePath());
        QTextStream(stderr) << shell::noDisplayText(command.join(QLatin1Char(' ')));
        return 1;
    }

    ui::Application app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Torvi"));
    QCoreApplication::setApplicationName(QStringLiteral("Torvi"));
    // The Fusion style draws the field and button colours the windows set on
    // every platform.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    ui::installDefaultServices();

    if (!options.impresora.isEmpty() || !options.cinta.isEmpty()) {
        QString error;
        if (!sales::configureFiscalDevice(options.impresora, options.cinta, &error)) {
            refuse(error.isEmpty() ? QStringLiteral("No se pudo preparar la impresora fiscal.") : error);
            return 2;
        }
    }

    const QString folder = shell::chosenDatabaseFolder(options);
    const QStringList problems = store::DatabaseFolder(folder).check();
    if (!problems.isEmpty()) {
        refuse(QStringLiteral("La carpeta de bases de datos «%1» no se puede usar:\n\n- %2\n\n"
                              "Indique la carpeta con --bases <carpeta> o con la variable TORVI_BASES.")
                   .arg(QDir::toNativeSeparators(folder), problems.join(QStringLiteral("\n- "))));
        return 1;
    }
    store::DatabaseFolder::setCurrent(folder);

    return shell::runProgram();
}

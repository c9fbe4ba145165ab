#include "application.h"

#include "common/services.h"

#include <QDebug>
#include <exception>

namespace ui {

namespace {
bool g_reporting = false;
}

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        // StoreError carries its Spanish message, naming the file, in what().
        reportFailure(QString::fromUtf8(e.what()));
    } catch (...) {
        reportFailure(QStringLiteral("Se produjo un error inesperado."));
    }
    return false;
}

void reportFailure(const QString &text)
{
    if (g_reporting) {
        qWarning().noquote() << "Error:" << text;
        return;
    }
    g_reporting = true;
    try {
        services::critical(QStringLiteral("Error"), text);
    } catch (...) {
        qWarning().noquote() << "Error:" << text;
    }
    g_reporting = false;
}

} // namespace ui

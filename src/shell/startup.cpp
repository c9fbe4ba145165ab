#include "startup.h"

#include "common/services.h"
#include "login.h"
#include "main_window.h"
#include "store/record_store.h"
#include "window_registry.h"

#include <QApplication>

namespace shell {

Startup::Startup(QObject *parent) : QObject(parent) {}

Startup::~Startup()
{
    delete m_main;
    delete m_login;
}

Login *Startup::login() const
{
    return m_login;
}

Principal *Startup::mainWindow() const
{
    return m_main;
}

void Startup::begin()
{
    try {
        m_login = new Login;
    } catch (const store::StoreError &e) {
        fail(e.message());
        return;
    }
    m_login->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_login, &QDialog::finished, this, &Startup::loginFinished);
    m_login->show();
    m_login->activateWindow();
}

void Startup::loginFinished()
{
    const bool succeeded = m_login && m_login->LoginSucceeded();
    if (!succeeded) {
        emit ended(0);
        return;
    }
    try {
        m_main = new Principal;
    } catch (const store::StoreError &e) {
        fail(e.message());
        return;
    }
    m_main->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_main, &Principal::programEndRequested, this, [this] { emit ended(0); });
    registerWindows(*m_main);
    m_main->show();
    m_main->activateWindow();
}

void Startup::fail(const QString &text)
{
    services::critical(QStringLiteral("Error"), text);
    emit ended(1);
}

int runProgram()
{
    QApplication::setQuitOnLastWindowClosed(false);
    Startup startup;
    QObject::connect(&startup, &Startup::ended, qApp, &QCoreApplication::exit, Qt::QueuedConnection);
    QMetaObject::invokeMethod(&startup, &Startup::begin, Qt::QueuedConnection);
    return QApplication::exec();
}

} // namespace shell

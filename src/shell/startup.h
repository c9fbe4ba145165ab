#pragma once

#include <QObject>
#include <QPointer>

namespace shell {

class Login;
class Principal;

// The program's start-up: the login first, then the main window. Nothing
// else runs before the login succeeds.
//
// begin() shows the login window. When the login succeeds the main window
// is built, registered with the working windows and shown; when it is
// cancelled or refused, or the main window cannot open the options file,
// or the main window ends the program, ended() is emitted with the exit
// code (0 for the operator's own ending, 1 for a failure).
class Startup : public QObject {
    Q_OBJECT
public:
    explicit Startup(QObject *parent = nullptr);
    ~Startup() override;

    void begin();

    Login *login() const;
    Principal *mainWindow() const;

signals:
    void ended(int exitCode);

private:
    void loginFinished();
    void fail(const QString &text);

    QPointer<Login> m_login;
    QPointer<Principal> m_main;
};

// Runs the start-up and the application's event loop; returns the exit
// code. The database folder must already be set and checked.
int runProgram();

} // namespace shell

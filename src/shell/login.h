#pragma once

#include <QDialog>
#include <memory>

class QLineEdit;
class QPushButton;

namespace store {
class Database;
}

namespace shell {

class LoginRules;

// The login window `Login`. It opens the options file of the current
// database folder when it is built (throws store::StoreError when it
// cannot) and keeps it open until it closes.
//
// It ends in one of three ways: accepted (LoginSucceeded() true; the caller
// shows the main window), cancelled by "&Cancelar" or Escape, or refused
// for an unknown user name after its message. The last two leave
// LoginSucceeded() false and the program is to end. A wrong password keeps
// the window open for another try.
class Login : public QDialog {
    Q_OBJECT
public:
    explicit Login(QWidget *parent = nullptr);
    ~Login() override;

    bool LoginSucceeded() const { return m_loginSucceeded; }

    void reject() override;

private:
    void Aceptar();

    std::unique_ptr<store::Database> m_opcion;
    std::unique_ptr<LoginRules> m_rules;
    QLineEdit *m_userName = nullptr;
    QLineEdit *m_password = nullptr;
    QPushButton *m_command1 = nullptr;
    bool m_loginSucceeded = false;
};

} // namespace shell

#include "login.h"

#include "common/services.h"
#include "common/ui/fields.h"
#include "common/ui/twips.h"
#include "login_rules.h"
#include "store/database_folder.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace shell {

Login::Login(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Login"));
    setWindowTitle(QStringLiteral("Sistema - Gualter Torvi e Hijos - Login"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
    QPalette lightBlue = palette();
    lightBlue.setColor(QPalette::Window, QColor(0xC0, 0xE0, 0xFF));
    setPalette(lightBlue);

    m_opcion = store::DatabaseFolder::current().open(store::files::Opcion);
    m_rules = std::make_unique<LoginRules>(*m_opcion);

    auto *userLabel = new QLabel(QStringLiteral("Usuario:"), this);
    userLabel->setObjectName(QStringLiteral("lblUserName"));
    m_userName = new QLineEdit(QStringLiteral("ADMIN"), this);
    m_userName->setObjectName(QStringLiteral("txtUserName"));
    m_userName->setMaxLength(30);

    auto *passwordLabel = new QLabel(QStringLiteral("Contraseña:"), this);
    passwordLabel->setObjectName(QStringLiteral("lblPassword"));
    m_password = new QLineEdit(QStringLiteral("KIVOR"), this);
    m_password->setObjectName(QStringLiteral("txtPassword"));
    m_password->setMaxLength(30);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));   // '*'


    m_command1 = new QPushButton(QStringLiteral("&Aceptar"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    auto *cancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    // The window's default button: hidden, does what "&Aceptar" does.
    auto *ok = new QPushButton(QStringLiteral("&Aceptar"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    ok->hide();

    ui::setupField(m_userName);
    ui::setupField(m_password);
    ui::setupButton(m_command1);
    ui::setupButton(cancel);
    ui::enterMovesTo(m_userName, m_password);
    ui::onKey(m_password, Qt::Key_Return, [this] { m_command1->setFocus(Qt::OtherFocusReason); });

    connect(m_command1, &QPushButton::clicked, this, &Login::Aceptar);
    connect(ok, &QPushButton::clicked, this, &Login::Aceptar);
    connect(cancel, &QPushButton::clicked, this, &Login::reject);

    auto *grid = new QGridLayout(this);
    grid->addWidget(userLabel, 0, 0);
    grid->addWidget(m_userName, 0, 1);
    grid->addWidget(passwordLabel, 1, 0);
    grid->addWidget(m_password, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command1);
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    grid->addLayout(buttons, 2, 0, 1, 2);

    setFixedSize(QSize(ui::twips(3750), ui::twipsY(2280)).expandedTo(minimumSizeHint()));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    m_userName->setFocus(Qt::OtherFocusReason);
    m_userName->selectAll();
    m_password->selectAll();
}

Login::~Login() = default;

void Login::reject()
{
    m_loginSucceeded = false;
    QDialog::reject();
}

void Login::Aceptar()
{
    switch (m_rules->Aceptar(m_userName->text(), m_password->text())) {
    case LoginOutcome::Accepted:
        m_loginSucceeded = true;
        accept();
        break;
    case LoginOutcome::UnknownUser:
        services::critical(QStringLiteral("Error"),
                           QStringLiteral("Usuario no Autorizado, por favor consulte con el Administrador"));
        m_loginSucceeded = false;
        QDialog::reject();
        break;
    case LoginOutcome::WrongPassword:
        services::critical(QStringLiteral("Error"),
                           QStringLiteral("Contraseña Incorrecta, consulte con el Administrador"));
        ui::focusAndSelect(m_password);
        break;
    }
}

} // namespace shell

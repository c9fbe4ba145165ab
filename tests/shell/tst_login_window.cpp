#include "common/services.h"
#include "common/session.h"
#include "fake_messages.h"
#include "shell/login.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "temp_database.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// Runs the start-up on a fresh database folder holding ADMIN / KIVOR.
class StartupFixture {
public:
    StartupFixture() : ended(&startup, &shell::Startup::ended)
    {
        startup.begin();
        login = startup.login();
        if (login) {
            user = login->findChild<QLineEdit *>(QStringLiteral("txtUserName"));
            password = login->findChild<QLineEdit *>(QStringLiteral("txtPassword"));
            aceptar = login->findChild<QPushButton *>(QStringLiteral("Command1"));
        }
    }

    void type(QLineEdit *field, const QString &text)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    TempDatabase folder;
    MessagesGuard messages;
    shell::Startup startup;
    QSignalSpy ended;
    QPointer<shell::Login> login;
    QLineEdit *user = nullptr;
    QLineEdit *password = nullptr;
    QPushButton *aceptar = nullptr;
};

class TstLoginWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { services::setPauseScale(0); }
    void cleanup()
    {
        session::UsuarioActual().clear();
        services::setPauseScale(1);
    }

    void opensWithTheFieldsFilledAndSelected();
    void keyboardPathLogsInWithThePrefilledValues();
    void acceptButtons_data();
    void acceptButtons();
    void titleShowsTheNameAsTyped_data();
    void titleShowsTheNameAsTyped();
    void unknownUserEndsTheProgramAfterItsMessage();
    void wrongPasswordAllowsAnotherTry();
    void escapeOrCancelEndsTheProgram_data();
    void escapeOrCancelEndsTheProgram();
    void missingOptionsFileEndsWithAMessage();
};

void TstLoginWindow::opensWithTheFieldsFilledAndSelected()
{
    StartupFixture f;
    QVERIFY(f.login && f.user && f.password && f.aceptar);
    QVERIFY(f.login->isVisible());
    QCOMPARE(f.login->objectName(), QStringLiteral("Login"));
    QVERIFY(f.login->windowTitle().contains(QStringLiteral("Login")));
    QCOMPARE(f.user->text(), QStringLiteral("ADMIN"));
    QCOMPARE(f.password->text(), QStringLiteral("KIVOR"));
    QCOMPARE(f.password->echoMode(), QLineEdit::Password);
    QCOMPARE(f.user->selectedText(), QStringLiteral("ADMIN"));
    QCOMPARE(f.password->selectedText(), QStringLiteral("KIVOR"));
    QCOMPARE(f.aceptar->text(), QStringLiteral("&Aceptar"));
    auto *cancel = f.login->findChild<QPushButton *>(QStringLiteral("cmdCancel"));
    QVERIFY(cancel);
    QCOMPARE(cancel->text(), QStringLiteral("&Cancelar"));
    auto *ok = f.login->findChild<QPushButton *>(QStringLiteral("cmdOK"));
    QVERIFY(ok);
    QVERIFY(ok->isDefault());
    QVERIFY(ok->isHidden());
    QVERIFY(!f.startup.mainWindow());
}

void TstLoginWindow::keyboardPathLogsInWithThePrefilledValues()
{
    StartupFixture f;
    QVERIFY(QTest::qWaitForWindowActive(f.login));
    QCOMPARE(QApplication::focusWidget(), f.user);

    QTest::keyClick(f.user, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), f.password);
    QCOMPARE(f.password->selectedText(), QStringLiteral("KIVOR"));
    QTest::keyClick(f.password, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), f.aceptar);
    QVERIFY(!f.startup.mainWindow());   // Enter in the password only moves on
    QTest::keyClick(f.aceptar, Qt::Key_Return);

    QVERIFY(f.startup.mainWindow());
    QVERIFY(f.startup.mainWindow()->isVisible());
    QVERIFY(f.messages->shown.isEmpty());
    QVERIFY(f.ended.isEmpty());
    QCOMPARE(session::UsuarioActual(), QStringLiteral("ADMIN"));
    QCOMPARE(f.folder.activos(), QStringList{QStringLiteral("ADMIN")});
    QTRY_VERIFY(!f.login);   // closed and deleted
}

void TstLoginWindow::acceptButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Command1") << "Command1";
    QTest::newRow("hidden default cmdOK") << "cmdOK";
}

void TstLoginWindow::acceptButtons()
{
    QFETCH(QString, button);
    StartupFixture f;
    f.login->findChild<QPushButton *>(button)->click();
    QVERIFY(f.startup.mainWindow());
    QVERIFY(f.login->LoginSucceeded());
}

void TstLoginWindow::titleShowsTheNameAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("as stored") << "ADMIN";
    QTest::newRow("lower case") << "admin";
    QTest::newRow("mixed case") << "AdMiN";
}

void TstLoginWindow::titleShowsTheNameAsTyped()
{
    QFETCH(QString, typed);
    StartupFixture f;
    f.type(f.user, typed);
    f.aceptar->click();
    QVERIFY(f.startup.mainWindow());
    QCOMPARE(f.startup.mainWindow()->windowTitle(), QStringLiteral("Sistema - Gualter Torvi e Hijos  ..... - ") + typed);
}

void TstLoginWindow::unknownUserEndsTheProgramAfterItsMessage()
{
    StartupFixture f;
    f.folder.setUser(QStringLiteral("JUAN"), QStringLiteral("1"), QStringLiteral("Activo"));
    f.type(f.user, QStringLiteral("PEDRO"));
    f.aceptar->click();

    QCOMPARE(f.messages->shown.size(), 1);
    QCOMPARE(f.messages->shown[0].title, QStringLiteral("Error"));
    QCOMPARE(f.messages->shown[0].text,
             QStringLiteral("Usuario no Autorizado, por favor consulte con el Administrador"));
    QCOMPARE(f.messages->shown[0].icon, services::Icon::Critical);
    QCOMPARE(f.ended.size(), 1);
    QCOMPARE(f.ended[0][0].toInt(), 0);
    QVERIFY(!f.startup.mainWindow());
    QVERIFY(!f.login || !f.login->isVisible());   // no second try
    QVERIFY(f.folder.activos().isEmpty());
}

void TstLoginWindow::wrongPasswordAllowsAnotherTry()
{
    StartupFixture f;
    QVERIFY(QTest::qWaitForWindowActive(f.login));
    f.type(f.password, QStringLiteral("kivor"));
    f.aceptar->click();

    QCOMPARE(f.messages->shown.size(), 1);
    QCOMPARE(f.messages->shown[0].title, QStringLiteral("Error"));
    QCOMPARE(f.messages->shown[0].text, QStringLiteral("Contraseña Incorrecta, consulte con el Administrador"));
    QCOMPARE(f.messages->shown[0].icon, services::Icon::Critical);
    QVERIFY(f.login->isVisible());
    QCOMPARE(QApplication::focusWidget(), f.password);
    QCOMPARE(f.password->selectedText(), QStringLiteral("kivor"));
    QVERIFY(f.folder.activos().isEmpty());
    QVERIFY(f.ended.isEmpty());
    QVERIFY(!f.startup.mainWindow());

    // Again wrong, then right: no limit on the tries.
    QTest::keyClicks(f.password, QStringLiteral("KIVOr"));
    f.aceptar->click();
    QCOMPARE(f.messages->shown.size(), 2);
    QTest::keyClicks(f.password, QStringLiteral("KIVOR"));
    f.aceptar->click();
    QCOMPARE(f.messages->shown.size(), 2);
    QVERIFY(f.startup.mainWindow());
    QCOMPARE(f.folder.activos(), QStringList{QStringLiteral("ADMIN")});
}

void TstLoginWindow::escapeOrCancelEndsTheProgram_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("Escape in the user name") << "txtUserName";
    QTest::newRow("Escape in the password") << "txtPassword";
    QTest::newRow("Cancelar") << "cmdCancel";
}

void TstLoginWindow::escapeOrCancelEndsTheProgram()
{
    QFETCH(QString, where);
    StartupFixture f;
    f.folder.setUser(QStringLiteral("ADMIN"), QStringLiteral("KIVOR"), QStringLiteral("Activo"));
    QVERIFY(QTest::qWaitForWindowActive(f.login));
    QWidget *widget = f.login->findChild<QWidget *>(where);
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        button->click();
    } else {
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Escape);
    }
    QCOMPARE(f.ended.size(), 1);
    QCOMPARE(f.ended[0][0].toInt(), 0);
    QVERIFY(!f.login || !f.login->LoginSucceeded());
    QVERIFY(!f.login || !f.login->isVisible());
    QVERIFY(!f.startup.mainWindow());
    QVERIFY(f.messages->shown.isEmpty());
    // Cancelling writes nothing.
    QCOMPARE(f.folder.activos(), QStringList{QStringLiteral("ADMIN")});
}

void TstLoginWindow::missingOptionsFileEndsWithAMessage()
{
    TempDatabase folder;
    QVERIFY(QFile::remove(store::DatabaseFolder(folder.path()).locate(store::files::Opcion)));
    MessagesGuard messages;
    shell::Startup startup;
    QSignalSpy ended(&startup, &shell::Startup::ended);
    startup.begin();
    QCOMPARE(ended.size(), 1);
    QCOMPARE(ended[0][0].toInt(), 1);
    QVERIFY(!startup.login());
    QCOMPARE(messages->shown.size(), 1);
    QCOMPARE(messages->shown[0].icon, services::Icon::Critical);
    QVERIFY(messages->shown[0].text.contains(QStringLiteral("Opcion.mdb")));
}

QTEST_MAIN(TstLoginWindow)
#include "tst_login_window.moc"

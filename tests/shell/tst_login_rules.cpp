#include "common/session.h"
#include "shell/login_rules.h"
#include "store/database_folder.h"
#include "temp_database.h"

#include <QTest>

using shell::LoginOutcome;
Q_DECLARE_METATYPE(shell::LoginOutcome)

class TstLoginRules : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { session::UsuarioActual().clear(); }

    void aceptar_data();
    void aceptar();
    void lastLoginOfTwoWorkstationsIsTheActiveOne();
    void emptyUsersTableRefusesEveryone();
};

void TstLoginRules::aceptar_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<LoginOutcome>("outcome");
    QTest::addColumn<QStringList>("activos");
    QTest::addColumn<QString>("usuarioActual");

    // Stored: ADMIN / KIVOR, and JUAN / Secreto marked "Activo" by an earlier login.
    QTest::newRow("pre-filled values") << "ADMIN" << "KIVOR" << LoginOutcome::Accepted << QStringList{"ADMIN"} << "ADMIN";
    QTest::newRow("name in other case, kept as typed")
        << "admin" << "KIVOR" << LoginOutcome::Accepted << QStringList{"ADMIN"} << "admin";
    QTest::newRow("other user") << "Juan" << "Secreto" << LoginOutcome::Accepted << QStringList{"JUAN"} << "Juan";
    QTest::newRow("password differs in case") << "ADMIN" << "kivor" << LoginOutcome::WrongPassword << QStringList{}
                                              << "ADMIN";
    QTest::newRow("password with a blank more") << "JUAN" << "Secreto " << LoginOutcome::WrongPassword
                                                << QStringList{} << "JUAN";
    QTest::newRow("unknown user") << "PEDRO" << "KIVOR" << LoginOutcome::UnknownUser << QStringList{} << "";
    QTest::newRow("empty name") << "" << "" << LoginOutcome::UnknownUser << QStringList{} << "";
    QTest::newRow("quote in the name") << "ADMIN' OR '1'='1" << "KIVOR" << LoginOutcome::UnknownUser
                                       << QStringList{} << "";
}

void TstLoginRules::aceptar()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(LoginOutcome, outcome);
    QFETCH(QStringList, activos);
    QFETCH(QString, usuarioActual);

    TempDatabase folder;
    folder.setUser(QStringLiteral("ADMIN"), QStringLiteral("KIVOR"));
    folder.setUser(QStringLiteral("JUAN"), QStringLiteral("Secreto"), QStringLiteral("Activo"));

    auto db = store::DatabaseFolder::current().open(store::files::Opcion);
    shell::LoginRules rules(*db);
    QCOMPARE(rules.Aceptar(user, password), outcome);
    QCOMPARE(session::UsuarioActual(), usuarioActual);
    // Read through another connection: the change is committed.
    QCOMPARE(folder.activos(), activos);
    QVERIFY(!db->inTransaction());
}

void TstLoginRules::lastLoginOfTwoWorkstationsIsTheActiveOne()
{
    TempDatabase folder;
    folder.setUser(QStringLiteral("ADMIN"), QStringLiteral("KIVOR"));
    folder.setUser(QStringLiteral("CAJA"), QStringLiteral("1234"));

    auto first = store::DatabaseFolder::current().open(store::files::Opcion);
    auto second = store::DatabaseFolder::current().open(store::files::Opcion);
    shell::LoginRules till1(*first);
    shell::LoginRules till2(*second);

    QCOMPARE(till1.Aceptar(QStringLiteral("ADMIN"), QStringLiteral("KIVOR")), LoginOutcome::Accepted);
    QCOMPARE(till2.Aceptar(QStringLiteral("caja"), QStringLiteral("1234")), LoginOutcome::Accepted);
    QCOMPARE(folder.activos(), QStringList{QStringLiteral("CAJA")});
    // A refused password at the first till leaves nobody marked.
    QCOMPARE(till1.Aceptar(QStringLiteral("ADMIN"), QStringLiteral("x")), LoginOutcome::WrongPassword);
    QCOMPARE(folder.activos(), QStringList{});
}

void TstLoginRules::emptyUsersTableRefusesEveryone()
{
    TempDatabase folder;
    folder.removeAllUsers();
    auto db = store::DatabaseFolder::current().open(store::files::Opcion);
    shell::LoginRules rules(*db);
    QCOMPARE(rules.Aceptar(QStringLiteral("ADMIN"), QStringLiteral("KIVOR")), LoginOutcome::UnknownUser);
    QVERIFY(folder.estados().isEmpty());
}

QTEST_GUILESS_MAIN(TstLoginRules)
#include "tst_login_rules.moc"

#include "login_rules.h"

#include "common/session.h"

namespace shell {

namespace {
const QString Estado = QStringLiteral("estado");
const QString Activo = QStringLiteral("Activo");
}

LoginRules::LoginRules(store::Database &opcion) : m_db(opcion), m_data1(opcion, QStringLiteral("Usuarios")) {}

void LoginRules::BorrarUsuarios()
{
    for (m_data1.moveFirst(); !m_data1.eof(); m_data1.moveNext()) {
        if (m_data1.value(Estado).isEmpty())
            continue;
        m_data1.edit();
        m_data1.setValue(Estado, QString());
        m_data1.update();
    }
}

LoginOutcome LoginRules::VerificarUsuario(const QString &userName, const QString &password)
{
    m_data1.moveFirst();
    m_data1.setIndex(QStringLiteral("usuario"));
    if (!m_data1.seek(userName))
        return LoginOutcome::UnknownUser;
    session::UsuarioActual() = userName;
    if (m_data1.value(QStringLiteral("contrasena")) != password)
        return LoginOutcome::WrongPassword;
    m_data1.edit();
    m_data1.setValue(Estado, Activo);
    m_data1.update();
    return LoginOutcome::Accepted;
}

LoginOutcome LoginRules::Aceptar(const QString &userName, const QString &password)
{
    store::Transaction transaction(m_db);
    BorrarUsuarios();
    const LoginOutcome outcome = VerificarUsuario(userName, password);
    transaction.commit();
    return outcome;
}

} // namespace shell

#pragma once

#include "store/record_store.h"

#include <QString>

// The rules of the login, without any window: who may enter, and which user
// the users table marks as the one logged in.
namespace shell {

enum class LoginOutcome {
    Accepted,       // known user, right password: marked "Activo"
    UnknownUser,    // no user of that name: the program is to end
    WrongPassword,  // known user, other password: the operator may retry
};

// Works on the table `Usuarios` of an open options file through a keyed
// view held for the lifetime of the object.
class LoginRules {
public:
    // Throws store::StoreError when the file has no table `Usuarios`.
    explicit LoginRules(store::Database &opcion);

    // Empties `estado` for every user.
    void BorrarUsuarios();

    // Seeks the user name without regard to letter case. On a match,
    // session::UsuarioActual() takes the name exactly as typed; when the
    // password equals the stored one exactly (letter case included) the
    // user's `estado` becomes "Activo".
    LoginOutcome VerificarUsuario(const QString &userName, const QString &password);

    // What "&Aceptar" does: BorrarUsuarios then VerificarUsuario, as one
    // transaction, so that logins at two workstations do not interleave and
    // the table ends with at most one user "Activo". The clearing stays
    // also when the login is refused.
    LoginOutcome Aceptar(const QString &userName, const QString &password);

private:
    store::Database &m_db;
    store::TableView m_data1;
};

} // namespace shell

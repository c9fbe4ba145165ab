#pragma once

#include <QString>

// Values shared by the whole program for one run.
namespace session {

// The logged-in user's name, exactly as typed at the login.
QString &UsuarioActual();
// The item-grid row (0..29) that an article picker fills.
int &FilaActual();
// The text of the last price lookup.
QString &TextoBuscar();

} // namespace session

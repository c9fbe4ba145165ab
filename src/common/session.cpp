#include "session.h"

namespace session {

QString &UsuarioActual()
{
    static QString value;
    return value;
}

int &FilaActual()
{
    static int value = 0;
    return value;
}

QString &TextoBuscar()
{
    static QString value;
    return value;
}

} // namespace session

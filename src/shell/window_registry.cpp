#include "window_registry.h"

#include "accounts/clientes_window.h"
#include "catalogue/articulos_window.h"
#include "catalogue/aumenta_costo.h"
#include "catalogue/entrar_buscar.h"
#include "catalogue/rubro_window.h"
#include "main_window.h"
#include "sales/ticket_a_window.h"
#include "sales/ticket_n_window.h"
#include "sales/ticket_window.h"

namespace shell {

void registerWindows(Principal &principal)
{
    // Each working window has its line here; entries without one stay
    // disabled. Positions are Left and Top in twips.
    principal.registerWindow(QStringLiteral("Articulos"), [] { return new catalogue::Articulos; }, 3200, 0);
    principal.registerWindow(QStringLiteral("Clientes"), [] { return new accounts::Clientes; }, 3000, 0);
    principal.registerWindow(QStringLiteral("Rubro"), [] { return new catalogue::Rubro; }, 3800, 0);
    principal.registerWindow(QStringLiteral("EntrarBuscar"), [] { return new catalogue::EntrarBuscar; }, 4700, 500);
    principal.registerWindow(QStringLiteral("Ticket"), [] { return new sales::Ticket; }, 2100, 0);
    principal.registerWindow(QStringLiteral("TicketA"), [] { return new sales::TicketA; }, 2100, 0);
    principal.registerWindow(QStringLiteral("TicketN"), [] { return new sales::TicketN; }, 2100, 0);
    principal.registerWindow(QStringLiteral("AumentaCosto"), [] { return new catalogue::AumentaCosto; }, 3750, 0);
}

} // namespace shell

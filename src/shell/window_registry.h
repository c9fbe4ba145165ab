#pragma once

namespace shell {

class Principal;

// Registers every working window of the program with the main window:
// each registration enables the window's menu entry and toolbar button and
// fixes where the window opens, e.g.
//
//     principal.registerWindow(QStringLiteral("Articulos"),
//                              [] { return new catalogue::Articulos; }, 3200, 0);
//
// Called once, right after the main window is built.
void registerWindows(Principal &principal);

} // namespace shell

#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace ui {

// Opens a working window of the main window by its name ("Articulos",
// "Clientes" ...): creates it or brings it forward, and puts it at
// (left, top) twips. Windows that drive another window (a picker opening
// the article window) go through here instead of linking to it. Returns the
// window, or nullptr when no window of that name is known.
QWidget *openWindow(const QString &name, int leftTwips, int topTwips);

// Installed by the main window; tests install their own.
using WindowOpener = std::function<QWidget *(const QString &name, int leftTwips, int topTwips)>;
WindowOpener setWindowOpener(WindowOpener opener);

} // namespace ui

#pragma once

class QWidget;

namespace ui {

// The waiting window "Espere un Momento...": a small red window without a
// title bar, centred on the main window (or on the screen when there is
// none), shown without taking the focus while a long operation runs.
class Espere {
public:
    // Shows the window (creating it on first use) and lets it paint.
    static void show();
    static void hide();
    static bool isShown();
    // The window itself (objectName "Espere"); nullptr before the first show.
    static QWidget *window();
};

// Shows the waiting window for the lifetime of the object, also when the
// operation ends by an exception.
class EspereScope {
public:
    EspereScope() { Espere::show(); }
    ~EspereScope() { Espere::hide(); }
    EspereScope(const EspereScope &) = delete;
    EspereScope &operator=(const EspereScope &) = delete;
};

} // namespace ui

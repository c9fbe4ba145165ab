#pragma once

#include "sales/fiscal_printer.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolButton;

namespace store {
class Database;
class TableView;
}

namespace shell {

// Builds a working window; the main window takes ownership.
using WindowFactory = std::function<QWidget *()>;

// Where a window's twip position is counted from.
enum class Placement {
    InMainWindow,  // an MDI child, placed in the main window's client area
    OnScreen,      // a separate window (the calendar), placed on the screen
};

// The main window `Principal`: menus, toolbar, clock and the MDI area that
// holds every working window. It only wires entries to windows; the windows
// themselves register with registerWindow() (see window_registry.h).
//
// Action keys: every menu entry has a QAction found by action(key). The key
// of an entry that opens a window is that window's objectName ("Articulos",
// "Rubro", "EntrarBuscar", "Ticket", "TicketA", "TicketN", "Remito",
// "AumentaCosto", "Usuarios", "Fecha", "Frm_Copy", "ListadoArticulos",
// "ListadoClientes", "ListadoProveedores", "RangoClienteCtaCte"); the others
// are "Calculadora", "Impresora", "CierreZ", "CierreX", "Cascada",
// "Mosaico", "OrganizarIconos", "Acerca" and "Salir". Entries whose window is
// not registered stay disabled, with their toolbar buttons.
//
// Toolbar buttons (objectName): "tbListaPre", "tbTicket", "tbTicketFactura",
// "tbNotaCredito", "tbRemito", "tbBackup", "tbCalen", "tbCalc", "Salir".
class Principal : public QMainWindow {
    Q_OBJECT
public:
    static const QString DesignTitle;

    // Loads the window: opens the options file of the current database
    // folder (kept open for the run; throws store::StoreError when it
    // cannot), sets the clock and the title with session::UsuarioActual().
    explicit Principal(QWidget *parent = nullptr);
    ~Principal() override;

    QAction *action(const QString &key) const;
    QToolButton *toolButton(const QString &objectName) const;
    QMdiArea *mdiArea() const { return m_mdi; }

    // Enables the entry `windowName` (and its toolbar button) and makes it
    // open the window built by `factory` at (left, top) twips.
    void registerWindow(const QString &windowName, WindowFactory factory, int leftTwips, int topTwips,
                        Placement placement = Placement::InMainWindow);
    // Enables the entry `listingName` and makes it show the listing afresh.
    void registerListing(const QString &listingName, WindowFactory factory);
    // Enables an entry that runs a plain action ("Impresora").
    void registerAction(const QString &key, std::function<void()> handler);

    // Shows the window named `windowName`: builds it with `factory` when it
    // is not open (deleted when closed), brings it forward when it is, and
    // in both cases puts it back at (left, top) twips. Returns the window.
    QWidget *openChild(const QString &windowName, const WindowFactory &factory, int leftTwips,
                       int topTwips, Placement placement = Placement::InMainWindow);
    // Closes an open instance of the listing, then shows a new one, so that
    // it reads current data. Listings that are windows of their own (with
    // the Qt::Window flag) are shown on their own; others in the MDI area.
    QWidget *showListing(const QString &listingName, const WindowFactory &factory);
    // The open working window opened under that name, or nullptr.
    QWidget *findChildWindow(const QString &windowName) const;

    // The fiscal printer's daily closes; the result is not examined.
    void CierreZ();
    void CierreX();
    // Lines up the minimised child windows along the bottom of the area.
    void OrganizarIconos();
    // The about window, modal.
    void Acerca();
    // Ends the program at once: emits programEndRequested().
    void Salir();

signals:
    // The program is to end (Salir, or the main window was closed).
    void programEndRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildToolbar();
    void wireBuiltInActions();
    void updateWindowList();
    void updateClock();
    QMdiSubWindow *addChild(QWidget *window);
    void bindAction(const QString &key, std::function<void()> handler);

    std::unique_ptr<store::Database> m_deposito;
    std::unique_ptr<store::TableView> m_data1;
    sales::PrinterFiscal m_printer;
    QMdiArea *m_mdi = nullptr;
    QMenu *m_windowMenu = nullptr;
    QList<QAction *> m_windowListActions;
    QLabel *m_lblTime = nullptr;
    QTimer *m_timer1 = nullptr;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMetaObject::Connection> m_bindings;
    QHash<QString, QPointer<QWidget>> m_openWindows;   // by the name they were opened under
    struct Registered {
        WindowFactory factory;
        Placement placement;
    };
    QHash<QString, Registered> m_factories;            // the registered windows, by name
    std::function<QWidget *(const QString &, int, int)> m_previousOpener;
    bool m_ending = false;
};

} // namespace shell

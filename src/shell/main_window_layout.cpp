// The main window's menu bar and toolbar, written as tables.

#include "main_window.h"

#include "common/ui/fields.h"
#include "common/ui/twips.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace shell {

namespace {

struct Entry {
    const char *key;        // nullptr: a separator line
    const char *caption;
    const char *shortcut;   // portable text ("Ctrl+T"), empty for none
};

struct MenuDef {
    const char *caption;
    std::initializer_list<Entry> entries;
};

constexpr Entry Separator{nullptr, "", ""};

const MenuDef Menus[] = {
    {"&Archivo",
     {{"Fecha", "Calendario", ""},
      {"Calculadora", "Calculadora", ""},
      Separator,
      {"Impresora", "&Impresora", "Ctrl+I"}}},
    {"&Base de Datos",
     {{"Articulos", "Articulos", ""},
      Separator,
      {"Clientes", "Clientes", ""},
      Separator,
      {"Proveedores", "Proveedores", ""},
      Separator,
      {"Rubro", "Rubros", ""},
      Separator,
      {"Usuarios", "Usuarios", ""}}},
    {"&Operaciones",
     {{"EntrarBuscar", "&Lista de Precios", "Ctrl+L"},
      Separator,
      {"Ticket", "&Ticket          ", "Ctrl+T"},
      Separator,
      {"TicketA", "Ticket Factura", "Ctrl+A"},
      Separator,
      {"TicketN", "Nota Credito", "Ctrl+N"},
      Separator,
      {"Remito", "Remito", "Ctrl+R"},
      Separator,
      {"Frm_Copy", "Backup", "Ctrl+B"},
      Separator,
      {"AumentaCosto", "Aumenta Costo", ""}}},
    {"&Listados",
     {{"ListadoArticulos", "Articulos", ""},
      Separator,
      {"ListadoClientes", "Clientes", ""},
      Separator,
      {"ListadoProveedores", "Proveedores", ""},
      Separator,
      {"RangoClienteCtaCte", "Remitos", ""}}},
    {"&Controlador Fiscal",
     {{"CierreZ", "Cierre Z          ", "Ctrl+Z"},
      Separator,
      {"CierreX", "Cierre X          ", "Ctrl+X"},
      Separator}},
    {"&Ventanas",
     {{"Cascada", "&Cascada", ""},
      {"Mosaico", "&Mosaico", ""},
      {"OrganizarIconos", "&Oganizar Iconos", ""}}},
    {"&Salir",
     {{"Acerca", "&Acerca de . . .", ""},
      Separator,
      {"Salir", "&Salir", "Ctrl+S"}}},
};

struct ToolDef {
    const char *objectName;
    const char *caption;
    const char *toolTip;
    const char *actionKey;   // nullptr: the clock stands here
    QStyle::StandardPixmap icon;
};

const ToolDef Tools[] = {
    {"tbListaPre", "Lista.Pre.", "Consulta Lista Precio", "EntrarBuscar", QStyle::SP_FileDialogContentsView},
    {"tbTicket", "Ticket", "Ticket", "Ticket", QStyle::SP_FileIcon},
    {"tbTicketFactura", "Ticket Factura", "Ticket", "TicketA", QStyle::SP_FileDialogDetailedView},
    {"tbNotaCredito", "Nota Credito", "IVA Compras", "TicketN", QStyle::SP_FileDialogBack},
    {"tbRemito", "Remito", "Remito", "Remito", QStyle::SP_FileDialogListView},
    {"tbBackup", "Backup", "Backup", "Frm_Copy", QStyle::SP_DriveHDIcon},
    {nullptr, "", "", nullptr, QStyle::SP_CustomBase},
    {"tbCalen", "Calen.", "Calendario", "Fecha", QStyle::SP_FileDialogInfoView},
    {"tbCalc", "Calc.", "Calculadora", "Calculadora", QStyle::SP_ComputerIcon},
    {"Salir", "Salir", "Salir del Programa", "Salir", QStyle::SP_DialogCloseButton},
};

} // namespace

void Principal::buildMenus()
{
    for (const MenuDef &menuDef : Menus) {
        QMenu *menu = menuBar()->addMenu(QString::fromUtf8(menuDef.caption));
        menu->setObjectName(QStringLiteral("mnu") + QString::fromUtf8(menuDef.caption).remove(QLatin1Char('&')).remove(QLatin1Char(' ')));
        for (const Entry &entry : menuDef.entries) {
            if (!entry.key) {
                menu->addSeparator();
                continue;
            }
            const QString key = QString::fromLatin1(entry.key);
            QAction *action = menu->addAction(QString::fromUtf8(entry.caption));
            action->setObjectName(QStringLiteral("mnu") + key);
            if (*entry.shortcut)
                action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut), QKeySequence::PortableText));
            action->setEnabled(false);
            m_actions.insert(key, action);
        }
    }
    m_windowMenu = menuBar()->findChild<QMenu *>(QStringLiteral("mnuVentanas"));
}

void Principal::buildToolbar()
{
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("Toolbar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(ui::twipsY(735));
    bar->setAutoFillBackground(true);
    QPalette white = bar->palette();
    white.setColor(QPalette::Window, Qt::white);
    bar->setPalette(white);
    addToolBar(Qt::TopToolBarArea, bar);

    QFont bold = font();
    bold.setBold(true);
    for (const ToolDef &def : Tools) {
        if (!def.actionKey) {
            bar->addWidget(m_lblTime);
            continue;
        }
        QAction *target = action(QString::fromLatin1(def.actionKey));
        auto *button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(def.objectName));
        button->setText(QString::fromUtf8(def.caption));
        button->setToolTip(QString::fromUtf8(def.toolTip));
        button->setFont(bold);
        button->setIcon(style()->standardIcon(def.icon));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        // The sales windows hand the focus to a toolbar button when they
        // close; Enter on it then opens its window again.
        button->setFocusPolicy(Qt::TabFocus);
        ui::onKey(button, Qt::Key_Return, [button] { button->click(); });
        button->setEnabled(target->isEnabled());
        connect(button, &QToolButton::clicked, target, &QAction::trigger);
        connect(target, &QAction::changed, button, [button, target] { button->setEnabled(target->isEnabled()); });
        bar->addWidget(button);
    }
}

} // namespace shell

#include "rubro_window.h"

#include "common/formats.h"
#include "common/services.h"
#include "common/ui/fields.h"
#include "rubro_pickers.h"
#include "rubro_rules.h"
#include "store/database_folder.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace catalogue {

namespace {
const QString kError = QStringLiteral("ERROR");

QPushButton *button(const QString &caption, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    ui::setupButton(b);
    return b;
}
} // namespace

Rubro::Rubro(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Rubro"));
    setWindowTitle(QStringLiteral("Rubros"));

    m_db = store::DatabaseFolder::current().open(store::files::Rubros);
    m_book = std::make_unique<RubroBook>(*m_db);

    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("Text1"));
    m_code->setMaxLength(4);
    ui::setupField(m_code, ui::FieldOptions{false, false, true});
    m_description = new QLineEdit(this);
    m_description->setObjectName(QStringLiteral("Text2"));
    m_description->setMaxLength(30);
    ui::setupField(m_description, ui::FieldOptions{true, false, true});
    auto *date = new QLineEdit(fmt::formatDate(services::today()), this);
    date->setObjectName(QStringLiteral("Text3"));
    date->setReadOnly(true);
    date->setAlignment(Qt::AlignCenter);
    date->setFocusPolicy(Qt::NoFocus);

    auto *pick = new QPushButton(this);
    pick->setObjectName(QStringLiteral("cmdBuscar"));
    pick->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    ui::setupButton(pick);
    auto *agregar = button(QStringLiteral("&Agregar"), "cmdAgregar", this);
    auto *modificar = button(QStringLiteral("&Modificar"), "cmdModificar", this);
    auto *grabar = button(QStringLiteral("&Grabar"), "cmdGrabar", this);
    auto *eliminar = button(QStringLiteral("&Eliminar"), "cmdEliminar", this);
    auto *cerrar = button(QStringLiteral("&Cerrar"), "cmdCerrar", this);
    m_grabar = grabar;

    connect(pick, &QPushButton::clicked, this, &Rubro::openPicker);
    connect(agregar, &QPushButton::clicked, this, &Rubro::Agregar);
    connect(modificar, &QPushButton::clicked, this, &Rubro::Modificar);
    connect(grabar, &QPushButton::clicked, this, &Rubro::Grabar);
    connect(eliminar, &QPushButton::clicked, this, &Rubro::Eliminar);
    connect(cerrar, &QPushButton::clicked, this, &Rubro::Cerrar);

    ui::onKey(m_code, Qt::Key_Return, [this] { lookup(); });
    ui::onKey(m_code, Qt::Key_Escape, [this] { openPicker(); });
    ui::onKey(m_description, Qt::Key_Return, [this] {
        if (m_book->editing())
            m_grabar->setFocus(Qt::OtherFocusReason);
        else
            ui::focusAndSelect(m_code);
    });
    ui::upDownRing({m_code, m_description});

    auto *grid = new QGridLayout;
    grid->addWidget(pick, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Codigo:"), this), 0, 1);
    grid->addWidget(m_code, 0, 2);
    grid->addWidget(date, 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("Descripcion:"), this), 1, 1);
    grid->addWidget(m_description, 1, 2, 1, 3);
    grid->setColumnStretch(3, 1);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {agregar, modificar, grabar, eliminar, cerrar})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    lock(true);
}

Rubro::~Rubro() = default;

bool Rubro::bandera() const { return m_book->bandera(); }
bool Rubro::banNuevo() const { return m_book->banNuevo(); }

void Rubro::lock(bool locked)
{
    m_description->setReadOnly(locked);
}

void Rubro::lookup()
{
    // During an add or a modification Enter keeps the focus in the box.
    if (m_book->editing() || m_code->text().isEmpty())
        return;
    if (const auto description = m_book->lookup(m_code->text()))
        m_description->setText(*description);
    else
        m_code->clear();
    ui::focusAndSelect(m_description);
}

void Rubro::Agregar()
{
    m_code->setText(m_book->agregar());
    // A new category starts without a description.
    m_description->clear();
    lock(false);
    m_description->setFocus(Qt::OtherFocusReason);
}

void Rubro::Modificar()
{
    if (!m_book->modificar()) {
        services::critical(kError, QStringLiteral("PRIMERO DEBE BUSCAR EL RUBRO A MODIFICAR"));
        ui::focusAndSelect(m_code);
        return;
    }
    lock(false);
    ui::focusAndSelect(m_description);
}

void Rubro::Grabar()
{
    const auto result = m_book->grabar(m_code->text(), m_description->text());
    switch (result.saved) {
    case RubroBook::Saved::NothingToSave:
        services::critical(kError, QStringLiteral("NO HAY DATOS QUE GUARDAR"));
        m_code->setFocus(Qt::OtherFocusReason);
        return;
    case RubroBook::Saved::EmptyCode:
        services::critical(kError, QStringLiteral("DEBE INGRESAR EL CODIGO DEL RUBRO"));
        ui::focusAndSelect(m_code);
        return;
    case RubroBook::Saved::CodeTaken:
        services::critical(kError, QStringLiteral("EL CODIGO %1 YA ES DE OTRO RUBRO").arg(m_code->text()));
        ui::focusAndSelect(m_code);
        return;
    case RubroBook::Saved::Added:
    case RubroBook::Saved::Changed:
        break;
    }
    m_code->clear();
    m_code->setFocus(Qt::OtherFocusReason);
    lock(true);
    if (!result.takenCode.isEmpty())
        services::inform(QStringLiteral("Guardar"),
                         QStringLiteral("OTRA ESTACION GUARDO UN RUBRO CON EL CODIGO %1. ESTE RUBRO SE GUARDO CON "
                                        "EL CODIGO %2.")
                             .arg(result.takenCode, result.code));
}

void Rubro::Eliminar()
{
    if (m_book->lookedUp().isEmpty()) {
        services::critical(kError, QStringLiteral("PRIMERO DEBE BUSCAR EL RUBRO A ELIMINAR"));
        ui::focusAndSelect(m_code);
        return;
    }
    if (!services::askYesNo(QStringLiteral("ELIMINAR"), QStringLiteral("¿DESEA ELIMINAR EL RUBRO?"),
                            services::Icon::Critical))
        return;
    m_book->eliminar();
    if (!m_book->editing())
        lock(true);
}

void Rubro::Cerrar()
{
    if (m_book->bandera()) {
        services::critical(kError, QStringLiteral("DEBE GUARDAR LOS CAMBIOS PARA PODER SALIR"));
        ui::focusAndSelect(m_code);
        return;
    }
    close();
}

void Rubro::openPicker()
{
    RubroPicker::openFor(RubroPickerKind::Rubro, this);
}

} // namespace catalogue

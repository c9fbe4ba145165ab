#include "aumenta_costo.h"

#include "bulk_increase.h"
#include "common/formats.h"
#include "common/services.h"
#include "common/ui/espere.h"
#include "common/ui/fields.h"
#include "common/ui/pausa.h"
#include "rubro_pickers.h"
#include "store/database_folder.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace catalogue {

AumentaCosto::AumentaCosto(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("AumentaCosto"));
    setWindowTitle(QStringLiteral("Aumenta Costo"));

    m_rubros = store::DatabaseFolder::current().open(store::files::Rubros);
    m_rubrosView = std::make_unique<store::TableView>(*m_rubros, QStringLiteral("Rubros"));
    m_rubrosView->setIndex(QStringLiteral("COD_RUB"));
    m_articulos = store::DatabaseFolder::current().open(store::files::Articulos);

    auto makeBox = [this](const char *name, int maxLength) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setMaxLength(maxLength);
        ui::setupField(edit, ui::FieldOptions{false, false, true});
        return edit;
    };
    m_code = makeBox("Text1", 30);
    m_description = makeBox("Text2", 30);
    m_percent = makeBox("Text3", 30);
    m_date = new QLineEdit(fmt::formatDate(services::today()), this);
    m_date->setObjectName(QStringLiteral("Text4"));
    m_date->setReadOnly(true);
    m_date->setAlignment(Qt::AlignCenter);
    m_date->setFocusPolicy(Qt::NoFocus);

    auto *pick = new QPushButton(this);
    pick->setObjectName(QStringLiteral("cmdBuscar"));
    pick->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    ui::setupButton(pick);
    auto *aceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    aceptar->setObjectName(QStringLiteral("cmdAceptar"));
    ui::setupButton(aceptar);
    auto *cancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cancelar->setObjectName(QStringLiteral("cmdCancelar"));
    ui::setupButton(cancelar);

    connect(pick, &QPushButton::clicked, this, &AumentaCosto::openPicker);
    connect(aceptar, &QPushButton::clicked, this, &AumentaCosto::Aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QWidget::close);

    ui::onKey(m_code, Qt::Key_Return, [this] { lookup(); });
    ui::onKey(m_code, Qt::Key_Escape, [this] { openPicker(); });
    ui::onKey(m_description, Qt::Key_Return, [this] {
        if (!m_description->text().isEmpty())
            ui::focusAndSelect(m_percent);
    });
    ui::onKey(m_percent, Qt::Key_Return, [this, aceptar] {
        if (!m_percent->text().isEmpty())
            aceptar->setFocus(Qt::OtherFocusReason);
    });

    auto *grid = new QGridLayout;
    grid->addWidget(m_date, 0, 3);
    grid->addWidget(pick, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Codigo:"), this), 1, 1);
    grid->addWidget(m_code, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Descripcion:"), this), 2, 1);
    grid->addWidget(m_description, 2, 2, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Ingrese el Porcentaje:"), this), 3, 1);
    grid->addWidget(m_percent, 3, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(aceptar);
    buttons->addWidget(cancelar);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

AumentaCosto::~AumentaCosto() = default;

void AumentaCosto::lookup()
{
    if (m_code->text().isEmpty())
        return;
    if (m_rubrosView->seek(m_code->text())) {
        m_description->setText(m_rubrosView->value(QStringLiteral("DESCRI")));
    } else {
        m_code->clear();
        m_rubrosView->moveFirst();
    }
    ui::focusAndSelect(m_description);
}

void AumentaCosto::Aceptar()
{
    if (m_code->text().isEmpty() || m_percent->text().isEmpty()) {
        services::critical(QStringLiteral("Error"), QStringLiteral("Ingrese el Rubro/Porcentaje que se Aplicara"));
        return;
    }
    if (!fmt::parseNumber(m_percent->text())) {
        services::critical(QStringLiteral("Error"),
                           QStringLiteral("«%1» no es un porcentaje. Escríbalo como número, por ejemplo 10 o 12,5. "
                                          "No se cambió ningún artículo.")
                               .arg(m_percent->text()));
        ui::focusAndSelect(m_percent);
        return;
    }
    {
        ui::EspereScope espere;
        ui::Pausa(1000);
        AgregarPorcenaje();
    }
    close();
}

int AumentaCosto::AgregarPorcenaje()
{
    return aumentarCosto(*m_articulos, m_code->text(), m_percent->text(), m_date->text());
}

void AumentaCosto::openPicker()
{
    RubroPicker::openFor(RubroPickerKind::Aumento, this);
}

} // namespace catalogue

#include "clientes_window.h"

#include "customer_pickers.h"
#include "customers.h"

#include "common/formats.h"
#include "common/services.h"
#include "common/ui/fields.h"
#include "store/database_folder.h"
#include "store/record_store.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace accounts {

namespace {

const QString kNotFound = QStringLiteral("Cliente no encontrado en la Base de Datos");

// Captions of Text1 .. Text11, in order.
const char *const kCaptions[] = {"Codigo:",  "Nom. y Ape.:", "DNI/CUIT:", "Domicilio:", "Ciudad:",  "C.P.",
                                 "Provincia:", "Telefono:",  "E-Mail:",   "Fax:",       "Contacto:"};

QPushButton *pictureButton(QWidget *parent, const char *name, QStyle::StandardPixmap icon)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(parent->style()->standardIcon(icon));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

// The customer fields shown in Text1 .. Text11, in order.
const QList<QString Customer::*> &boxMembers()
{
    static const QList<QString Customer::*> members{
        &Customer::code, &Customer::name,  &Customer::cuit, &Customer::address, &Customer::city,   &Customer::postalCode,
        &Customer::province, &Customer::phone, &Customer::mail, &Customer::fax, &Customer::contact};
    return members;
}

} // namespace

Clientes::Clientes(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Clientes"));
    setWindowTitle(QStringLiteral("Clientes"));

    m_db = store::DatabaseFolder::current().open(store::files::Clientes);
    m_data1 = std::make_unique<store::TableView>(*m_db, QStringLiteral("CLIENTES"));
    m_data1->setIndex(QStringLiteral("COD_CLIENT"));
    m_data2 = std::make_unique<store::TableView>(*m_db, QStringLiteral("CLIENTES"));

    auto *grid = new QGridLayout;
    for (int i = 0; i < 11; ++i) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        QFont bold = box->font();
        bold.setBold(true);
        box->setFont(bold);
        QPalette blue = box->palette();
        blue.setColor(QPalette::Text, Qt::blue);
        box->setPalette(blue);
        ui::setupField(box, {.upper = true, .comma = false, .selectOnClick = true});
        m_text << box;
    }
    m_combo1 = new QComboBox(this);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setEditable(true);
    m_combo1->setInsertPolicy(QComboBox::NoInsert);
    ui::setupField(m_combo1->lineEdit(), {.upper = true, .comma = false, .selectOnClick = false});

    auto *command5 = pictureButton(this, "Command5", QStyle::SP_FileDialogContentsView);
    auto *codeRow = new QHBoxLayout;
    codeRow->addWidget(command5);
    codeRow->addWidget(m_text[0]);
    codeRow->addStretch();
    m_text[0]->setMaximumWidth(100);

    int row = 0;
    grid->addWidget(new QLabel(QString::fromUtf8(kCaptions[0]), this), row, 0);
    grid->addLayout(codeRow, row++, 1);
    for (int i = 1; i < 3; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf8(kCaptions[i]), this), row, 0);
        grid->addWidget(m_text[i], row++, 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("Tipo IVA:"), this), row, 0);
    grid->addWidget(m_combo1, row++, 1);
    for (int i = 3; i < 11; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf8(kCaptions[i]), this), row, 0);
        grid->addWidget(m_text[i], row++, 1);
    }

    // Current account: balance, last payment, state.
    auto *account = new QGroupBox(QStringLiteral("Saldo Cuenta Corriente"), this);
    auto *accountLayout = new QGridLayout(account);
    m_label13 = new QLabel(this);
    m_label13->setObjectName(QStringLiteral("Label13"));
    m_label15 = new QLabel(this);
    m_label15->setObjectName(QStringLiteral("Label15"));
    for (QLabel *l : {m_label13, m_label15}) {
        QPalette red = l->palette();
        red.setColor(QPalette::WindowText, Qt::red);
        l->setPalette(red);
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
    }
    accountLayout->addWidget(new QLabel(QStringLiteral("$"), this), 0, 0);
    accountLayout->addWidget(m_label13, 0, 1);
    accountLayout->addWidget(new QLabel(QStringLiteral("Ultimo Pago"), this), 1, 0);
    accountLayout->addWidget(m_label15, 1, 1);
    auto *state = new QGroupBox(QStringLiteral("Estado Cuenta Corriente"), this);
    auto *stateLayout = new QVBoxLayout(state);
    m_option1 = new QRadioButton(QStringLiteral("Habilitada"), state);
    m_option1->setObjectName(QStringLiteral("Option1"));
    m_option2 = new QRadioButton(QStringLiteral("Suspendida"), state);
    m_option2->setObjectName(QStringLiteral("Option2"));
    m_estado = new QButtonGroup(this);
    m_estado->addButton(m_option1);
    m_estado->addButton(m_option2);
    stateLayout->addWidget(m_option1);
    stateLayout->addWidget(m_option2);

    m_text17 = new QLineEdit(this);
    m_text17->setObjectName(QStringLiteral("Text17"));
    m_text17->setEnabled(false);
    m_text17->setReadOnly(true);
    m_text17->setAlignment(Qt::AlignCenter);
    m_text17->setMaximumWidth(110);

    auto *command1 = pictureButton(this, "Command1", QStyle::SP_ArrowLeft);
    auto *command2 = pictureButton(this, "Command2", QStyle::SP_ArrowRight);
    auto *side = new QVBoxLayout;
    side->addWidget(m_text17, 0, Qt::AlignRight);
    side->addWidget(account);
    side->addWidget(state);
    auto *browseRow = new QHBoxLayout;
    browseRow->addWidget(command1);
    browseRow->addWidget(command2);
    side->addLayout(browseRow);
    side->addStretch();

    auto *buttons = new QHBoxLayout;
    const std::pair<const char *, const char *> captions[] = {
        {"cmdAgregar", "&Agregar"}, {"cmdBorrar", "&Borrar"}, {"cmdGrabar", "&Grabar"}, {"cmdCerrar", "&Cerrar"}};
    QHash<QString, QPushButton *> byName;
    for (const auto &[name, caption] : captions) {
        auto *b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        ui::setupButton(b);
        buttons->addWidget(b);
        byName.insert(QString::fromLatin1(name), b);
    }

    auto *top = new QHBoxLayout;
    top->addLayout(grid, 3);
    top->addLayout(side, 2);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addLayout(buttons);

    // Keys: Enter forward, Up and Down along the ring (the VAT list keeps
    // its own arrows), Escape in the code opens the picker.
    ui::onKey(m_text[0], Qt::Key_Return, [this] { lookupOnEnter(); });
    ui::onKey(m_text[0], Qt::Key_Escape, [this] { openPicker(); });
    ui::enterMovesTo(m_text[1], m_text[2]);
    ui::onKey(m_text[2], Qt::Key_Return, [this] { m_combo1->setFocus(); });
    ui::onKey(m_combo1, Qt::Key_Return, [this] { ui::focusAndSelect(m_text[3]); });
    ui::onKey(m_combo1->lineEdit(), Qt::Key_Return, [this] { ui::focusAndSelect(m_text[3]); });
    for (int i = 3; i < 10; ++i)
        ui::enterMovesTo(m_text[i], m_text[i + 1]);
    ui::onKey(m_text[10], Qt::Key_Return, [] {});
    // The ring: Text1, Text2, Text3, Combo1, Text4 .. Text11.
    QList<QWidget *> ring{m_text[0], m_text[1], m_text[2], m_combo1};
    for (int i = 3; i < 11; ++i)
        ring << m_text[i];
    const int n = int(ring.size());
    for (int i = 0; i < n; ++i) {
        if (ring[i] == m_combo1)
            continue;
        auto go = [this](QWidget *w) {
            if (w == m_combo1)
                m_combo1->setFocus();
            else
                ui::focusAndSelect(w);
        };
        QWidget *next = ring[(i + 1) % n];
        QWidget *previous = ring[(i + n - 1) % n];
        ui::onKey(ring[i], Qt::Key_Down, [go, next] { go(next); });
        ui::onKey(ring[i], Qt::Key_Up, [go, previous] { go(previous); });
    }

    connect(byName[QStringLiteral("cmdAgregar")], &QPushButton::clicked, this, &Clientes::CrearCliente);
    connect(byName[QStringLiteral("cmdBorrar")], &QPushButton::clicked, this, &Clientes::borrar);
    connect(byName[QStringLiteral("cmdGrabar")], &QPushButton::clicked, this, &Clientes::grabar);
    connect(byName[QStringLiteral("cmdCerrar")], &QPushButton::clicked, this, &QWidget::close);
    connect(command1, &QPushButton::clicked, this, [this] { browse(false); });
    connect(command2, &QPushButton::clicked, this, [this] { browse(true); });
    connect(command5, &QPushButton::clicked, this, &Clientes::openPicker);

    Blanquear();
    m_text17->setText(fmt::formatDate(services::today()));
    CargarComboIVA();
}

Clientes::~Clientes() = default;

void Clientes::CargarComboIVA()
{
    if (m_combo1->count() == 0)
        m_combo1->addItems(vatCategories());
}

void Clientes::Blanquear()
{
    for (QLineEdit *box : std::as_const(m_text))
        box->clear();
    m_combo1->setEditText(QString());
    m_label13->setText(QStringLiteral("0"));
    m_label15->clear();
    m_estado->setExclusive(false);
    m_option1->setChecked(false);
    m_option2->setChecked(false);
    m_estado->setExclusive(true);
}

void Clientes::showRecord(const store::TableView &view, bool withLastPayment)
{
    Customer shown;
    for (const auto &[field, member] : customerFields())
        shown.*member = view.value(field);
    const auto &boxes = boxMembers();
    for (int i = 0; i < boxes.size(); ++i)
        if (!(shown.*boxes[i]).isEmpty())
            m_text[i]->setText(shown.*boxes[i]);
    const QString saldo = view.value(QStringLiteral("SALDO"));
    if (!saldo.isEmpty())
        m_label13->setText(fmt::formatNumber(view.number(QStringLiteral("SALDO")), QStringLiteral("0.00")));
    if (!shown.vat.isEmpty())
        m_combo1->setEditText(shown.vat);
    const QString estado = view.value(QStringLiteral("ESTADO"));
    if (estado == Habilitada)
        m_option1->setChecked(true);
    else if (estado == Suspendida)
        m_option2->setChecked(true);
    if (withLastPayment)
        m_label15->setText(view.value(QStringLiteral("ULT_PAGO")));
}

void Clientes::CargaDesdeBaseDatos()
{
    showRecord(*m_data1, true);
}

void Clientes::CargaDesdeBaseDatos2()
{
    // Browsing shows the last payment too, as a lookup does.
    showRecord(*m_data2, true);
}

void Clientes::lookupOnEnter()
{
    if (showCustomerOfText1())
        ui::focusAndSelect(m_text[1]);
}

bool Clientes::showCustomerOfText1()
{
    const QString code = m_text[0]->text();
    if (code.isEmpty())
        return false;
    if (!m_data1->seek(code)) {
        services::inform(QStringLiteral("Error"), kNotFound);
        Blanquear();
        return false;
    }
    Blanquear();
    CargaDesdeBaseDatos();
    m_proposedCode.clear();
    return true;
}

void Clientes::BuscarEntrada()
{
    showCustomerOfText1();
}

void Clientes::CrearCliente()
{
    Blanquear();
    m_proposedCode = nextCustomerCode(*m_data2);
    m_text[0]->setText(m_proposedCode);
    m_option1->setChecked(true);
}

Customer Clientes::fromBoxes() const
{
    Customer c;
    const auto &boxes = boxMembers();
    for (int i = 0; i < boxes.size(); ++i)
        c.*boxes[i] = m_text[i]->text();
    c.vat = m_combo1->currentText();
    c.estado = m_option1->isChecked() ? Habilitada : m_option2->isChecked() ? Suspendida : QString();
    return c;
}

void Clientes::grabar()
{
    if (m_text[0]->text().isEmpty())
        return;
    const SaveResult saved = saveCustomer(*m_db, fromBoxes(), m_proposedCode);
    m_proposedCode.clear();
    if (saved.codeTaken) {
        m_text[0]->setText(saved.code);
        services::inform(QStringLiteral("Informacion"),
                         QStringLiteral("Otra estación guardó un cliente con el código propuesto; "
                                        "este cliente se guardó con el código %1.")
                             .arg(saved.code));
    }
    m_data1->seek(saved.code);
    services::exclaim(QStringLiteral("Guardar"), QStringLiteral("Cliente Guardado, Precione Aceptar para Continuar"));
}

void Clientes::borrar()
{
    if (m_text[0]->text().isEmpty()) {
        services::critical(QStringLiteral("Error"), QStringLiteral("Debe poner el Codigo del Cliente a Borrar"));
        return;
    }
    BorrarCliente();
    Blanquear();
}

void Clientes::BorrarCliente()
{
    const QString code = m_text[0]->text();
    if (!showCustomerOfText1())
        return;
    const bool yes = services::askYesNo(QStringLiteral("Eliminar Cliente --> ") + code,
                                        QStringLiteral("¿Confirme la Eliminación del Cliente? --> ") + m_text[1]->text());
    if (!yes)
        return;
    if (m_data1->seek(code)) {
        m_data1->deleteCurrent();
        m_data1->moveFirst();
    }
}

void Clientes::browse(bool forward)
{
    if (forward) {
        m_data2->moveNext();
        if (m_data2->eof()) {
            services::exclaim(QStringLiteral("Mensaje"),
                              QStringLiteral("Fin del Archivo, Aceptar para ir al Primer Registro"));
            m_data2->moveFirst();
        }
    } else {
        m_data2->movePrevious();
        if (m_data2->bof()) {
            services::exclaim(QStringLiteral("Mensaje"),
                              QStringLiteral("Cominezo del Archivo, Aceptar para ir al Ultimo Registro"));
            m_data2->moveLast();
        }
    }
    Blanquear();
    m_proposedCode.clear();
    if (m_data2->hasRecord())
        CargaDesdeBaseDatos2();
}

void Clientes::openPicker()
{
    openConsListaCliente(this);
}

} // namespace accounts

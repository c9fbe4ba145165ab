#include "sales/invoice_window.h"

#include "accounts/customer_pickers.h"
#include "common/services.h"
#include "common/ui/fields.h"
#include "common/ui/twips.h"
#include "store/database_folder.h"
#include "store/record_store.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace sales {

namespace {

// The customer block stands between the title and the grid.
constexpr int kHeightTwips = 6255;
constexpr int kGridTopTwips = 1665;
constexpr int kFirstLineTop = 600;
constexpr int kSecondLineTop = 1080;
constexpr int kFieldHeight = 375;

SalesWindowDesign windowDesign(const InvoiceWindowKind &kind)
{
    SalesWindowDesign d;
    d.objectName = kind.objectName;
    d.windowTitle = kind.windowTitle;
    d.titleLabel = kind.titleLabel;
    d.paymentWindow = kind.paymentWindow;
    d.noun = QStringLiteral("comprobante");
    d.heightTwips = kHeightTwips;
    d.gridTopTwips = kGridTopTwips;
    d.gridOptions.vatColumns = true;
    d.gridOptions.pickerKind = kind.articlePicker;
    return d;
}

QLabel *caption(QWidget *parent, const QString &text, int left, int top, int width)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(ui::twips(left), ui::twipsY(top + 60), ui::twips(width), ui::twipsY(kFieldHeight - 60));
    return l;
}

QLineEdit *field(QWidget *parent, const char *name, int left, int top, int width)
{
    auto *f = new QLineEdit(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setGeometry(ui::twips(left), ui::twipsY(top), ui::twips(width), ui::twipsY(kFieldHeight));
    QFont bold = f->font();
    bold.setBold(true);
    f->setFont(bold);
    ui::setupField(f);
    return f;
}

} // namespace

InvoiceWindow::InvoiceWindow(const InvoiceWindowKind &kind, QWidget *parent)
    : SalesWindow(windowDesign(kind), parent), m_kind(kind)
{
    m_customersDb = store::DatabaseFolder::current().open(store::files::Clientes);
    m_customers = std::make_unique<store::TableView>(*m_customersDb, QStringLiteral("CLIENTES"));
    m_customers->setIndex(QStringLiteral("COD_CLIENT"));
    buildCustomerBlock();
}

InvoiceWindow::~InvoiceWindow() = default;

void InvoiceWindow::buildCustomerBlock()
{
    caption(this, QStringLiteral("Codigo:"), 120, kFirstLineTop, 735);
    m_text7 = field(this, "Text7", 900, kFirstLineTop, 855);
    caption(this, QStringLiteral("Ape. y Nom.:"), 1860, kFirstLineTop, 1230);
    m_text4 = field(this, "Text4", 3120, kFirstLineTop, 4395);

    caption(this, QStringLiteral("IVA:"), 120, kSecondLineTop, 735);
    // An editable field without a list, showing its own name until a
    // customer is loaded or a text typed.
    m_combo1 = field(this, "Combo1", 900, kSecondLineTop, 2175);
    m_combo1->setText(QStringLiteral("Combo1"));
    caption(this, QStringLiteral("CUIT:"), 3240, kSecondLineTop, 600);
    m_text5 = field(this, "Text5", 3840, kSecondLineTop, 1695);

    m_option1 = new QRadioButton(QStringLiteral("Contado"), this);
    m_option1->setObjectName(QStringLiteral("Option1"));
    m_option1->setGeometry(ui::twips(5760), ui::twipsY(kSecondLineTop), ui::twips(1095), ui::twipsY(kFieldHeight));
    m_option2 = new QRadioButton(QStringLiteral("Cta.Cte."), this);
    m_option2->setObjectName(QStringLiteral("Option2"));
    m_option2->setGeometry(ui::twips(6900), ui::twipsY(kSecondLineTop), ui::twips(1095), ui::twipsY(kFieldHeight));
    m_option1->setChecked(true);

    // Above the right end of the grid.
    m_cmdPrueba = new QPushButton(this);
    m_cmdPrueba->setObjectName(QStringLiteral("cmdPrueba"));
    m_cmdPrueba->setGeometry(ui::twips(7860), ui::twipsY(1425), ui::twips(255), ui::twipsY(225));
    m_cmdPrueba->setFocusPolicy(Qt::NoFocus);
    connect(m_cmdPrueba, &QPushButton::clicked, this, [this] { PruebaImpresora(); });

    ui::onKey(m_text7, Qt::Key_Escape, [this] { ClienteEscape(); });
    ui::onKey(m_text7, Qt::Key_Return, [this] { ClienteEnter(); });
    ui::enterMovesTo(m_text4, m_combo1);
    ui::enterMovesTo(m_combo1, m_text5);
    ui::onKey(m_combo1, Qt::Key_Down, [this] { ui::focusAndSelect(m_text5); });
    ui::onKey(m_combo1, Qt::Key_Up, [this] { ui::focusAndSelect(m_text4); });
    ui::onKey(m_text5, Qt::Key_Return, [this] { grid()->focusCell(ItemGrid::Column::Code, 0); });

    setTabOrder(numberField(), m_text7);
    setTabOrder(m_text7, m_text4);
    setTabOrder(m_text4, m_combo1);
    setTabOrder(m_combo1, m_text5);
    setTabOrder(m_text5, grid());
}

// ---- Customer block -------------------------------------------------------------

void InvoiceWindow::ClienteEnter()
{
    const QString code = m_text7->text();
    if (code.isEmpty()) {
        ui::focusAndSelect(m_text4);
        return;
    }
    bool found = false;
    try {
        found = m_customers->seek(code);
    } catch (const store::StoreError &e) {
        services::critical(QStringLiteral("Error"), e.message());
        return;
    }
    if (!found) {
        services::inform(QStringLiteral("Error"), QStringLiteral("Cliente no encontrado en la Base de Datos"));
        ui::focusAndSelect(m_text7);
        return;
    }
    CargaDesdeBaseDatos();
    ui::focusAndSelect(m_text4);
}

void InvoiceWindow::CargaDesdeBaseDatos()
{
    if (!m_customers->hasRecord())
        return;
    const CustomerBlock shown{m_text4->text(), m_combo1->text(), m_text5->text()};
    const CustomerBlock stored{m_customers->value(QStringLiteral("RAZON_SOC")),
                               m_customers->value(QStringLiteral("TIPO_IVA")),
                               m_customers->value(QStringLiteral("CUIT"))};
    const CustomerBlock now = customerBlockAfterLookup(shown, stored);
    m_text4->setText(now.name);
    m_combo1->setText(now.vat);
    m_text5->setText(now.cuit);
}

void InvoiceWindow::ClienteEscape()
{
    try {
        accounts::openCustomerPicker(m_kind.customerPicker, this, QStringLiteral("Text7"));
    } catch (const store::StoreError &e) {
        services::critical(QStringLiteral("Error"), e.message());
    }
}

// ---- Printing -------------------------------------------------------------------

InvoiceCustomer InvoiceWindow::printedCustomer()
{
    InvoiceCustomer c;
    c.name = m_text4->text();
    c.identity = m_text5->text();
    const QString code = m_text7->text();
    if (!code.isEmpty() && m_customers->seek(code)) {
        c.address = m_customers->value(QStringLiteral("DOMICILIO"));
        c.city = m_customers->value(QStringLiteral("CIUDAD"));
        c.province = m_customers->value(QStringLiteral("PROVINCIA"));
    }
    return c;
}

SalesWindow::PrintJob InvoiceWindow::preparePrint(const Document &document)
{
    const QString vat = document.vatCategory;
    const auto version = invoiceVersion(vat, m_kind.kind);
    if (!version)
        return {{},
                {},
                QStringLiteral("La categoría de IVA «%1» no lleva %2: no se imprimió ningún comprobante fiscal.")
                    .arg(vat, m_kind.documentName)};
    InvoiceCustomer customer;
    try {
        customer = printedCustomer();
    } catch (const store::StoreError &e) {
        return {e.message(), {}, {}};
    }
    const InvoiceBuild build = buildInvoice(m_kind.kind, *version, customer, grid()->rows(), EnvioPago(),
                                            [this](const QString &code) { return articleVat(code); });
    if (!build.invoice)
        return {build.error, {}, {}};
    const Invoice invoice = *build.invoice;
    return {{},
            [this, invoice](const QString &number) {
                Invoice numbered = invoice;
                numbered.number = number;
                return printInvoice(printer(), numbered);
            },
            {}};
}

PrintOutcome InvoiceWindow::PruebaImpresora()
{
    PrintOutcome printed;
    try {
        printed = printTestInvoice(printer());
    } catch (const std::exception &e) {
        printed.completed = false;
        printed.refused = QString::fromLocal8Bit(e.what());
    }
    if (!printed.completed)
        services::exclaim(QStringLiteral("Impresora Fiscal"),
                          QStringLiteral("El ticket factura de prueba no se completó: la impresora fiscal "
                                         "rechazó «%1».")
                              .arg(printed.refused));
    return printed;
}

// ---- Storing and loading -----------------------------------------------------------

void InvoiceWindow::writeCustomer(Document &document) const
{
    document.customerCode = m_text7->text();
    document.customerName = m_text4->text();
    document.vatCategory = m_combo1->text();
    document.cuit = m_text5->text();
}

void InvoiceWindow::showStoredCustomer(const Document &document)
{
    m_text7->setText(document.customerCode);
    m_text4->setText(document.customerName);
    m_combo1->setText(document.vatCategory);
    m_text5->setText(document.cuit);
    m_loadedCustomer = Document{};
    writeCustomer(m_loadedCustomer);
}

DocumentTables::StoreMode InvoiceWindow::storeMode() const
{
    const DocumentTables::StoreMode mode = SalesWindow::storeMode();
    if (mode != DocumentTables::StoreMode::Reprint)
        return mode;
    Document now;
    writeCustomer(now);
    const bool sameCustomer = now.customerCode == m_loadedCustomer.customerCode
        && now.customerName == m_loadedCustomer.customerName && now.vatCategory == m_loadedCustomer.vatCategory
        && now.cuit == m_loadedCustomer.cuit;
    return sameCustomer ? mode : DocumentTables::StoreMode::New;
}

void InvoiceWindow::focusAfterNewNumber() { m_text7->setFocus(); }

void InvoiceWindow::focusAfterLoading() { ui::focusAndSelect(m_text7); }

} // namespace sales

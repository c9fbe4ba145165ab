#include "sales/sales_window.h"

#include "common/formats.h"
#include "common/session.h"
#include "common/ui/espere.h"
#include "common/ui/fields.h"
#include "common/ui/pausa.h"
#include "common/ui/twips.h"
#include "store/database_folder.h"
#include "store/record_store.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPushButton>

namespace sales {

namespace {

const QString kError = QStringLiteral("Error");

QFont arialBlack(double points)
{
    QFont f(QStringLiteral("Arial Black"));
    f.setPointSizeF(points);
    f.setBold(true);
    return f;
}

QLabel *label(QWidget *parent, const QString &text, int left, int top, int width, int height)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(ui::twips(left), ui::twipsY(top), ui::twips(width), ui::twipsY(height));
    return l;
}

// The main window the working window sits in (or any shown one).
QMainWindow *mainWindowOf(QWidget *w)
{
    if (auto *m = qobject_cast<QMainWindow *>(w->window()))
        return m;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<QMainWindow *>(top); m && m->isVisible())
            return m;
    return nullptr;
}

} // namespace

void SalesWindow::tell(services::Icon icon, const QString &title, const QString &text)
{
    ui::Espere::hide();
    services::messages().show({title, text, icon, false});
}

SalesWindow::SalesWindow(const SalesWindowDesign &design, QWidget *parent) : QWidget(parent), m_design(design)
{
    setObjectName(m_design.objectName);
    setWindowTitle(m_design.windowTitle);
    m_ticketsDb = store::DatabaseFolder::current().open(store::files::Tickets);
    m_documents = std::make_unique<DocumentTables>(*m_ticketsDb);
    buildControls();
    m_vatArticles = std::make_unique<store::TableView>(m_grid->articleDatabase(), QStringLiteral("Articulos"));
    m_vatArticles->setIndex(QStringLiteral("art"));

    m_imprimirTicket = false;
    Blanquear();
    m_text1->setText(fmt::formatDate(services::today()));
}

SalesWindow::~SalesWindow() = default;

void SalesWindow::buildControls()
{
    setFixedSize(ui::twips(10695), ui::twipsY(m_design.heightTwips));

    auto *title = label(this, m_design.titleLabel, 120, 60, 6240, 540);
    title->setObjectName(QStringLiteral("Label1"));
    // Where "Arial Black" is missing, a wider face stands in: it is made
    // smaller until the title fits.
    QFont titleFont = arialBlack(20.25);
    while (QFontMetrics(titleFont).horizontalAdvance(title->text()) > title->width() && titleFont.pointSizeF() > 10)
        titleFont.setPointSizeF(titleFont.pointSizeF() - 0.5);
    title->setFont(titleFont);

    label(this, QStringLiteral("Nº Int:"), 6480, 180, 700, 300);
    m_text2 = new QLineEdit(this);
    m_text2->setObjectName(QStringLiteral("Text2"));
    m_text2->setGeometry(ui::twips(7200), ui::twipsY(120), ui::twips(1095), ui::twipsY(375));
    m_text2->setAlignment(Qt::AlignCenter);
    ui::setupField(m_text2);
    ui::onKey(m_text2, Qt::Key_Return, [this] { NumeroEnter(); });
    ui::onKey(m_text2, Qt::Key_Escape, [this] { NumeroEscape(); });

    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setGeometry(ui::twips(9240), ui::twipsY(120), ui::twips(1335), ui::twipsY(375));
    m_text1->setAlignment(Qt::AlignCenter);
    m_text1->setReadOnly(true);
    m_text1->setFocusPolicy(Qt::NoFocus);

    const int gridTop = m_design.gridTopTwips;
    m_grid = new ItemGrid(m_design.gridOptions, this);
    m_grid->move(ui::twips(120), ui::twipsY(gridTop));

    // The total and the buttons stand beside the grid, at the same height
    // in every window.
    const int right = 8400;
    const int shift = gridTop - 720;
    label(this, QStringLiteral("TOTAL $"), right, 960 + shift, 2175, 360)->setFont(arialBlack(12));
    m_text6 = new QLineEdit(this);
    m_text6->setObjectName(QStringLiteral("Text6"));
    m_text6->setGeometry(ui::twips(right), ui::twipsY(1320 + shift), ui::twips(2175), ui::twipsY(615));
    m_text6->setReadOnly(true);
    m_text6->setFocusPolicy(Qt::NoFocus);
    m_text6->setAlignment(Qt::AlignCenter);
    m_text6->setFont(arialBlack(18));
    QPalette totalColours = m_text6->palette();
    totalColours.setColor(QPalette::Text, Qt::red);
    totalColours.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xC0));
    m_text6->setPalette(totalColours);

    m_command1 = new QPushButton(QStringLiteral("&Imprimir"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setGeometry(ui::twips(right), ui::twipsY(3240 + shift), ui::twips(2175), ui::twipsY(555));
    ui::setupButton(m_command1);
    connect(m_command1, &QPushButton::clicked, this, &SalesWindow::Imprimir);

    m_command2 = new QPushButton(QStringLiteral("&Cerrar"), this);
    m_command2->setObjectName(QStringLiteral("Command2"));
    m_command2->setGeometry(ui::twips(right), ui::twipsY(3960 + shift), ui::twips(2175), ui::twipsY(555));
    ui::setupButton(m_command2);
    connect(m_command2, &QPushButton::clicked, this, [this] {
        QWidget *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
        (frame ? frame : this)->close();
    });

    m_grid->setTotalField(m_text6);
    m_grid->setEndButton(m_command1);
    setTabOrder(m_text2, m_grid);
}

// ---- Number field -----------------------------------------------------------

void SalesWindow::NumeroEnter()
{
    const QString number = formatDocumentNumber(m_text2->text());
    if (!askToDiscard())
        return;
    m_text2->setText(number);
    if (number.isEmpty()) {
        Blanquear();
        QString next;
        try {
            next = m_documents->nextNumber();
        } catch (const NumberingError &e) {
            services::critical(kError, e.message());
            return;
        }
        m_text2->setText(next);
        m_text1->setText(fmt::formatDate(services::today()));
        focusAfterNewNumber();
        return;
    }
    const auto found = m_documents->find(number);
    if (!found) {
        services::inform(kError, QStringLiteral("Ticket no encontrado en la Base de Datos"));
        Blanquear();
        return;
    }
    Blanquear();
    CargaticketDesdeBaseDatos(*found);
    focusAfterLoading();
}

void SalesWindow::focusAfterNewNumber() { m_grid->focusCell(ItemGrid::Column::Code, 0); }

void SalesWindow::focusAfterLoading() { ui::focusAndSelect(m_text2); }

void SalesWindow::NumeroEscape()
{
    QMainWindow *main = mainWindowOf(this);
    QWidget *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!(frame ? frame : this)->close())
        return;
    if (main)
        if (QWidget *button = main->findChild<QWidget *>(QStringLiteral("tbTicket")))
            button->setFocus();
}

bool SalesWindow::askToDiscard()
{
    if (!hasUnstoredEntries())
        return true;
    return services::askYesNo(m_design.windowTitle,
                              QStringLiteral("El %1 en pantalla tiene artículos y no se imprimió. "
                                             "¿Descartarlo?")
                                  .arg(m_design.noun),
                              services::Icon::Question);
}

// ---- Printing -----------------------------------------------------------------

void SalesWindow::Imprimir()
{
    if (m_text2->text().trimmed().isEmpty()) {
        services::critical(kError, QStringLiteral("Falta el número del %1: presione Enter en «Nº Int:» "
                                                  "para tomar uno.")
                                       .arg(m_design.noun));
        ui::focusAndSelect(m_text2);
        return;
    }
    if (const auto p = m_grid->firstProblem(true)) {
        services::critical(kError, p->message);
        return;
    }
    if (!m_pago)
        m_pago = new Pago(*this, m_design.paymentWindow, this);
    m_pago->abrir();
}

bool SalesWindow::ImpresionTicketFinal()
{
    const QString &noun = m_design.noun;
    if (m_text2->text().trimmed().isEmpty()) {
        tell(services::Icon::Critical, kError,
             QStringLiteral("Falta el número del %1: presione Enter en «Nº Int:» para tomar uno. "
                            "No se imprimió nada.")
                 .arg(noun));
        return false;
    }
    if (const auto p = m_grid->firstProblem(true)) {
        tell(services::Icon::Critical, kError, p->message + QStringLiteral(" No se imprimió nada."));
        return false;
    }
    Sumar();
    const Document doc = document();
    const PrintJob job = preparePrint(doc);
    if (!job.error.isEmpty()) {
        tell(services::Icon::Critical, kError, job.error + QStringLiteral(" No se imprimió nada."));
        return false;
    }

    // Stored first: a failure of the printer, or of the workstation while
    // printing, never loses the sale, and the number printed is the number
    // stored.
    DocumentTables::StoreResult stored;
    try {
        stored = CargaBaseDatos();
    } catch (const store::StoreError &e) {
        tell(services::Icon::Critical, kError,
             e.message() + QStringLiteral("\nEl %1 no se guardó ni se imprimió: intente nuevamente.").arg(noun));
        return false;
    } catch (const NumberingError &e) {
        tell(services::Icon::Critical, kError,
             e.message() + QStringLiteral("\nEl %1 no se guardó ni se imprimió.").arg(noun));
        return false;
    }
    m_text2->setText(stored.number);

    PrintOutcome printed;
    if (job.print) {
        try {
            printed = job.print(stored.number);
        } catch (const std::exception &e) {
            printed.completed = false;
            printed.refused = QString::fromLocal8Bit(e.what());
        }
    }
    m_imprimirTicket = false;

    if (stored.outcome == DocumentTables::Outcome::Renumbered) {
        const QString how = printed.completed ? QStringLiteral(" y se imprimió") : QString();
        tell(services::Icon::Information, QStringLiteral("Informacion"),
             m_loadedNumber == doc.number
                 ? QStringLiteral("El %4 %1 se modificó después de guardado: se guardó%2 como un %4 nuevo "
                                  "con el Nº Int %3.")
                       .arg(doc.number, how, stored.number, noun)
                 : QStringLiteral("El Nº Int %1 ya lo había usado otra estación: este %4 se guardó%2 con el "
                                  "Nº Int %3.")
                       .arg(doc.number, how, stored.number, noun));
    }
    if (!job.print)
        tell(services::Icon::Information, QStringLiteral("Informacion"),
             job.notPrinted + QStringLiteral("\nLa copia quedó guardada con el Nº Int %1.").arg(stored.number));
    else if (!printed.completed)
        tell(services::Icon::Exclamation, QStringLiteral("Impresora Fiscal"),
             QStringLiteral("El %3 fiscal no se completó: la impresora fiscal rechazó «%1».\n"
                            "La copia quedó guardada con el Nº Int %2. Para imprimirlo otra vez, escriba ese "
                            "número en «Nº Int:», presione Enter y luego «Imprimir».")
                 .arg(printed.refused, stored.number, noun));

    Blanquear();
    Pausa();
    return true;
}

DocumentTables::StoreResult SalesWindow::CargaBaseDatos()
{
    return m_documents->store(document(), storeMode());
}

DocumentTables::StoreMode SalesWindow::storeMode() const
{
    return m_loadedNumber.isEmpty() ? DocumentTables::StoreMode::New : DocumentTables::StoreMode::Reprint;
}

std::optional<double> SalesWindow::articleVat(const QString &code)
{
    if (!m_vatArticles->seek(code))
        return std::nullopt;
    return m_vatArticles->number(QStringLiteral("IV1"));
}

Document SalesWindow::document() const
{
    Document d;
    d.number = m_text2->text().trimmed();
    d.date = m_text1->text();
    writeCustomer(d);
    d.total = m_text6->text();
    d.lines = m_grid->documentLines();
    return d;
}

// ---- Loading, clearing ---------------------------------------------------------

void SalesWindow::CargaticketDesdeBaseDatos(const Document &document)
{
    session::FilaActual() = 0;
    m_text2->setText(document.number);
    const int filled = m_grid->loadLines(document.lines);
    session::FilaActual() = std::min(filled, kGridRows - 1);
    m_text1->setText(document.date);
    const auto total = fmt::parseNumber(document.total);
    m_text6->setText(total ? fmt::formatNumber(*total, QStringLiteral("0.00")) : document.total);
    m_loadedNumber = document.number;
    showStoredCustomer(document);
    if (document.lines.size() > filled)
        services::inform(QStringLiteral("Informacion"),
                         QStringLiteral("El %4 %1 tiene %2 renglones; se muestran los primeros %3.")
                             .arg(document.number)
                             .arg(document.lines.size())
                             .arg(filled)
                             .arg(m_design.noun));
}

void SalesWindow::showStoredCustomer(const Document &) {}

void SalesWindow::Blanquear()
{
    m_grid->Blanquear();
    m_text2->clear();
    m_loadedNumber.clear();
}

bool SalesWindow::hasUnstoredEntries() const
{
    return m_loadedNumber.isEmpty() && m_grid->hasFilledRows();
}

QString SalesWindow::totalText() const { return m_text6->text(); }

void SalesWindow::focusNumberField()
{
    window()->activateWindow();
    ui::focusAndSelect(m_text2);
}

void SalesWindow::focusPrintButton()
{
    window()->activateWindow();
    m_command1->setFocus();
}

void SalesWindow::Sumar() { m_grid->Sumar(); }

void SalesWindow::Pausa() { ui::Pausa(100); }

void SalesWindow::closeEvent(QCloseEvent *event)
{
    if (!askToDiscard()) {
        event->ignore();
        return;
    }
    if (m_pago)
        m_pago->close();
    QWidget::closeEvent(event);
}

} // namespace sales

#pragma once

#include "sales/documents.h"
#include "sales/fiscal_printer.h"
#include "sales/pago_window.h"
#include "sales/ticket_printing.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QLineEdit;
class QPushButton;

namespace store {
class Database;
class TableView;
}

namespace sales {

class ItemGrid;

// The window "Ticket": a sale over the counter to a final consumer. The
// operator takes a number (Enter in the empty "Nº Int:"), enters the
// articles on the item grid, presses "&Imprimir" and types the amount
// tendered in the payment window "Pago"; the window then stores the ticket
// in "Tickets.mdb", prints it on the fiscal printer with the number stored,
// and clears itself. A stored ticket is shown again by typing its number.
//
// Controls: "Text2" (number), "Text1" (date, read-only), the item grid
// (see ItemGrid for its cells), "Text6" (total, locked), "Command1"
// ("&Imprimir"), "Command2" ("&Cerrar").
class Ticket : public QWidget, public PagoOwner {
    Q_OBJECT
public:
    // Opens "Tickets.mdb" and "Articulos.mdb" of the current database folder
    // (throws store::StoreError when it cannot) and shows an empty ticket
    // dated today.
    explicit Ticket(QWidget *parent = nullptr);
    ~Ticket() override;

    // ---- State the payment window reads and writes -------------------------
    bool ImprimirTicket() const { return m_imprimirTicket; }
    QString EnvioPago() const { return m_envioPago; }

    // ---- PagoOwner ----------------------------------------------------------
    QString totalText() const override;
    void setImprimirTicket(bool print) override { m_imprimirTicket = print; }
    bool imprimirTicket() const override { return m_imprimirTicket; }
    void setEnvioPago(const QString &amount) override { m_envioPago = amount; }
    // Checks the ticket, stores it (under the next free number when another
    // workstation stored the shown one meanwhile, and says so), then prints
    // it with the stored number, tells the operator when the printer did not
    // complete it, clears the window and pauses. Returns false, with a
    // message and nothing stored or printed, when there is no number, no
    // article, a row that is not right, or the store failed.
    bool ImpresionTicketFinal() override;
    void Blanquear() override;
    bool hasUnstoredEntries() const override;
    void focusNumberField() override;
    void focusPrintButton() override;

    // ---- Routines -----------------------------------------------------------
    // Enter in the number field: a new number, or a stored ticket shown.
    void NumeroEnter();
    // Escape in the number field: closes the window, focus to the main
    // window's "Ticket" toolbar button.
    void NumeroEscape();
    // "&Imprimir": checks the grid and shows the payment window.
    void Imprimir();
    void Sumar();
    void Pausa();
    // Stores the window's ticket; see DocumentTables::store.
    DocumentTables::StoreResult CargaBaseDatos();
    // Fills the window from a stored ticket (after Blanquear).
    void CargaticketDesdeBaseDatos(const Document &document);
    // Sends a ticket to the fiscal printer.
    PrintOutcome TicketConsumidorFinal(const ConsumerTicket &ticket);

    // The document the window shows, as it would be stored.
    Document document() const;
    ItemGrid *grid() const { return m_grid; }
    // The payment window; nullptr until "&Imprimir" first opened it.
    Pago *pago() const { return m_pago; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    std::optional<double> vatOf(const QString &code);
    bool askToDiscard();

    std::unique_ptr<store::Database> m_ticketsDb;
    std::unique_ptr<DocumentTables> m_documents;
    std::unique_ptr<store::TableView> m_vatArticles;  // VAT rates at printing
    PrinterFiscal m_printer;

    ItemGrid *m_grid = nullptr;
    QLineEdit *m_text1 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QLineEdit *m_text6 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    QPointer<Pago> m_pago;

    bool m_imprimirTicket = false;
    QString m_envioPago;
    // The number of the stored ticket the window shows (empty for a new one).
    QString m_loadedNumber;
};

} // namespace sales

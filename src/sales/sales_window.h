#pragma once

#include "common/services.h"
#include "sales/documents.h"
#include "sales/fiscal_printer.h"
#include "sales/item_grid.h"
#include "sales/pago_window.h"
#include "sales/ticket_printing.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace store {
class Database;
class TableView;
}

namespace sales {

// What sets one fiscal sales window apart from the others when it is built.
struct SalesWindowDesign {
    QString objectName;     // "Ticket", "TicketA", "TicketN"
    QString windowTitle;    // "Ticket", "Ticket Factura", "Nota Credito"
    QString titleLabel;     // "TICKET CONSUMIDOR FINAL" ...
    QString paymentWindow;  // objectName of the payment window: "Pago", "PagoA", "PagoN"
    // The document as the operator's messages name it ("ticket",
    // "comprobante"); a masculine noun.
    QString noun;
    int heightTwips = 5310;
    // Where the item grid starts; the controls under the title that a
    // window adds above the grid fit between 600 twips and this.
    int gridTopTwips = 720;
    ItemGridOptions gridOptions;
};

// The frame the three fiscal sales windows (Ticket, TicketA, TicketN)
// share: the number "Nº Int:" with its Enter and Escape, the date, the item
// grid, the total, "&Imprimir" with the payment window as its owner,
// "&Cerrar", the storing of the document in "Tickets.mdb" (under the next
// free number when another workstation took the shown one meanwhile), the
// printing with the stored number and the messages about its outcome, the
// reload of a stored document by its number, Blanquear and the question
// before a document that was not printed is thrown away.
//
// A window adds what differs through the protected hooks: the customer
// written into the stored document, what and how it prints, where the
// focus goes after a number is taken or a document loaded.
//
// Controls: "Label1" (title), "Text2" (number), "Text1" (date, read-only),
// the item grid (see ItemGrid for its cells), "Text6" (total, locked),
// "Command1" ("&Imprimir"), "Command2" ("&Cerrar").
class SalesWindow : public QWidget, public PagoOwner {
    Q_OBJECT
public:
    ~SalesWindow() override;

    // ---- State the payment window reads and writes -------------------------
    bool ImprimirTicket() const { return m_imprimirTicket; }
    QString EnvioPago() const { return m_envioPago; }

    // ---- PagoOwner ----------------------------------------------------------
    QString totalText() const override;
    void setImprimirTicket(bool print) override { m_imprimirTicket = print; }
    bool imprimirTicket() const override { return m_imprimirTicket; }
    void setEnvioPago(const QString &amount) override { m_envioPago = amount; }
    // Checks the document, stores it (under the next free number when
    // another workstation stored the shown one meanwhile, and says so), then
    // prints it with the stored number, tells the operator when the printer
    // did not complete it or when the document prints nothing, clears the
    // window and pauses. Returns false, with a message and nothing stored or
    // printed, when there is no number, no article, a row that is not right,
    // a document that cannot be prepared for the printer, or the store
    // failed.
    bool ImpresionTicketFinal() override;
    void Blanquear() override;
    bool hasUnstoredEntries() const override;
    void focusNumberField() override;
    void focusPrintButton() override;

    // ---- Routines -----------------------------------------------------------
    // Enter in the number field: a new number, or a stored document shown.
    void NumeroEnter();
    // Escape in the number field: closes the window, focus to the main
    // window's "Ticket" toolbar button.
    void NumeroEscape();
    // "&Imprimir": checks the grid and shows the payment window.
    void Imprimir();
    void Sumar();
    void Pausa();
    // Stores the window's document; see DocumentTables::store.
    DocumentTables::StoreResult CargaBaseDatos();
    // Fills the window from a stored document (after Blanquear).
    void CargaticketDesdeBaseDatos(const Document &document);

    // The document the window shows, as it would be stored.
    Document document() const;
    ItemGrid *grid() const { return m_grid; }
    // The payment window; nullptr until "&Imprimir" first opened it.
    Pago *pago() const { return m_pago; }

protected:
    // Opens "Tickets.mdb" and "Articulos.mdb" of the current database folder
    // (throws store::StoreError when it cannot) and shows an empty window
    // dated today.
    SalesWindow(const SalesWindowDesign &design, QWidget *parent);

    // What printing a document takes, decided before anything is stored.
    struct PrintJob {
        // Not empty: the document cannot go to the printer as it stands
        // (Spanish, for the operator); nothing is stored.
        QString error;
        // Sends the document, carrying the number it was stored under.
        // Empty: this document prints nothing, and only its copy is stored.
        std::function<PrintOutcome(const QString &number)> print;
        // Why nothing is printed (when print is empty), told to the operator
        // with the number of the stored copy.
        QString notPrinted;
    };
    virtual PrintJob preparePrint(const Document &document) = 0;
    // The customer fields of the stored header (cod_cli, also on the lines;
    // des_cli, tipo_iva, cuit).
    virtual void writeCustomer(Document &document) const = 0;
    // A document loaded by its number: what the window shows of its header
    // beyond number, date and total. Nothing by default.
    virtual void showStoredCustomer(const Document &document);
    // Where the operator goes on after a new number (the first code) and
    // after a stored document was shown (the number, selected).
    virtual void focusAfterNewNumber();
    virtual void focusAfterLoading();
    // How the shown document is stored: a new one, or the reprint of the
    // loaded one.
    virtual DocumentTables::StoreMode storeMode() const;

    // The VAT percent of an article (its IV1), nullopt when it is not in the
    // articles table.
    std::optional<double> articleVat(const QString &code);

    const SalesWindowDesign &design() const { return m_design; }
    PrinterFiscal &printer() { return m_printer; }
    QLineEdit *numberField() const { return m_text2; }
    QPushButton *printButton() const { return m_command1; }
    // The number of the stored document the window shows (empty for a new
    // one).
    const QString &loadedNumber() const { return m_loadedNumber; }
    // A message shown while printing, never hidden behind the waiting window.
    static void tell(services::Icon icon, const QString &title, const QString &text);

    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    bool askToDiscard();

    SalesWindowDesign m_design;
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
    QString m_loadedNumber;
};

} // namespace sales

#pragma once

#include "catalogue/article_search.h"
#include "sales/invoice_printing.h"
#include "sales/sales_window.h"

#include <memory>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace store {
class Database;
class TableView;
}

namespace sales {

// What sets the ticket-invoice window apart from the credit-note window.
struct InvoiceWindowKind {
    QString objectName;      // "TicketA", "TicketN"
    QString windowTitle;     // "Ticket Factura", "Nota Credito"
    QString titleLabel;      // "TICKET FACTURA", "NOTA CREDITO"
    QString paymentWindow;   // "PagoA", "PagoN"
    QString customerPicker;  // "ConsListaClienteA", "ConsListaClienteN"
    catalogue::ArticlePickerKind articlePicker = catalogue::ArticlePickerKind::TicketA;
    InvoiceKind kind = InvoiceKind::TicketFactura;
    // The fiscal document in the operator's messages: "ticket factura",
    // "nota de crédito".
    QString documentName;
};

// A fiscal document to an identified customer: the ticket-invoice TicketA
// and the credit note TicketN. The sales window of SalesWindow with a
// customer block above the grid; the VAT category shown chooses the version
// of the document (class A with prices without VAT, class B with VAT), and
// a category without a version prints nothing: the copy is stored and the
// operator is told.
//
// Customer block (objectName, caption):
//   "Text7"   "Codigo:"      customer code. Escape: the customer picker;
//                            Enter: the customer sought by COD_CLIENT, the
//                            code exactly as typed ("Cliente no encontrado
//                            en la Base de Datos" when it is not stored),
//                            then CargaDesdeBaseDatos and on to Text4. Enter
//                            on an empty code goes on to Text4 (a customer
//                            typed by hand).
//   "Text4"   "Ape. y Nom.:" name; Enter: Combo1.
//   "Combo1"  "IVA:"         VAT category text, an editable field without a
//                            list; shows "Combo1" until a customer is loaded
//                            or a text typed. Enter and Down: Text5; Up:
//                            Text4.
//   "Text5"   "CUIT:"        tax or identity number; Enter: the first code.
//   "Option1" "Contado", "Option2" "Cta.Cte.": the sale condition, Contado
//             when the window opens; it reaches neither printer nor copy.
//   "cmdPrueba" (no caption, above the right end of the grid): prints the
//             fixed test ticket-invoice; nothing is read or stored.
// The grid keeps the hidden columns Text30 (VAT rate) and Text31 (price
// without VAT). Blanquear keeps the customer block for the next document.
// The address lines of the document come from the customer whose code
// stands in Text7 when it is printed (blank when there is none).
class InvoiceWindow : public SalesWindow {
    Q_OBJECT
public:
    ~InvoiceWindow() override;

    InvoiceKind kind() const { return m_kind.kind; }

    // ---- Routines -----------------------------------------------------------
    // Enter in Text7.
    void ClienteEnter();
    // Escape in Text7: the customer picker, sorted, modal; it writes the
    // code it takes into Text7.
    void ClienteEscape();
    // The customer the customer view stands on into the block: name, VAT
    // category and tax number, each only when the stored one is not empty.
    void CargaDesdeBaseDatos();
    // The small button: the fixed test ticket-invoice; tells the operator
    // when the printer refused part of it.
    PrintOutcome PruebaImpresora();

protected:
    // Opens "Tickets.mdb", "Articulos.mdb" and "Clientes.mdb" of the current
    // database folder (throws store::StoreError when it cannot).
    InvoiceWindow(const InvoiceWindowKind &kind, QWidget *parent);

    PrintJob preparePrint(const Document &document) override;
    void writeCustomer(Document &document) const override;
    // A stored document brings back its customer as stored.
    void showStoredCustomer(const Document &document) override;
    void focusAfterNewNumber() override;
    void focusAfterLoading() override;
    // A loaded document whose customer was changed is a new document.
    DocumentTables::StoreMode storeMode() const override;

private:
    void buildCustomerBlock();
    // The customer as printed: name and number from the block, address from
    // the customer record of the code in Text7.
    InvoiceCustomer printedCustomer();

    InvoiceWindowKind m_kind;
    std::unique_ptr<store::Database> m_customersDb;
    std::unique_ptr<store::TableView> m_customers;  // keyed, index COD_CLIENT

    QLineEdit *m_text7 = nullptr;
    QLineEdit *m_text4 = nullptr;
    QLineEdit *m_combo1 = nullptr;
    QLineEdit *m_text5 = nullptr;
    QRadioButton *m_option1 = nullptr;
    QRadioButton *m_option2 = nullptr;
    QPushButton *m_cmdPrueba = nullptr;

    // The customer of the loaded document, as stored.
    Document m_loadedCustomer;
};

} // namespace sales

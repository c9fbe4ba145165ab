#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace sales {

// What a payment window needs from the sales window that owns it.
class PagoOwner {
public:
    virtual ~PagoOwner() = default;

    // The text of the owner's total field (Text6).
    virtual QString totalText() const = 0;
    // ImprimirTicket and EnvioPago, the owner's public state.
    virtual void setImprimirTicket(bool print) = 0;
    virtual bool imprimirTicket() const = 0;
    virtual void setEnvioPago(const QString &amount) = 0;
    // Prints, stores, clears and pauses. Returns true when the document was
    // stored (whatever the printer answered); false when it was refused
    // before anything was stored (the owner told the operator why).
    virtual bool ImpresionTicketFinal() = 0;
    virtual void Blanquear() = 0;
    // True when the owner holds entries that were not stored (a document
    // begun after the last one was printed): "&Aceptar" must not clear them.
    virtual bool hasUnstoredEntries() const = 0;
    // Focus to the owner's number field, for the next document.
    virtual void focusNumberField() = 0;
    // Focus back to the owner's print button (payment window closed without
    // printing: the document is still on the grid).
    virtual void focusPrintButton() = 0;
};

// The payment window "FORMA DE PAGO" of a sales window: Pago for Ticket,
// PagoA for TicketA, PagoN for TicketN; one design, the owner and the name
// told apart by the constructor. A separate, non-modal window, centred on
// the screen; the owner stays usable while it is open.
//
// Controls: "Text1" (IMPORTE, locked: the owner's total), "Text2" (PAGA
// CON), "Text3" (VUELTO, locked), "Command1" ("&Aceptar").
//
// Enter in Text2 formats the amount "#0.00" and shows the change; Enter in
// Text3 prints (the "Espere un Momento..." window is shown meanwhile) and
// moves on to "&Aceptar"; "&Aceptar" closes and readies the owner for the
// next document. An amount that is not a number is refused with a message
// and nothing is printed.
class Pago : public QWidget {
    Q_OBJECT
public:
    // `parent` is the owner's widget: the payment window is its own window
    // on top of it and is destroyed with it.
    Pago(PagoOwner &owner, const QString &name, QWidget *parent);
    ~Pago() override;

    // Shows the window: loads the owner's total and empties the amounts
    // when it opens; when it is already open on a payment under way, only
    // brings it forward (still open after its document was stored, it
    // starts the next payment afresh).
    void abrir();

    // Enter in Text2: amount tendered and change.
    void ingresarImporte();
    // Enter in Text3: printing.
    void imprimir();
    // "&Aceptar".
    void Aceptar();

    // True once a document was stored since the window opened.
    bool documentStored() const { return m_stored; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    PagoOwner &m_owner;
    QLineEdit *m_text1 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QLineEdit *m_text3 = nullptr;
    QPushButton *m_command1 = nullptr;
    bool m_stored = false;
    bool m_printing = false;
};

} // namespace sales

#pragma once

#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QButtonGroup;

namespace store {
class Database;
class TableView;
}

namespace accounts {

struct Customer;

// The customer window "Clientes": creates, looks up, browses, changes and
// deletes customers. It never writes the balance or the last-payment date.
// The customer picker drives it through CrearCliente, BuscarEntrada and
// BorrarCliente after putting a code into Text1.
class Clientes : public QWidget {
    Q_OBJECT
public:
    // Opens Clientes.mdb of the current database folder (throws
    // store::StoreError when it cannot).
    explicit Clientes(QWidget *parent = nullptr);
    ~Clientes() override;

    Q_INVOKABLE void CrearCliente();
    Q_INVOKABLE void BuscarEntrada();
    Q_INVOKABLE void BorrarCliente();
    void Blanquear();
    void CargaDesdeBaseDatos();
    void CargaDesdeBaseDatos2();
    void CargarComboIVA();

private:
    void lookupOnEnter();
    // Seeks the code in Text1 and shows that customer; a code that is not
    // stored is reported and the window cleared. False when none is shown.
    bool showCustomerOfText1();
    void grabar();
    void borrar();
    void browse(bool forward);
    void openPicker();
    void showRecord(const store::TableView &view, bool withLastPayment);
    Customer fromBoxes() const;

    std::unique_ptr<store::Database> m_db;
    std::unique_ptr<store::TableView> m_data1;  // keyed: lookups, saves, deletes
    std::unique_ptr<store::TableView> m_data2;  // ordered: browsing
    QString m_proposedCode;                     // code CrearCliente proposed, until saved

    QList<QLineEdit *> m_text;  // Text1 .. Text11 (index 0 .. 10)
    QComboBox *m_combo1 = nullptr;
    QLabel *m_label13 = nullptr;
    QLabel *m_label15 = nullptr;
    QRadioButton *m_option1 = nullptr;
    QRadioButton *m_option2 = nullptr;
    QButtonGroup *m_estado = nullptr;
    QLineEdit *m_text17 = nullptr;
};

} // namespace accounts

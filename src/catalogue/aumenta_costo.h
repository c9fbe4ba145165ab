#pragma once

#include <QWidget>
#include <memory>

class QLineEdit;

namespace store {
class Database;
class TableView;
}

namespace catalogue {

// The bulk cost increase "Aumenta Costo" (objectName "AumentaCosto"): the
// category code box `Text1` with the picture button "cmdBuscar" beside it
// (the picker ConsListaRubrosB), the description box `Text2`, the
// percentage box `Text3` ("Ingrese el Porcentaje:"), the date box `Text4`,
// and the buttons "cmdAceptar" and "cmdCancelar". None of the boxes changes
// what is typed.
//
// "&Aceptar" raises the cost of every article of the category and re-forms
// its prices (catalogue::aumentarCosto) while the waiting window shows,
// then closes the window.
class AumentaCosto : public QWidget {
    Q_OBJECT
public:
    // Opens the categories file (with its password) and the articles file of
    // the current database folder; throws store::StoreError when it cannot.
    explicit AumentaCosto(QWidget *parent = nullptr);
    ~AumentaCosto() override;

    Q_INVOKABLE void Aceptar();
    // AgregarPorcenaje: the pass itself, on the boxes' texts. Returns the
    // number of articles changed.
    Q_INVOKABLE int AgregarPorcenaje();

private:
    void lookup();
    void openPicker();

    std::unique_ptr<store::Database> m_rubros;
    std::unique_ptr<store::TableView> m_rubrosView;
    std::unique_ptr<store::Database> m_articulos;
    QLineEdit *m_code = nullptr;
    QLineEdit *m_description = nullptr;
    QLineEdit *m_percent = nullptr;
    QLineEdit *m_date = nullptr;
};

} // namespace catalogue

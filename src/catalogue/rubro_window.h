#pragma once

#include <QWidget>
#include <memory>

class QLineEdit;

namespace store {
class Database;
}

namespace catalogue {

class RubroBook;

// The category window "Rubros" (objectName "Rubro"): the code box `Text1`
// with the picture button "cmdBuscar" beside it (the picker
// ConsListaRubros), the description box `Text2` (locked except during an
// add or a modification), the date box `Text3`, and the buttons
// "cmdAgregar", "cmdModificar", "cmdGrabar", "cmdEliminar", "cmdCerrar".
//
// Bandera (a change to save) and BanNuevo (an add or a modification under
// way) are both false when the window opens and after a save; the window
// cannot be closed with "&Cerrar" while they are set.
class Rubro : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Bandera READ bandera)
    Q_PROPERTY(bool BanNuevo READ banNuevo)
public:
    // Opens the categories file of the current database folder with its
    // password (throws store::StoreError when it cannot).
    explicit Rubro(QWidget *parent = nullptr);
    ~Rubro() override;

    bool bandera() const;
    bool banNuevo() const;

    // The buttons' actions.
    Q_INVOKABLE void Agregar();
    Q_INVOKABLE void Modificar();
    Q_INVOKABLE void Grabar();
    Q_INVOKABLE void Eliminar();
    Q_INVOKABLE void Cerrar();

private:
    void lookup();
    void lock(bool locked);
    void openPicker();

    std::unique_ptr<store::Database> m_db;
    std::unique_ptr<RubroBook> m_book;
    QLineEdit *m_code = nullptr;
    QLineEdit *m_description = nullptr;
    QWidget *m_grabar = nullptr;
};

} // namespace catalogue

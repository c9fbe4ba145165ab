#pragma once

#include <QHash>
#include <QWidget>
#include <memory>

class QLineEdit;
class QPushButton;

namespace store {
class Database;
class TableView;
}

namespace catalogue {

class NumberError;

// The article window "Articulos": creates, looks up, browses, changes and
// deletes articles. Its boxes are named as the record's boxes (Text1 code
// ... Text31, see articleFields()), Text17 shows the day's date. Buttons:
// "cmdArticulos" (picture button by Text1: the article picker),
// "cmdProveedores" (by Text3: the supplier picker), "cmdRubros" (by Text6:
// the category picker), "cmdAnterior" / "cmdSiguiente" (browse),
// "cmdAgregar" ("2 = &Agregar"), "cmdBorrar", "cmdGrabar", "cmdCerrar".
//
// A new article and every save close the window and open it again through
// ui::openWindow("Articulos", 1600, 0); the new window proposes the code
// (CrearArticulo) in the first case.
//
// The routines below are the window's entry points; the article pickers call
// CrearArticulo, BuscarEntrada and BorrarArticulo by name
// (QMetaObject::invokeMethod) after putting a code into Text1.
class Articulos : public QWidget {
    Q_OBJECT
public:
    // Opens the articles file of the current database folder (throws
    // store::StoreError when it cannot) with the keyed and ordered views.
    explicit Articulos(QWidget *parent = nullptr);
    ~Articulos() override;

    // Empties every box except the date box.
    Q_INVOKABLE void Blanquear();
    // Copies the keyed view's current record into the boxes; an empty field
    // leaves its box as it is.
    Q_INVOKABLE void CargaDesdeBaseDatos();
    // The same from the ordered view's current record.
    Q_INVOKABLE void CargaDesdeBaseDatos2();
    // Seeks Text1 (index "art"): found, shows the article; not found, the
    // message "Articulo no encontrado en la Base de Datos" and empty boxes.
    // Nothing with an empty Text1.
    Q_INVOKABLE void BuscarEntrada();
    // Seeks Text1 as a bar code (index "cod"); found: shows the article and
    // goes to Text2; not found: the message and empty boxes.
    Q_INVOKABLE void BuscoArticuloPorCodigoBarra();
    // Empties the boxes and proposes the next free code in Text1; focus to
    // Text2. Nothing is stored yet.
    Q_INVOKABLE void CrearArticulo();
    // Price formation over the boxes. Return false (after telling the
    // operator which box holds a text that is not a number, and putting the
    // focus there) when a box is not a number; nothing is written then.
    Q_INVOKABLE bool GenerarPrecios();
    Q_INVOKABLE bool CalculoNeto1();
    Q_INVOKABLE bool CalculoNeto2();
    Q_INVOKABLE bool CalculoNeto3();
    Q_INVOKABLE bool CalculoNeto4();
    // "0" into each empty box of Text8, Text9, Text11-13 and Text20-25.
    Q_INVOKABLE void VerificarBlancos();
    // VerificarBlancos, then the 28 fields into the keyed view's record
    // being added or edited.
    Q_INVOKABLE void CargaBaseDatos();
    // Shows the article of Text1 and asks whether to delete it.
    Q_INVOKABLE void BorrarArticulo();

    // The buttons' actions.
    void Grabar();
    void Borrar();
    void Agregar();
    void Anterior();
    void Siguiente();

    QLineEdit *box(const QString &name) const;

private:
    bool calculoNeto(int list);
    void lookupByCode();
    void lookupByShortCode();
    void lookupBarcodeBox();
    void openArticlePicker();
    void openSupplierPicker();
    void openCategoryPicker();
    bool showNumberError(const NumberError &error);
    // Closes this window and opens it again; returns the new window (nullptr
    // when no main window opens it).
    QWidget *reopen();
    bool seekShow(const QString &index, const QString &key);
    QHash<QString, QString> boxTexts() const;
    void setBoxTexts(const QHash<QString, QString> &texts);
    void buildForm();

    std::unique_ptr<store::Database> m_db;
    std::unique_ptr<store::TableView> m_keyed;
    std::unique_ptr<store::TableView> m_ordered;
    QHash<QString, QLineEdit *> m_boxes;
    QPushButton *m_grabar = nullptr;
    // The code CrearArticulo put into Text1; a save under exactly this code
    // adds a new article (see saveArticle).
    QString m_proposedCode;
};

} // namespace catalogue

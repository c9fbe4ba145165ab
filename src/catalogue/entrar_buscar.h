#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace catalogue {

// "Buscar Articulos" (objectName "EntrarBuscar"): the shop counter's price
// lookup, a working window of the main window. The operator chooses [C]ode
// or [D]escription in the one-character box, types the text and presses
// Enter: the text becomes session::TextoBuscar(), this window closes and
// ConsListaArticulo opens (not modal) with the text in its search box,
// selected. Either choice searches the descriptions.
//
// Controls (objectName): "Text1" the choice (one character, upper case),
// "Text3" the day's date (read-only), "Label2" and "Text2" the caption and
// box of the text (hidden until a choice is entered), "cmdAceptar",
// "cmdCancelar".
class EntrarBuscar : public QWidget {
    Q_OBJECT
public:
    explicit EntrarBuscar(QWidget *parent = nullptr);
    ~EntrarBuscar() override;

private:
    // Enter in the choice box: shows the text box for "C" or "D".
    void choose();
    // Enter in the text box.
    void search();
    // Esc, "&Cancelar": closes and gives the focus to the main window's
    // "Lista.Pre." toolbar button.
    void cancel();
    // Closes the window (its frame too when it sits in the main window).
    void closeWindow();

    QLineEdit *m_choice = nullptr;
    QLineEdit *m_date = nullptr;
    QLabel *m_textCaption = nullptr;
    QLineEdit *m_text = nullptr;
    QPushButton *m_accept = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace catalogue

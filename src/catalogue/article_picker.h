#pragma once

#include <QDialog>
#include <functional>

// The article pickers: the catalogue with its four final prices, ordered by
// description, with a search box that jumps to the first article whose
// description begins with the typed text. One design, five variants:
//
//   Lookup   "ConsListaArticulo"          price lookup and door to the article
//                                         window (keys and buttons 2, 3, 4)
//   Ticket   "ConsListaArticuloT"         fills the ticket window's grid
//   TicketA  "ConsListaArticuloA"         fills the invoice-ticket window's grid
//   TicketN  "ConsListaArticuloN"         fills the credit-note window's grid
//   Remito   "ConsultaArticulos4precios"  fills the delivery note's grid
//
// The variant's name is the dialog's objectName. The sales variants call the
// take handler with the code (ART) of the row taken and close; the caller
// writes it into the code cell of row session::FilaActual() and selects it.
namespace catalogue {

enum class ArticlePickerKind { Lookup, Ticket, TicketA, TicketN, Remito };

class ArticlePicker : public QDialog {
    Q_OBJECT
public:
    // Opens the articles file of the current database folder and reads the
    // list (throws store::StoreError when it cannot).
    explicit ArticlePicker(ArticlePickerKind kind, QWidget *parent = nullptr);
    ~ArticlePicker() override;

    ArticlePickerKind kind() const;

    // Sales variants: called with the code of the row taken (Enter, or a
    // mouse activation of a row), just before the picker closes.
    void setTakeHandler(std::function<void(const QString &code)> handler);

    // BuscarGrid: searches the list for the text of the search box.
    Q_INVOKABLE void BuscarGrid();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace catalogue

#pragma once

#include "article_search.h"

#include <QDialog>
#include <functional>
#include <memory>

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
//
// Controls (objectName): the search box "Text1" (typed letters upper-cased),
// the list "MSFlexGrid1" (a QTableView); ConsListaArticulo alone has the
// buttons "cmdSalir", "cmdAgregar", "cmdModificar" and "cmdBorrar".
// The caller chooses how it opens: open() for a modal picker, show() for
// the price lookup's. ArticlePickerKind is declared in article_search.h.
namespace catalogue {

class ArticlePicker : public QDialog {
    Q_OBJECT
public:
    // Opens the articles file of the current database folder and reads the
    // list (throws store::StoreError when it cannot).
    explicit ArticlePicker(ArticlePickerKind kind, QWidget *parent = nullptr);
    ~ArticlePicker() override;

    ArticlePickerKind kind() const;

    // Sales variants: called with the code of the row taken (Enter in the
    // list, or a double click on a row in the three ticket variants), just
    // before the picker closes. Without a current row nothing is taken and
    // the picker stays open.
    void setTakeHandler(std::function<void(const QString &code)> handler);

    // BuscarGrid: searches the list for the text of the search box.
    Q_INVOKABLE void BuscarGrid();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace catalogue

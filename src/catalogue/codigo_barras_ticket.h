#pragma once

#include <QDialog>

namespace store {
class TableView;
}

namespace catalogue {

// "Codigo de Barras": attaches a bar code to the article a sales window
// looked up last. The one box shows its text as Code 128 bars; Enter edits
// the article on which `articleView` (the sales window's keyed view of
// Articulos) stands, sets its COD to the box's text (also when empty) and
// closes. When the view stands on no article (nothing looked up yet, or the
// last lookup failed) nothing is attached and the operator is told so.
class CodigoBarrasTicket : public QDialog {
    Q_OBJECT
public:
    explicit CodigoBarrasTicket(store::TableView *articleView, QWidget *parent = nullptr);
    ~CodigoBarrasTicket() override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace catalogue

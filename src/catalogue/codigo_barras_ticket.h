#pragma once

#include <QDialog>
#include <memory>

namespace store {
class TableView;
}

namespace catalogue {

// "Codigo de Barras": attaches a bar code to the article a sales window
// looked up last. The one box shows its text as Code 128 bars; Enter edits
// the article on which `articleView` (the sales window's keyed view of
// Articulos) stands, sets its COD to the box's text (also when empty) and
// closes. When the view stands on no article (nothing looked up yet, or the
// last lookup failed) nothing is attached, the operator is told so and the
// window closes. A write that fails is reported and the window stays open.
//
// Controls (objectName): "Text1" the box, "Barras" its bars (BarcodeView).
// The caller opens it with open(); the view must outlive the window.
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

#include "codigo_barras_ticket.h"

#include "article_barcode.h"
#include "barcode_view.h"
#include "window_helpers.h"
#include "common/services.h"
#include "common/ui/fields.h"
#include "store/record_store.h"

#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>

namespace catalogue {

struct CodigoBarrasTicket::Private {
    store::TableView *view = nullptr;
    QLineEdit *code = nullptr;
    BarcodeView *bars = nullptr;
};

CodigoBarrasTicket::CodigoBarrasTicket(store::TableView *articleView, QWidget *parent)
    : QDialog(parent), d(std::make_unique<Private>())
{
    d->view = articleView;
    setObjectName(QStringLiteral("CodigoBarrasTicket"));
    setWindowTitle(QStringLiteral("Codigo de Barras"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    d->code = new QLineEdit(this);
    d->code->setObjectName(QStringLiteral("Text1"));
    d->code->setMaxLength(30);
    // What is typed or scanned is kept as it is: no upper case.
    ui::setupField(d->code, {.upper = false, .comma = false, .selectOnClick = false});
    d->bars = new BarcodeView(this);
    d->bars->setObjectName(QStringLiteral("Barras"));
    connect(d->code, &QLineEdit::textChanged, d->bars, &BarcodeView::setText);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(d->code);
    layout->addWidget(d->bars, 1);
    setFixedSize(374, 120);

    ui::onKey(d->code, Qt::Key_Return, [this] {
        const QString text = d->code->text();
        try {
            if (attachBarcode(d->view, text) == BarcodeResult::NoArticle)
                services::critical(QStringLiteral("Error"), noArticleForBarcodeText());
        } catch (const store::StoreError &e) {
            // Nothing was stored: the window stays, with the code, for another try.
            services::critical(QStringLiteral("Error"), e.message());
            return;
        }
        accept();
    });
    d->code->setFocus();
    onShow(this, [this] {
        centreOnScreen(this);
        d->code->setFocus(Qt::OtherFocusReason);
    });
}

CodigoBarrasTicket::~CodigoBarrasTicket() = default;


} // namespace catalogue

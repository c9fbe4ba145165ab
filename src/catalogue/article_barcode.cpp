#include "article_barcode.h"

#include "store/record_store.h"

namespace catalogue {

BarcodeResult attachBarcode(store::TableView *articleView, const QString &code)
{
    if (!articleView || !articleView->hasRecord())
        return BarcodeResult::NoArticle;
    try {
        articleView->edit();
        articleView->setValue(QStringLiteral("COD"), code);
        articleView->update();
    } catch (...) {
        articleView->cancelUpdate();
        throw;
    }
    return BarcodeResult::Attached;
}

QString noArticleForBarcodeText()
{
    return QStringLiteral("No hay un artículo buscado en la ventana: búsquelo primero y vuelva a "
                          "ingresar el código de barras. No se guardó nada.");
}

} // namespace catalogue

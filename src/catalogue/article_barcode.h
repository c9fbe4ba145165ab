#pragma once

#include <QString>

namespace store {
class TableView;
}

namespace catalogue {

enum class BarcodeResult { Attached, NoArticle };

// Attaches a bar code to the article on which `articleView` (a keyed view
// of Articulos) stands: Edit, COD = `code` (an empty code too), Update.
// When the view stands on no article (nothing looked up yet, or the last
// lookup failed) nothing is written and NoArticle is returned. Throws
// store::StoreError when the write fails; the view is then left without a
// pending edit.
BarcodeResult attachBarcode(store::TableView *articleView, const QString &code);

// The operator's message for NoArticle.
QString noArticleForBarcodeText();

} // namespace catalogue

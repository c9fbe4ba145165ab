#include "barcode_view.h"

#include <QPainter>
#include <memory>
#include <zint.h>

namespace catalogue {

namespace {

struct SymbolDeleter {
    void operator()(zint_symbol *symbol) const { ZBarcode_Delete(symbol); }
};

// Paints `bars` scaled into `area`, with a margin of ten modules at each
// end; the bars fill the height of the area.
void paintBars(QPainter &painter, const QRectF &area, const Code128Bars &bars)
{
    const double margin = 10.0;
    const double scale = area.width() / (bars.width + 2 * margin);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const QRectF &bar : bars.bars)
        painter.drawRect(QRectF(area.left() + (margin + bar.left()) * scale, area.top() + bar.top() * area.height(),
                                bar.width() * scale, bar.height() * area.height()));
    painter.restore();
}

} // namespace

Code128Bars code128Bars(const QString &text)
{
    Code128Bars out;
    if (text.isEmpty())
        return out;
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol)
        return out;
    symbol->symbology = BARCODE_CODE128;
    symbol->input_mode = UNICODE_MODE;
    symbol->show_hrt = 0;
    symbol->output_options |= BARCODE_NO_QUIET_ZONES;
    const QByteArray utf8 = text.toUtf8();
    const int rc = ZBarcode_Encode_and_Buffer_Vector(symbol.get(), reinterpret_cast<const unsigned char *>(utf8.constData()),
                                                     int(utf8.size()), 0);
    if (rc >= ZINT_ERROR || !symbol->vector || symbol->vector->width <= 0 || symbol->vector->height <= 0)
        return out;
    // The vector output is in its own units; bring it to one unit per module
    // across and 1 high.
    const double unitsPerModule = symbol->width > 0 ? symbol->vector->width / symbol->width : 1.0;
    const double height = symbol->vector->height;
    out.width = symbol->width > 0 ? symbol->width : symbol->vector->width;
    for (const zint_vector_rect *r = symbol->vector->rectangles; r; r = r->next)
        out.bars.emplace_back(r->x / unitsPerModule, r->y / height, r->width / unitsPerModule, r->height / height);
    return out;
}

bool paintCode128(QPainter &painter, const QRectF &area, const QString &text)
{
    const Code128Bars bars = code128Bars(text);
    if (bars.isEmpty() || area.isEmpty())
        return false;
    paintBars(painter, area, bars);
    return true;
}

BarcodeView::BarcodeView(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setMinimumHeight(40);
}

void BarcodeView::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_bars = code128Bars(text);
    update();
}

QSize BarcodeView::sizeHint() const
{
    return {360, 60};
}

void BarcodeView::paintEvent(QPaintEvent *)
{
    if (m_bars.isEmpty())
        return;
    QPainter painter(this);
    paintBars(painter, QRectF(rect()).adjusted(0, 4, 0, -4), m_bars);
}

} // namespace catalogue

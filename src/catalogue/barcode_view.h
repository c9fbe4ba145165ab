#pragma once

#include <QRectF>
#include <QString>
#include <QWidget>
#include <vector>

class QPainter;

namespace catalogue {

// The bars of `text` as a Code 128 symbol: one rectangle per bar, in units
// where the symbol is `width` wide and 1 high (no text under it, no quiet
// zone). Empty when the text is empty or cannot be written in Code 128
// (characters outside Latin-1, too long).
struct Code128Bars {
    double width = 0;
    std::vector<QRectF> bars;
    bool isEmpty() const { return bars.empty(); }
};
Code128Bars code128Bars(const QString &text);

// Paints the Code 128 bars of `text` in black, scaled into `area` (keeping
// a quiet margin at both ends). Paints nothing and returns false when the
// text gives no symbol.
bool paintCode128(QPainter &painter, const QRectF &area, const QString &text);

// A white strip showing a text as Code 128 bars; what the bar-code windows
// show under their box.
class BarcodeView : public QWidget {
    Q_OBJECT
public:
    explicit BarcodeView(QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    // True when the current text gives bars.
    bool hasBars() const { return !m_bars.isEmpty(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    Code128Bars m_bars;
};

} // namespace catalogue

#pragma once

#include "catalogue/article_picker.h"
#include "sales/documents.h"
#include "sales/item_grid_rules.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace store {
class Database;
class TableView;
}

namespace sales {

// What one sales window's grid does differently from another's.
struct ItemGridOptions {
    // The hidden columns Text30 (VAT rate) and Text31 (price without VAT)
    // of the invoice and credit-note windows.
    bool vatColumns = false;
    // The article picker that Escape in a code field opens.
    catalogue::ArticlePickerKind pickerKind = catalogue::ArticlePickerKind::Ticket;
    // Builds the bar-code window that "C" in a mark field opens, for the
    // article the given view stands on. Empty: CodigoBarrasTicket.
    std::function<QDialog *(store::TableView *articleView, QWidget *parent)> barcodeWindow;
    // The delivery note keeps each row's mark with its line.
    bool storeMarks = false;
};

// The item grid: thirty rows on which a sales window takes its articles.
//
// Controls (objectName):
//   "Text10_<r>", "Text11_<r>", "Text3_<r>", "Text12_<r>", "Text13_<r>",
//   "Text14_<r>" and, with vatColumns, "Text30_<r>", "Text31_<r>": the field
//   arrays, r = 0..29 for the rows the operator sees as 1..30 (cellName());
//   "It_<r>": the row labels "1".."30";
//   "VScroll1": the scroll bar that moves the frame of rows ("Frame1") inside
//   its viewport ("Viewport1").
// The total field (the window's "Text6") and the button the entry ends on
// ("&Imprimir", "&Grabar") belong to the window and are handed in.
//
// Keys: Enter in a code looks the article up and, when found, totals the
// line and moves to the next row without further keys; Enter on an empty
// code ends the entry on the end button. Escape in a code opens the article
// picker for that row. Enter in a mark takes that list's price. A "." typed
// anywhere in the grid becomes ",".
//
// Keys typed while the grid pauses between a lookup and the line total
// (Pausa) are held and delivered, in order, once the line is done and the
// focus stands on the next code: the codes a scanner sends in a quick run
// reach their own rows and never overwrite the price of the row in progress.
class ItemGrid : public QWidget {
    Q_OBJECT
public:
    enum class Column { Code, Description, Mark, Quantity, UnitPrice, Total, VatRate, NetPrice };

    // Opens the articles file of the current database folder (throws
    // store::StoreError when it cannot) and builds the empty grid.
    explicit ItemGrid(ItemGridOptions options = {}, QWidget *parent = nullptr);
    ~ItemGrid() override;

    // "Text10_0" etc.: the objectName of a cell.
    static QString cellName(Column column, int row);

    void setTotalField(QLineEdit *total);
    void setEndButton(QPushButton *button);
    const ItemGridOptions &options() const { return m_options; }

    // nullptr for a hidden column the grid does not have, or a row outside 0..29.
    QLineEdit *cell(Column column, int row) const;
    QScrollBar *scrollBar() const { return m_scroll; }

    // The articles file and the keyed view the grid looks articles up in;
    // the bar-code window writes onto the article this view stands on.
    store::Database &articleDatabase() const { return *m_articlesDb; }
    store::TableView &articleView() const { return *m_articles; }

    // ---- Routines ----------------------------------------------------------
    // Sumar: the sum of the line totals into the total field, "0.00".
    void Sumar();
    // Empties every field of the thirty rows and the total, and scrolls back
    // to the first row.
    void Blanquear();
    // Lets the user interface run for a tenth of a second (times the pause
    // scale), holding typed keys for later.
    void Pausa();

    // Enter in the code field of a row: article lookup.
    void lookUpArticle(int row);
    // Enter in the unit price of a row: line total, Sumar, move on.
    void totalLine(int row);
    // Enter in the mark of a row: the price of the chosen list.
    void priceFromList(int row);
    // Escape in the code field of a row: FilaActual := row, article picker.
    void openArticlePicker(int row);
    // "C" in the mark of a row: the bar-code window for that row's article.
    void openBarcodeWindow(int row);
    // The picker's take: the code into the code cell of row FilaActual,
    // selected.
    void takeArticle(const QString &code);

    // ---- Contents ----------------------------------------------------------
    GridRow row(int row) const;
    QList<GridRow> rows() const;
    bool hasFilledRows() const;
    // The filled rows as document lines, in row order (with their marks
    // when the options say so).
    QList<DocumentLine> documentLines() const;
    // Fills rows 1, 2, ... with stored lines (code, description, quantity,
    // unit price, line total; the marks stay empty). Returns how many rows
    // were filled (at most thirty).
    int loadLines(const QList<DocumentLine> &lines);
    // The first problem that stops printing (see checkRows); the focus goes
    // to the field concerned when focusIt is true.
    std::optional<RowProblem> firstProblem(bool focusIt = true);

    // Gives the focus to a cell, text selected, and scrolls it into view.
    void focusCell(Column column, int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Row;
    void buildRows();
    void wireRow(int r);
    void moveOn(int row);
    void ensureVisible(int row);
    void focusEndButton();
    void holdKeys(bool on);
    void replayHeldKeys();
    void wait(int milliseconds);

    ItemGridOptions m_options;
    std::unique_ptr<store::Database> m_articlesDb;
    std::unique_ptr<store::TableView> m_articles;
    std::vector<Row> m_rows;
    QWidget *m_viewport = nullptr;
    QWidget *m_frame = nullptr;
    QScrollBar *m_scroll = nullptr;
    QPointer<QLineEdit> m_total;
    QPointer<QPushButton> m_endButton;

    struct HeldKey;
    std::vector<HeldKey> m_held;
    int m_holding = 0;
};

} // namespace sales

#pragma once

#include <QColor>
#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QLineEdit;
class QPushButton;
class QTableView;

namespace ui {

// A modal list of every record of one table, for picking one: "Buscar:"
// with the search box `Text1` above the list `MSFlexGrid1`, and optionally
// the buttons "ESC = Salir", "2 = Agregar", "3 = Modificar", "4 = Borrar".
// The category, customer, supplier and user pickers are all this design;
// each says which table, which columns show, which column is searched and
// which holds the code, and what taking a row does.
//
// The list reads the table when the picker is built (the file is opened,
// read and closed again); it shows one row per record under a header row,
// one column per field in the table's stored order.
//
// Keys:
//   search box  letters are upper-cased; Enter with a text searches (see
//               BuscarGrid); Esc closes the picker.
//   list        Esc closes; Backspace goes back to the search box with its
//               text selected; Enter or a double click takes the current
//               row (when a take handler is set: the picker closes, then
//               the handler runs); "2", "3", "4" run the add, modify and
//               delete handlers (when set) after closing the picker, the
//               last two with the code of the current row.
// A command closes the picker first (the window that opened it, its
// parent, is activated again, so a handler can put the focus there); the
// picker object still exists while the handler runs.
// A picker whose list is empty, or that has no current row, takes nothing.
class RecordPicker : public QDialog {
    Q_OBJECT
public:
    struct Column {
        int widthTwips = 0;   // 0: hidden
        QString heading;      // empty: the field's name
    };
    struct Design {
        QString objectName;          // "ConsListaRubrosA"
        QString caption;             // "Consulta - Rubros"
        QString fileName;            // file of the current database folder
        QString table;
        QList<Column> columns;       // one per field in stored order; fields
                                     // beyond the list are hidden
        QString searchField;         // searched by BuscarGrid, sorted by OrdenarGrid
        QString codeField;           // the code handed to modify / delete
        bool buttons = false;        // the row of four buttons
        int widthTwips = 8850;
        int heightTwips = 4710;
        QColor background;           // invalid: the style's own
    };

    // Reads the table of `design.fileName` in the current database folder.
    // Throws store::StoreError when it cannot.
    explicit RecordPicker(const Design &design, QWidget *parent = nullptr);
    ~RecordPicker() override;

    // OrdenarGrid: sorts the rows ascending by the search column, comparing
    // characters exactly (upper and lower case differ); equal values keep
    // their order. The first row becomes the current one.
    Q_INVOKABLE void OrdenarGrid();
    // The same by any field of the table.
    void sortBy(const QString &field);

    // BuscarGrid: with a non-empty search text, the first row (from the top)
    // whose search column begins with the text, compared exactly, becomes
    // the current row, on its search cell, and the list takes the focus.
    // Without a match nothing moves and the focus stays. Returns whether a
    // row was found.
    Q_INVOKABLE bool BuscarGrid();

    int rowCount() const;
    // The current row, or -1.
    int currentRow() const;
    void setCurrentRow(int row);
    // The value of `field` at `row`; empty outside the list.
    QString value(int row, const QString &field) const;

    QLineEdit *searchBox() const;
    QTableView *list() const;

    // Enter or a double click in the list: the picker closes, then the
    // handler runs with the row taken.
    void setTakeHandler(std::function<void(int row)> handler);
    // Key or button "2": the picker closes, then the handler runs.
    void setAddHandler(std::function<void()> handler);
    // Keys or buttons "3" and "4": the code (codeField) of the current row is
    // taken, the picker closes, then the handler runs with it. Nothing
    // happens without a current row.
    void setModifyHandler(std::function<void(const QString &code)> handler);
    void setDeleteHandler(std::function<void(const QString &code)> handler);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void closeForCommand();
    void take();
    void add();
    void modify();
    void remove();

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace ui

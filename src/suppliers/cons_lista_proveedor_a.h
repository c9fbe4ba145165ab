#pragma once

#include "common/ui/record_picker.h"

namespace suppliers {

// "Consulta - Proveedores" as the article window opens it
// (ConsListaProveedorA): every supplier, the name first and wide, then the
// code and the two fields after it, sorted by name before it is shown; no
// buttons. Enter or a double click takes the current row: the name goes
// into the caller's supplier-name box `Text4`, the code into its
// supplier-code box `Text3`, and `Text3` gets the focus with its text
// selected.
class ConsListaProveedorA : public ui::RecordPicker {
    Q_OBJECT
public:
    // Reads the suppliers file of the current database folder (throws
    // store::StoreError when it cannot). `caller` is the article window.
    explicit ConsListaProveedorA(QWidget *caller);

    // Builds the picker for `caller`, deleted when it closes, sorts it
    // (OrdenarGrid) and opens it modally (QDialog::open). Returns it.
    static ConsListaProveedorA *openFor(QWidget *caller);
};

// The picker design shared by the supplier pickers: file, table, columns,
// search on the name, code in COD_PROV.
ui::RecordPicker::Design supplierPickerDesign(const QString &objectName, bool buttons);

} // namespace suppliers

#pragma once

#include "common/ui/record_picker.h"

// The category pickers "Consulta - Rubros": every category, the description
// in the first column and the code in the second, with the search of
// ui::RecordPicker on the description. The three differ only in the window
// they fill when a row is taken (Enter or a double click):
//
//   Rubro     "ConsListaRubros"   the category window: its code box Text1
//                                 gets the code
//   Articulo  "ConsListaRubrosA"  the article window: Text6 gets the code,
//                                 Text7 the description
//   Aumento   "ConsListaRubrosB"  the bulk cost increase: Text2 gets the
//                                 description, Text1 the code
//
// In every case the code box then has the focus with its text selected.
namespace catalogue {

enum class RubroPickerKind { Rubro, Articulo, Aumento };

class RubroPicker : public ui::RecordPicker {
    Q_OBJECT
public:
    // `caller` is the window whose boxes a take fills (found by objectName
    // among its children). Reads the categories file of the current
    // database folder; throws store::StoreError when it cannot.
    RubroPicker(RubroPickerKind kind, QWidget *caller);

    RubroPickerKind kind() const { return m_kind; }

    // Builds the picker for `caller`, deleted when it closes, sorts it
    // first when it is the article window's (OrdenarGrid), and opens it
    // modally (QDialog::open). Returns it.
    static RubroPicker *openFor(RubroPickerKind kind, QWidget *caller);

private:
    RubroPickerKind m_kind;
};

} // namespace catalogue

#pragma once

#include "common/ui/record_picker.h"

class QWidget;

// The customer pickers "Consulta - Clientes": every customer, sorted by
// name, searched by the beginning of the name. One design, five callers:
//
//   ConsListaCliente   the customer window: keys and buttons 2, 3, 4 bring
//                      up the customer window at 1450, 0 and create, show or
//                      delete a customer there
//   ConsListaClienteR  the delivery note: a pick writes the code into Text7
//   ConsListaClienteA  the invoice ticket: Text7
//   ConsListaClienteN  the credit note: Text7
//   ConsListaClienteC  the account statement: Text1
namespace accounts {

// The design shared by the five: the table's fields in stored order, the
// name first and wide, the balance, code and state after the hidden address
// and contact fields.
ui::RecordPicker::Design customerPickerDesign(const QString &objectName, bool buttons);

// Builds ConsListaCliente for the customer window `caller` (deleted when it
// closes), sorts it and opens it modally. Throws store::StoreError when the
// customers cannot be read.
ui::RecordPicker *openConsListaCliente(QWidget *caller);

// Builds one of the picking variants (ConsListaClienteR, A, N, C): Enter or
// a double click writes the code of the row into the caller's field
// `codeField`, which gets the focus with its text selected; nothing is
// looked up. Sorted and opened modally.
ui::RecordPicker *openCustomerPicker(const QString &objectName, QWidget *caller, const QString &codeField);

} // namespace accounts

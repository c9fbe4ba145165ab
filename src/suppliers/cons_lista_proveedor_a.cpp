#include "cons_lista_proveedor_a.h"

#include "common/ui/fields.h"
#include "store/catalogue.h"

#include <QLineEdit>
#include <QPointer>

namespace suppliers {

ui::RecordPicker::Design supplierPickerDesign(const QString &objectName, bool buttons)
{
    ui::RecordPicker::Design d;
    d.objectName = objectName;
    d.caption = QStringLiteral("Consulta - Proveedores");
    d.fileName = store::files::Proveedores;
    d.table = QStringLiteral("Proveedores");
    // Stored order: RAZON_SOC, COD_PROV, CUIT, TIPO_IVA, then the address
    // and contact fields, hidden.
    d.columns = {{5000, QStringLiteral("NOMBRE")},
                 {1000, QStringLiteral("CODIGO")},
                 {1500, QStringLiteral("CUIT")},
                 {700, QStringLiteral("IVA")}};
    d.searchField = QStringLiteral("RAZON_SOC");
    d.codeField = QStringLiteral("COD_PROV");
    d.buttons = buttons;
    d.widthTwips = 8850;
    d.heightTwips = buttons ? 5190 : 4710;
    return d;
}

ConsListaProveedorA::ConsListaProveedorA(QWidget *caller)
    : ui::RecordPicker(supplierPickerDesign(QStringLiteral("ConsListaProveedorA"), false), caller)
{
    QPointer<QWidget> target(caller);
    setTakeHandler([this, target](int row) {
        if (!target)
            return;
        auto *name = target->findChild<QLineEdit *>(QStringLiteral("Text4"));
        auto *code = target->findChild<QLineEdit *>(QStringLiteral("Text3"));
        if (name)
            name->setText(value(row, QStringLiteral("RAZON_SOC")));
        if (code)
            code->setText(value(row, QStringLiteral("COD_PROV")));
        ui::focusAndSelect(code);
    });
}

ConsListaProveedorA *ConsListaProveedorA::openFor(QWidget *caller)
{
    auto *picker = new ConsListaProveedorA(caller);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    picker->OrdenarGrid();
    picker->open();
    return picker;
}

} // namespace suppliers

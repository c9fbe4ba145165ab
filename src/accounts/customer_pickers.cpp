#include "customer_pickers.h"

#include "common/ui/fields.h"
#include "common/ui/window_opener.h"
#include "store/catalogue.h"

#include <QLineEdit>
#include <QPointer>

namespace accounts {

namespace {

// Where the pickers bring up the customer window.
constexpr int kClientesLeft = 1450;
constexpr int kClientesTop = 0;

QWidget *bringUpClientes()
{
    return ui::openWindow(QStringLiteral("Clientes"), kClientesLeft, kClientesTop);
}

void runOnClientes(const QString &code, const char *routine)
{
    QWidget *clientes = bringUpClientes();
    if (!clientes)
        return;
    auto *text1 = clientes->findChild<QLineEdit *>(QStringLiteral("Text1"));
    if (text1)
        text1->setText(code);
    QMetaObject::invokeMethod(clientes, routine);
}

ui::RecordPicker *sortAndOpen(ui::RecordPicker *picker)
{
    picker->setAttribute(Qt::WA_DeleteOnClose);
    picker->OrdenarGrid();
    picker->open();
    return picker;
}

} // namespace

ui::RecordPicker::Design customerPickerDesign(const QString &objectName, bool buttons)
{
    ui::RecordPicker::Design d;
    d.objectName = objectName;
    d.caption = QStringLiteral("Consulta - Clientes");
    d.fileName = store::files::Clientes;
    d.table = QStringLiteral("CLIENTES");
    // Stored order: RAZON_SOC; CUIT .. CONTACTO (hidden); SALDO, COD_CLIENT,
    // ESTADO; ULT_PAGO (hidden).
    d.columns = {{5000, QStringLiteral("CODIGO")}};
    for (int i = 0; i < 10; ++i)
        d.columns.append({0, QString()});
    d.columns.append({1200, QStringLiteral("SALDO")});
    d.columns.append({1000, QStringLiteral("COD.")});
    d.columns.append({1250, QStringLiteral("ESTADO")});
    d.columns.append({0, QString()});
    d.searchField = QStringLiteral("RAZON_SOC");
    d.codeField = QStringLiteral("COD_CLIENT");
    d.buttons = buttons;
    d.widthTwips = 8850;
    d.heightTwips = buttons ? 5190 : 4710;
    return d;
}

ui::RecordPicker *openConsListaCliente(QWidget *caller)
{
    auto *picker = new ui::RecordPicker(customerPickerDesign(QStringLiteral("ConsListaCliente"), true), caller);
    picker->setAddHandler([] {
        if (QWidget *clientes = bringUpClientes())
            QMetaObject::invokeMethod(clientes, "CrearCliente");
    });
    picker->setModifyHandler([](const QString &code) {
        runOnClientes(code, "BuscarEntrada");
        if (QWidget *clientes = bringUpClientes())
            ui::focusAndSelect(clientes->findChild<QLineEdit *>(QStringLiteral("Text1")));
    });
    picker->setDeleteHandler([](const QString &code) { runOnClientes(code, "BorrarCliente"); });
    return sortAndOpen(picker);
}

ui::RecordPicker *openCustomerPicker(const QString &objectName, QWidget *caller, const QString &codeField)
{
    auto *picker = new ui::RecordPicker(customerPickerDesign(objectName, false), caller);
    QPointer<QWidget> target(caller);
    picker->setTakeHandler([picker, target, codeField](int row) {
        if (!target)
            return;
        auto *field = target->findChild<QLineEdit *>(codeField);
        if (!field)
            return;
        field->setText(picker->value(row, QStringLiteral("COD_CLIENT")));
        ui::focusAndSelect(field);
    });
    return sortAndOpen(picker);
}

} // namespace accounts

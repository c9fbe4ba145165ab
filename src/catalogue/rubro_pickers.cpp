#include "rubro_pickers.h"

#include "common/ui/fields.h"
#include "store/catalogue.h"

#include <QLineEdit>
#include <QPointer>

namespace catalogue {

namespace {

ui::RecordPicker::Design design(RubroPickerKind kind)
{
    ui::RecordPicker::Design d;
    switch (kind) {
    case RubroPickerKind::Rubro: d.objectName = QStringLiteral("ConsListaRubros"); break;
    case RubroPickerKind::Articulo: d.objectName = QStringLiteral("ConsListaRubrosA"); break;
    case RubroPickerKind::Aumento: d.objectName = QStringLiteral("ConsListaRubrosB"); break;
    }
    d.caption = QStringLiteral("Consulta - Rubros");
    d.fileName = store::files::Rubros;
    d.table = QStringLiteral("Rubros");
    d.columns = {{4500, QStringLiteral("DESCRIPCION")}, {1200, QStringLiteral("CODIGO")}};
    d.searchField = QStringLiteral("DESCRI");
    d.codeField = QStringLiteral("COD_RUB");
    d.widthTwips = 6600;
    d.heightTwips = 4710;
    return d;
}

void put(QWidget *window, const char *box, const QString &text)
{
    if (auto *edit = window->findChild<QLineEdit *>(QLatin1String(box)))
        edit->setText(text);
}

} // namespace

RubroPicker::RubroPicker(RubroPickerKind kind, QWidget *caller) : ui::RecordPicker(design(kind), caller), m_kind(kind)
{
    QPointer<QWidget> target(caller);
    setTakeHandler([this, target, kind](int row) {
        if (!target)
            return;
        const QString code = value(row, QStringLiteral("COD_RUB"));
        const QString description = value(row, QStringLiteral("DESCRI"));
        const char *codeBox = "Text1";
        switch (kind) {
        case RubroPickerKind::Rubro:
            put(target, "Text1", code);
            break;
        case RubroPickerKind::Articulo:
            put(target, "Text6", code);
            put(target, "Text7", description);
            codeBox = "Text6";
            break;
        case RubroPickerKind::Aumento:
            put(target, "Text2", description);
            put(target, "Text1", code);
            break;
        }
        ui::focusAndSelect(target->findChild<QLineEdit *>(QLatin1String(codeBox)));
    });
}

RubroPicker *RubroPicker::openFor(RubroPickerKind kind, QWidget *caller)
{
    auto *picker = new RubroPicker(kind, caller);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    if (kind == RubroPickerKind::Articulo)
        picker->OrdenarGrid();
    picker->open();
    return picker;
}

} // namespace catalogue

#include "catalogue.h"

namespace store {

namespace {

FieldDef text(const char *name, int width = 0)
{
    return {QString::fromLatin1(name), FieldKind::Text, width, {}};
}
FieldDef number(const char *name, const char *defaultValue = "")
{
    return {QString::fromLatin1(name), FieldKind::Number, 0, QString::fromLatin1(defaultValue)};
}
FieldDef date(const char *name)
{
    return {QString::fromLatin1(name), FieldKind::Date, 0, {}};
}
IndexDef index(const char *name, const char *field, bool unique)
{
    return {QString::fromLatin1(name), QString::fromLatin1(field), unique};
}

TableDef usuarios()
{
    return {QStringLiteral("Usuarios"),
            {text("usuario", 30), text("contrasena", 30), text("descripcion", 30),
             text("dni", 10), text("internet", 2), text("estado", 10)},
            {index("usuario", "usuario", true)},
            QStringLiteral("usuario")};
}

TableDef articulos()
{
    return {QStringLiteral("Articulos"),
            {text("ART", 30), text("DES", 40), text("CPR", 30), text("PRV", 30),
             text("UNI", 30), text("CRU", 30), text("RUB", 30), number("PAC"),
             number("STO"), date("FUC"), number("COS"), number("PFL"), number("POT"),
             text("GRP", 30), text("SIG", 5), text("COD", 30),
             number("PG1"), number("IV1"), number("NE1"),
             number("PG2"), number("IV2"), number("NE2"),
             number("PG3"), number("IV3"), number("NE3"),
             number("PG4"), number("IV4"), number("NE4")},
            {index("art", "ART", true), index("cod", "COD", false), index("sig", "SIG", false),
             // orders the article pickers by description
             index("des", "DES", false)},
            QStringLiteral("art")};
}

TableDef rubros()
{
    return {QStringLiteral("Rubros"),
            {text("DESCRI", 30), text("COD_RUB", 4)},
            {index("COD_RUB", "COD_RUB", true)},
            QStringLiteral("COD_RUB")};
}

// The customer pickers show the stored order: the name first, the balance,
// the code and the state in the twelfth to fourteenth places.
TableDef clientes()
{
    return {QStringLiteral("CLIENTES"),
            {text("RAZON_SOC"), text("CUIT"), text("TIPO_IVA"), text("DOMICILIO"),
             text("CIUDAD"), text("COD_POSTAL"), text("PROVINCIA"), text("TEL_1"),
             text("MAIL"), text("TEL_2"), text("CONTACTO"), number("SALDO", "0"),
             text("COD_CLIENT"), text("ESTADO"), date("ULT_PAGO")},
            {index("COD_CLIENT", "COD_CLIENT", true)},
            QStringLiteral("COD_CLIENT")};
}

// The supplier pickers show the name first, then the code and the two
// fields after it.
TableDef proveedores()
{
    return {QStringLiteral("Proveedores"),
            {text("RAZON_SOC"), text("COD_PROV"), text("CUIT"), text("TIPO_IVA"),
             text("DOMICILIO"), text("CIUDAD"), text("COD_POSTAL"), text("PROVINCIA"),
             text("TEL_1"), text("MAIL"), text("TEL_2"), text("CONTACTO")},
            {index("COD_PROV", "COD_PROV", true)},
            QStringLiteral("COD_PROV")};
}

TableDef documentHeaders()
{
    return {QStringLiteral("CtasCtes"),
            {text("numero", 6), date("fecha"), date("fechaf"), text("cod_cli"),
             text("des_cli"), text("tipo_iva"), text("cuit"), number("total")},
            {index("numero", "numero", true)},
            QStringLiteral("numero")};
}

TableDef documentLines()
{
    return {QStringLiteral("CtasCtes1"),
            {text("numero", 6), text("cod_art"), text("des_art"), number("can_art"),
             number("pr1_art"), number("pr2_art"), text("ref_pre"), date("fecha"),
             date("fechaf"), text("cod_cli"), text("pagado")},
            {index("numero", "numero", false)},
            QStringLiteral("numero")};
}

TableDef consultas()
{
    return {QStringLiteral("Consultas"),
            {text("cod_cli"), date("fecha1"), date("fecha2")},
            {},
            {}};
}

TableDef pagos()
{
    return {QStringLiteral("Pagos"),
            {text("cod_cli"), text("des_cli"), text("cuit"), text("tipo_iva"),
             number("total"), date("fecha")},
            {},
            {}};
}

QList<FileDef> makeCatalogue()
{
    return {
        {files::Opcion, QStringLiteral("Kex_Uv72"), {usuarios()}},
        {files::Articulos, {}, {articulos()}},
        {files::Rubros, QStringLiteral("Kex_Mt72"), {rubros()}},
        {files::Clientes, {}, {clientes()}},
        {files::Proveedores, {}, {proveedores()}},
        {files::CtasCtes, {}, {documentHeaders(), documentLines(), consultas()}},
        {files::Tickets, {}, {documentHeaders(), documentLines()}},
        {files::Pagos, {}, {pagos()}},
    };
}

} // namespace

const FieldDef *TableDef::field(const QString &fieldName) const
{
    const int i = fieldIndex(fieldName);
    return i < 0 ? nullptr : &fields[i];
}

int TableDef::fieldIndex(const QString &fieldName) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const IndexDef *TableDef::index(const QString &indexName) const
{
    for (const auto &ix : indexes)
        if (ix.name.compare(indexName, Qt::CaseInsensitive) == 0)
            return &ix;
    return nullptr;
}

const TableDef *FileDef::table(const QString &tableName) const
{
    for (const auto &t : tables)
        if (t.name.compare(tableName, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const QList<FileDef> &catalogue()
{
    static const QList<FileDef> all = makeCatalogue();
    return all;
}

const FileDef *fileDef(const QString &fileName)
{
    for (const auto &f : catalogue())
        if (f.fileName.compare(fileName, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

} // namespace store

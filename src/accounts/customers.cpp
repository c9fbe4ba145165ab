#include "customers.h"

#include "store/codes.h"
#include "store/record_store.h"

namespace accounts {

const QStringList &vatCategories()
{
    static const QStringList list{QStringLiteral("RESP. INSCRIPTO"), QStringLiteral("RESP. NO INSCR."),
                                  QStringLiteral("MONOTRIBUTO"), QStringLiteral("CONS. FINAL"),
                                  QStringLiteral("EXCENTO")};
    return list;
}

QList<std::pair<QString, QString Customer::*>> customerFields()
{
    return {{QStringLiteral("COD_CLIENT"), &Customer::code},  {QStringLiteral("RAZON_SOC"), &Customer::name},
            {QStringLiteral("CUIT"), &Customer::cuit},         {QStringLiteral("DOMICILIO"), &Customer::address},
            {QStringLiteral("CIUDAD"), &Customer::city},       {QStringLiteral("COD_POSTAL"), &Customer::postalCode},
            {QStringLiteral("PROVINCIA"), &Customer::province}, {QStringLiteral("TEL_1"), &Customer::phone},
            {QStringLiteral("MAIL"), &Customer::mail},         {QStringLiteral("TEL_2"), &Customer::fax},
            {QStringLiteral("CONTACTO"), &Customer::contact},  {QStringLiteral("TIPO_IVA"), &Customer::vat}};
}

QString nextCustomerCode(store::TableView &orderedView)
{
    return store::nextCode(orderedView, QStringLiteral("COD_CLIENT"), QStringLiteral("0000"));
}

SaveResult saveCustomer(store::Database &db, const Customer &c, const QString &proposedCode)
{
    SaveResult result;
    result.code = c.code;
    store::Transaction tx(db);
    store::TableView keyed(db, QStringLiteral("CLIENTES"));
    keyed.setIndex(QStringLiteral("COD_CLIENT"));
    const bool found = keyed.seek(c.code);
    if (found && !proposedCode.isEmpty() && c.code == proposedCode) {
        store::TableView ordered(db, QStringLiteral("CLIENTES"));
        result.code = nextCustomerCode(ordered);
        result.codeTaken = true;
    }
    result.added = !found || result.codeTaken;
    if (result.added)
        keyed.addNew();
    else
        keyed.edit();
    Customer stored = c;
    stored.code = result.code;
    for (const auto &[field, member] : customerFields())
        keyed.setValue(field, stored.*member);
    if (!c.estado.isEmpty())
        keyed.setValue(QStringLiteral("ESTADO"), c.estado);
    keyed.update();
    tx.commit();
    return result;
}

} // namespace accounts

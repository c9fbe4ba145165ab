#pragma once

#include <QString>
#include <QStringList>

namespace store {
class Database;
class TableView;
}

// Customer records (table CLIENTES of Clientes.mdb) as the customer window
// keeps them.
namespace accounts {

// The VAT categories offered for a customer, in list order; TIPO_IVA stores
// the text itself.
const QStringList &vatCategories();

inline const QString Habilitada = QStringLiteral("HABILITADA");
inline const QString Suspendida = QStringLiteral("SUSPENDIDA");

// What the customer window writes. SALDO and ULT_PAGO are never written
// here: delivery notes and payments change them.
struct Customer {
    QString code;        // COD_CLIENT
    QString name;        // RAZON_SOC
    QString cuit;        // CUIT
    QString vat;         // TIPO_IVA
    QString address;     // DOMICILIO
    QString city;        // CIUDAD
    QString postalCode;  // COD_POSTAL
    QString province;    // PROVINCIA
    QString phone;       // TEL_1
    QString mail;        // MAIL
    QString fax;         // TEL_2
    QString contact;     // CONTACTO
    QString estado;      // HABILITADA, SUSPENDIDA, or empty: left as it was
};

// The fields above with their field names, in the order the window writes
// them.
QList<std::pair<QString, QString Customer::*>> customerFields();

// The next customer code ("0041" after "0040"; "0001" for an empty table).
QString nextCustomerCode(store::TableView &orderedView);

struct SaveResult {
    bool added = false;     // a new customer (false: an existing one changed)
    QString code;           // the code it was stored under
    bool codeTaken = false; // the proposed code had been used meanwhile
};

// Saves the customer under c.code in one transaction: changes the customer
// stored under that code, or adds one. When c.code is `proposedCode` (the
// code proposed for a new customer) and another workstation has stored a
// customer under it since, the customer is added under the next free code
// instead, and the result says so; the other workstation's customer is not
// touched. Throws store::StoreError on failure (nothing is then written).
SaveResult saveCustomer(store::Database &db, const Customer &c, const QString &proposedCode);

} // namespace accounts

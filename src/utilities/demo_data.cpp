#include "demo_data.h"

#include "catalogue/price_formation.h"
#include "common/formats.h"
#include "common/services.h"
#include "store/database_folder.h"

#include <QRandomGenerator>

namespace demo {

namespace {

using store::TableView;

struct Category {
    const char *code;
    const char *name;
    const char *supplier;   // supplier code
    std::initializer_list<const char *> items;
    std::initializer_list<const char *> sizes;
    double minCost;
    double maxCost;
    double vat;
};

// A hardware shop: every item comes in several sizes or variants.
const Category kCategories[] = {
    {"0001", "TORNILLERIA", "0001",
     {"TORNILLO AUTOPERFORANTE", "TORNILLO MADERA CABEZA FRESADA", "BULON CABEZA HEXAGONAL", "TUERCA HEXAGONAL",
      "ARANDELA PLANA", "TARUGO NYLON"},
     {"4 MM", "6 MM", "8 MM", "10 MM", "12 MM", "1/4\"", "3/8\""}, 0.15, 3.5, 21},
    {"0002", "HERRAMIENTAS MANUALES", "0002",
     {"MARTILLO CARPINTERO", "DESTORNILLADOR PLANO", "DESTORNILLADOR PHILLIPS", "PINZA UNIVERSAL", "LLAVE FRANCESA",
      "SERRUCHO", "CINTA METRICA"},
     {"CHICO", "MEDIANO", "GRANDE", "PROFESIONAL"}, 1200, 18000, 21},
    {"0003", "ELECTRICIDAD", "0003",
     {"CABLE UNIPOLAR", "TOMACORRIENTE DOBLE", "LLAVE DE LUZ", "LAMPARA LED", "CINTA AISLADORA", "FICHA MACHO"},
     {"1 MM", "1,5 MM", "2,5 MM", "10 W", "20 A", "BLANCO", "NEGRO"}, 150, 4500, 21},
    {"0004", "PLOMERIA", "0004",
     {"CAÑO PVC", "CODO PVC", "CUPLA PVC", "CANILLA ESFERICA", "TEFLON", "SIFON"},
     {"1/2\"", "3/4\"", "1\"", "40 MM", "50 MM", "110 MM"}, 180, 9000, 21},
    {"0005", "PINTURERIA", "0005",
     {"LATEX INTERIOR", "ESMALTE SINTETICO", "PINCEL", "RODILLO LANA", "LIJA AL AGUA", "DILUYENTE"},
     {"1 LT", "4 LT", "10 LT", "N 10", "N 20", "N 180"}, 300, 38000, 21},
    {"0006", "JARDINERIA", "0006",
     {"MANGUERA", "PALA PUNTA", "RASTRILLO", "TIJERA DE PODAR", "REGADERA"},
     {"15 M", "25 M", "STANDARD", "REFORZADA"}, 900, 21000, 21},
    {"0007", "ADHESIVOS Y SELLADORES", "0007",
     {"SILICONA", "ADHESIVO CONTACTO", "CINTA DE PAPEL", "MASILLA", "PEGAMENTO INSTANTANEO"},
     {"50 GR", "280 ML", "1 KG", "18 MM", "24 MM"}, 250, 6000, 21},
    {"0008", "CERRAJERIA", "0008",
     {"CANDADO BRONCE", "CERRADURA EMBUTIR", "BISAGRA", "PASADOR", "CADENA GALVANIZADA"},
     {"30 MM", "40 MM", "50 MM", "ZINCADA", "POR METRO"}, 400, 15000, 10.5},
};

struct Supplier {
    const char *code;
    const char *name;
    const char *cuit;
    const char *vat;
    const char *city;
};

const Supplier kSuppliers[] = {
    {"0001", "BULONERA DEL PLATA S.A.", "30-70845123-6", "RI", "AVELLANEDA"},
    {"0002", "HERRAMIENTAS ANDINAS S.R.L.", "30-71234567-1", "RI", "ROSARIO"},
    {"0003", "ELECTRO SUR DISTRIBUIDORA", "30-68542317-9", "RI", "LANUS"},
    {"0004", "HIDRAULICA MORENO", "20-22456789-3", "MO", "MORENO"},
    {"0005", "PINTURAS DEL OESTE S.A.", "30-70011223-4", "RI", "MORON"},
    {"0006", "VIVERO Y HERRAMIENTAS LUJAN", "27-18765432-5", "MO", "LUJAN"},
    {"0007", "QUIMICA INDUSTRIAL NORTE", "30-65432178-0", "RI", "SAN MARTIN"},
    {"0008", "CERRAJERIA MAYORISTA CENTRO", "30-71555666-2", "EX", "CAPITAL FEDERAL"},
    {"0009", "IMPORTADORA PACIFICO", "30-71999888-7", "RI", "CAPITAL FEDERAL"},
    {"0010", "DON ROQUE FERRETERO", "20-10987654-2", "CF", "MERLO"},
};

struct Customer {
    const char *name;
    const char *cuit;
    const char *vat;
    const char *address;
    const char *city;
    const char *province;
    const char *state;
};

const Customer kCustomers[] = {
    {"CONSTRUCTORA RIVADAVIA S.A.", "30-70654321-9", "RESP. INSCRIPTO", "AV. RIVADAVIA 12450", "RAMOS MEJIA", "BUENOS AIRES", "HABILITADA"},
    {"GOMEZ JUAN CARLOS", "20-17345678-4", "MONOTRIBUTO", "BELGRANO 455", "HAEDO", "BUENOS AIRES", "HABILITADA"},
    {"PEREZ MARIA ESTHER", "27-22987654-1", "MONOTRIBUTO", "SAN MARTIN 1020", "MORON", "BUENOS AIRES", "HABILITADA"},
    {"COOPERADORA ESCUELA 14", "30-68123456-0", "EXCENTO", "ALSINA 300", "CASTELAR", "BUENOS AIRES", "HABILITADA"},
    {"FERNANDEZ ROBERTO", "18.456.789", "CONS. FINAL", "LAS HERAS 78", "ITUZAINGO", "BUENOS AIRES", "HABILITADA"},
    {"ELECTRICIDAD LOS ANDES S.R.L.", "30-71098765-3", "RESP. INSCRIPTO", "SARMIENTO 2201", "SAN JUSTO", "BUENOS AIRES", "HABILITADA"},
    {"MARTINEZ ANA LAURA", "27-30111222-6", "MONOTRIBUTO", "MITRE 880", "HURLINGHAM", "BUENOS AIRES", "SUSPENDIDA"},
    {"IBAÑEZ JORGE", "20-25333444-8", "RESP. NO INSCR.", "CORRIENTES 1500", "MERLO", "BUENOS AIRES", "HABILITADA"},
    {"SANCHEZ PABLO", "25.678.901", "CONS. FINAL", "", "", "", "HABILITADA"},
    {"PINTURERIA EL ARCO IRIS", "30-70777888-5", "RESP. INSCRIPTO", "AV. GAONA 3300", "CIUDADELA", "BUENOS AIRES", "HABILITADA"},
    {"LOPEZ HERMANOS S.H.", "30-71222333-4", "RESP. INSCRIPTO", "ROCA 45", "PASO DEL REY", "BUENOS AIRES", "HABILITADA"},
    {"GARCIA SUSANA", "27-16555777-2", "MONOTRIBUTO", "ESPAÑA 632", "MORENO", "BUENOS AIRES", "HABILITADA"},
    {"FUNDACION MANOS UNIDAS", "30-69888111-7", "EXCENTO", "URQUIZA 90", "LIBERTAD", "BUENOS AIRES", "HABILITADA"},
    {"ROMERO DIEGO", "30.222.111", "CONS. FINAL", "COLON 1200", "MARCOS PAZ", "BUENOS AIRES", "HABILITADA"},
    {"ACOSTA Y CIA S.R.L.", "30-70333999-1", "RESP. INSCRIPTO", "AV. DE MAYO 777", "RAMOS MEJIA", "BUENOS AIRES", "SUSPENDIDA"},
    {"BENITEZ CLAUDIA", "27-28444555-3", "MONOTRIBUTO", "LAVALLE 56", "PADUA", "BUENOS AIRES", "HABILITADA"},
    {"GARAGE EL TRIUNFO", "30-71666555-9", "RESP. INSCRIPTO", "RUTA 7 KM 38", "GENERAL RODRIGUEZ", "BUENOS AIRES", "HABILITADA"},
    {"TORRES MIGUEL ANGEL", "20-14222999-0", "RESP. NO INSCR.", "PUEYRREDON 400", "LUJAN", "BUENOS AIRES", "HABILITADA"},
};

QString num(double v)
{
    return fmt::plainNumber(v);
}

void set(TableView &v, const char *field, const QString &text)
{
    v.setValue(QString::fromLatin1(field), text);
}

void fillCategories(const store::DatabaseFolder &folder)
{
    auto db = folder.open(store::files::Rubros);
    store::Transaction tx(*db);
    TableView v(*db, QStringLiteral("Rubros"));
    for (const Category &c : kCategories) {
        v.addNew();
        set(v, "COD_RUB", QString::fromLatin1(c.code));
        set(v, "DESCRI", QString::fromUtf8(c.name));
        v.update();
    }
    tx.commit();
}

void fillSuppliers(const store::DatabaseFolder &folder)
{
    auto db = folder.open(store::files::Proveedores);
    store::Transaction tx(*db);
    TableView v(*db, QStringLiteral("Proveedores"));
    int n = 0;
    for (const Supplier &s : kSuppliers) {
        v.addNew();
        set(v, "COD_PROV", QString::fromLatin1(s.code));
        set(v, "RAZON_SOC", QString::fromUtf8(s.name));
        set(v, "CUIT", QString::fromLatin1(s.cuit));
        set(v, "TIPO_IVA", QString::fromLatin1(s.vat));
        ++n;
        set(v, "DOMICILIO", QStringLiteral("CALLE %1 %2").arg(n).arg(100 * n + 17));
        set(v, "CIUDAD", QString::fromUtf8(s.city));
        set(v, "COD_POSTAL", QString::number(1700 + n * 3));
        set(v, "PROVINCIA", QStringLiteral("BUENOS AIRES"));
        set(v, "TEL_1", QStringLiteral("011-4%1-%2").arg(600 + n * 7).arg(1000 + n * 131));
        set(v, "MAIL", QStringLiteral("VENTAS%1@PROVEEDOR.COM.AR").arg(n));
        set(v, "CONTACTO", n % 2 ? QStringLiteral("SR. ALVAREZ") : QStringLiteral("SRA. DOMINGUEZ"));
        v.update();
    }
    tx.commit();
}

int fillArticles(const store::DatabaseFolder &folder, QRandomGenerator &rng)
{
    auto db = folder.open(store::files::Articulos);
    store::Transaction tx(*db);
    TableView v(*db, QStringLiteral("Articulos"));
    const QString today = fmt::formatDate(services::today());
    int code = 0;
    for (const Category &c : kCategories) {
        const Supplier *supplier = nullptr;
        for (const Supplier &s : kSuppliers)
            if (qstrcmp(s.code, c.supplier) == 0)
                supplier = &s;
        for (const char *item : c.items) {
            for (const char *size : c.sizes) {
                ++code;
                const double cost = std::round((c.minCost + rng.generateDouble() * (c.maxCost - c.minCost)) * 100) / 100;
                const double other = (code % 3 == 0) ? 5 : 0;
                const double margins[4] = {40, 30, code % 4 == 0 ? 25.0 : 0.0, code % 5 == 0 ? 20.0 : 0.0};
                const QString description = QString::fromUtf8(item) + QLatin1Char(' ') + QString::fromUtf8(size);
                v.addNew();
                set(v, "ART", fmt::formatNumber(code, QStringLiteral("00000")));
                set(v, "DES", description.left(40));
                set(v, "CPR", QString::fromLatin1(c.supplier));
                set(v, "PRV", supplier ? QString::fromUtf8(supplier->name) : QString());
                set(v, "UNI", QStringLiteral("UNIDAD"));
                set(v, "CRU", QString::fromLatin1(c.code));
                set(v, "RUB", QString::fromUtf8(c.name));
                set(v, "PAC", num(code % 2 ? 1 : 10));
                set(v, "STO", num(rng.bounded(0, 250)));
                set(v, "FUC", today);
                set(v, "COS", fmt::formatNumber(cost, QStringLiteral("0.00")));
                set(v, "PFL", num(code % 4 == 0 ? 3 : 0));
                set(v, "POT", num(other));
                set(v, "GRP", QString());
                if (code % 7 == 0)
                    set(v, "SIG", QStringLiteral("%1%2").arg(QString::fromLatin1(c.name).left(2)).arg(code % 1000));
                if (code % 3 == 1) {
                    // EAN-13 style: country 779, then the article code.
                    set(v, "COD", QStringLiteral("779%1").arg(1000000000LL + code * 7919LL));
                }
                static const char *pg[] = {"PG1", "PG2", "PG3", "PG4"};
                static const char *iv[] = {"IV1", "IV2", "IV3", "IV4"};
                static const char *ne[] = {"NE1", "NE2", "NE3", "NE4"};
                for (int k = 0; k < 4; ++k) {
                    set(v, pg[k], num(margins[k]));
                    set(v, iv[k], num(c.vat));
                    set(v, ne[k], catalogue::finalPriceText(cost, other, margins[k], c.vat));
                }
                v.update();
            }
        }
    }
    tx.commit();
    return code;
}

void fillCustomers(const store::DatabaseFolder &folder)
{
    auto db = folder.open(store::files::Clientes);
    store::Transaction tx(*db);
    TableView v(*db, QStringLiteral("CLIENTES"));
    int n = 0;
    for (const Customer &c : kCustomers) {
        ++n;
        v.addNew();
        set(v, "COD_CLIENT", fmt::formatNumber(n, QStringLiteral("0000")));
        set(v, "RAZON_SOC", QString::fromUtf8(c.name));
        set(v, "CUIT", QString::fromLatin1(c.cuit));
        set(v, "TIPO_IVA", QString::fromUtf8(c.vat));
        set(v, "DOMICILIO", QString::fromUtf8(c.address));
        set(v, "CIUDAD", QString::fromUtf8(c.city));
        set(v, "COD_POSTAL", *c.city ? QString::number(1700 + n * 4) : QString());
        set(v, "PROVINCIA", QString::fromUtf8(c.province));
        set(v, "TEL_1", QStringLiteral("011-4%1-%2").arg(400 + n * 11).arg(2000 + n * 97));
        set(v, "MAIL", n % 3 ? QStringLiteral("CLIENTE%1@CORREO.COM.AR").arg(n) : QString());
        set(v, "CONTACTO", QString());
        set(v, "SALDO", QStringLiteral("0"));
        set(v, "ESTADO", QString::fromLatin1(c.state));
        v.update();
    }
    tx.commit();
}

struct Line {
    QString code, description, quantity, price, total;
};

// Stores one document (header and lines) in the given document file; for
// delivery notes also charges the customer's balance.
void storeDocument(store::Database &db, const QString &number, const QDate &date, const QString &customer,
                   const QString &name, const QString &vat, const QString &cuit, const QList<Line> &lines,
                   bool deliveryNote, store::Database *customers)
{
    double total = 0;
    for (const Line &l : lines)
        total += fmt::parseNumber(l.total).value_or(0);
    const QString totalText = fmt::formatNumber(total, QStringLiteral("0.00"));
    const QString dateText = fmt::formatDate(date);

    store::Transaction tx(db);
    TableView head(db, QStringLiteral("CtasCtes"));
    head.addNew();
    head.setValue(QStringLiteral("numero"), number);
    head.setValue(QStringLiteral("fecha"), dateText);
    if (deliveryNote)
        head.setValue(QStringLiteral("fechaf"), dateText);
    head.setValue(QStringLiteral("cod_cli"), customer);
    head.setValue(QStringLiteral("des_cli"), name);
    head.setValue(QStringLiteral("tipo_iva"), vat);
    head.setValue(QStringLiteral("cuit"), cuit);
    head.setValue(QStringLiteral("total"), totalText);
    head.update();
    TableView body(db, QStringLiteral("CtasCtes1"));
    for (const Line &l : lines) {
        body.addNew();
        body.setValue(QStringLiteral("numero"), number);
        body.setValue(QStringLiteral("cod_art"), l.code);
        body.setValue(QStringLiteral("des_art"), l.description);
        body.setValue(QStringLiteral("can_art"), l.quantity);
        body.setValue(QStringLiteral("pr1_art"), l.price);
        body.setValue(QStringLiteral("pr2_art"), l.total);
        if (deliveryNote) {
            body.setValue(QStringLiteral("ref_pre"), QStringLiteral("1"));
            body.setValue(QStringLiteral("fechaf"), dateText);
        }
        body.setValue(QStringLiteral("fecha"), dateText);
        body.setValue(QStringLiteral("cod_cli"), customer);
        body.setValue(QStringLiteral("pagado"), QStringLiteral("no"));
        body.update();
    }
    tx.commit();

    if (deliveryNote && customers) {
        store::Transaction charge(*customers);
        TableView c(*customers, QStringLiteral("CLIENTES"));
        c.setIndex(QStringLiteral("COD_CLIENT"));
        if (c.seek(customer)) {
            c.edit();
            c.setValue(QStringLiteral("SALDO"), fmt::plainNumber(c.number(QStringLiteral("SALDO")) + total));
            c.update();
        }
        charge.commit();
    }
}

void fillDocuments(const store::DatabaseFolder &folder, int articleCount, QRandomGenerator &rng)
{
    auto articlesDb = folder.open(store::files::Articulos);
    TableView art(*articlesDb, QStringLiteral("Articulos"));
    art.setIndex(QStringLiteral("art"));
    auto pickLines = [&](int count) {
        QList<Line> lines;
        for (int i = 0; i < count; ++i) {
            const QString code = fmt::formatNumber(rng.bounded(1, articleCount + 1), QStringLiteral("00000"));
            if (!art.seek(code))
                continue;
            const double qty = double(rng.bounded(1, 6));
            const double price = art.number(QStringLiteral("NE1"));
            lines.append({code, art.value(QStringLiteral("DES")), fmt::plainNumber(qty),
                          art.value(QStringLiteral("NE1")), fmt::formatNumber(qty * price, QStringLiteral("0.00"))});
        }
        return lines;
    };

    const QDate today = services::today();
    auto tickets = folder.open(store::files::Tickets);
    for (int n = 1; n <= 4; ++n)
        storeDocument(*tickets, fmt::formatNumber(n, QStringLiteral("000000")), today.addDays(n - 5),
                      QStringLiteral("0001"), QStringLiteral("CONSUMIDOR FINAL"), QStringLiteral("C.F."),
                      QStringLiteral("0"), pickLines(2 + n), false, nullptr);

    auto notes = folder.open(store::files::CtasCtes);
    auto customers = folder.open(store::files::Clientes);
    const char *noteCustomers[] = {"0001", "0002", "0006", "0001", "0011"};
    int n = 0;
    for (const char *code : noteCustomers) {
        ++n;
        TableView c(*customers, QStringLiteral("CLIENTES"));
        c.setIndex(QStringLiteral("COD_CLIENT"));
        c.seek(QString::fromLatin1(code));
        storeDocument(*notes, fmt::formatNumber(n, QStringLiteral("000000")), today.addDays(-20 + 4 * n),
                      QString::fromLatin1(code), c.value(QStringLiteral("RAZON_SOC")),
                      c.value(QStringLiteral("TIPO_IVA")), c.value(QStringLiteral("CUIT")), pickLines(3),
                      true, customers.get());
    }
}

void fillUsers(const store::DatabaseFolder &folder)
{
    auto db = folder.open(store::files::Opcion);
    TableView v(*db, QStringLiteral("Usuarios"));
    v.addNew();
    set(v, "usuario", QStringLiteral("VENDEDOR"));
    set(v, "contrasena", QStringLiteral("MOSTRADOR"));
    set(v, "descripcion", QStringLiteral("VENDEDOR DE MOSTRADOR"));
    set(v, "dni", QStringLiteral("28111222"));
    set(v, "internet", QStringLiteral("No"));
    v.update();
}

} // namespace

void fillDemo(const QString &folderPath)
{
    const store::DatabaseFolder folder(folderPath);
    QRandomGenerator rng(20261211);
    fillUsers(folder);
    fillCategories(folder);
    fillSuppliers(folder);
    const int articles = fillArticles(folder, rng);
    fillCustomers(folder);
    fillDocuments(folder, articles, rng);
}

} // namespace demo

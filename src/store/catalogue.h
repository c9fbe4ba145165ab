#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The layout of every database file of the shop, written once. Creating a
// database folder, opening a view and checking a folder are all derived from
// this description.
namespace store {

enum class FieldKind {
    Text,   // stored as text; empty text when not written
    Number, // stored as a floating-point number; empty (null) when not written
    Date,   // stored as yyyy-mm-dd so that it compares and sorts as a date
};

struct FieldDef {
    QString name;
    FieldKind kind = FieldKind::Text;
    int width = 0;            // input limit of the box that writes it (0: none)
    QString defaultValue;     // as screen text; empty for none
};

struct IndexDef {
    QString name;             // as the windows name it ("art", "COD_CLIENT")
    QString field;            // the one field it orders by
    bool unique = false;
};

struct TableDef {
    QString name;
    QList<FieldDef> fields;   // in stored order
    QList<IndexDef> indexes;
    // Index that orders the table's ordered views (ascending key order);
    // empty: the order records were written in.
    QString primaryIndex;

    const FieldDef *field(const QString &fieldName) const;   // case-insensitive
    int fieldIndex(const QString &fieldName) const;         // -1 when missing
    const IndexDef *index(const QString &indexName) const;  // case-insensitive
};

struct FileDef {
    QString fileName;         // "Articulos.mdb"
    QString password;         // empty: no password
    QList<TableDef> tables;

    const TableDef *table(const QString &tableName) const;  // case-insensitive
};

// File names of the database folder.
namespace files {
inline const QString Opcion = QStringLiteral("Opcion.mdb");
inline const QString Articulos = QStringLiteral("Articulos.mdb");
inline const QString Rubros = QStringLiteral("Rubros.mdb");
inline const QString Clientes = QStringLiteral("Clientes.mdb");
inline const QString Proveedores = QStringLiteral("Proveedores.mdb");
inline const QString CtasCtes = QStringLiteral("CtasCtes.mdb");
inline const QString Tickets = QStringLiteral("Tickets.mdb");
inline const QString Pagos = QStringLiteral("Pagos.mdb");
} // namespace files

// All eight files, in a fixed order.
const QList<FileDef> &catalogue();
// The file of that name (case-insensitive), or nullptr.
const FileDef *fileDef(const QString &fileName);

} // namespace store

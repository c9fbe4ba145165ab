#pragma once

#include <QList>
#include <QString>
#include <memory>
#include <optional>
#include <stdexcept>

namespace store {
class Database;
class TableView;
}

// The sales documents: one header in CtasCtes and up to thirty lines in
// CtasCtes1, the same layout in "Tickets.mdb" (tickets, ticket-invoices,
// credit notes: one number sequence) and in "CtasCtes.mdb" (delivery notes).
//
// Every value is the text the screen shows (decimal comma, dd/mm/yyyy); the
// record store converts it to the field's kind.
namespace sales {

struct DocumentLine {
    QString code;         // cod_art
    QString description;  // des_art
    QString quantity;     // can_art
    QString unitPrice;    // pr1_art, VAT included
    QString total;        // pr2_art
    QString mark;         // ref_pre, the price list; written only when not empty
};

struct Document {
    QString number;         // numero, "000000"
    QString date;           // fecha
    QString statementDate;  // fechaf; written only when not empty (delivery notes)
    QString customerCode;   // cod_cli, also written on every line
    QString customerName;   // des_cli
    QString vatCategory;    // tipo_iva
    QString cuit;           // cuit
    QString total;          // total
    QList<DocumentLine> lines;  // in row order
};

// The highest document number: six digits.
inline constexpr long long kLastDocumentNumber = 999999;

// A number typed by the operator in the format "000000": "12" -> "000012".
// An empty text stays empty; a text that is not a whole number comes back
// trimmed and otherwise unchanged (it will simply not be found).
QString formatDocumentNumber(const QString &typed);

// The numbering cannot go on (the last number is 999999). Its message is
// Spanish, for the operator.
class NumberingError : public std::runtime_error {
public:
    explicit NumberingError(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// The number that follows `last` (the whole number of the last stored
// header, or nullopt for a table without numbered headers): "000001" for
// none, last + 1 in "000000" otherwise. Throws NumberingError past 999999.
QString numberAfter(std::optional<long long> last);

// The document tables of one database file, with the three views a sales
// window holds: keyed and ordered views of CtasCtes, keyed view of
// CtasCtes1. Storage never shows anything: failures are thrown as
// store::StoreError (or NumberingError) for the window to report.
class DocumentTables {
public:
    // Opens the views on `db` (Tickets.mdb or CtasCtes.mdb), which must
    // outlive this object. Throws store::StoreError when a table is missing.
    explicit DocumentTables(store::Database &db);
    ~DocumentTables();
    DocumentTables(const DocumentTables &) = delete;
    DocumentTables &operator=(const DocumentTables &) = delete;

    store::Database &database() const { return m_db; }

    // Last stored number + 1 ("000000"); "000001" when no header carries a
    // six-digit number. Headers whose number is anything else (typed by
    // hand in an old file) are passed over. Nothing is
    // reserved: the number is checked again when the document is stored.
    QString nextNumber();

    // The document of that number (formatted "000000" first), its lines in
    // the order written; nullopt when no header has it.
    std::optional<Document> find(const QString &number);

    enum class StoreMode {
        // A new document: if its number is already stored (another
        // workstation took the same number), it gets the next free one.
        New,
        // A document loaded from the table and printed again: when the
        // stored copy under its number has the same lines and total, nothing
        // is written; otherwise it is stored as a new document.
        Reprint,
    };
    enum class Outcome {
        Stored,         // stored under the number given
        Renumbered,     // stored under another number: see StoreResult::number
        AlreadyStored,  // Reprint of an unchanged copy: nothing written
    };
    struct StoreResult {
        Outcome outcome = Outcome::Stored;
        QString number;  // the number the document has in the file
    };

    // Stores the header and its lines as one unit of work: either all of
    // them land or none (a failure or a killed process leaves nothing
    // behind). The free number is decided inside that unit, while other
    // workstations wait, and the unique index on the number is the last
    // word: a duplicate found there makes the store start over with the
    // next number. Throws store::StoreError (a value that is not a number
    // or date, a file busy for too long) with nothing written, or
    // NumberingError.
    StoreResult store(const Document &document, StoreMode mode = StoreMode::New);

private:
    void write(const Document &document, const QString &number);
    bool sameAsStored(const Document &document);

    store::Database &m_db;
    std::unique_ptr<store::TableView> m_headers;   // keyed, index "numero"
    std::unique_ptr<store::TableView> m_ordered;   // ordered by numero
    std::unique_ptr<store::TableView> m_lines;     // keyed, index "numero"
};

} // namespace sales

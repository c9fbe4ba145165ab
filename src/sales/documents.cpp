#include "sales/documents.h"

#include "common/formats.h"
#include "store/record_store.h"

namespace sales {

namespace {

const QString kNumber = QStringLiteral("numero");
const QString kNumberFormat = QStringLiteral("000000");
// How often a store starts over after the unique index refused its number.
constexpr int kStoreAttempts = 20;

// The whole number of a stored document number, or nullopt when it is not
// one of the sequence (anything but six digits).
std::optional<long long> sequenceNumber(const QString &text)
{
    const QString t = text.trimmed();
    if (t.size() != kNumberFormat.size())
        return std::nullopt;
    return fmt::parseWholeNumber(t);
}

// Two screen texts of a number field hold the same value ("25,00" and "25").
bool sameNumber(const QString &a, const QString &b)
{
    const auto x = fmt::parseNumber(a);
    const auto y = fmt::parseNumber(b);
    if (x && y)
        return fmt::formatNumber(*x, QStringLiteral("0.00")) == fmt::formatNumber(*y, QStringLiteral("0.00"));
    return a.trimmed() == b.trimmed();
}

bool sameLine(const DocumentLine &a, const DocumentLine &b)
{
    return a.code.trimmed() == b.code.trimmed() && a.description == b.description
        && sameNumber(a.quantity, b.quantity) && sameNumber(a.unitPrice, b.unitPrice)
        && sameNumber(a.total, b.total);
}

} // namespace

NumberingError::NumberingError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

QString formatDocumentNumber(const QString &typed)
{
    const QString t = typed.trimmed();
    if (const auto n = fmt::parseWholeNumber(t))
        return fmt::formatNumber(double(*n), kNumberFormat);
    return t;
}

QString numberAfter(std::optional<long long> last)
{
    const long long next = last ? *last + 1 : 1;
    if (next > kLastDocumentNumber)
        throw NumberingError(QStringLiteral("Se agotó la numeración de documentos: el último número es %1.")
                                 .arg(fmt::formatNumber(double(kLastDocumentNumber), kNumberFormat)));
    return fmt::formatNumber(double(std::max(next, 1LL)), kNumberFormat);
}

DocumentTables::DocumentTables(store::Database &db)
    : m_db(db),
      m_headers(std::make_unique<store::TableView>(db, QStringLiteral("CtasCtes"))),
      m_ordered(std::make_unique<store::TableView>(db, QStringLiteral("CtasCtes"))),
      m_lines(std::make_unique<store::TableView>(db, QStringLiteral("CtasCtes1")))
{
    m_headers->setIndex(kNumber);
    m_ordered->setIndex(kNumber);
    m_lines->setIndex(kNumber);
}

DocumentTables::~DocumentTables() = default;

QString DocumentTables::nextNumber()
{
    // Six-digit numbers sort as text in number order; anything else typed
    // into an old file (letters, other lengths) is passed over.
    m_ordered->moveLast();
    while (m_ordered->hasRecord()) {
        if (const auto n = sequenceNumber(m_ordered->value(kNumber)))
            return numberAfter(*n);
        m_ordered->movePrevious();
    }
    return numberAfter(std::nullopt);
}

std::optional<Document> DocumentTables::find(const QString &typed)
{
    const QString number = formatDocumentNumber(typed);
    if (number.isEmpty() || !m_headers->seek(number))
        return std::nullopt;
    Document d;
    d.number = m_headers->value(kNumber);
    d.date = m_headers->value(QStringLiteral("fecha"));
    d.statementDate = m_headers->value(QStringLiteral("fechaf"));
    d.customerCode = m_headers->value(QStringLiteral("cod_cli"));
    d.customerName = m_headers->value(QStringLiteral("des_cli"));
    d.vatCategory = m_headers->value(QStringLiteral("tipo_iva"));
    d.cuit = m_headers->value(QStringLiteral("cuit"));
    d.total = m_headers->value(QStringLiteral("total"));
    if (m_lines->seek(number)) {
        while (m_lines->hasRecord()
               && m_lines->value(kNumber).compare(number, Qt::CaseInsensitive) == 0) {
            DocumentLine l;
            l.code = m_lines->value(QStringLiteral("cod_art"));
            l.description = m_lines->value(QStringLiteral("des_art"));
            l.quantity = m_lines->value(QStringLiteral("can_art"));
            l.unitPrice = m_lines->value(QStringLiteral("pr1_art"));
            l.total = m_lines->value(QStringLiteral("pr2_art"));
            l.mark = m_lines->value(QStringLiteral("ref_pre"));
            d.lines.append(l);
            m_lines->moveNext();
        }
    }
    return d;
}

bool DocumentTables::sameAsStored(const Document &document)
{
    const auto stored = find(document.number);
    if (!stored || !sameNumber(stored->total, document.total) || stored->lines.size() != document.lines.size())
        return false;
    for (qsizetype i = 0; i < document.lines.size(); ++i)
        if (!sameLine(stored->lines[i], document.lines[i]))
            return false;
    return true;
}

void DocumentTables::write(const Document &document, const QString &number)
{
    store::TableView &h = *m_ordered;
    h.addNew();
    h.setValue(kNumber, number);
    h.setValue(QStringLiteral("fecha"), document.date);
    if (!document.statementDate.isEmpty())
        h.setValue(QStringLiteral("fechaf"), document.statementDate);
    h.setValue(QStringLiteral("cod_cli"), document.customerCode);
    h.setValue(QStringLiteral("des_cli"), document.customerName);
    h.setValue(QStringLiteral("tipo_iva"), document.vatCategory);
    h.setValue(QStringLiteral("cuit"), document.cuit);
    h.setValue(QStringLiteral("total"), document.total);
    h.update();

    store::TableView &l = *m_lines;
    for (const DocumentLine &line : document.lines) {
        l.addNew();
        l.setValue(kNumber, number);
        l.setValue(QStringLiteral("cod_art"), line.code);
        l.setValue(QStringLiteral("des_art"), line.description);
        l.setValue(QStringLiteral("can_art"), line.quantity);
        l.setValue(QStringLiteral("pr1_art"), line.unitPrice);
        l.setValue(QStringLiteral("pr2_art"), line.total);
        if (!line.mark.isEmpty())
            l.setValue(QStringLiteral("ref_pre"), line.mark);
        l.setValue(QStringLiteral("fecha"), document.date);
        if (!document.statementDate.isEmpty())
            l.setValue(QStringLiteral("fechaf"), document.statementDate);
        l.setValue(QStringLiteral("cod_cli"), document.customerCode);
        l.setValue(QStringLiteral("pagado"), QStringLiteral("no"));
        l.update();
    }
}

DocumentTables::StoreResult DocumentTables::store(const Document &document, StoreMode mode)
{
    const QString requested = formatDocumentNumber(document.number);
    QString number = requested;
    for (int attempt = 1;; ++attempt) {
        try {
            // Other workstations that write this file wait until the commit,
            // so the number found free here is still free when written.
            store::Transaction tx(m_db);
            Outcome outcome = Outcome::Stored;
            if (number.isEmpty() || m_headers->seek(number)) {
                if (mode == StoreMode::Reprint && !number.isEmpty()) {
                    Document copy = document;
                    copy.number = number;
                    if (sameAsStored(copy))
                        return {Outcome::AlreadyStored, number};
                }
                number = nextNumber();
                outcome = Outcome::Renumbered;
            }
            write(document, number);
            tx.commit();
            if (number != requested)
                outcome = Outcome::Renumbered;
            return {outcome, number};
        } catch (const store::StoreError &e) {
            // Another writer holds the number after all (the unique index
            // refused it): everything of this attempt was rolled back.
            if (e.kind() != store::StoreError::Kind::DuplicateKey || attempt >= kStoreAttempts)
                throw;
            number.clear();
        }
    }
}

} // namespace sales

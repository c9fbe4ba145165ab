#include "rubro_rules.h"

#include "common/code_proposal.h"
#include "store/record_store.h"

namespace catalogue {

namespace {
const QString kRubros = QStringLiteral("Rubros");
const QString kIndex = QStringLiteral("COD_RUB");
const QString kCode = QStringLiteral("COD_RUB");
const QString kDescri = QStringLiteral("DESCRI");

enum class Mode { Idle, Adding, Modifying };
} // namespace

struct RubroBook::Private {
    store::Database &db;
    store::TableView view;
    Mode mode = Mode::Idle;
    QString proposed;    // the code proposed by agregar()
    QString modifying;   // the code of the category under modification
    QString lookedUp;

    explicit Private(store::Database &rubros) : db(rubros), view(rubros, kRubros) { view.setIndex(kIndex); }

    void backToIdle()
    {
        mode = Mode::Idle;
        proposed.clear();
        modifying.clear();
        lookedUp.clear();
        view.moveFirst();
    }
};

QString proposeRubroCode(store::TableView &view)
{
    codes::CodeProposal proposal;
    for (view.moveFirst(); !view.eof(); view.moveNext())
        proposal.see(view.value(kCode));
    view.moveLast();
    return proposal.next(QStringLiteral("0000"));
}

RubroBook::RubroBook(store::Database &rubros) : d(std::make_unique<Private>(rubros)) {}
RubroBook::~RubroBook() = default;

bool RubroBook::bandera() const { return d->mode != Mode::Idle; }
bool RubroBook::banNuevo() const { return d->mode != Mode::Idle; }
bool RubroBook::adding() const { return d->mode == Mode::Adding; }
QString RubroBook::lookedUp() const { return d->lookedUp; }
store::TableView &RubroBook::view() { return d->view; }

std::optional<QString> RubroBook::lookup(const QString &code)
{
    d->view.setIndex(kIndex);
    if (d->view.seek(code)) {
        d->lookedUp = d->view.value(kCode);
        return d->view.value(kDescri);
    }
    d->lookedUp.clear();
    d->view.moveFirst();
    return std::nullopt;
}

QString RubroBook::agregar()
{
    d->proposed = proposeRubroCode(d->view);
    d->modifying.clear();
    d->lookedUp.clear();
    d->mode = Mode::Adding;
    return d->proposed;
}

bool RubroBook::modificar()
{
    if (d->lookedUp.isEmpty())
        return false;
    d->modifying = d->lookedUp;
    d->proposed.clear();
    d->mode = Mode::Modifying;
    return true;
}

RubroBook::SaveResult RubroBook::grabar(const QString &code, const QString &description)
{
    SaveResult result;
    if (d->mode == Mode::Idle)
        return result;
    if (code.trimmed().isEmpty()) {
        result.saved = Saved::EmptyCode;
        return result;
    }

    store::Transaction tx(d->db);
    d->view.setIndex(kIndex);
    QString writeCode = code;
    bool add = d->mode == Mode::Adding;
    if (add) {
        if (d->view.seek(code)) {
            if (code != d->proposed) {
                result.saved = Saved::CodeTaken;
                return result;
            }
            // Another workstation stored the proposed code meanwhile.
            result.takenCode = code;
            writeCode = proposeRubroCode(d->view);
        }
    } else {
        const bool sameCode = code.compare(d->modifying, Qt::CaseInsensitive) == 0;
        if (!sameCode && d->view.seek(code)) {
            result.saved = Saved::CodeTaken;
            return result;
        }
        add = !d->view.seek(d->modifying);
    }

    if (add)
        d->view.addNew();
    else
        d->view.edit();
    d->view.setValue(kCode, writeCode);
    d->view.setValue(kDescri, description);
    d->view.update();
    tx.commit();

    result.saved = d->mode == Mode::Adding ? Saved::Added : Saved::Changed;
    result.code = writeCode;
    d->backToIdle();
    return result;
}

bool RubroBook::eliminar()
{
    if (d->lookedUp.isEmpty())
        return false;
    d->view.setIndex(kIndex);
    const QString code = d->lookedUp;
    bool deleted = false;
    if (d->view.seek(code)) {
        d->view.deleteCurrent();
        deleted = true;
    }
    if (d->mode == Mode::Modifying && d->modifying.compare(code, Qt::CaseInsensitive) == 0) {
        d->mode = Mode::Idle;
        d->modifying.clear();
    }
    d->lookedUp.clear();
    d->view.moveFirst();
    return deleted;
}

} // namespace catalogue

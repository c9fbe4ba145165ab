#pragma once

#include <QString>
#include <memory>
#include <optional>

namespace store {
class Database;
class TableView;
}

// The categories table as the category window works on it, without the
// window: lookup, the two flags Bandera (a change to save) and BanNuevo (an
// add or a modification under way), add, modify, save and delete.
//
// The window keeps no record open for writing while the operator types: an
// add or a modification is remembered and written by the save, in one
// transaction with the check that the code is still free.
namespace catalogue {

class RubroBook {
public:
    // Keeps one keyed view on Rubros of `rubros` (index "COD_RUB").
    explicit RubroBook(store::Database &rubros);
    ~RubroBook();

    bool bandera() const;
    bool banNuevo() const;
    bool editing() const { return bandera(); }
    bool adding() const;

    // The code of the category last looked up (and not deleted or saved
    // since); empty when there is none.
    QString lookedUp() const;

    // Seeks `code` with index "COD_RUB": found, returns the description and
    // the category becomes the one looked up; not found, the view goes back
    // to its first record, nothing is looked up, and nullopt.
    std::optional<QString> lookup(const QString &code);

    // Agregar: proposes the next code (the highest whole-number code plus
    // one, "0000"; "0001" on an empty table) and starts an add; both flags
    // set. Nothing is looked up afterwards.
    QString agregar();

    // Modificar: starts a modification of the category looked up; both
    // flags set. Returns false (and changes nothing) when no category has
    // been looked up.
    bool modificar();

    enum class Saved {
        NothingToSave,   // idle: no add or modification under way
        EmptyCode,       // the code box is empty; still editing
        CodeTaken,       // the code typed belongs to another category; still editing
        Added,           // added under `code` (see takenCode)
        Changed,         // the category modified was written
    };
    struct SaveResult {
        Saved saved = Saved::NothingToSave;
        QString code;       // the code written
        QString takenCode;  // the proposed code another workstation took meanwhile
    };

    // Grabar: writes COD_RUB = `code` and DESCRI = `description`.
    //  - An add whose proposed code was taken meanwhile by another
    //    workstation is added under the next free code (takenCode says so);
    //    a code typed by hand that another category has is refused.
    //  - A modification writes onto the category modified; when another
    //    workstation deleted it meanwhile, it is added again.
    // On success both flags clear, nothing is looked up and the view stands
    // on its first record.
    SaveResult grabar(const QString &code, const QString &description);

    // Eliminar: deletes the category looked up. Returns false and deletes
    // nothing when none is looked up (or it no longer exists). A
    // modification of that category ends with it (the flags clear). The view
    // goes back to its first record.
    bool eliminar();

    // The window may close only while idle.
    bool puedeCerrar() const { return !bandera(); }

    store::TableView &view();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// The code proposed for a new category of `view`'s table (see agregar()).
QString proposeRubroCode(store::TableView &view);

} // namespace catalogue

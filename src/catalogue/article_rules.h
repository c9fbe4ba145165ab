#pragma once

#include "price_formation.h"

#include <QHash>
#include <QList>
#include <QString>

namespace store {
class Database;
class TableView;
}

// The rules of the article window that do not need the window: the record
// layout as the window loads and saves it, the proposal of a new code,
// filling empty boxes, price formation over the boxes, and the save that
// decides between adding and changing.
namespace catalogue {

// One field of the article record and the box of the article window that
// shows it.
struct ArticleField {
    QString field;   // "ART"
    QString box;     // "Text1"
    bool number;     // stored as a number
};

// The 28 fields in the order the window loads and saves them.
const QList<ArticleField> &articleFields();

// How the operator knows the box of a field ("Pack", "Costo", "IVA de la
// Lista 2"); the field itself for text fields.
QString articleBoxName(const QString &field);

// The texts of an article's boxes by field name in upper case ("ART",
// "NE1"). A missing field counts as an empty box.
using ArticleTexts = QHash<QString, QString>;

// The code proposed for a new article: the highest code of the table that
// is a whole number, plus one, with the pattern "00000"; "00001" for a table
// without one (see CodeProposal). Reads the query "Select ART from
// Articulos order by ART".
QString proposeArticleCode(store::Database &articulos);

// VerificarBlancos: "0" into each empty box among PAC, STO, COS, PFL, POT,
// PG1, IV1, NE1, PG2, IV2, NE2.
void verificarBlancos(ArticleTexts &texts);

// GenerarPrecios over the article's boxes (see catalogue::generarPrecios),
// then FUC = `dateText` (the date shown in the window). Throws NumberError
// and leaves `texts` unchanged when a price box is not a number.
void generarPrecios(ArticleTexts &texts, const QString &dateText);

// CalculoNeto1..4 over the article's boxes: the final price text of `list`.
// Throws NumberError.
QString calculoNeto(const ArticleTexts &texts, int list);

// Throws NumberError for the first number box (in field order) whose text
// is neither empty nor a number.
void checkNumberBoxes(const ArticleTexts &texts);

// The current record of `view` as box texts; a field that is empty leaves
// its entry out. Throws store::StoreError when the view has no record.
ArticleTexts readArticle(const store::TableView &view);

// CargaBaseDatos' writing: every one of the 28 fields, each as its box's
// text, into the record being added or edited on `view`.
void writeArticle(store::TableView &view, const ArticleTexts &texts);

// What a save did.
struct SaveOutcome {
    enum class Kind { Nothing, Added, Changed };
    Kind kind = Kind::Nothing;
    QString code;        // the code saved under
    QString takenCode;   // the proposed code another workstation took meanwhile
};

// The save of the article window (its "&Grabar"):
//  - an empty code saves nothing (Kind::Nothing);
//  - GenerarPrecios (FUC = `dateText`) and VerificarBlancos on the texts,
//    and every number box checked; a box that is not a number throws
//    NumberError before anything is written;
//  - then, in one transaction, the code is sought with index "art": not
//    found, a new article is added; found, that article is changed.
//    Except when `codeWasProposed` (the code came from CrearArticulo and is
//    unchanged) and an article with that code exists: another workstation
//    saved under the same proposed code meanwhile, so the article is added
//    under the next free code instead (outcome.takenCode names the code
//    found taken, outcome.code the one used).
// On success `texts` holds what was stored (zeros, final prices, date, and
// the code saved under). `keyed` must be a view of `articulos`; it is left
// on the saved record. Store failures throw store::StoreError with nothing
// written.
SaveOutcome saveArticle(store::Database &articulos, store::TableView &keyed, ArticleTexts &texts,
                        bool codeWasProposed, const QString &dateText);

} // namespace catalogue

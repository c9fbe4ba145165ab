#pragma once

#include <QString>
#include <functional>

// Rules of the article pickers and of the price lookup, without widgets.
namespace catalogue {

// The five article pickers (see article_picker.h).
enum class ArticlePickerKind { Lookup, Ticket, TicketA, TicketN, Remito };

// What sets one picker apart from the others.
struct ArticlePickerTraits {
    QString name;                 // the window's objectName
    bool searchesEmptyText;       // BuscarGrid also runs with an empty search box
    bool noMatchBackToSearch;     // no match: focus back to the search box (else to the list)
    bool takesRows;               // Enter in the list takes the current row
    bool takesOnDoubleClick;      // a double click on a row takes it
    bool articleWindowCommands;   // keys and buttons 2, 3, 4 drive the article window
};

const ArticlePickerTraits &traitsOf(ArticlePickerKind kind);

// What BuscarGrid does with the list and the focus.
struct SearchOutcome {
    enum class Focus { Unchanged, List, SearchBox };
    bool searched = false;        // false: an empty box that this picker does not search
    int currentRow = -1;          // the list's current row afterwards; -1: none
    Focus focus = Focus::Unchanged;
    bool selectSearchText = false;
};

// BuscarGrid: `findFirstPrefix(text)` gives the first row (in description
// order) whose description begins with `text` ignoring letter case, or -1.
// Found: that row becomes current and the list gets the focus. Not found:
// the pickers that go back to the search box select its text and return
// the list to its first row; the others give the list the focus with no
// current row.
SearchOutcome searchOutcome(ArticlePickerKind kind, const QString &text, int rowCount,
                            const std::function<int(const QString &)> &findFirstPrefix);

// Price lookup: the caption of the text box for the choice in the
// one-character box ("D" description, "C" code), or an empty text when the
// choice is neither (Enter then does nothing).
QString priceLookupCaption(const QString &choice);

} // namespace catalogue

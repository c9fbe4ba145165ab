#include "article_search.h"

namespace catalogue {

const ArticlePickerTraits &traitsOf(ArticlePickerKind kind)
{
    //                                         name                          empty  back   take   dbl    2/3/4
    static const ArticlePickerTraits lookup{QStringLiteral("ConsListaArticulo"), false, false, false, false, true};
    static const ArticlePickerTraits ticket{QStringLiteral("ConsListaArticuloT"), true, true, true, true, false};
    static const ArticlePickerTraits ticketA{QStringLiteral("ConsListaArticuloA"), true, true, true, true, false};
    static const ArticlePickerTraits ticketN{QStringLiteral("ConsListaArticuloN"), true, true, true, true, false};
    static const ArticlePickerTraits remito{QStringLiteral("ConsultaArticulos4precios"), true, false, true, false,
                                            false};
    switch (kind) {
    case ArticlePickerKind::Lookup: return lookup;
    case ArticlePickerKind::Ticket: return ticket;
    case ArticlePickerKind::TicketA: return ticketA;
    case ArticlePickerKind::TicketN: return ticketN;
    case ArticlePickerKind::Remito: return remito;
    }
    return lookup;
}

SearchOutcome searchOutcome(ArticlePickerKind kind, const QString &text, int rowCount,
                            const std::function<int(const QString &)> &findFirstPrefix)
{
    const ArticlePickerTraits &traits = traitsOf(kind);
    SearchOutcome out;
    if (text.isEmpty() && !traits.searchesEmptyText)
        return out;
    out.searched = true;
    const int row = findFirstPrefix ? findFirstPrefix(text) : -1;
    if (row >= 0 && row < rowCount) {
        out.currentRow = row;
        out.focus = SearchOutcome::Focus::List;
        return out;
    }
    if (traits.noMatchBackToSearch) {
        out.currentRow = rowCount > 0 ? 0 : -1;
        out.focus = SearchOutcome::Focus::SearchBox;
        out.selectSearchText = true;
    } else {
        out.currentRow = -1;
        out.focus = SearchOutcome::Focus::List;
    }
    return out;
}

QString priceLookupCaption(const QString &choice)
{
    if (choice == QLatin1String("D"))
        return QStringLiteral("Descripcion -->");
    if (choice == QLatin1String("C"))
        return QStringLiteral("Codigo -->");
    return {};
}

} // namespace catalogue

#include "article_rules.h"

#include "common/code_proposal.h"
#include "common/formats.h"
#include "store/record_store.h"

namespace catalogue {

namespace {

QString get(const ArticleTexts &texts, const char *field)
{
    return texts.value(QLatin1String(field));
}

PriceTexts priceTexts(const ArticleTexts &t)
{
    PriceTexts p;
    p.cost = get(t, "COS");
    p.freight = get(t, "PFL");
    p.other = get(t, "POT");
    for (int k = 1; k <= 4; ++k) {
        const QString n = QString::number(k);
        PriceList &l = p.lists[size_t(k - 1)];
        l.margin = t.value(QStringLiteral("PG") + n);
        l.vat = t.value(QStringLiteral("IV") + n);
        l.net = t.value(QStringLiteral("NE") + n);
    }
    return p;
}

void putPriceTexts(ArticleTexts &t, const PriceTexts &p)
{
    t.insert(QStringLiteral("COS"), p.cost);
    t.insert(QStringLiteral("PFL"), p.freight);
    t.insert(QStringLiteral("POT"), p.other);
    for (int k = 1; k <= 4; ++k) {
        const QString n = QString::number(k);
        const PriceList &l = p.lists[size_t(k - 1)];
        t.insert(QStringLiteral("PG") + n, l.margin);
        t.insert(QStringLiteral("IV") + n, l.vat);
        t.insert(QStringLiteral("NE") + n, l.net);
    }
}

ArticleField f(const char *field, const char *box, bool number = false)
{
    return {QLatin1String(field), QLatin1String(box), number};
}

} // namespace

const QList<ArticleField> &articleFields()
{
    static const QList<ArticleField> fields{
        f("ART", "Text1"),         f("DES", "Text2"),         f("CPR", "Text3"),
        f("PRV", "Text4"),         f("UNI", "Text5"),         f("CRU", "Text6"),
        f("RUB", "Text7"),         f("PAC", "Text8", true),   f("STO", "Text9", true),
        f("FUC", "Text10"),        f("COS", "Text11", true),  f("PFL", "Text12", true),
        f("POT", "Text13", true),  f("GRP", "Text14"),        f("SIG", "Text15"),
        f("COD", "Text16"),        f("PG1", "Text20", true),  f("IV1", "Text21", true),
        f("NE1", "Text22", true),  f("PG2", "Text23", true),  f("IV2", "Text24", true),
        f("NE2", "Text25", true),  f("PG3", "Text26", true),  f("IV3", "Text27", true),
        f("NE3", "Text28", true),  f("PG4", "Text29", true),  f("IV4", "Text30", true),
        f("NE4", "Text31", true),
    };
    return fields;
}

QString articleBoxName(const QString &field)
{
    const QString u = field.toUpper();
    if (u == QLatin1String("PAC"))
        return QStringLiteral("Pack");
    if (u == QLatin1String("STO"))
        return QStringLiteral("Stock");
    return priceBoxName(u);
}

QString proposeArticleCode(store::Database &articulos)
{
    store::QueryView codes(articulos, QStringLiteral("Select ART from Articulos order by ART"));
    codes::CodeProposal proposal;
    for (int r = 0; r < codes.rowCount(); ++r)
        proposal.see(codes.value(r, 0));
    return proposal.next(QStringLiteral("00000"));
}

void verificarBlancos(ArticleTexts &texts)
{
    static const char *const fields[] = {"PAC", "STO", "COS", "PFL", "POT", "PG1",
                                         "IV1", "NE1", "PG2", "IV2", "NE2"};
    for (const char *field : fields) {
        const QString key = QLatin1String(field);
        if (texts.value(key).isEmpty())
            texts.insert(key, QStringLiteral("0"));
    }
}

void generarPrecios(ArticleTexts &texts, const QString &dateText)
{
    PriceTexts p = priceTexts(texts);
    catalogue::generarPrecios(p);
    putPriceTexts(texts, p);
    texts.insert(QStringLiteral("FUC"), dateText);
}

QString calculoNeto(const ArticleTexts &texts, int list)
{
    return catalogue::calculoNeto(priceTexts(texts), list);
}

void checkNumberBoxes(const ArticleTexts &texts)
{
    for (const ArticleField &af : articleFields())
        if (af.number)
            readNumberBox(texts.value(af.field), af.field, articleBoxName(af.field));
}

ArticleTexts readArticle(const store::TableView &view)
{
    ArticleTexts texts;
    for (const ArticleField &af : articleFields()) {
        const QString v = view.value(af.field);
        if (!v.isEmpty())
            texts.insert(af.field, v);
    }
    return texts;
}

void writeArticle(store::TableView &view, const ArticleTexts &texts)
{
    for (const ArticleField &af : articleFields())
        view.setValue(af.field, texts.value(af.field));
}

SaveOutcome saveArticle(store::Database &articulos, store::TableView &keyed, ArticleTexts &texts,
                        bool codeWasProposed, const QString &dateText)
{
    SaveOutcome outcome;
    const QString code = texts.value(QStringLiteral("ART"));
    if (code.isEmpty())
        return outcome;

    // Everything the operator typed is checked before the file is touched.
    ArticleTexts out = texts;
    generarPrecios(out, dateText);
    verificarBlancos(out);
    checkNumberBoxes(out);

    // The seek and the write form one unit: no other workstation can store
    // the same code between them.
    store::Transaction tx(articulos);
    keyed.setIndex(QStringLiteral("art"));
    bool found = keyed.seek(code);
    if (found && codeWasProposed) {
        outcome.takenCode = code;
        QString next = proposeArticleCode(articulos);
        while (keyed.seek(next))
            next = fmt::formatNumber(double(fmt::parseWholeNumber(next).value_or(0) + 1), QStringLiteral("00000"));
        out.insert(QStringLiteral("ART"), next);
        found = false;
    }
    if (found)
        keyed.edit();
    else
        keyed.addNew();
    writeArticle(keyed, out);
    keyed.update();
    tx.commit();

    outcome.kind = found ? SaveOutcome::Kind::Changed : SaveOutcome::Kind::Added;
    outcome.code = out.value(QStringLiteral("ART"));
    texts = out;
    return outcome;
}

} // namespace catalogue

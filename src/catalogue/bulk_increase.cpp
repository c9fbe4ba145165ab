#include "bulk_increase.h"

#include "common/formats.h"
#include "price_formation.h"
#include "store/record_store.h"

#include <QStringList>
#include <array>

namespace catalogue {

namespace {

const QString kArticulos = QStringLiteral("Articulos");
const QString kCRU = QStringLiteral("CRU");
const QString kART = QStringLiteral("ART");
const QString kIndexArt = QStringLiteral("art");
const QString kCOS = QStringLiteral("COS");
const QString kPOT = QStringLiteral("POT");
const QString kFUC = QStringLiteral("FUC");
const std::array<QString, 4> kPG{QStringLiteral("PG1"), QStringLiteral("PG2"), QStringLiteral("PG3"),
                                 QStringLiteral("PG4")};
const std::array<QString, 4> kIV{QStringLiteral("IV1"), QStringLiteral("IV2"), QStringLiteral("IV3"),
                                 QStringLiteral("IV4")};
const std::array<QString, 4> kNE{QStringLiteral("NE1"), QStringLiteral("NE2"), QStringLiteral("NE3"),
                                 QStringLiteral("NE4")};

} // namespace

int aumentarCosto(store::Database &articulos, const QString &categoryCode, const QString &percentText,
                  const QString &dateText)
{
    const auto percent = fmt::parseNumber(percentText);
    if (!percent)
        throw NumberError(QStringLiteral("Porcentaje"), QStringLiteral("Porcentaje"), percentText);
    if (categoryCode.isEmpty())
        return 0;

    store::Transaction tx(articulos);
    // First the codes of the category's articles, in code order (the
    // category code compared exactly, letter case included); then each of
    // those articles is sought and changed, in the same order. The
    // transaction keeps other workstations from writing in between, so this
    // is the same as changing each article as a pass over the table reaches
    // it.
    QStringList codes;
    {
        store::QueryView pass(articulos,
                              QStringLiteral("Select ART from Articulos where CRU = ?1 COLLATE BINARY order by ART"),
                              {categoryCode});
        for (int r = 0; r < pass.rowCount(); ++r)
            codes << pass.value(r, 0);
    }
    store::TableView view(articulos, kArticulos);
    view.setIndex(kIndexArt);
    int changed = 0;
    for (const QString &code : std::as_const(codes)) {
        if (!view.seek(code))
            continue;
        const double c = view.number(kCOS);
        const QString costText = fmt::formatNumber(c + c * *percent / 100.0, QStringLiteral("0.00"));
        // Prices are formed on the cost as stored: rounded to two decimals.
        const double cost = fmt::parseNumber(costText).value_or(0.0);
        const double other = view.number(kPOT);
        std::array<QString, 4> nets;
        for (size_t k = 0; k < 4; ++k) {
            const double margin = view.number(kPG[k]);
            const double vat = view.number(kIV[k]);
            nets[k] = isUnusedList(margin, vat, view.number(kNE[k])) ? QStringLiteral("0")
                                                                      : finalPriceText(cost, other, margin, vat);
        }
        view.edit();
        view.setValue(kCOS, costText);
        for (size_t k = 0; k < 4; ++k)
            view.setValue(kNE[k], nets[k]);
        view.setValue(kFUC, dateText);
        view.update();
        ++changed;
    }
    tx.commit();
    return changed;
}

} // namespace catalogue

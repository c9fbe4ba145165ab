#include "price_formation.h"

#include "common/formats.h"

namespace catalogue {

double finalPrice(double cost, double otherPct, double marginPct, double vatPct)
{
    const double c = cost + cost * otherPct / 100.0;
    const double p = c + c * marginPct / 100.0;
    return p + p * vatPct / 100.0;
}

QString finalPriceText(double cost, double otherPct, double marginPct, double vatPct)
{
    return fmt::formatNumber(finalPrice(cost, otherPct, marginPct, vatPct), QStringLiteral("0.00"));
}

NumberError::NumberError(const QString &field, const QString &box, const QString &text)
    : std::runtime_error(QStringLiteral("%1: «%2» no es un número").arg(box, text).toStdString()),
      m_field(field), m_box(box), m_text(text)
{
}

QString NumberError::message() const
{
    return QStringLiteral("La casilla «%1» tiene «%2», que no es un número. Corríjalo para continuar.")
        .arg(m_box, m_text);
}

double readNumberBox(const QString &text, const QString &field, const QString &box)
{
    const auto n = fmt::parseNumberOrZero(text);
    if (!n)
        throw NumberError(field, box, text);
    return *n;
}

QString priceBoxName(const QString &field)
{
    const QString f = field.toUpper();
    if (f == QLatin1String("COS"))
        return QStringLiteral("Costo");
    if (f == QLatin1String("PFL"))
        return QStringLiteral("Flete");
    if (f == QLatin1String("POT"))
        return QStringLiteral("Otros");
    if (f.size() == 3 && f[2] >= QLatin1Char('1') && f[2] <= QLatin1Char('4')) {
        const QString list = QStringLiteral(" de la Lista ") + f[2];
        if (f.startsWith(QLatin1String("PG")))
            return QStringLiteral("V.A.") + list;
        if (f.startsWith(QLatin1String("IV")))
            return QStringLiteral("IVA") + list;
        if (f.startsWith(QLatin1String("NE")))
            return QStringLiteral("Neto") + list;
    }
    return field;
}

namespace {

QString listField(const char *prefix, int list)
{
    return QLatin1String(prefix) + QString::number(list);
}

double read(const QString &text, const QString &field)
{
    return readNumberBox(text, field, priceBoxName(field));
}

QString zeroIfEmpty(const QString &text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("0") : text;
}

} // namespace

bool isUnusedList(double marginPct, double vatPct, double finalPrice)
{
    return marginPct == 0 && vatPct == 0 && finalPrice == 0;
}

void generarPrecios(PriceTexts &texts)
{
    // Everything is read (and checked) before anything is written, so that
    // a bad box leaves every box as it was.
    PriceTexts out = texts;
    out.cost = zeroIfEmpty(out.cost);
    out.freight = zeroIfEmpty(out.freight);
    out.other = zeroIfEmpty(out.other);
    const double cost = read(out.cost, QStringLiteral("COS"));
    read(out.freight, QStringLiteral("PFL"));
    const double other = read(out.other, QStringLiteral("POT"));
    for (int k = 1; k <= 4; ++k) {
        PriceList &list = out.lists[size_t(k - 1)];
        list.margin = zeroIfEmpty(list.margin);
        list.vat = zeroIfEmpty(list.vat);
        const double margin = read(list.margin, listField("PG", k));
        const double vat = read(list.vat, listField("IV", k));
        const double net = fmt::parseNumberOrZero(list.net).value_or(-1);
        list.net = isUnusedList(margin, vat, net) ? QStringLiteral("0") : finalPriceText(cost, other, margin, vat);
    }
    texts = out;
}

QString calculoNeto(const PriceTexts &texts, int list)
{
    if (list < 1 || list > 4)
        throw std::out_of_range("price list outside 1..4");
    const PriceList &l = texts.lists[size_t(list - 1)];
    const double cost = read(texts.cost, QStringLiteral("COS"));
    const double other = read(texts.other, QStringLiteral("POT"));
    const double margin = read(l.margin, listField("PG", list));
    const double vat = read(l.vat, listField("IV", list));
    return finalPriceText(cost, other, margin, vat);
}

} // namespace catalogue

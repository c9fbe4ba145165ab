#include "sales/item_grid.h"

#include "catalogue/codigo_barras_ticket.h"
#include "common/formats.h"
#include "common/services.h"
#include "common/session.h"
#include "common/ui/fields.h"
#include "common/ui/pausa.h"
#include "common/ui/twips.h"
#include "store/database_folder.h"
#include "store/record_store.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <exception>

namespace sales {

namespace {

// Layout in twips, as the rows were drawn: 240 twips apart in a frame 7575
// high, about sixteen of them visible in a viewport 3975 high.
constexpr int kRowPitch = 240;
constexpr int kFrameHeight = 7575;
constexpr int kViewportHeight = 3975;
constexpr int kLabelWidth = 375;
constexpr int kScrollWidth = 255;
constexpr int kHeadingHeight = 240;

// Scroll bar: 0..3500, small step 270, page step 250 (about one row).
constexpr int kScrollMax = 3500;
constexpr int kScrollSmallStep = 270;
constexpr int kScrollPageStep = 250;

constexpr int kPauseMs = 100;
constexpr int kColumns = 8;

struct ColumnDef {
    const char *array;    // name of the field array
    const char *heading;  // column heading, empty for the hidden ones
    int width;            // twips
    Qt::Alignment align;
};

const ColumnDef kColumnDefs[kColumns] = {
    {"Text10", "Articulo:", 855, Qt::AlignLeft},
    {"Text11", "Descripcion:", 3975, Qt::AlignLeft},
    {"Text3", "Of:", 255, Qt::AlignHCenter},
    {"Text12", "Cant.:", 615, Qt::AlignRight},
    {"Text13", "Pre.Unit.:", 855, Qt::AlignRight},
    {"Text14", "Total:", 855, Qt::AlignRight},
    {"Text30", "", 0, Qt::AlignRight},
    {"Text31", "", 0, Qt::AlignRight},
};

int columnIndex(ItemGrid::Column c) { return static_cast<int>(c); }

const char *kRowProperty = "gridRow";
const char *kColumnProperty = "gridColumn";

} // namespace

struct ItemGrid::Row {
    QLabel *label = nullptr;
    QLineEdit *fields[kColumns] = {};
};

struct ItemGrid::HeldKey {
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    bool autoRepeat;
    quint16 count;
};

namespace {

// Holds the keys typed during a pause of the grid for the lifetime of the
// object. When the pause ends by a failure, the held keys are dropped.
class KeyHold {
public:
    explicit KeyHold(std::function<void(bool)> hold) : m_hold(std::move(hold)) { m_hold(true); }
    ~KeyHold() { m_hold(false); }
    KeyHold(const KeyHold &) = delete;
    KeyHold &operator=(const KeyHold &) = delete;

private:
    std::function<void(bool)> m_hold;
};

} // namespace

ItemGrid::ItemGrid(ItemGridOptions options, QWidget *parent)
    : QWidget(parent), m_options(std::move(options))
{
    setObjectName(QStringLiteral("ItemGrid"));
    m_articlesDb = store::DatabaseFolder::current().open(store::files::Articulos);
    m_articles = std::make_unique<store::TableView>(*m_articlesDb, QStringLiteral("Articulos"));
    m_articles->setIndex(QStringLiteral("art"));
    buildRows();
}

ItemGrid::~ItemGrid()
{
    if (m_holding > 0)
        qApp->removeEventFilter(this);
}

QString ItemGrid::cellName(Column column, int row)
{
    return QString::fromLatin1(kColumnDefs[columnIndex(column)].array) + QLatin1Char('_') + QString::number(row);
}

void ItemGrid::buildRows()
{
    QFont bold = font();
    bold.setBold(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Text, Qt::blue);
    colours.setColor(QPalette::WindowText, Qt::blue);
    colours.setColor(QPalette::Base, Qt::white);

    // Headings over the visible columns.
    int x = kLabelWidth;
    auto *itHeading = new QLabel(QStringLiteral("It."), this);
    itHeading->setGeometry(0, 0, ui::twips(kLabelWidth), ui::twipsY(kHeadingHeight));
    std::vector<int> left(kColumns, 0);
    for (int c = 0; c < kColumns; ++c) {
        const ColumnDef &def = kColumnDefs[c];
        if (def.width == 0)
            continue;
        left[c] = x;
        auto *heading = new QLabel(QString::fromUtf8(def.heading), this);
        heading->setGeometry(ui::twips(x), 0, ui::twips(def.width), ui::twipsY(kHeadingHeight));
        x += def.width;
    }
    const int rowsWidth = x;

    m_viewport = new QWidget(this);
    m_viewport->setObjectName(QStringLiteral("Viewport1"));
    m_viewport->setGeometry(0, ui::twipsY(kHeadingHeight), ui::twips(rowsWidth), ui::twipsY(kViewportHeight));
    m_frame = new QWidget(m_viewport);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_frame->setGeometry(0, 0, ui::twips(rowsWidth), ui::twipsY(kFrameHeight));
    // An opaque frame is moved by shifting what is already drawn: scrolling
    // repaints only the row that comes into view.
    m_frame->setAutoFillBackground(true);

    m_scroll = new QScrollBar(Qt::Vertical, this);
    m_scroll->setObjectName(QStringLiteral("VScroll1"));
    m_scroll->setRange(0, kScrollMax);
    m_scroll->setSingleStep(kScrollSmallStep);
    m_scroll->setPageStep(kScrollPageStep);
    m_scroll->setFocusPolicy(Qt::ClickFocus);
    m_scroll->setGeometry(ui::twips(rowsWidth), ui::twipsY(kHeadingHeight), ui::twips(kScrollWidth),
                          ui::twipsY(kViewportHeight));
    m_scroll->raise();
    connect(m_scroll, &QScrollBar::valueChanged, this,
            [this](int value) { m_frame->move(0, -ui::twipsY(value)); });

    m_rows.resize(kGridRows);
    for (int r = 0; r < kGridRows; ++r) {
        Row &row = m_rows[size_t(r)];
        const int y = ui::twipsY(kRowPitch * r);
        const int h = ui::twipsY(kRowPitch * (r + 1)) - y;
        row.label = new QLabel(QString::number(r + 1), m_frame);
        row.label->setObjectName(QStringLiteral("It_%1").arg(r));
        row.label->setFont(bold);
        row.label->setPalette(colours);
        row.label->setGeometry(0, y, ui::twips(kLabelWidth), h);
        for (int c = 0; c < kColumns; ++c) {
            const ColumnDef &def = kColumnDefs[c];
            const bool hidden = def.width == 0;
            if (hidden && !m_options.vatColumns)
                continue;
            auto *f = new QLineEdit(m_frame);
            f->setObjectName(QString::fromLatin1(def.array) + QLatin1Char('_') + QString::number(r));
            f->setProperty(kRowProperty, r);
            f->setProperty(kColumnProperty, c);
            f->setFont(bold);
            f->setPalette(colours);
            f->setAlignment(def.align | Qt::AlignVCenter);
            f->setTextMargins(1, 0, 1, 0);
            if (hidden) {
                f->hide();
            } else {
                f->setGeometry(ui::twips(left[size_t(c)]), y, ui::twips(def.width), h);
            }
            row.fields[c] = f;
        }
        wireRow(r);
    }
    setFixedSize(ui::twips(rowsWidth + kScrollWidth), ui::twipsY(kHeadingHeight + kViewportHeight));
}

void ItemGrid::wireRow(int r)
{
    Row &row = m_rows[size_t(r)];
    QLineEdit *code = row.fields[columnIndex(Column::Code)];
    QLineEdit *description = row.fields[columnIndex(Column::Description)];
    QLineEdit *mark = row.fields[columnIndex(Column::Mark)];
    QLineEdit *quantity = row.fields[columnIndex(Column::Quantity)];
    QLineEdit *price = row.fields[columnIndex(Column::UnitPrice)];
    QLineEdit *total = row.fields[columnIndex(Column::Total)];

    const ui::FieldOptions amounts{false, true, true};
    ui::setupField(code, amounts);
    ui::setupField(description, amounts);
    ui::setupField(mark, ui::FieldOptions{true, true, true});
    ui::setupField(quantity, amounts);
    ui::setupField(price, amounts);
    description->setMaxLength(40);
    // The line total is computed, never typed.
    total->setReadOnly(true);
    total->setFocusPolicy(Qt::NoFocus);

    ui::onKey(code, Qt::Key_Return, [this, r] { lookUpArticle(r); });
    ui::onKey(code, Qt::Key_Escape, [this, r] { openArticlePicker(r); });
    ui::onKey(description, Qt::Key_Return, [this, r] { focusCell(Column::Mark, r); });
    ui::onKey(mark, Qt::Key_Return, [this, r] { priceFromList(r); });
    ui::onKey(quantity, Qt::Key_Return, [this, r] { focusCell(Column::UnitPrice, r); });
    ui::onKey(price, Qt::Key_Return, [this, r] { totalLine(r); });

    // Installed last so that it sees the mark's keys before the field's own
    // upper-casing; every cell reports its focus to keep its row in view.
    for (QLineEdit *f : row.fields)
        if (f)
            f->installEventFilter(this);
}

void ItemGrid::setTotalField(QLineEdit *total) { m_total = total; }
void ItemGrid::setEndButton(QPushButton *button) { m_endButton = button; }

QLineEdit *ItemGrid::cell(Column column, int row) const
{
    if (row < 0 || row >= kGridRows)
        return nullptr;
    return m_rows[size_t(row)].fields[columnIndex(column)];
}

// ---- Routines --------------------------------------------------------------

void ItemGrid::Sumar()
{
    QList<QString> totals;
    totals.reserve(kGridRows);
    for (const Row &row : m_rows)
        totals.append(row.fields[columnIndex(Column::Total)]->text());
    if (m_total)
        m_total->setText(sumLineTotals(totals));
}

void ItemGrid::Blanquear()
{
    for (Row &row : m_rows)
        for (QLineEdit *f : row.fields)
            if (f)
                f->clear();
    if (m_total)
        m_total->clear();
    m_scroll->setValue(0);
}

void ItemGrid::Pausa()
{
    {
        KeyHold hold([this](bool on) { holdKeys(on); });
        wait(kPauseMs);
    }
    replayHeldKeys();
}

void ItemGrid::wait(int milliseconds) { ui::Pausa(milliseconds); }

void ItemGrid::lookUpArticle(int r)
{
    QLineEdit *code = cell(Column::Code, r);
    const QString typed = code->text().trimmed();
    switch (classifyCode(typed)) {
    case CodeKind::Empty:
        for (Column c : {Column::Description, Column::Quantity, Column::UnitPrice, Column::Total})
            cell(c, r)->clear();
        Sumar();
        focusEndButton();
        return;
    case CodeKind::BarCode:
        m_articles->setIndex(QStringLiteral("cod"));
        if (!m_articles->seek(typed)) {
            code->clear();
            services::inform(QStringLiteral("Error"),
                             QStringLiteral("Código de barras %1 no encontrado en la Base de Datos").arg(typed));
            code->setFocus();
            return;
        }
        code->setText(m_articles->value(QStringLiteral("ART")).trimmed());
        break;
    case CodeKind::ArticleCode:
        break;
    }

    m_articles->setIndex(QStringLiteral("art"));
    if (!m_articles->seek(code->text().trimmed())) {
        services::inform(QStringLiteral("Error"), QStringLiteral("Articulo no encontrado en la Base de Datos"));
        code->setFocus();
        return;
    }
    code->setText(m_articles->value(QStringLiteral("ART")).trimmed());
    cell(Column::Description, r)->setText(m_articles->value(QStringLiteral("DES")));
    const QString price = listPrice(m_articles->value(QStringLiteral("NE1")));
    cell(Column::UnitPrice, r)->setText(price);
    if (m_options.vatColumns)
        cell(Column::VatRate, r)->setText(m_articles->value(QStringLiteral("IV1")));
    cell(Column::Mark, r)->setText(QStringLiteral("1"));
    cell(Column::Quantity, r)->setText(QStringLiteral("1"));
    cell(Column::Total, r)->clear();
    Sumar();

    if (price.isEmpty()) {
        // Without a price the line cannot be totalled on its own: the
        // operator types it (a scan must not run on into the next row).
        services::inform(QStringLiteral("Error"),
                         QStringLiteral("El artículo %1 no tiene precio de lista 1: escriba el precio y presione Enter.")
                             .arg(code->text()));
        focusCell(Column::UnitPrice, r);
        return;
    }

    focusCell(Column::UnitPrice, r);
    {
        KeyHold hold([this](bool on) { holdKeys(on); });
        wait(kPauseMs);
        // The Enter the grid sends goes to the field that has the focus; if
        // something else took it meanwhile, the line waits for its own Enter.
        QLineEdit *priceField = cell(Column::UnitPrice, r);
        if (priceField->window()->focusWidget() == priceField)
            totalLine(r);
    }
    replayHeldKeys();
}

void ItemGrid::totalLine(int r)
{
    const QString quantity = cell(Column::Quantity, r)->text();
    const QString price = cell(Column::UnitPrice, r)->text();
    const auto total = lineTotal(quantity, price);
    if (!total) {
        cell(Column::Total, r)->clear();
        if (m_options.vatColumns)
            cell(Column::NetPrice, r)->clear();
        Sumar();
        const bool badQuantity = !fmt::parseNumber(quantity);
        services::critical(QStringLiteral("Error"),
                           badQuantity
                               ? QStringLiteral("La cantidad del renglón %1 no es un número: escriba la cantidad "
                                                "(por ejemplo 2,5) y presione Enter.")
                                     .arg(r + 1)
                               : QStringLiteral("El precio del renglón %1 no es un número: escriba el precio "
                                                "(por ejemplo 12,50) y presione Enter.")
                                     .arg(r + 1));
        focusCell(badQuantity ? Column::Quantity : Column::UnitPrice, r);
        return;
    }
    cell(Column::Total, r)->setText(*total);
    Sumar();
    if (m_options.vatColumns)
        cell(Column::NetPrice, r)->setText(netPriceText(price, cell(Column::VatRate, r)->text()));
    if (r == kGridRows - 1) {
        focusEndButton();
        return;
    }
    moveOn(r);
}

void ItemGrid::moveOn(int r)
{
    const int next = r + 1;
    session::FilaActual() = next;
    if (next >= kFirstScrollingRow) {
        // One page down, as a Page Down on the scroll bar does.
        m_scroll->setFocus();
        m_scroll->triggerAction(QAbstractSlider::SliderPageStepAdd);
        KeyHold hold([this](bool on) { holdKeys(on); });
        wait(kPauseMs);
    }
    focusCell(Column::Code, next);
    // Keys typed meanwhile go to the next code (within a lookup, the lookup
    // replays them when it is done).
    replayHeldKeys();
}

void ItemGrid::priceFromList(int r)
{
    const QString mark = cell(Column::Mark, r)->text();
    const QString code = cell(Column::Code, r)->text().trimmed();
    if (priceForMark(mark, {}).has_value()) {
        m_articles->setIndex(QStringLiteral("art"));
        if (code.isEmpty() || !m_articles->seek(code)) {
            services::inform(QStringLiteral("Error"), QStringLiteral("Articulo no encontrado en la Base de Datos"));
            return;
        }
        const ListPrices prices{m_articles->value(QStringLiteral("NE1")), m_articles->value(QStringLiteral("NE2")),
                                m_articles->value(QStringLiteral("NE3")), m_articles->value(QStringLiteral("NE4"))};
        cell(Column::UnitPrice, r)->setText(*priceForMark(mark, prices));
    }
    focusCell(Column::Quantity, r);
}

void ItemGrid::openArticlePicker(int r)
{
    session::FilaActual() = r;
    catalogue::ArticlePicker *picker = nullptr;
    try {
        picker = new catalogue::ArticlePicker(m_options.pickerKind, this);
    } catch (const store::StoreError &e) {
        services::critical(QStringLiteral("Error"), e.message());
        return;
    }
    picker->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<ItemGrid> self(this);
    auto taken = std::make_shared<bool>(false);
    picker->setTakeHandler([self, taken](const QString &code) {
        if (!self)
            return;
        self->takeArticle(code);
        *taken = true;
    });
    // The picker hands the focus back when it closes: put it on the code.
    connect(picker, &QDialog::finished, this, [this, taken] {
        if (*taken)
            focusCell(Column::Code, std::clamp(session::FilaActual(), 0, kGridRows - 1));
    });
    picker->open();
}

void ItemGrid::openBarcodeWindow(int r)
{
    // The bar code goes onto the article of this row; on a row without code,
    // onto the article looked up last.
    const QString code = cell(Column::Code, r)->text().trimmed();
    if (!code.isEmpty()) {
        m_articles->setIndex(QStringLiteral("art"));
        m_articles->seek(code);
    }
    QDialog *window = m_options.barcodeWindow ? m_options.barcodeWindow(m_articles.get(), this)
                                              : new catalogue::CodigoBarrasTicket(m_articles.get(), this);
    if (!window)
        return;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
}

void ItemGrid::takeArticle(const QString &code)
{
    const int r = std::clamp(session::FilaActual(), 0, kGridRows - 1);
    cell(Column::Code, r)->setText(code);
    focusCell(Column::Code, r);
}

// ---- Contents --------------------------------------------------------------

GridRow ItemGrid::row(int r) const
{
    auto text = [this, r](Column c) {
        const QLineEdit *f = cell(c, r);
        return f ? f->text() : QString();
    };
    return {text(Column::Code),     text(Column::Description), text(Column::Mark),
            text(Column::Quantity), text(Column::UnitPrice),   text(Column::Total),
            text(Column::VatRate),  text(Column::NetPrice)};
}

QList<GridRow> ItemGrid::rows() const
{
    QList<GridRow> all;
    all.reserve(kGridRows);
    for (int r = 0; r < kGridRows; ++r)
        all.append(row(r));
    return all;
}

bool ItemGrid::hasFilledRows() const
{
    for (int r = 0; r < kGridRows; ++r)
        if (row(r).isFilled())
            return true;
    return false;
}

QList<DocumentLine> ItemGrid::documentLines() const
{
    QList<DocumentLine> lines;
    for (int r = 0; r < kGridRows; ++r) {
        const GridRow g = row(r);
        if (!g.isFilled())
            continue;
        lines.append({g.code.trimmed(), g.description, g.quantity, g.unitPrice, g.total,
                      m_options.storeMarks ? g.mark : QString()});
    }
    return lines;
}

int ItemGrid::loadLines(const QList<DocumentLine> &lines)
{
    int r = 0;
    for (const DocumentLine &l : lines) {
        if (r >= kGridRows)
            break;
        cell(Column::Code, r)->setText(l.code);
        cell(Column::Description, r)->setText(l.description);
        cell(Column::Quantity, r)->setText(l.quantity);
        cell(Column::UnitPrice, r)->setText(l.unitPrice);
        const auto total = fmt::parseNumber(l.total);
        cell(Column::Total, r)->setText(total ? fmt::formatNumber(*total, QStringLiteral("0.00")) : l.total);
        ++r;
    }
    return r;
}

std::optional<RowProblem> ItemGrid::firstProblem(bool focusIt)
{
    auto p = checkRows(rows());
    if (p && focusIt) {
        const Column c = p->field == RowField::Quantity ? Column::Quantity
                         : p->field == RowField::Code   ? Column::Code
                                                        : Column::UnitPrice;
        focusCell(c, p->row);
    }
    return p;
}

// ---- Focus, scrolling, held keys --------------------------------------------

void ItemGrid::focusCell(Column column, int r)
{
    if (QLineEdit *f = cell(column, r)) {
        ensureVisible(r);
        ui::focusAndSelect(f);
    }
}

void ItemGrid::focusEndButton()
{
    if (m_endButton)
        m_endButton->setFocus();
}

void ItemGrid::ensureVisible(int r)
{
    const int top = kRowPitch * r;
    const int value = m_scroll->value();
    if (top < value)
        m_scroll->setValue(top);
    else if (top + kRowPitch > value + kViewportHeight)
        m_scroll->setValue(top + kRowPitch - kViewportHeight);
}

void ItemGrid::holdKeys(bool on)
{
    if (on) {
        if (m_holding++ == 0)
            qApp->installEventFilter(this);
        return;
    }
    if (--m_holding == 0) {
        qApp->removeEventFilter(this);
        if (std::uncaught_exceptions() > 0)
            m_held.clear();
    }
}

void ItemGrid::replayHeldKeys()
{
    // One at a time from the front: a replayed Enter may start another
    // lookup, which holds (at the back) and replays (from the front) itself.
    while (m_holding == 0 && !m_held.empty()) {
        const HeldKey k = m_held.front();
        m_held.erase(m_held.begin());
        QWidget *target = window()->focusWidget();
        if (!target)
            continue;
        QKeyEvent press(QEvent::KeyPress, k.key, k.modifiers, k.text, k.autoRepeat, k.count);
        QCoreApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, k.key, k.modifiers, k.text, k.autoRepeat, k.count);
        QCoreApplication::sendEvent(target, &release);
    }
}

bool ItemGrid::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();

    // While the grid pauses, the keys meant for its window wait.
    if (m_holding > 0 && watched != this
        && (type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::ShortcutOverride)) {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w && w->window() == window()) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (type == QEvent::ShortcutOverride)
                event->accept();
            else if (type == QEvent::KeyPress)
                m_held.push_back({key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                                  static_cast<quint16>(key->count())});
            return true;
        }
        return false;
    }

    auto *field = qobject_cast<QLineEdit *>(watched);
    if (!field || !field->property(kRowProperty).isValid() || field->parentWidget() != m_frame)
        return false;
    const int r = field->property(kRowProperty).toInt();
    const int c = field->property(kColumnProperty).toInt();

    if (type == QEvent::FocusIn) {
        ensureVisible(r);
    } else if (type == QEvent::KeyPress && c == columnIndex(Column::Mark)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->text().isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            return false;
        const MarkKey mk = markKey(key->text());
        if (mk.action == MarkKey::Action::OpenBarcodeWindow) {
            openBarcodeWindow(r);
            return true;
        }
        if (mk.text != key->text()) {
            // Qt names a letter's key by its capital already; the blank
            // becomes the key X.
            const int code = key->key() == Qt::Key_Space ? int(Qt::Key_X) : key->key();
            QKeyEvent replacement(QEvent::KeyPress, code, key->modifiers(), mk.text, key->isAutoRepeat(),
                                  static_cast<quint16>(key->count()));
            QCoreApplication::sendEvent(field, &replacement);
            return true;
        }
    }
    return false;
}

} // namespace sales

#include "articulos_window.h"

#include "article_picker.h"
#include "article_rules.h"
#include "common/formats.h"
#include "common/services.h"
#include "common/ui/fields.h"
#include "common/ui/window_opener.h"
#include "rubro_pickers.h"
#include "store/database_folder.h"
#include "suppliers/cons_lista_proveedor_a.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace catalogue {

namespace {

const QColor kWindowColour{0xFF, 0xE0, 0xC0};
const QColor kFrameBoxColour{0xFF, 0xFF, 0xC0};
const QString kNotFoundTitle = QStringLiteral("Error");
const QString kNotFound = QStringLiteral("Articulo no encontrado en la Base de Datos");

// The boxes in the order of the window (Up / Down ring), with what each does
// with typed keys.
struct BoxKind {
    const char *name;
    int maxLength;
    bool comma;
    bool upper;
    bool selectOnClick;
    bool inFrame;   // cost, freight, other costs, group and the four lists
};

const BoxKind kBoxes[] = {
    {"Text1", 30, true, true, true, false},   {"Text2", 40, false, true, true, false},
    {"Text15", 5, false, true, false, false}, {"Text3", 30, true, true, true, false},
    {"Text4", 30, false, true, true, false},  {"Text5", 30, true, true, true, false},
    {"Text16", 30, false, false, false, false}, {"Text6", 30, true, true, true, false},
    {"Text7", 30, false, true, true, false},  {"Text8", 30, true, true, true, false},
    {"Text9", 30, true, true, true, false},   {"Text10", 30, true, true, true, false},
    {"Text11", 30, true, true, true, true},   {"Text12", 30, true, true, true, true},
    {"Text13", 30, true, true, true, true},   {"Text14", 30, true, true, true, true},
    {"Text20", 30, true, true, true, true},   {"Text21", 30, true, true, true, true},
    {"Text22", 30, true, true, true, true},   {"Text23", 30, true, true, true, true},
    {"Text24", 30, true, true, true, true},   {"Text25", 30, true, true, true, true},
    {"Text26", 30, true, true, true, true},   {"Text27", 30, true, true, true, true},
    {"Text28", 30, true, true, true, true},   {"Text29", 30, true, true, true, true},
    {"Text30", 30, true, true, true, true},   {"Text31", 30, true, true, true, true},
};

// Runs `handler` for every key pressed in the widget before the widget
// sees it; the handler returns true to swallow the key.
class KeyHook final : public QObject {
public:
    KeyHook(QWidget *widget, std::function<bool(QKeyEvent *)> handler)
        : QObject(widget), m_handler(std::move(handler))
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape)
                event->accept();
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        return m_handler(static_cast<QKeyEvent *>(event));
    }

private:
    std::function<bool(QKeyEvent *)> m_handler;
};

QPushButton *pictureButton(QWidget *parent, const char *name, QStyle::StandardPixmap icon)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(icon));
    ui::setupButton(button);
    return button;
}

QLabel *label(const QString &text, QWidget *parent)
{
    return new QLabel(text, parent);
}

} // namespace

Articulos::Articulos(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Articulos"));
    setWindowTitle(QStringLiteral("Articulos"));

    m_db = store::DatabaseFolder::current().open(store::files::Articulos);
    m_keyed = std::make_unique<store::TableView>(*m_db, QStringLiteral("Articulos"));
    m_keyed->setIndex(QStringLiteral("art"));
    m_ordered = std::make_unique<store::TableView>(*m_db, QStringLiteral("Articulos"));
    m_ordered->moveFirst();

    buildForm();
    Blanquear();
    box(QStringLiteral("Text17"))->setText(fmt::formatDate(services::today()));
}

Articulos::~Articulos() = default;

QLineEdit *Articulos::box(const QString &name) const
{
    return m_boxes.value(name);
}

void Articulos::buildForm()
{
    setAutoFillBackground(true);
    QPalette peach = palette();
    peach.setColor(QPalette::Window, kWindowColour);
    setPalette(peach);

    QList<QWidget *> ring;
    for (const BoxKind &kind : kBoxes) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(kind.name));
        edit->setMaxLength(kind.maxLength);
        QPalette p = edit->palette();
        p.setColor(QPalette::Base, kind.inFrame ? kFrameBoxColour : QColor(Qt::white));
        p.setColor(QPalette::Text, kind.inFrame ? QColor(Qt::red) : QColor(Qt::blue));
        edit->setPalette(p);
        ui::setupField(edit, ui::FieldOptions{kind.upper, kind.comma, kind.selectOnClick});
        m_boxes.insert(edit->objectName(), edit);
        ring << edit;
    }
    auto *date = new QLineEdit(this);
    date->setObjectName(QStringLiteral("Text17"));
    date->setReadOnly(true);
    date->setAlignment(Qt::AlignCenter);
    date->setFocusPolicy(Qt::NoFocus);
    m_boxes.insert(date->objectName(), date);
    ui::upDownRing(ring);

    auto *pickArticle = pictureButton(this, "cmdArticulos", QStyle::SP_FileDialogContentsView);
    auto *pickSupplier = pictureButton(this, "cmdProveedores", QStyle::SP_FileDialogContentsView);
    auto *pickCategory = pictureButton(this, "cmdRubros", QStyle::SP_FileDialogContentsView);
    auto *previous = pictureButton(this, "cmdAnterior", QStyle::SP_ArrowLeft);
    auto *next = pictureButton(this, "cmdSiguiente", QStyle::SP_ArrowRight);
    auto *agregar = new QPushButton(QStringLiteral("2 = &Agregar"), this);
    agregar->setObjectName(QStringLiteral("cmdAgregar"));
    auto *borrar = new QPushButton(QStringLiteral("&Borrar"), this);
    borrar->setObjectName(QStringLiteral("cmdBorrar"));
    m_grabar = new QPushButton(QStringLiteral("&Grabar"), this);
    m_grabar->setObjectName(QStringLiteral("cmdGrabar"));
    auto *cerrar = new QPushButton(QStringLiteral("&Cerrar"), this);
    cerrar->setObjectName(QStringLiteral("cmdCerrar"));
    for (QPushButton *b : {agregar, borrar, m_grabar, cerrar})
        ui::setupButton(b);

    connect(pickArticle, &QPushButton::clicked, this, &Articulos::openArticlePicker);
    connect(pickSupplier, &QPushButton::clicked, this, &Articulos::openSupplierPicker);
    connect(pickCategory, &QPushButton::clicked, this, &Articulos::openCategoryPicker);
    connect(previous, &QPushButton::clicked, this, &Articulos::Anterior);
    connect(next, &QPushButton::clicked, this, &Articulos::Siguiente);
    connect(agregar, &QPushButton::clicked, this, &Articulos::Agregar);
    connect(borrar, &QPushButton::clicked, this, &Articulos::Borrar);
    connect(m_grabar, &QPushButton::clicked, this, &Articulos::Grabar);
    connect(cerrar, &QPushButton::clicked, this, &QWidget::close);

    // ---- keys
    auto b = [this](const char *name) { return box(QLatin1String(name)); };
    new KeyHook(b("Text1"), [this](QKeyEvent *key) {
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool escape = key->key() == Qt::Key_Escape;
        const bool character = !key->text().isEmpty() && key->text().at(0).isPrint();
        const bool backspace = key->key() == Qt::Key_Backspace;
        // A 13-character text is a bar code: it is looked up before the key
        // is handled. A character or Backspace that triggered the lookup is
        // then dropped (the box now holds the article found, or nothing).
        if ((enter || escape || character || backspace) && box(QStringLiteral("Text1"))->text().size() == 13) {
            BuscoArticuloPorCodigoBarra();
            if (!enter && !escape)
                return true;
        }
        if (enter) {
            lookupByCode();
            return true;
        }
        if (escape) {
            openArticlePicker();
            return true;
        }
        if (key->text() == QLatin1String("2")) {
            Agregar();
            return true;
        }
        return false;
    });
    ui::enterMovesTo(b("Text2"), b("Text15"));
    ui::onKey(b("Text15"), Qt::Key_Return, [this] { lookupByShortCode(); });
    ui::enterMovesTo(b("Text3"), b("Text4"));
    ui::onKey(b("Text3"), Qt::Key_Escape, [this] { openSupplierPicker(); });
    ui::enterMovesTo(b("Text4"), b("Text5"));
    ui::enterMovesTo(b("Text5"), b("Text16"));
    ui::onKey(b("Text16"), Qt::Key_Return, [this] { lookupBarcodeBox(); });
    ui::enterMovesTo(b("Text6"), b("Text7"));
    ui::onKey(b("Text6"), Qt::Key_Escape, [this] { openCategoryPicker(); });
    ui::enterMovesTo(b("Text7"), b("Text8"));
    ui::enterMovesTo(b("Text8"), b("Text9"));
    ui::enterMovesTo(b("Text9"), b("Text10"));
    ui::enterMovesTo(b("Text10"), b("Text11"));
    ui::enterMovesTo(b("Text11"), b("Text12"));
    ui::enterMovesTo(b("Text12"), b("Text13"));
    ui::enterMovesTo(b("Text13"), b("Text14"));
    ui::enterMovesTo(b("Text14"), b("Text20"));
    ui::enterMovesTo(b("Text20"), b("Text21"));
    ui::onKey(b("Text21"), Qt::Key_Return, [this] {
        if (CalculoNeto1())
            ui::focusAndSelect(box(QStringLiteral("Text22")));
    });
    ui::enterMovesTo(b("Text22"), b("Text23"));
    ui::enterMovesTo(b("Text23"), b("Text24"));
    ui::onKey(b("Text24"), Qt::Key_Return, [this] {
        if (CalculoNeto2())
            ui::focusAndSelect(box(QStringLiteral("Text25")));
    });
    ui::enterMovesTo(b("Text25"), b("Text26"));
    auto zeroIfEmpty = [this](const char *name) {
        QLineEdit *e = box(QLatin1String(name));
        if (e->text().isEmpty())
            e->setText(QStringLiteral("0"));
    };
    ui::onKey(b("Text26"), Qt::Key_Return, [this, zeroIfEmpty] {
        zeroIfEmpty("Text26");
        ui::focusAndSelect(box(QStringLiteral("Text27")));
    });
    ui::onKey(b("Text27"), Qt::Key_Return, [this, zeroIfEmpty] {
        zeroIfEmpty("Text27");
        if (CalculoNeto3())
            ui::focusAndSelect(box(QStringLiteral("Text28")));
    });
    ui::enterMovesTo(b("Text28"), b("Text29"));
    ui::onKey(b("Text29"), Qt::Key_Return, [this, zeroIfEmpty] {
        zeroIfEmpty("Text29");
        ui::focusAndSelect(box(QStringLiteral("Text30")));
    });
    ui::onKey(b("Text30"), Qt::Key_Return, [this, zeroIfEmpty] {
        zeroIfEmpty("Text30");
        if (CalculoNeto4())
            ui::focusAndSelect(box(QStringLiteral("Text31")));
    });
    ui::onKey(b("Text31"), Qt::Key_Return, [this] { m_grabar->setFocus(Qt::OtherFocusReason); });

    // ---- layout
    auto *top = new QGridLayout;
    int row = 0;
    top->addWidget(pickArticle, row, 0);
    top->addWidget(label(QStringLiteral("Codigo:"), this), row, 1);
    top->addWidget(b("Text1"), row, 2);
    top->addWidget(label(QStringLiteral("Sigla:"), this), row, 3);
    top->addWidget(b("Text15"), row, 4);
    top->addWidget(b("Text17"), row, 5, 1, 2);
    ++row;
    top->addWidget(label(QStringLiteral("Des.:"), this), row, 1);
    top->addWidget(b("Text2"), row, 2, 1, 5);
    ++row;
    top->addWidget(pickSupplier, row, 0);
    top->addWidget(label(QStringLiteral("Proveedor:"), this), row, 1);
    top->addWidget(b("Text3"), row, 2);
    top->addWidget(label(QStringLiteral("-"), this), row, 3, Qt::AlignCenter);
    top->addWidget(b("Text4"), row, 4, 1, 3);
    ++row;
    top->addWidget(label(QStringLiteral("Unidad:"), this), row, 1);
    top->addWidget(b("Text5"), row, 2);
    top->addWidget(label(QStringLiteral("Codigo Barra:"), this), row, 3);
    top->addWidget(b("Text16"), row, 4, 1, 3);
    ++row;
    top->addWidget(pickCategory, row, 0);
    top->addWidget(label(QStringLiteral("Rubro:"), this), row, 1);
    top->addWidget(b("Text6"), row, 2);
    top->addWidget(label(QStringLiteral("-"), this), row, 3, Qt::AlignCenter);
    top->addWidget(b("Text7"), row, 4, 1, 3);
    ++row;
    top->addWidget(label(QStringLiteral("Pack:"), this), row, 1);
    top->addWidget(b("Text8"), row, 2);
    top->addWidget(label(QStringLiteral("Stock:"), this), row, 3);
    top->addWidget(b("Text9"), row, 4);
    top->addWidget(label(QStringLiteral("Fecha U.C.:"), this), row, 5);
    top->addWidget(b("Text10"), row, 6);

    auto *costFrame = new QGroupBox(this);
    costFrame->setObjectName(QStringLiteral("Frame1"));
    auto *cost = new QGridLayout(costFrame);
    cost->addWidget(label(QStringLiteral("Costo:"), this), 0, 0);
    cost->addWidget(label(QStringLiteral("$"), this), 0, 1);
    cost->addWidget(b("Text11"), 0, 2);
    cost->addWidget(label(QStringLiteral("Flete:"), this), 0, 3);
    cost->addWidget(b("Text12"), 0, 4);
    cost->addWidget(label(QStringLiteral("%"), this), 0, 5);
    cost->addWidget(label(QStringLiteral("Otros:"), this), 0, 6);
    cost->addWidget(b("Text13"), 0, 7);
    cost->addWidget(label(QStringLiteral("%"), this), 0, 8);
    cost->addWidget(label(QStringLiteral("Grupo:"), this), 0, 9);
    cost->addWidget(b("Text14"), 0, 10);

    auto *lists = new QGridLayout;
    for (int k = 0; k < 4; ++k) {
        auto *frame = new QGroupBox(QStringLiteral("Precio de Lista %1:").arg(k + 1), this);
        frame->setObjectName(QStringLiteral("FrameLista%1").arg(k + 1));
        auto *g = new QGridLayout(frame);
        const int first = 20 + 3 * k;
        const char *captions[] = {"V.A.:", "IVA:", "Neto:"};
        const char *units[] = {"%", "%", "$"};
        for (int i = 0; i < 3; ++i) {
            g->addWidget(label(QLatin1String(captions[i]), this), i, 0);
            g->addWidget(box(QStringLiteral("Text%1").arg(first + i)), i, 1);
            g->addWidget(label(QLatin1String(units[i]), this), i, 2);
        }
        lists->addWidget(frame, 0, k);
    }

    auto *browse = new QHBoxLayout;
    browse->addStretch();
    browse->addWidget(previous);
    browse->addWidget(next);
    browse->addStretch();

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(agregar);
    buttons->addWidget(borrar);
    buttons->addWidget(m_grabar);
    buttons->addWidget(cerrar);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(costFrame);
    layout->addLayout(lists);
    layout->addLayout(browse);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// ---------------------------------------------------------------------------
// Boxes <-> texts

QHash<QString, QString> Articulos::boxTexts() const
{
    ArticleTexts texts;
    for (const ArticleField &f : articleFields())
        texts.insert(f.field, box(f.box)->text());
    return texts;
}

void Articulos::setBoxTexts(const QHash<QString, QString> &texts)
{
    for (const ArticleField &f : articleFields())
        box(f.box)->setText(texts.value(f.field));
}

void Articulos::Blanquear()
{
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it)
        if (it.key() != QLatin1String("Text17"))
            it.value()->clear();
    m_proposedCode.clear();
}

void Articulos::CargaDesdeBaseDatos()
{
    if (!m_keyed->hasRecord())
        return;
    const ArticleTexts texts = readArticle(*m_keyed);
    for (const ArticleField &f : articleFields())
        if (texts.contains(f.field))
            box(f.box)->setText(texts.value(f.field));
}

void Articulos::CargaDesdeBaseDatos2()
{
    if (!m_ordered->hasRecord())
        return;
    const ArticleTexts texts = readArticle(*m_ordered);
    for (const ArticleField &f : articleFields())
        if (texts.contains(f.field))
            box(f.box)->setText(texts.value(f.field));
}

// ---------------------------------------------------------------------------
// Lookups

bool Articulos::seekShow(const QString &index, const QString &key)
{
    m_keyed->setIndex(index);
    if (!m_keyed->seek(key)) {
        services::inform(kNotFoundTitle, kNotFound);
        Blanquear();
        return false;
    }
    Blanquear();
    CargaDesdeBaseDatos();
    return true;
}

void Articulos::BuscarEntrada()
{
    const QString code = box(QStringLiteral("Text1"))->text();
    if (!code.isEmpty())
        seekShow(QStringLiteral("art"), code);
}

void Articulos::BuscoArticuloPorCodigoBarra()
{
    if (seekShow(QStringLiteral("cod"), box(QStringLiteral("Text1"))->text()))
        ui::focusAndSelect(box(QStringLiteral("Text2")));
}

void Articulos::lookupByCode()
{
    const QString code = box(QStringLiteral("Text1"))->text();
    if (code.isEmpty())
        return;
    if (seekShow(QStringLiteral("art"), code))
        ui::focusAndSelect(box(QStringLiteral("Text2")));
}

void Articulos::lookupByShortCode()
{
    const QString sigla = box(QStringLiteral("Text15"))->text();
    if (sigla == QLatin1String(" ")) {
        ui::focusAndSelect(box(QStringLiteral("Text3")));
        return;
    }
    if (seekShow(QStringLiteral("sig"), sigla))
        ui::focusAndSelect(box(QStringLiteral("Text2")));
}

void Articulos::lookupBarcodeBox()
{
    QLineEdit *barcode = box(QStringLiteral("Text16"));
    if (barcode->text().size() != 13)
        return;
    m_keyed->setIndex(QStringLiteral("cod"));
    if (m_keyed->seek(barcode->text())) {
        Blanquear();
        CargaDesdeBaseDatos();
    } else {
        barcode->clear();
    }
}

// ---------------------------------------------------------------------------
// New code, prices, save

void Articulos::CrearArticulo()
{
    Blanquear();
    const QString code = proposeArticleCode(*m_db);
    box(QStringLiteral("Text1"))->setText(code);
    m_proposedCode = code;
    ui::focusAndSelect(box(QStringLiteral("Text2")));
}

bool Articulos::showNumberError(const NumberError &error)
{
    services::critical(QStringLiteral("Error"), error.message());
    for (const ArticleField &f : articleFields())
        if (f.field == error.field())
            ui::focusAndSelect(box(f.box));
    return false;
}

bool Articulos::GenerarPrecios()
{
    ArticleTexts texts = boxTexts();
    try {
        generarPrecios(texts, box(QStringLiteral("Text17"))->text());
    } catch (const NumberError &e) {
        return showNumberError(e);
    }
    setBoxTexts(texts);
    return true;
}

bool Articulos::calculoNeto(int list)
{
    static const char *const netBoxes[] = {"Text22", "Text25", "Text28", "Text31"};
    try {
        const QString net = catalogue::calculoNeto(boxTexts(), list);
        box(QLatin1String(netBoxes[list - 1]))->setText(net);
    } catch (const NumberError &e) {
        return showNumberError(e);
    }
    return true;
}

bool Articulos::CalculoNeto1() { return calculoNeto(1); }
bool Articulos::CalculoNeto2() { return calculoNeto(2); }
bool Articulos::CalculoNeto3() { return calculoNeto(3); }
bool Articulos::CalculoNeto4() { return calculoNeto(4); }

void Articulos::VerificarBlancos()
{
    for (const char *name : {"Text8", "Text9", "Text11", "Text12", "Text13", "Text20", "Text21", "Text22", "Text23",
                             "Text24", "Text25"}) {
        QLineEdit *e = box(QLatin1String(name));
        if (e->text().isEmpty())
            e->setText(QStringLiteral("0"));
    }
}

void Articulos::CargaBaseDatos()
{
    VerificarBlancos();
    writeArticle(*m_keyed, boxTexts());
}

void Articulos::Grabar()
{
    if (box(QStringLiteral("Text1"))->text().isEmpty())
        return;
    ArticleTexts texts = boxTexts();
    const bool proposed = !m_proposedCode.isEmpty() && texts.value(QStringLiteral("ART")) == m_proposedCode;
    SaveOutcome outcome;
    try {
        outcome = saveArticle(*m_db, *m_keyed, texts, proposed, box(QStringLiteral("Text17"))->text());
    } catch (const NumberError &e) {
        showNumberError(e);
        return;
    }
    setBoxTexts(texts);
    if (!outcome.takenCode.isEmpty())
        services::inform(QStringLiteral("Guardar"),
                         QStringLiteral("Otra estación guardó un artículo con el código %1 mientras se cargaba "
                                        "este. El artículo se guardó con el código %2.")
                             .arg(outcome.takenCode, outcome.code));
    services::exclaim(QStringLiteral("Guardar"), QStringLiteral("Articulo Guardado, Precione Aceptar para Continuar"));
    reopen();
}

// ---------------------------------------------------------------------------
// Delete

void Articulos::Borrar()
{
    if (box(QStringLiteral("Text1"))->text().isEmpty()) {
        services::critical(QStringLiteral("Error"), QStringLiteral("Debe poner el Codigo del Articulo a Borrar"));
        return;
    }
    BorrarArticulo();
}

void Articulos::BorrarArticulo()
{
    if (box(QStringLiteral("Text1"))->text().isEmpty())
        return;
    if (!seekShow(QStringLiteral("art"), box(QStringLiteral("Text1"))->text()))
        return;
    const QString code = box(QStringLiteral("Text1"))->text();
    const bool yes = services::askYesNo(
        QStringLiteral("Eliminar Articulo --> ") + code,
        QStringLiteral("¿Confirme la Eliminación del Articulo? --> ") + box(QStringLiteral("Text2"))->text(),
        services::Icon::Critical);
    if (!yes)
        return;
    m_keyed->setIndex(QStringLiteral("art"));
    if (m_keyed->seek(code))
        m_keyed->deleteCurrent();
    m_keyed->moveFirst();
    Blanquear();
}

// ---------------------------------------------------------------------------
// Browsing

void Articulos::Anterior()
{
    m_ordered->movePrevious();
    if (m_ordered->bof()) {
        services::exclaim(QStringLiteral("Mensaje"),
                          QStringLiteral("Cominezo del Archivo, Aceptar para ir al Ultimo Registro"));
        m_ordered->moveLast();
    }
    Blanquear();
    CargaDesdeBaseDatos2();
}

void Articulos::Siguiente()
{
    m_ordered->moveNext();
    if (m_ordered->eof()) {
        services::exclaim(QStringLiteral("Mensaje"), QStringLiteral("Fin del Archivo, Aceptar para ir al Primer Registro"));
        m_ordered->moveFirst();
    }
    Blanquear();
    CargaDesdeBaseDatos2();
}

// ---------------------------------------------------------------------------
// New article, pickers, reopening

void Articulos::Agregar()
{
    if (QWidget *fresh = reopen())
        QMetaObject::invokeMethod(fresh, "CrearArticulo");
}

QWidget *Articulos::reopen()
{
    // In the main window the frame is closed with the window, so that the
    // main window no longer counts this one as open.
    QWidget *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    (frame ? frame : static_cast<QWidget *>(this))->close();
    QWidget *fresh = ui::openWindow(QStringLiteral("Articulos"), 1600, 0);
    if (fresh == this) {
        // Opened again in place: start as a fresh window does.
        Blanquear();
        m_ordered->moveFirst();
    }
    return fresh;
}

void Articulos::openArticlePicker()
{
    auto *picker = new ArticlePicker(ArticlePickerKind::Lookup, this);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    picker->open();
}

void Articulos::openSupplierPicker()
{
    suppliers::ConsListaProveedorA::openFor(this);
}

void Articulos::openCategoryPicker()
{
    RubroPicker::openFor(RubroPickerKind::Articulo, this);
}

} // namespace catalogue

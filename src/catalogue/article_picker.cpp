#include "article_picker.h"

#include "article_list_model.h"
#include "window_helpers.h"
#include "common/session.h"
#include "common/ui/application.h"
#include "common/ui/fields.h"
#include "common/ui/window_opener.h"
#include "store/database_folder.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace catalogue {

namespace {

// The list: rows are chosen with the arrows, the mouse or a search; typing
// letters into it does not jump anywhere (its keys are commands). Getting
// the focus does not make a row current by itself: a list without a current
// row (after a search without match) takes nothing until a row is chosen;
// Down then chooses the first one.
class ArticleTable final : public QTableView {
public:
    using QTableView::QTableView;
    void keyboardSearch(const QString &) override {}

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        const bool hadCurrent = currentIndex().isValid();
        QTableView::focusInEvent(event);
        if (!hadCurrent && currentIndex().isValid())
            selectionModel()->clear();
    }
};

enum class ArticleCommand { Create, Show, Delete };

// Opens the article window and hands it the command; touches nothing of the
// picker, which may already be gone.
void driveArticleWindow(ArticleCommand command, const QString &code)
{
    QWidget *window = ui::openWindow(QStringLiteral("Articulos"), 1600, 0);
    if (!window) {
        ui::reportFailure(QStringLiteral("No se pudo abrir la ventana de Articulos."));
        return;
    }
    QPointer<QWidget> guard(window);
    QPointer<QLineEdit> codeBox;
    if (command != ArticleCommand::Create) {
        codeBox = window->findChild<QLineEdit *>(QStringLiteral("Text1"));
        if (!codeBox) {
            ui::reportFailure(QStringLiteral("La ventana de Articulos no tiene la caja del codigo."));
            return;
        }
        codeBox->setText(code);
    }
    const char *method = command == ArticleCommand::Create ? "CrearArticulo"
                         : command == ArticleCommand::Show ? "BuscarEntrada"
                                                           : "BorrarArticulo";
    if (!QMetaObject::invokeMethod(window, method, Qt::DirectConnection)) {
        ui::reportFailure(QStringLiteral("La ventana de Articulos no acepta la orden %1.").arg(QLatin1String(method)));
        return;
    }
    if (guard && codeBox)
        ui::focusAndSelect(codeBox);
}

} // namespace

struct ArticlePicker::Private {
    ArticlePicker *q;
    ArticlePickerKind kind;
    const ArticlePickerTraits &traits;
    std::unique_ptr<store::Database> db;
    ArticleListModel *model = nullptr;
    QLineEdit *search = nullptr;
    ArticleTable *list = nullptr;
    std::function<void(const QString &)> take;
    bool shownBefore = false;

    Private(ArticlePicker *picker, ArticlePickerKind k) : q(picker), kind(k), traits(traitsOf(k)) {}

    void build();
    void wire();
    void showSearchText();

    void setCurrentRow(int row)
    {
        QItemSelectionModel *selection = list->selectionModel();
        if (row < 0 || row >= model->rowCount()) {
            selection->clear();
            return;
        }
        const QModelIndex index = model->index(row, 0);
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        list->scrollTo(index, QAbstractItemView::PositionAtTop);
    }

    QString currentCode() const
    {
        const QModelIndex current = list->currentIndex();
        return current.isValid() ? model->code(current.row()) : QString();
    }

    void takeCurrent()
    {
        if (!traits.takesRows || !list->currentIndex().isValid())
            return;
        const QString code = currentCode();
        QPointer<ArticlePicker> guard(q);
        if (take)
            take(code);
        if (guard)
            q->accept();
    }

    // Keys and buttons 2, 3, 4 of ConsListaArticulo. Modify and delete need
    // a current row; without one the picker stays open.
    void command(ArticleCommand what)
    {
        QString code;
        if (what != ArticleCommand::Create) {
            if (!list->currentIndex().isValid())
                return;
            code = currentCode();
        }
        q->reject();
        driveArticleWindow(what, code);
    }
};

void ArticlePicker::Private::build()
{
    q->setObjectName(traits.name);
    q->setWindowTitle(QStringLiteral("Consulta - Articulos"));
    q->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                      Qt::MSWindowsFixedSizeDialogHint);
    q->setAutoFillBackground(true);
    QPalette blue = q->palette();
    blue.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xFF));
    q->setPalette(blue);

    auto *label = new QLabel(QStringLiteral("Buscar:"), q);
    label->setObjectName(QStringLiteral("Label1"));
    search = new QLineEdit(q);
    search->setObjectName(QStringLiteral("Text1"));
    search->setMaxLength(40);
    ui::setupField(search, {.upper = true});

    model = new ArticleListModel(*db, q);
    list = new ArticleTable(q);
    list->setObjectName(QStringLiteral("MSFlexGrid1"));
    list->setModel(model);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setTabKeyNavigation(false);
    list->setWordWrap(false);
    list->setCornerButtonEnabled(false);
    list->verticalHeader()->hide();
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 6);
    list->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    list->horizontalHeader()->setHighlightSections(false);
    const int widths[ArticleListModel::ColumnCount] = {70, 320, 60, 75, 75, 75, 75};
    for (int c = 0; c < ArticleListModel::ColumnCount; ++c)
        list->setColumnWidth(c, widths[c]);

    auto *top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(search, 1);
    auto *layout = new QVBoxLayout(q);
    layout->addLayout(top);
    layout->addWidget(list, 1);

    if (traits.articleWindowCommands) {
        auto *buttons = new QHBoxLayout;
        const std::pair<const char *, QString> specs[] = {
            {"cmdSalir", QStringLiteral("ESC = Salir")},
            {"cmdAgregar", QStringLiteral("2 = Agregar")},
            {"cmdModificar", QStringLiteral("3 = Modificar")},
            {"cmdBorrar", QStringLiteral("4 = Borrar")},
        };
        for (const auto &[name, caption] : specs) {
            auto *button = new QPushButton(caption, q);
            button->setObjectName(QLatin1String(name));
            button->setAutoDefault(false);
            ui::setupButton(button);
            buttons->addWidget(button);
        }
        layout->addLayout(buttons);
    }

    int width = 40;
    for (int c = 0; c < ArticleListModel::ColumnCount; ++c)
        width += widths[c];
    q->setFixedSize(width, traits.articleWindowCommands ? 480 : 440);
}

void ArticlePicker::Private::wire()
{
    ui::onKey(search, Qt::Key_Return, [this] { q->BuscarGrid(); });
    ui::onKey(search, Qt::Key_Escape, [this] { q->reject(); });

    ui::onKey(list, Qt::Key_Escape, [this] { q->reject(); });
    ui::onKey(list, Qt::Key_Backspace, [this] { ui::focusAndSelect(search); });
    ui::onKey(list, Qt::Key_Return, [this] { takeCurrent(); });
    if (traits.takesOnDoubleClick)
        QObject::connect(list, &QAbstractItemView::doubleClicked, q, [this](const QModelIndex &index) {
            if (!index.isValid())
                return;
            setCurrentRow(index.row());
            takeCurrent();
        });

    if (traits.articleWindowCommands) {
        ui::onKey(list, Qt::Key_2, [this] { command(ArticleCommand::Create); });
        ui::onKey(list, Qt::Key_3, [this] { command(ArticleCommand::Show); });
        ui::onKey(list, Qt::Key_4, [this] { command(ArticleCommand::Delete); });
        auto button = [this](const char *name) { return q->findChild<QPushButton *>(QLatin1String(name)); };
        QObject::connect(button("cmdSalir"), &QPushButton::clicked, q, &QDialog::reject);
        QObject::connect(button("cmdAgregar"), &QPushButton::clicked, q, [this] { command(ArticleCommand::Create); });
        QObject::connect(button("cmdModificar"), &QPushButton::clicked, q, [this] { command(ArticleCommand::Show); });
        QObject::connect(button("cmdBorrar"), &QPushButton::clicked, q, [this] { command(ArticleCommand::Delete); });
    }
}

// ConsListaArticulo shows the text of the last price lookup whenever it
// opens; every picker opens with the focus in its search box.
void ArticlePicker::Private::showSearchText()
{
    if (kind == ArticlePickerKind::Lookup)
        search->setText(session::TextoBuscar());
    ui::focusAndSelect(search);
}

ArticlePicker::ArticlePicker(ArticlePickerKind kind, QWidget *parent)
    : QDialog(parent), d(std::make_unique<Private>(this, kind))
{
    d->db = store::DatabaseFolder::current().open(store::files::Articulos);
    d->build();
    d->wire();
    d->showSearchText();
    // Each opening after the first reads the table afresh.
    onShow(this, [this] {
        if (d->shownBefore) {
            d->model->reload();
            d->showSearchText();
        }
        d->shownBefore = true;
        centreOnScreen(this);
    });
}

ArticlePicker::~ArticlePicker()
{
    // The model reads through the database: let it go first.
    delete d->model;
    d->model = nullptr;
}

ArticlePickerKind ArticlePicker::kind() const
{
    return d->kind;
}

void ArticlePicker::setTakeHandler(std::function<void(const QString &)> handler)
{
    d->take = std::move(handler);
}

void ArticlePicker::BuscarGrid()
{
    const SearchOutcome outcome =
        searchOutcome(d->kind, d->search->text(), d->model->rowCount(),
                      [this](const QString &text) { return d->model->findFirstPrefix(text); });
    if (!outcome.searched)
        return;
    d->setCurrentRow(outcome.currentRow);
    switch (outcome.focus) {
    case SearchOutcome::Focus::List:
        d->list->setFocus(Qt::OtherFocusReason);
        break;
    case SearchOutcome::Focus::SearchBox:
        ui::focusAndSelect(d->search);
        break;
    case SearchOutcome::Focus::Unchanged:
        break;
    }
}

} // namespace catalogue

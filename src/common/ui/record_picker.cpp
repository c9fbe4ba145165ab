#include "record_picker.h"

#include "fields.h"
#include "twips.h"
#include "store/database_folder.h"

#include <QAbstractTableModel>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace ui {

namespace {

// The rows read from the table, as screen texts, in the order shown.
class RowsModel final : public QAbstractTableModel {
public:
    RowsModel(QStringList headings, std::vector<QStringList> rows, QObject *parent)
        : QAbstractTableModel(parent), m_headings(std::move(headings)), m_rows(std::move(rows))
    {
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_headings.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return text(index.row(), index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        if (orientation == Qt::Horizontal)
            return m_headings.value(section);
        return {};
    }

    QString text(int row, int column) const
    {
        if (row < 0 || row >= int(m_rows.size()))
            return {};
        return m_rows[size_t(row)].value(column);
    }

    void sortByColumn(int column)
    {
        beginResetModel();
        std::stable_sort(m_rows.begin(), m_rows.end(), [column](const QStringList &a, const QStringList &b) {
            return a.value(column).compare(b.value(column), Qt::CaseSensitive) < 0;
        });
        endResetModel();
    }

private:
    QStringList m_headings;
    std::vector<QStringList> m_rows;
};

} // namespace

struct RecordPicker::Private {
    Design design;
    QStringList fields;
    int searchColumn = 0;
    int codeColumn = 0;
    RowsModel *model = nullptr;
    QLineEdit *search = nullptr;
    QTableView *view = nullptr;
    std::function<void(int)> onTake;
    std::function<void()> onAdd;
    std::function<void(const QString &)> onModify;
    std::function<void(const QString &)> onDelete;
    bool centred = false;

    int column(const QString &field) const
    {
        for (int i = 0; i < fields.size(); ++i)
            if (fields[i].compare(field, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
};

RecordPicker::RecordPicker(const Design &design, QWidget *parent) : QDialog(parent), d(std::make_unique<Private>())
{
    d->design = design;
    setObjectName(design.objectName);
    setWindowTitle(design.caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    if (design.background.isValid()) {
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, design.background);
        setPalette(p);
    }

    // Read the whole table; the file is closed again at once.
    std::vector<QStringList> rows;
    {
        auto db = store::DatabaseFolder::current().open(design.fileName);
        store::TableView table(*db, design.table);
        for (const store::FieldDef &f : table.definition().fields)
            d->fields << f.name;
        for (table.moveFirst(); !table.eof(); table.moveNext()) {
            QStringList row;
            row.reserve(d->fields.size());
            for (const QString &field : std::as_const(d->fields))
                row << table.value(field);
            rows.push_back(std::move(row));
        }
    }
    d->searchColumn = std::max(0, d->column(design.searchField));
    d->codeColumn = std::max(0, d->column(design.codeField));

    QStringList headings;
    for (int c = 0; c < d->fields.size(); ++c) {
        const QString heading = c < design.columns.size() ? design.columns[c].heading : QString();
        headings << (heading.isEmpty() ? d->fields[c] : heading);
    }
    d->model = new RowsModel(headings, std::move(rows), this);

    auto *label = new QLabel(QStringLiteral("Buscar:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    d->search = new QLineEdit(this);
    d->search->setObjectName(QStringLiteral("Text1"));
    label->setBuddy(d->search);
    setupField(d->search, FieldOptions{true, false, true});

    d->view = new QTableView(this);
    d->view->setObjectName(QStringLiteral("MSFlexGrid1"));
    d->view->setModel(d->model);
    d->view->setSelectionBehavior(QAbstractItemView::SelectRows);
    d->view->setSelectionMode(QAbstractItemView::SingleSelection);
    d->view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    d->view->setTabKeyNavigation(false);
    d->view->verticalHeader()->hide();
    d->view->verticalHeader()->setDefaultSectionSize(d->view->fontMetrics().height() + 4);
    d->view->horizontalHeader()->setHighlightSections(false);
    for (int c = 0; c < d->fields.size(); ++c) {
        const int width = c < design.columns.size() ? design.columns[c].widthTwips : 0;
        if (width > 0)
            d->view->setColumnWidth(c, twips(width));
        else
            d->view->setColumnHidden(c, true);
    }

    auto *top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(d->search, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(d->view, 1);

    if (design.buttons) {
        auto *row = new QHBoxLayout;
        const struct {
            const char *name;
            const char *caption;
            void (RecordPicker::*slot)();
        } buttons[] = {
            {"cmdSalir", "ESC = Salir", nullptr},
            {"cmdAgregar", "2 = Agregar", &RecordPicker::add},
            {"cmdModificar", "3 = Modificar", &RecordPicker::modify},
            {"cmdBorrar", "4 = Borrar", &RecordPicker::remove},
        };
        for (const auto &b : buttons) {
            auto *button = new QPushButton(QString::fromLatin1(b.caption), this);
            button->setObjectName(QString::fromLatin1(b.name));
            setupButton(button);
            if (b.slot)
                connect(button, &QPushButton::clicked, this, b.slot);
            else
                connect(button, &QPushButton::clicked, this, &RecordPicker::reject);
            row->addWidget(button);
        }
        layout->addLayout(row);
    }

    onKey(d->search, Qt::Key_Return, [this] {
        if (!d->search->text().isEmpty())
            BuscarGrid();
    });
    onKey(d->search, Qt::Key_Escape, [this] { reject(); });
    onKey(d->view, Qt::Key_Escape, [this] { reject(); });
    onKey(d->view, Qt::Key_Backspace, [this] { focusAndSelect(d->search); });
    onKey(d->view, Qt::Key_Return, [this] { take(); });
    onKey(d->view, Qt::Key_2, [this] { add(); });
    onKey(d->view, Qt::Key_3, [this] { modify(); });
    onKey(d->view, Qt::Key_4, [this] { remove(); });
    connect(d->view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid()) {
            setCurrentRow(index.row());
            take();
        }
    });

    setCurrentRow(0);
    setFixedSize(QSize(twips(design.widthTwips), twipsY(design.heightTwips)).expandedTo(minimumSizeHint()));
}

RecordPicker::~RecordPicker() = default;

void RecordPicker::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!d->centred) {
        d->centred = true;
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        d->search->setFocus(Qt::OtherFocusReason);
    }
}

void RecordPicker::OrdenarGrid()
{
    sortBy(d->fields.value(d->searchColumn));
}

void RecordPicker::sortBy(const QString &field)
{
    const int column = d->column(field);
    if (column < 0)
        return;
    d->model->sortByColumn(column);
    setCurrentRow(0);
}

bool RecordPicker::BuscarGrid()
{
    const QString text = d->search->text();
    if (text.isEmpty())
        return false;
    for (int r = 0; r < rowCount(); ++r) {
        if (d->model->text(r, d->searchColumn).startsWith(text, Qt::CaseSensitive)) {
            setCurrentRow(r);
            d->view->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return false;
}

int RecordPicker::rowCount() const { return d->model->rowCount(); }

int RecordPicker::currentRow() const
{
    const QModelIndex current = d->view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void RecordPicker::setCurrentRow(int row)
{
    if (row < 0 || row >= rowCount()) {
        d->view->setCurrentIndex({});
        return;
    }
    const QModelIndex index = d->model->index(row, d->searchColumn);
    d->view->setCurrentIndex(index);
    d->view->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    d->view->scrollTo(index, QAbstractItemView::PositionAtTop);
}

QString RecordPicker::value(int row, const QString &field) const
{
    return d->model->text(row, d->column(field));
}

QLineEdit *RecordPicker::searchBox() const { return d->search; }
QTableView *RecordPicker::list() const { return d->view; }

void RecordPicker::setTakeHandler(std::function<void(int)> handler) { d->onTake = std::move(handler); }
void RecordPicker::setAddHandler(std::function<void()> handler) { d->onAdd = std::move(handler); }
void RecordPicker::setModifyHandler(std::function<void(const QString &)> handler)
{
    d->onModify = std::move(handler);
}
void RecordPicker::setDeleteHandler(std::function<void(const QString &)> handler)
{
    d->onDelete = std::move(handler);
}

// Closes the picker and gives the window that opened it back its activation,
// so that the focus a handler sets there is the operator's focus.
void RecordPicker::closeForCommand()
{
    accept();
    if (QWidget *caller = parentWidget())
        caller->window()->activateWindow();
}

// Each command copies what it needs before closing: a picker deleted on
// close must not be touched by the handler's work.
void RecordPicker::take()
{
    const int row = currentRow();
    if (!d->onTake || row < 0)
        return;
    const auto handler = d->onTake;
    closeForCommand();
    handler(row);
}

void RecordPicker::add()
{
    if (!d->onAdd)
        return;
    const auto handler = d->onAdd;
    closeForCommand();
    handler();
}

void RecordPicker::modify()
{
    const int row = currentRow();
    if (!d->onModify || row < 0)
        return;
    const auto handler = d->onModify;
    const QString code = d->model->text(row, d->codeColumn);
    closeForCommand();
    handler(code);
}

void RecordPicker::remove()
{
    const int row = currentRow();
    if (!d->onDelete || row < 0)
        return;
    const auto handler = d->onDelete;
    const QString code = d->model->text(row, d->codeColumn);
    closeForCommand();
    handler(code);
}

} // namespace ui

#include "entrar_buscar.h"

#include "article_picker.h"
#include "article_search.h"
#include "common/formats.h"
#include "common/services.h"
#include "common/session.h"
#include "common/ui/fields.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace catalogue {

namespace {

// The program's main window: the one this window sits in, else the first
// top-level main window; nullptr when there is none.
QMainWindow *mainWindowOf(QWidget *widget)
{
    if (auto *main = qobject_cast<QMainWindow *>(widget->window()))
        return main;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *main = qobject_cast<QMainWindow *>(top))
            return main;
    return nullptr;
}

} // namespace

EntrarBuscar::EntrarBuscar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("EntrarBuscar"));
    setWindowTitle(QStringLiteral("Buscar Articulos"));

    auto *prompt = new QLabel(QStringLiteral("Consulta [C]ódigo [D]escripción -->"), this);
    prompt->setObjectName(QStringLiteral("Label1"));
    m_choice = new QLineEdit(this);
    m_choice->setObjectName(QStringLiteral("Text1"));
    m_choice->setMaxLength(1);
    m_choice->setFixedWidth(m_choice->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 2 + 12);
    m_choice->setAlignment(Qt::AlignCenter);
    ui::setupField(m_choice, {.upper = true});

    m_date = new QLineEdit(fmt::formatDate(services::today()), this);
    m_date->setObjectName(QStringLiteral("Text3"));
    m_date->setReadOnly(true);
    m_date->setFocusPolicy(Qt::NoFocus);
    m_date->setAlignment(Qt::AlignCenter);
    m_date->setFixedWidth(m_date->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 12);

    m_textCaption = new QLabel(QStringLiteral("Descripcion -->"), this);
    m_textCaption->setObjectName(QStringLiteral("Label2"));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("Text2"));
    m_text->setMaxLength(40);
    ui::setupField(m_text, {.upper = true});
    m_textCaption->hide();
    m_text->hide();

    m_accept = new QPushButton(QStringLiteral("&Aceptar"), this);
    m_accept->setObjectName(QStringLiteral("cmdAceptar"));
    m_cancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancelar"));
    ui::setupButton(m_accept);
    ui::setupButton(m_cancel);

    auto *grid = new QGridLayout;
    grid->addWidget(prompt, 0, 0);
    grid->addWidget(m_choice, 0, 1, Qt::AlignLeft);
    grid->addWidget(m_date, 0, 2, Qt::AlignRight);
    grid->addWidget(m_textCaption, 1, 0, Qt::AlignRight);
    grid->addWidget(m_text, 1, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_accept);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(520, 130);

    // Typing C or D replaces what the box holds.
    for (const int key : {int(Qt::Key_C), int(Qt::Key_D)}) {
        const QString letter = key == Qt::Key_C ? QStringLiteral("C") : QStringLiteral("D");
        ui::onKey(m_choice, key, [this, letter] { m_choice->setText(letter); });
    }
    ui::onKey(m_choice, Qt::Key_Return, [this] { choose(); });
    ui::onKey(m_text, Qt::Key_Return, [this] { search(); });
    for (QWidget *w : {static_cast<QWidget *>(m_choice), static_cast<QWidget *>(m_text),
                       static_cast<QWidget *>(m_accept), static_cast<QWidget *>(m_cancel)})
        ui::onKey(w, Qt::Key_Escape, [this] { cancel(); });
    connect(m_cancel, &QPushButton::clicked, this, &EntrarBuscar::cancel);
    // "&Aceptar" has no action of its own.

    setFocusProxy(m_choice);
    m_choice->setFocus();
}

EntrarBuscar::~EntrarBuscar() = default;

void EntrarBuscar::choose()
{
    const QString caption = priceLookupCaption(m_choice->text().toUpper());
    if (caption.isEmpty())
        return;
    m_textCaption->setText(caption);
    m_textCaption->show();
    m_text->show();
    ui::focusAndSelect(m_text);
}

void EntrarBuscar::search()
{
    session::TextoBuscar() = m_text->text();
    // The picker is built before this window goes, so that a failure to
    // read the articles leaves the lookup where it was.
    QMainWindow *main = mainWindowOf(this);
    auto *picker = new ArticlePicker(ArticlePickerKind::Lookup, main);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    closeWindow();
    picker->show();
    picker->raise();
    picker->activateWindow();
}

void EntrarBuscar::cancel()
{
    QPointer<QWidget> button;
    if (QMainWindow *main = mainWindowOf(this))
        button = main->findChild<QWidget *>(QStringLiteral("tbListaPre"));
    closeWindow();
    if (button)
        button->setFocus(Qt::OtherFocusReason);
}

void EntrarBuscar::closeWindow()
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

} // namespace catalogue

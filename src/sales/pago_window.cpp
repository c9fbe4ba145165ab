#include "sales/pago_window.h"

#include "common/services.h"
#include "common/ui/espere.h"
#include "common/ui/fields.h"
#include "common/ui/twips.h"
#include "sales/payment_rules.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace sales {

namespace {

QLineEdit *amountField(QWidget *parent, const char *name, bool locked)
{
    auto *f = new QLineEdit(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setAlignment(Qt::AlignCenter);
    f->setReadOnly(locked);
    QFont font(QStringLiteral("Arial Black"));
    font.setPointSizeF(20.25);
    font.setBold(true);
    f->setFont(font);
    QPalette p = f->palette();
    p.setColor(QPalette::Text, Qt::red);
    p.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xC0));
    f->setPalette(p);
    ui::setupField(f, ui::FieldOptions{false, true, true});
    return f;
}

QLabel *caption(QWidget *parent, const QString &text, int top)
{
    auto *l = new QLabel(text, parent);
    QFont font = l->font();
    font.setBold(true);
    l->setFont(font);
    l->setGeometry(ui::twips(120), ui::twipsY(top), ui::twips(1500), ui::twipsY(600));
    return l;
}

QFrame *line(QWidget *parent, int top)
{
    auto *l = new QFrame(parent);
    l->setFrameShape(QFrame::HLine);
    l->setGeometry(ui::twips(120), ui::twipsY(top), ui::twips(4425), ui::twipsY(60));
    return l;
}

} // namespace

Pago::Pago(PagoOwner &owner, const QString &name, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_owner(owner)
{
    setObjectName(name);
    setWindowTitle(QStringLiteral("FORMA DE PAGO"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(ui::twips(4785), ui::twipsY(4110));
    setAutoFillBackground(true);
    QPalette pink = palette();
    pink.setColor(QPalette::Window, QColor(0xFF, 0xC0, 0xFF));
    setPalette(pink);

    caption(this, QStringLiteral("IMPORTE:"), 240);
    caption(this, QStringLiteral("PAGA CON:"), 1080);
    caption(this, QStringLiteral("VUELTO:"), 2160);
    m_text1 = amountField(this, "Text1", true);
    m_text2 = amountField(this, "Text2", false);
    m_text3 = amountField(this, "Text3", true);
    m_text1->setGeometry(ui::twips(1680), ui::twipsY(120), ui::twips(2865), ui::twipsY(735));
    m_text2->setGeometry(ui::twips(1680), ui::twipsY(960), ui::twips(2865), ui::twipsY(735));
    line(this, 1800);
    line(this, 1920);
    m_text3->setGeometry(ui::twips(1680), ui::twipsY(2040), ui::twips(2865), ui::twipsY(735));
    m_command1 = new QPushButton(QStringLiteral("&Aceptar"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setGeometry(ui::twips(120), ui::twipsY(3000), ui::twips(4425), ui::twipsY(600));
    ui::setupButton(m_command1);
    setTabOrder(m_text1, m_text2);
    setTabOrder(m_text2, m_text3);
    setTabOrder(m_text3, m_command1);

    ui::onKey(m_text1, Qt::Key_Return, [this] { ui::focusAndSelect(m_text2); });
    ui::onKey(m_text2, Qt::Key_Return, [this] { ingresarImporte(); });
    ui::onKey(m_text3, Qt::Key_Return, [this] { imprimir(); });
    connect(m_command1, &QPushButton::clicked, this, &Pago::Aceptar);
}

Pago::~Pago() = default;

void Pago::abrir()
{
    // Open on a payment under way: only brought forward. Still open on a
    // document already printed: that payment is over, the next one starts.
    if (!isVisible() || m_stored) {
        m_stored = false;
        m_text1->setText(m_owner.totalText());
        m_text2->clear();
        m_text3->clear();
        if (const QScreen *s = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(s->availableGeometry().center());
            move(frame.topLeft());
        }
        show();
        ui::focusAndSelect(m_text1);
    }
    raise();
    activateWindow();
}

void Pago::ingresarImporte()
{
    const PaymentAmounts a = paymentAmounts(m_text2->text(), m_text1->text());
    if (!a.error.isEmpty()) {
        m_text2->setText(a.tendered);
        m_text3->clear();
        services::critical(QStringLiteral("Error"), a.error);
        ui::focusAndSelect(m_text2);
        return;
    }
    m_text2->setText(a.tendered);
    m_text3->setText(a.change);
    m_text3->setFocus();
}

void Pago::imprimir()
{
    if (m_printing)
        return;
    // The amount sent and the change shown always agree, also when the
    // amount was changed without Enter.
    const PaymentAmounts a = paymentAmounts(m_text2->text(), m_text1->text());
    if (!a.error.isEmpty()) {
        services::critical(QStringLiteral("Error"), a.error + QStringLiteral(" No se imprimió nada."));
        ui::focusAndSelect(m_text2);
        return;
    }
    m_text2->setText(a.tendered);
    m_text3->setText(a.change);

    m_owner.setImprimirTicket(true);
    m_owner.setEnvioPago(m_text2->text());
    bool stored = false;
    if (m_owner.imprimirTicket()) {
        m_printing = true;
        struct Reset {
            bool &flag;
            ~Reset() { flag = false; }
        } reset{m_printing};
        ui::EspereScope espere;
        stored = m_owner.ImpresionTicketFinal();
    }
    // The waiting window and the owner's messages may have taken the
    // activation: the operator goes on here.
    activateWindow();
    if (stored) {
        m_stored = true;
        m_command1->setFocus(Qt::TabFocusReason);
    }
}

void Pago::Aceptar()
{
    const bool stored = m_stored;
    close();
    if (!stored) {
        m_owner.focusPrintButton();
        return;
    }
    if (!m_owner.hasUnstoredEntries()) {
        m_owner.Blanquear();
        m_owner.focusNumberField();
    }
}

void Pago::closeEvent(QCloseEvent *event)
{
    m_text1->clear();
    QWidget::closeEvent(event);
}

} // namespace sales

#include "fields.h"

#include "application.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>

namespace ui {

namespace {

bool leavesForAMoment(const QEvent *event)
{
    // A context menu or a switch to another program takes the focus without
    // the operator leaving the field.
    const auto reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason;
}

class FieldFilter final : public QObject {
public:
    FieldFilter(QLineEdit *field, FieldOptions options) : QObject(field), m_field(field), m_options(options)
    {
        if (field->hasFocus())
            highlight(true);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::FocusIn:
            highlight(true);
            break;
        case QEvent::FocusOut:
            if (!leavesForAMoment(event))
                highlight(false);
            break;
        case QEvent::KeyPress:
            return convertKey(watched, static_cast<QKeyEvent *>(event));
        case QEvent::InputMethod:
            if (m_options.upper) {
                auto *ime = static_cast<QInputMethodEvent *>(event);
                ime->setCommitString(ime->commitString().toUpper(), ime->replacementStart(),
                                     ime->replacementLength());
            }
            break;
        case QEvent::MouseButtonRelease:
            if (m_options.selectOnClick) {
                // Let the box finish the click first, then select everything.
                static_cast<QObject *>(m_field)->event(event);
                m_field->selectAll();
                return true;
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    void highlight(bool on)
    {
        if (on == m_highlighted)
            return;
        m_highlighted = on;
        if (on) {
            m_ownPalette = m_field->palette();
            m_hadOwnPalette = m_field->testAttribute(Qt::WA_SetPalette);
            QPalette green = m_ownPalette;
            green.setColor(QPalette::Base, FieldFocusColour);
            m_field->setPalette(green);
        } else {
            m_field->setPalette(m_hadOwnPalette ? m_ownPalette : QPalette());
        }
    }

    // Replaces a typed "." by "," and lower-case letters by upper case by
    // sending the converted key in place of the original one.
    bool convertKey(QObject *watched, QKeyEvent *key)
    {
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QString text = key->text();
        if (text.isEmpty())
            return false;
        QString converted = text;
        int code = key->key();
        if (m_options.comma && converted == QLatin1String(".")) {
            converted = QStringLiteral(",");
            code = Qt::Key_Comma;
        }
        if (m_options.upper)
            converted = converted.toUpper();
        if (converted == text)
            return false;
        QKeyEvent replacement(QEvent::KeyPress, code, key->modifiers(), converted, key->isAutoRepeat(),
                              static_cast<quint16>(key->count()));
        QCoreApplication::sendEvent(watched, &replacement);
        return true;
    }

    QLineEdit *m_field;
    FieldOptions m_options;
    bool m_highlighted = false;
    bool m_hadOwnPalette = false;
    QPalette m_ownPalette;
};

class ButtonFilter final : public QObject {
public:
    explicit ButtonFilter(QPushButton *button) : QObject(button), m_button(button)
    {
        paint(button->hasFocus() ? ButtonFocusColour : ButtonColour);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn)
            paint(ButtonFocusColour);
        else if (event->type() == QEvent::FocusOut && !leavesForAMoment(event))
            paint(ButtonColour);
        return false;
    }

private:
    void paint(const QColor &colour)
    {
        QPalette palette = m_button->palette();
        palette.setColor(QPalette::Button, colour);
        m_button->setPalette(palette);
    }

    QPushButton *m_button;
};

class KeyFilter final : public QObject {
public:
    KeyFilter(QWidget *widget, int key, std::function<void()> handler)
        : QObject(widget), m_key(key), m_handler(std::move(handler))
    {
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (!matches(key))
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();   // deliver it as a key press, not as a shortcut
            return true;
        }
        // A failure of the action (a file locked too long, say) is shown
        // here rather than thrown through the toolkit.
        try {
            m_handler();
        } catch (const std::exception &e) {
            reportFailure(QString::fromUtf8(e.what()));
        }
        return true;
    }

private:
    bool matches(const QKeyEvent *key) const
    {
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        if (key->key() == m_key)
            return true;
        return m_key == Qt::Key_Return && key->key() == Qt::Key_Enter;
    }

    int m_key;
    std::function<void()> m_handler;
};

} // namespace

void setupField(QLineEdit *field, FieldOptions options)
{
    if (field)
        field->installEventFilter(new FieldFilter(field, options));
}

void setupButton(QPushButton *button)
{
    if (!button)
        return;
    button->setAutoDefault(true);
    button->installEventFilter(new ButtonFilter(button));
}

void onKey(QWidget *widget, int key, std::function<void()> handler)
{
    if (widget)
        widget->installEventFilter(new KeyFilter(widget, key, std::move(handler)));
}

void focusAndSelect(QWidget *widget)
{
    if (!widget)
        return;
    widget->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        edit->selectAll();
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(widget))
        spin->selectAll();
    else if (auto *combo = qobject_cast<QComboBox *>(widget); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
    else if (auto *text = qobject_cast<QTextEdit *>(widget))
        text->selectAll();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(widget))
        plain->selectAll();
}

void enterMovesTo(QWidget *from, QWidget *to)
{
    QPointer<QWidget> target(to);
    onKey(from, Qt::Key_Return, [target] { focusAndSelect(target); });
}

void enterMovesTo(QWidget *from, const QString &toName)
{
    onKey(from, Qt::Key_Return, [from, toName] {
        if (QWidget *form = formOf(from))
            focusAndSelect(form->findChild<QWidget *>(toName));
    });
}

void upDownRing(const QList<QWidget *> &order)
{
    QList<QPointer<QWidget>> ring;
    for (QWidget *w : order)
        ring.append(w);
    const qsizetype n = ring.size();
    for (qsizetype i = 0; i < n; ++i) {
        onKey(order[i], Qt::Key_Down, [ring, i, n] { focusAndSelect(ring[(i + 1) % n]); });
        onKey(order[i], Qt::Key_Up, [ring, i, n] { focusAndSelect(ring[(i + n - 1) % n]); });
    }
}

QWidget *formOf(QWidget *widget)
{
    QWidget *w = widget;
    while (w && !w->isWindow()) {
        QWidget *parent = w->parentWidget();
        if (qobject_cast<QMdiSubWindow *>(parent))
            return w;
        w = parent;
    }
    return w;
}

} // namespace ui

#include "espere.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

namespace ui {

namespace {
QPointer<QWidget> g_window;

QWidget *createWindow()
{
    auto *w = new QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    w->setObjectName(QStringLiteral("Espere"));
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setAttribute(Qt::WA_QuitOnClose, false);
    w->setAutoFillBackground(true);
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, QColor(0xFF, 0x00, 0x00));
    palette.setColor(QPalette::WindowText, QColor(0xFF, 0xFF, 0xFF));
    w->setPalette(palette);

    auto *label = new QLabel(QStringLiteral("Espere un Momento..."), w);
    label->setObjectName(QStringLiteral("Label1"));
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSize(20);
    font.setBold(true);
    label->setFont(font);

    auto *layout = new QVBoxLayout(w);
    layout->setContentsMargins(30, 20, 30, 20);
    layout->addWidget(label);
    w->adjustSize();
    return w;
}

// The main window if one is shown, else the active window.
QWidget *anchorWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<QMainWindow *>(w))
            return w;
    return QApplication::activeWindow();
}
} // namespace

void Espere::show()
{
    if (!g_window)
        g_window = createWindow();
    QRect area;
    if (QWidget *anchor = anchorWindow(); anchor && anchor != g_window)
        area = anchor->frameGeometry();
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    QRect frame = g_window->frameGeometry();
    frame.moveCenter(area.center());
    g_window->move(frame.topLeft());
    g_window->show();
    g_window->raise();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Espere::hide()
{
    if (g_window)
        g_window->hide();
}

bool Espere::isShown()
{
    return g_window && g_window->isVisible();
}

QWidget *Espere::window()
{
    return g_window;
}

} // namespace ui

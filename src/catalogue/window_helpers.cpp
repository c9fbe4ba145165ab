#include "window_helpers.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace catalogue {

namespace {

class ShowFilter final : public QObject {
public:
    ShowFilter(QWidget *window, std::function<void()> handler) : QObject(window), m_handler(std::move(handler)) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous())
            m_handler();
        return false;
    }

private:
    std::function<void()> m_handler;
};

} // namespace

void centreOnScreen(QWidget *window)
{
    if (!window)
        return;
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}

void onShow(QWidget *window, std::function<void()> handler)
{
    if (window)
        window->installEventFilter(new ShowFilter(window, std::move(handler)));
}

} // namespace catalogue

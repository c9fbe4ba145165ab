#include "pausa.h"

#include "common/services.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cmath>

namespace ui {

void Pausa(int milliseconds)
{
    if (!QCoreApplication::instance())
        return;
    const qint64 length = std::llround(std::max(0, milliseconds) * services::pauseScale());
    QElapsedTimer clock;
    clock.start();
    QCoreApplication::processEvents();
    // Wait in an event loop rather than spinning: a precise single-shot timer
    // wakes it, and the clock decides whether the time is really up.
    for (qint64 left = length - clock.elapsed(); left > 0; left = length - clock.elapsed()) {
        QEventLoop loop;
        QTimer::singleShot(std::chrono::milliseconds(left), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

} // namespace ui

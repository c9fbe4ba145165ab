#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace ui {

namespace {
constexpr double TwipsPerInch = 1440.0;
constexpr double FallbackDpi = 96.0;

double dpiX()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : FallbackDpi;
}

double dpiY()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : FallbackDpi;
}
} // namespace

int twips(int twipValue)
{
    return static_cast<int>(std::lround(twipValue * dpiX() / TwipsPerInch));
}

int twipsY(int twipValue)
{
    return static_cast<int>(std::lround(twipValue * dpiY() / TwipsPerInch));
}

int toTwips(int pixels)
{
    return static_cast<int>(std::lround(pixels * TwipsPerInch / dpiX()));
}

QPoint twipsPoint(int leftTwips, int topTwips)
{
    return {twips(leftTwips), twipsY(topTwips)};
}

void placeAtTwips(QWidget *window, int leftTwips, int topTwips)
{
    if (window)
        window->move(twipsPoint(leftTwips, topTwips));
}

} // namespace ui

#include "window_opener.h"

namespace ui {

namespace {
WindowOpener &current()
{
    static WindowOpener opener;
    return opener;
}
} // namespace

QWidget *openWindow(const QString &name, int leftTwips, int topTwips)
{
    return current() ? current()(name, leftTwips, topTwips) : nullptr;
}

WindowOpener setWindowOpener(WindowOpener opener)
{
    WindowOpener previous = std::move(current());
    current() = std::move(opener);
    return previous;
}

} // namespace ui

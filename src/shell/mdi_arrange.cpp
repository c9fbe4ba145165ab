#include "mdi_arrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace shell {

void tileHorizontally(QMdiArea *area)
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *w : area->subWindowList(QMdiArea::StackingOrder))
        if (!w->isHidden() && !w->isMinimized())
            windows.append(w);
    if (windows.isEmpty())
        return;
    const QRect space = area->viewport()->rect();
    const int height = space.height() / int(windows.size());
    int top = 0;
    for (QMdiSubWindow *w : windows) {
        if (w->isMaximized())
            w->showNormal();
        w->setGeometry(0, top, space.width(), height);
        top += height;
    }
}

void arrangeIcons(QMdiArea *area)
{
    const QRect space = area->viewport()->rect();
    int left = 0;
    int bottom = space.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow *w : area->subWindowList(QMdiArea::CreationOrder)) {
        if (w->isHidden() || !w->isMinimized())
            continue;
        const QSize size = w->size();
        if (left > 0 && left + size.width() > space.width()) {
            left = 0;
            bottom -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, size.height());
        w->move(left, bottom - size.height());
        left += size.width();
    }
}

} // namespace shell

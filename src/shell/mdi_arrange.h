#pragma once

class QMdiArea;

namespace shell {

// The child windows that are neither minimised nor hidden, one above the
// other, each as wide as the area.
void tileHorizontally(QMdiArea *area);

// The minimised child windows in a row along the bottom edge of the area,
// from the left, starting a new row above when one is full.
void arrangeIcons(QMdiArea *area);

} // namespace shell

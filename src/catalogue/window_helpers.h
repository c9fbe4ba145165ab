#pragma once

#include <functional>

class QWidget;

// Small helpers of the catalogue's dialogs.

namespace catalogue {

// Moves the top-level `window` so that it stands in the middle of the
// available area of its screen (the pickers and the bar-code window open
// centred on the screen).
void centreOnScreen(QWidget *window);

// Calls `handler` each time `window` is shown by the program (not when the
// window system shows it again, as after a minimise); the window is
// already laid out then.
void onShow(QWidget *window, std::function<void()> handler);

} // namespace catalogue

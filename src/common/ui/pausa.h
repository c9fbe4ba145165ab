#pragma once

namespace ui {

// Lets the user interface run (paints, timers, queued events, typing) for
// `milliseconds` times services::pauseScale(), measured on a monotonic
// clock. Pending events run at least once, also with a scale of 0. Does
// nothing without an application object.
void Pausa(int milliseconds);

} // namespace ui

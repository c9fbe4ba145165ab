#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

namespace shell {

// The text of the main window's clock: the time in the locale's long time
// format (with seconds, 12 or 24 hours as the locale has it) without the
// time-zone name.
QString clockText(const QTime &time, const QLocale &locale = QLocale::system());

} // namespace shell

#pragma once

#include <QString>

namespace demo {

// Fills a freshly created database folder with a believable shop: users,
// categories, suppliers, a few hundred articles with formed prices (some
// with bar codes and short codes), customers of every VAT category, and a
// few stored tickets and delivery notes (charged to their customers).
void fillDemo(const QString &folderPath);

} // namespace demo

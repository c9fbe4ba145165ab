#pragma once

#include "record_store.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace store {

// The database folder of a workstation: the folder holding the eight files.
// File names (and the folder's own path) are found without regard to letter
// case. Nothing is ever created here except by create().
class DatabaseFolder {
public:
    explicit DatabaseFolder(const QString &path);

    QString path() const { return m_path; }

    // The existing file of that name, found without regard to letter case
    // (the folder's path components too); empty when there is none.
    QString locate(const QString &fileName) const;

    // Opens one of the shop's files with the password the catalogue gives
    // it. Throws StoreError naming the file when it is missing or cannot be
    // opened.
    std::unique_ptr<Database> open(const QString &fileName) const;

    // Checks the folder, every file and every table and field of the
    // catalogue; returns one clear Spanish sentence per problem (empty when
    // the folder is sound).
    QStringList check() const;

    // Creates the folder (if needed) and every file of the catalogue with
    // its tables, the two password files encrypted. Throws StoreError when a
    // file of the catalogue already exists there.
    static void create(const QString &path);

    // The folder this workstation works on (set at start-up).
    static const DatabaseFolder &current();
    static void setCurrent(const QString &path);

private:
    QString m_path;
};

// Resolves a path whose components may differ in letter case from the ones
// on disk; returns the path as it exists, or empty when a component is
// missing.
QString resolveCaseInsensitive(const QString &path);

} // namespace store

#include "database_folder.h"

#include <QDir>
#include <QFileInfo>

namespace store {

namespace {

DatabaseFolder &currentFolder()
{
    static DatabaseFolder folder{QString()};
    return folder;
}

// Splits a path written with either separator (a Windows share path
// "\\SERVIDOR\Torvi\Bases" included) into its root and components.
void splitPath(const QString &path, QString &root, QStringList &parts)
{
    QString p = QDir::fromNativeSeparators(path);
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    root.clear();
    if (p.startsWith(QLatin1String("//"))) {
        // A share: the server and share names form the root.
        const QStringList all = p.mid(2).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        if (all.size() >= 2) {
            root = QStringLiteral("//") + all[0] + QLatin1Char('/') + all[1] + QLatin1Char('/');
            parts = all.mid(2);
            return;
        }
    }
    if (p.size() >= 2 && p[1] == QLatin1Char(':')) {
        root = p.left(2) + QLatin1Char('/');
        p = p.mid(2);
    } else if (p.startsWith(QLatin1Char('/'))) {
        root = QStringLiteral("/");
    } else {
        root = QDir::currentPath() + QLatin1Char('/');
    }
    parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

} // namespace

QString resolveCaseInsensitive(const QString &path)
{
    QString root;
    QStringList parts;
    splitPath(path, root, parts);
    QString current = root;
    for (int i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        QString candidate = current + part;
        if (!QFileInfo::exists(candidate)) {
            const QDir dir(current);
            const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            QString found;
            for (const QString &e : entries)
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    found = e;
                    break;
                }
            if (found.isEmpty())
                return {};
            candidate = current + found;
        }
        current = candidate + (i + 1 < parts.size() ? QStringLiteral("/") : QString());
    }
    return QDir::cleanPath(current);
}

DatabaseFolder::DatabaseFolder(const QString &path) : m_path(path) {}

QString DatabaseFolder::locate(const QString &fileName) const
{
    if (m_path.isEmpty())
        return {};
    const QString folder = resolveCaseInsensitive(m_path);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return {};
    const QString direct = folder + QLatin1Char('/') + fileName;
    if (QFileInfo(direct).isFile())
        return direct;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &e : entries)
        if (e.compare(fileName, Qt::CaseInsensitive) == 0)
            return folder + QLatin1Char('/') + e;
    return {};
}

std::unique_ptr<Database> DatabaseFolder::open(const QString &fileName) const
{
    const QString path = locate(fileName);
    if (path.isEmpty()) {
        const QString folder = resolveCaseInsensitive(m_path);
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            throw StoreError(StoreError::Kind::MissingFile,
                             QStringLiteral("No se encuentra la carpeta de bases de datos «%1» (buscando «%2»).")
                                 .arg(QDir::toNativeSeparators(m_path), fileName),
                             fileName);
        throw StoreError(StoreError::Kind::MissingFile,
                         QStringLiteral("No se encuentra el archivo «%1» en la carpeta de bases de datos «%2».")
                             .arg(fileName, QDir::toNativeSeparators(m_path)),
                         fileName);
    }
    const FileDef *def = fileDef(fileName);
    return Database::open(path, def ? def->password : QString());
}

QStringList DatabaseFolder::check() const
{
    QStringList problems;
    const QString folder = resolveCaseInsensitive(m_path);
    if (m_path.isEmpty() || folder.isEmpty() || !QFileInfo(folder).isDir()) {
        problems << QStringLiteral("No se encuentra la carpeta de bases de datos «%1».")
                        .arg(QDir::toNativeSeparators(m_path));
        return problems;
    }
    for (const FileDef &f : catalogue()) {
        try {
            auto db = open(f.fileName);
            for (const TableDef &t : f.tables) {
                try {
                    TableView view(*db, t.name);
                } catch (const StoreError &e) {
                    problems << e.message();
                }
            }
        } catch (const StoreError &e) {
            problems << e.message();
        }
    }
    return problems;
}

void DatabaseFolder::create(const QString &path)
{
    if (!QDir().mkpath(path))
        throw StoreError(StoreError::Kind::Engine,
                         QStringLiteral("No se pudo crear la carpeta «%1».").arg(QDir::toNativeSeparators(path)));
    const DatabaseFolder folder(path);
    for (const FileDef &f : catalogue())
        if (!folder.locate(f.fileName).isEmpty())
            throw StoreError(StoreError::Kind::Engine,
                             QStringLiteral("La carpeta «%1» ya tiene el archivo «%2»; no se sobrescribe.")
                                 .arg(QDir::toNativeSeparators(path), f.fileName),
                             f.fileName);
    for (const FileDef &f : catalogue())
        Database::create(QDir(path).filePath(f.fileName), f);

    // The administrator who can log in and register the other users.
    auto db = folder.open(files::Opcion);
    TableView users(*db, QStringLiteral("Usuarios"));
    users.addNew();
    users.setValue(QStringLiteral("usuario"), QStringLiteral("ADMIN"));
    users.setValue(QStringLiteral("contrasena"), QStringLiteral("KIVOR"));
    users.setValue(QStringLiteral("descripcion"), QStringLiteral("ADMINISTRADOR"));
    users.setValue(QStringLiteral("internet"), QStringLiteral("No"));
    users.update();

    // The statement parameters table always holds its one record.
    auto accounts = folder.open(files::CtasCtes);
    TableView params(*accounts, QStringLiteral("Consultas"));
    params.addNew();
    params.setValue(QStringLiteral("cod_cli"), QString());
    params.update();
}

const DatabaseFolder &DatabaseFolder::current()
{
    return currentFolder();
}

void DatabaseFolder::setCurrent(const QString &path)
{
    currentFolder() = DatabaseFolder(path);
}

} // namespace store

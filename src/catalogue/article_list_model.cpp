#include "article_list_model.h"

#include "store/record_store.h"

namespace catalogue {

ArticleListModel::ArticleListModel(store::Database &db, QObject *parent)
    : QAbstractTableModel(parent),
      m_list(std::make_unique<store::OrderedList>(db, QStringLiteral("Articulos"), columnNames(),
                                                  QStringLiteral("DES")))
{
}

ArticleListModel::~ArticleListModel() = default;

QStringList ArticleListModel::columnNames()
{
    return {QStringLiteral("ART"), QStringLiteral("DES"), QStringLiteral("SIG"), QStringLiteral("NE1"),
            QStringLiteral("NE2"), QStringLiteral("NE3"), QStringLiteral("NE4")};
}

int ArticleListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_list->rowCount();
}

int ArticleListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ArticleListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), Column(index.column()));
    case Qt::TextAlignmentRole:
        return index.column() >= Ne1 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                     : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ArticleListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return columnNames().at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

QString ArticleListModel::text(int row, Column column) const
{
    return m_list->value(row, int(column));
}

int ArticleListModel::findFirstPrefix(const QString &prefix) const
{
    return m_list->findFirstPrefix(prefix);
}

void ArticleListModel::reload()
{
    beginResetModel();
    m_list->refresh();
    endResetModel();
}

} // namespace catalogue

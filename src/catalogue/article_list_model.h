#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <memory>

namespace store {
class Database;
class OrderedList;
}

namespace catalogue {

// The article pickers' list: every article of Articulos in description
// order (the order of "Select ART,DES,NE1,NE2,NE3,NE4,SIG from Articulos
// order by DES"), shown in the columns ART, DES, SIG, NE1, NE2, NE3, NE4.
// Rows are read from the file a page at a time as the view asks for them,
// so a catalogue of a hundred thousand articles shows at once.
class ArticleListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Art, Des, Sig, Ne1, Ne2, Ne3, Ne4, ColumnCount };

    // Reads from `db` (the articles file), which must outlive the model.
    // Throws store::StoreError when the table or a field is missing.
    explicit ArticleListModel(store::Database &db, QObject *parent = nullptr);
    ~ArticleListModel() override;

    static QStringList columnNames();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The screen text of a cell; empty outside the list.
    QString text(int row, Column column) const;
    // The article code (ART) of a row; empty outside the list.
    QString code(int row) const { return text(row, Art); }

    // The first row whose description begins with `prefix`, ignoring letter
    // case as LIKE 'prefix%' does; -1 when there is none. The prefix is plain
    // text: quotes, "%" and "_" match only themselves.
    int findFirstPrefix(const QString &prefix) const;

    // Reads the table afresh.
    void reload();

private:
    std::unique_ptr<store::OrderedList> m_list;
};

} // namespace catalogue
